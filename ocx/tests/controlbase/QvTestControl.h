// What the control base tests need around their own control: holding one, connecting sinks, the
// object count check, streams of bytes and the thread's error information.
#pragma once
#include "QvTestControlClass.h"
#include "TestSinks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Owns the reference a new test control starts with.
class HeldQvControl {
public:
    HeldQvControl() : control_(QvTestControl::Create()) {}
    ~HeldQvControl() { control_->PrivateUnknown()->Release(); }
    HeldQvControl(const HeldQvControl&) = delete;
    HeldQvControl& operator=(const HeldQvControl&) = delete;

    QvTestControl* operator->() const { return control_; }
    QvTestControl* get() const { return control_; }

    // The interface, not AddRef'd: the test holds the control.
    template <class Interface>
    Interface* As(REFIID iid) const
    {
        void* object = nullptr;
        EXPECT_EQ(control_->PrivateUnknown()->QueryInterface(iid, &object), S_OK);
        if (object != nullptr)
            static_cast<IUnknown*>(object)->Release();
        return static_cast<Interface*>(object);
    }

private:
    QvTestControl* control_;
};

// Connects a sink to a control's property-notify point for the lifetime of the object.
class NotifyConnection {
public:
    NotifyConnection(QvTestControl* control, IPropertyNotifySink* sink);
    ~NotifyConnection();
    NotifyConnection(const NotifyConnection&) = delete;
    NotifyConnection& operator=(const NotifyConnection&) = delete;

private:
    IConnectionPoint* point_ = nullptr;
    DWORD cookie_ = 0;
};

// Every control a test makes must be gone when it ends.
class QvControlTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

private:
    LONG objectsBefore_ = 0;
};

// A stream in memory holding the bytes, positioned at the start, and the bytes a stream holds.
IStream* StreamOfBytes(const std::vector<unsigned char>& bytes);
std::vector<unsigned char> BytesOfStream(IStream* stream);

// The face the platform gives a font asked for by `name` (Wine answers with the face it realizes,
// which may be another where the named one is not installed).
std::wstring RealizedFontName(const wchar_t* name);

// The description of the thread's error information, and its source; empty when there is none.
struct RaisedError {
    std::wstring description;
    std::wstring source;
    GUID guid;
};
RaisedError TakeRaisedError();
