// The container hosting the test control: creation from a description, saved state, activation,
// events with by-reference arguments, late-bound properties, and release on unload.
#include "ControlHostTestSupport.h"
#include "TestControlUnloading.h"

#include "InPlaceFrame.h"
#include "TestControlLibrary.h"

#include <gmock/gmock.h>

namespace korvane::activex::testing {
namespace {

const char kTestControl[] = R"(
  activex Test1 {
    progid Korvane.TestControl
    rect 20 30 160 60
    Caption "Hello"
    FontSize 12
    Value True
  })";

void Click(HWND window, int x, int y)
{
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

using ControlContainerTest = HostedControlTest;

TEST_F(ControlContainerTest, HostsTheControlItsDescriptionNamesWithItsStateByName)
{
    ControlSite& control = Host(kTestControl);
    EXPECT_EQ(control.StateProblem(), "");

    com::Variant value;
    ASSERT_EQ(control.GetProperty(DISPID_CAPTION, value), S_OK);
    EXPECT_EQ(value.AsText(), L"Hello");
    ASSERT_EQ(control.GetProperty(2, value), S_OK);
    EXPECT_FLOAT_EQ(static_cast<float>(value.AsDouble()), 12.0f);
    ASSERT_EQ(control.GetProperty(47, value), S_OK);
    EXPECT_TRUE(value.AsBool());

    // Activated in place: a window of its own inside the form, where the description puts it.
    HWND window = control.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetParent(window), window_->Handle());
    EXPECT_TRUE(IsWindowVisible(window));
    RECT placed;
    GetWindowRect(window, &placed);
    MapWindowPoints(nullptr, window_->Handle(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, 20);
    EXPECT_EQ(placed.top, 30);
    EXPECT_EQ(placed.right - placed.left, 160);
    EXPECT_EQ(placed.bottom - placed.top, 60);

    // And on the screen: the control's face (dark, for Value True) where the description puts it.
    PumpMessages();
    const Picture picture = CaptureClientArea(window_->Handle());
    EXPECT_TRUE(WritePng("hosted-test-control.png", picture));
    EXPECT_EQ(picture.At(24, 34), RGB(0, 0, 128));
    EXPECT_EQ(picture.At(20, 30), RGB(0, 0, 0));  // its border
    EXPECT_NE(picture.At(10, 10), RGB(0, 0, 128));  // the form around it
}

TEST_F(ControlContainerTest, ByClassIdAndFromSavedBytes)
{
    ControlSite& first = Host(kTestControl);
    ASSERT_EQ(first.SetProperty(60, com::Variant::Int16(3)), S_OK);
    // The state the control saves, as a description holds it: hex bytes.
    com::ComPtr<IPersistStreamInit> persist;
    ASSERT_EQ(first.Object()->QueryInterface(IID_IPersistStreamInit, persist.PutVoid()), S_OK);
    com::ComPtr<IStream> stream;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.Put()), S_OK);
    ASSERT_EQ(persist->Save(stream.Get(), TRUE), S_OK);
    HGLOBAL memory = nullptr;
    ASSERT_EQ(GetHGlobalFromStream(stream.Get(), &memory), S_OK);
    STATSTG stat = {};
    stream->Stat(&stat, STATFLAG_NONAME);
    std::string hex;
    const auto* bytes = static_cast<const unsigned char*>(GlobalLock(memory));
    for (ULONGLONG i = 0; i < stat.cbSize.QuadPart; ++i) {
        char pair[3];
        snprintf(pair, sizeof pair, "%02x", bytes[i]);
        hex += pair;
    }
    GlobalUnlock(memory);
    ASSERT_EQ(hex.substr(0, 16), "2143341208000000");

    ControlSite& second = Host("activex Test2 { clsid \"{9B9693D4-77B7-4B64-AB9D-8B36B857ABCF}\"\n rect 0 0 50 20\n stream \"" +
                               hex + "\" }");
    EXPECT_EQ(second.StateProblem(), "");
    com::Variant value;
    ASSERT_EQ(second.GetProperty(DISPID_CAPTION, value), S_OK);
    EXPECT_EQ(value.AsText(), L"Hello");
    ASSERT_EQ(second.GetProperty(60, value), S_OK);
    EXPECT_EQ(value.AsInt32(), 3);
    ASSERT_EQ(second.GetProperty(47, value), S_OK);
    EXPECT_TRUE(value.AsBool());
}

TEST_F(ControlContainerTest, SavedBytesOfAnotherKindOfControlLeaveItsDefaults)
{
    // The framework header of another control library's state (version 2.0), then its own blocks.
    ControlSite& control = Host("activex Other { progid Korvane.TestControl\n rect 0 0 50 20\n"
                                " stream \"21433412 08000000 A50F0000 8E060000 00000200 01000000\" }");
    com::Variant caption;
    ASSERT_EQ(control.GetProperty(DISPID_CAPTION, caption), S_OK);
    EXPECT_EQ(caption.AsText(), L"TestControl");
    com::ComPtr<IPersistStreamInit> persist;
    ASSERT_EQ(control.Object()->QueryInterface(IID_IPersistStreamInit, persist.PutVoid()), S_OK);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);
}

TEST_F(ControlContainerTest, ControlsThatCannotBeMadeAreReportedAndLeaveNothingBehind)
{
    const struct {
        const char* element;
        HRESULT expected;
    } cases[] = {
        {"activex Missing { clsid \"{00000000-1111-2222-3333-444444444444}\" }", REGDB_E_CLASSNOTREG},
        {"activex Unnamed { rect 0 0 10 10 }", REGDB_E_CLASSNOTREG},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.element);
        try {
            Host(c.element);
            ADD_FAILURE() << "hosted";
        } catch (const ControlHostError& error) {
            EXPECT_EQ(error.Result(), c.expected);
            EXPECT_THAT(error.what(), ::testing::HasSubstr("could not be"));
        }
    }
    EXPECT_TRUE(container_->Controls().empty());
    EXPECT_EQ(CanUnloadTestControlLibrary(), S_OK);
    EXPECT_THROW(Host("activex Odd { progid Korvane.TestControl\n stream \"123\" }"), forms::FormDescriptionError);
}

TEST_F(ControlContainerTest, AClickReachesTheHandlerWithTheMouseEventBeforeIt)
{
    ControlSite& control = Host(kTestControl);
    Click(control.Window(), 15, 12);

    ASSERT_EQ(events_.size(), 2u);
    EXPECT_EQ(events_[0].control, "Test1");
    EXPECT_EQ(events_[0].name, "MouseDown");
    EXPECT_EQ(events_[0].dispid, DISPID_MOUSEDOWN);
    ASSERT_EQ(events_[0].arguments.size(), 4u);
    EXPECT_EQ(events_[0].arguments[0].AsInt32(), 1);  // the left button
    EXPECT_EQ(events_[0].arguments[2].AsInt32(), 15);
    EXPECT_EQ(events_[0].arguments[3].AsInt32(), 12);
    EXPECT_EQ(events_[1].name, "Click");
    EXPECT_EQ(events_[1].dispid, 22);
    ASSERT_EQ(events_[1].arguments.size(), 1u);
    EXPECT_EQ(events_[1].arguments[0].AsInt32(), 0);  // Value True goes to False
}

TEST_F(ControlContainerTest, AHandlersChangeOfAByReferenceArgumentReachesTheControl)
{
    ControlSite& control = Host(kTestControl);
    // The click would put Value to False; the handler keeps it True through the argument.
    onEvent_ = [](const ControlEvent& event) {
        if (event.eventName == "Click") {
            EXPECT_TRUE(event.arguments.IsByReference(0));
            EXPECT_EQ(event.arguments.Set(0, com::Variant::Int32(-1)), S_OK);
        }
    };
    Click(control.Window(), 5, 5);
    com::Variant value;
    ASSERT_EQ(control.GetProperty(47, value), S_OK);
    EXPECT_TRUE(value.AsBool());

    onEvent_ = nullptr;
    Click(control.Window(), 5, 5);
    ASSERT_EQ(control.GetProperty(47, value), S_OK);
    EXPECT_FALSE(value.AsBool());
}

TEST_F(ControlContainerTest, AHandlerSetsPropertiesByDispidAndTheyReadBack)
{
    ControlSite& control = Host(kTestControl);
    onEvent_ = [&](const ControlEvent& event) {
        if (event.eventName != "Click")
            return;
        ControlSite* self = container_->Find(event.controlName);
        ASSERT_NE(self, nullptr);
        EXPECT_EQ(self->SetProperty(2, com::Variant::Single(14)), S_OK);
        EXPECT_EQ(self->SetProperty(3, com::Variant::Bool(true)), S_OK);
        EXPECT_EQ(self->SetProperty(60, com::Variant::Int16(3)), S_OK);
    };
    Click(control.Window(), 5, 5);
    com::Variant value;
    ASSERT_EQ(control.GetProperty(2, value), S_OK);
    EXPECT_FLOAT_EQ(static_cast<float>(value.AsDouble()), 14.0f);
    ASSERT_EQ(control.GetProperty(3, value), S_OK);
    EXPECT_TRUE(value.AsBool());
    ASSERT_EQ(control.GetProperty(60, value), S_OK);
    EXPECT_EQ(value.AsInt32(), 3);

    // A value the control refuses is reported, and nothing changes.
    std::string problem;
    EXPECT_TRUE(FAILED(control.SetProperty(60, com::Variant::Int16(9), &problem)));
    EXPECT_FALSE(problem.empty());
    ASSERT_EQ(control.GetProperty(60, value), S_OK);
    EXPECT_EQ(value.AsInt32(), 3);
    EXPECT_TRUE(FAILED(control.GetProperty(12345, value)));
}

TEST_F(ControlContainerTest, AfterUnloadNoReferenceIsLeftAndTheLibraryMayUnload)
{
    ControlSite& control = Host(kTestControl);
    Host("activex Test2 { progid Korvane.TestControl\n rect 0 0 10 10 }", &control);
    HWND window = control.Window();
    Click(window, 5, 5);  // events have been fired through the connection
    EXPECT_EQ(CanUnloadTestControlLibrary(), S_FALSE);

    container_->Unload();
    EXPECT_TRUE(container_->Controls().empty());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(CanUnloadTestControlLibrary(), S_OK);
}

// The pointer moves as a user's mouse would move it: onto the control, then away from it.
void MovePointerTo(POINT screen)
{
    INPUT move = {};
    move.type = INPUT_MOUSE;
    move.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    move.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &move, sizeof move);
}

TEST_F(ControlContainerTest, MouseEnterAndExitReachTheHandler)
{
    ControlSite& control = Host(kTestControl);
    PumpMessages();
    POINT inside = {10, 10};
    ClientToScreen(control.Window(), &inside);
    MovePointerTo(inside);
    ASSERT_TRUE(PumpUntil([&] { return !EventsNamed("MouseEnter").empty(); }));
    MovePointerTo(POINT{1, 1});
    ASSERT_TRUE(PumpUntil([&] { return !EventsNamed("MouseExit").empty(); }));

    ASSERT_EQ(EventsNamed("MouseEnter").size(), 1u);
    EXPECT_EQ(EventsNamed("MouseEnter")[0]->dispid, 49);
    EXPECT_EQ(EventsNamed("MouseEnter")[0]->arguments.size(), 4u);
    EXPECT_EQ(EventsNamed("MouseExit").size(), 1u);
    EXPECT_EQ(EventsNamed("MouseExit")[0]->dispid, 50);
}

// A press and release of the left button at a point of a window, as a user's mouse gives them.
void ClickWithTheMouse(HWND window, POINT client)
{
    ClientToScreen(window, &client);
    MovePointerTo(client);
    INPUT buttons[2] = {};
    buttons[0].type = buttons[1].type = INPUT_MOUSE;
    buttons[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    buttons[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, buttons, sizeof buttons[0]);
}

// Whether the control is the one the form's frame offers keys to.
bool IsFramesActiveObject(ControlContainer& container, ControlSite& control)
{
    com::ComPtr<IOleInPlaceActiveObject> active;
    if (!control.Object() || FAILED(control.Object()->QueryInterface(IID_IOleInPlaceActiveObject, active.PutVoid())))
        return false;
    return container.Frame().ActiveObject() == active.Get();
}

class ControlFocusTest : public HostedControlTest {
protected:
    void SetUp() override
    {
        HostedControlTest::SetUp();
        // The form in front, as a user's form is when they click and type in it.
        SetForegroundWindow(window_->Handle());
        PumpMessages();
        for (const char* element : {"activex First { progid Korvane.TestControl\n rect 10 10 60 30 }",
                                    "activex Second { progid Korvane.TestControl\n rect 80 10 60 30 }",
                                    "activex Third { progid Korvane.TestControl\n rect 150 10 60 30 }"})
            controls_.push_back(&Host(element));
        PumpMessages();
    }

    // The control has the focus and is the container's one UI-active control.
    void ExpectFocusedAndActive(ControlSite& control)
    {
        SCOPED_TRACE(control.Name());
        EXPECT_TRUE(PumpUntil([&] { return GetFocus() == control.Window(); }));
        EXPECT_EQ(container_->UIActive(), &control);
        // The keys the form offers before its own handling go to that control.
        EXPECT_TRUE(IsFramesActiveObject(*container_, control));
    }

    std::vector<ControlSite*> controls_;
};

TEST_F(ControlFocusTest, FocusGoesBackAndForthBetweenControlsAsTheFormMovesIt)
{
    ControlSite& first = *controls_[0];
    ControlSite& second = *controls_[1];
    ControlSite& third = *controls_[2];
    // The order Tab and Shift+Tab move in, and back to a control that was UI-active before.
    for (ControlSite* next : {&first, &second, &first, &third, &second, &third, &first}) {
        ASSERT_EQ(next->SetFocus(), S_OK);
        ExpectFocusedAndActive(*next);
    }
}

TEST_F(ControlFocusTest, AClickedControlTakesTheFocusFromTheOneBefore)
{
    ControlSite& first = *controls_[0];
    ControlSite& second = *controls_[1];
    ControlSite& third = *controls_[2];
    ASSERT_EQ(first.SetFocus(), S_OK);
    for (ControlSite* clicked : {&second, &first, &third, &first}) {
        ClickWithTheMouse(clicked->Window(), POINT{20, 10});
        ExpectFocusedAndActive(*clicked);
    }
    // Moved by the form again after clicks.
    ASSERT_EQ(second.SetFocus(), S_OK);
    ExpectFocusedAndActive(second);
}

TEST_F(ControlFocusTest, RemovingTheActiveControlLeavesTheFrameWithoutOneAndTheOthersCanTakeIt)
{
    ControlSite& first = *controls_[0];
    ControlSite& third = *controls_[2];
    ASSERT_EQ(first.SetFocus(), S_OK);
    ASSERT_EQ(controls_[1]->SetFocus(), S_OK);
    container_->Remove(*controls_[1]);
    EXPECT_EQ(container_->UIActive(), nullptr);
    EXPECT_EQ(container_->Frame().ActiveObject(), nullptr);
    ASSERT_EQ(first.SetFocus(), S_OK);
    ExpectFocusedAndActive(first);
    ASSERT_EQ(third.SetFocus(), S_OK);
    ExpectFocusedAndActive(third);
}

} // namespace
} // namespace korvane::activex::testing
