// What the control tests share: a test control held for the test's duration, a check that every
// control made by a test is gone at its end, and the calls of a recording container without the
// ones a test does not look at.
#pragma once
#include "Himetric.h"
#include "Module.h"
#include "RecordingContainer.h"
#include "TestControl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Owns the reference a new test control starts with.
class HeldControl {
public:
    explicit HeldControl(int row = TestRowButtonLike) : control_(TestControl::Create(row)) {}
    ~HeldControl()
    {
        if (control_ != nullptr)
            control_->PrivateUnknown()->Release();
    }
    HeldControl(const HeldControl&) = delete;
    HeldControl& operator=(const HeldControl&) = delete;

    TestControl* operator->() const { return control_; }
    TestControl& operator*() const { return *control_; }
    TestControl* get() const { return control_; }

    template <class Interface>
    Interface* As(REFIID iid) const
    {
        void* object = nullptr;
        EXPECT_EQ(control_->PrivateUnknown()->QueryInterface(iid, &object), S_OK);
        // The test holds the control; the interface reference is handed back at once.
        if (object != nullptr)
            static_cast<IUnknown*>(object)->Release();
        return static_cast<Interface*>(object);
    }

private:
    TestControl* control_;
};

// Every control a test makes must be gone when it ends.
class ControlTest : public ::testing::Test {
protected:
    void SetUp() override { objectsBefore_ = Module::ObjectCount(); }
    void TearDown() override { EXPECT_EQ(Module::ObjectCount(), objectsBefore_) << "a control outlived its test"; }

private:
    LONG objectsBefore_ = 0;
};

// A stream in memory holding the bytes, positioned at the start.
IStream* StreamOf(const std::vector<unsigned char>& bytes);

// The container's calls, leaving out ambient reads and focus notices (which depend on the window
// manager, not on the control).
std::vector<std::string> ActivationCalls(const RecordingContainer& container);
