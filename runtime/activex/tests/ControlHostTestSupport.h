// A form window with a control container over it, recording every event its controls fire.
#pragma once

#include "ControlContainer.h"
#include "forms/FormDescription.h"
#include "testing/HostWindow.h"

#include <gtest/gtest.h>
#include <ole2.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace korvane::activex::testing {

struct RecordedEvent {
    std::string control;
    std::optional<int> index;
    std::string name;
    DISPID dispid;
    std::vector<com::Variant> arguments;
};

class HostedControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // OLE stays initialised for the whole test program: its start and end are slow under Wine.
        static const HRESULT oleStarted = OleInitialize(nullptr);
        ASSERT_TRUE(SUCCEEDED(oleStarted));
        // One host window for the whole program: under Wine without a window manager, taking a top-level
        // window down waits two seconds for the display.
        static HostWindow host(320, 200);
        window_ = &host;
        ASSERT_NE(window_->Handle(), nullptr);
        container_ = std::make_unique<ControlContainer>(window_->Handle(), [this](const ControlEvent& event) {
            RecordedEvent recorded{event.controlName, event.index, event.eventName, event.dispid, {}};
            for (size_t i = 0; i < event.arguments.Count(); ++i)
                recorded.arguments.push_back(event.arguments.Get(i));
            events_.push_back(recorded);
            if (onEvent_)
                onEvent_(event);
        });
    }

    void TearDown() override
    {
        container_.reset();
        PumpMessages(std::chrono::milliseconds(20));  // the form repaints where the controls were
    }

    // Hosts the one `activex` element of a form description.
    ControlSite& Host(const std::string& elementText, ControlSite* parent = nullptr)
    {
        descriptions_.push_back(forms::ParseFormDescription("form Test {\n" + elementText + "\n}\n"));
        return container_->Add(descriptions_.back().children.front(), parent);
    }

    std::vector<const RecordedEvent*> EventsNamed(const std::string& name) const
    {
        std::vector<const RecordedEvent*> found;
        for (const auto& event : events_)
            if (event.name == name)
                found.push_back(&event);
        return found;
    }

    HostWindow* window_ = nullptr;
    std::unique_ptr<ControlContainer> container_;
    std::vector<forms::ElementDescription> descriptions_;
    std::vector<RecordedEvent> events_;
    std::function<void(const ControlEvent&)> onEvent_;
};

} // namespace korvane::activex::testing
