// Mouse enter and exit through real pointer moves: from one control to another in one window, off
// the controls, a control closed while it tracks, design mode, and a tracking word left behind by a
// process that ended.
#include "HostedQvControl.h"

#include "MouseTracking.h"

namespace {

constexpr DISPID Enter = 49;
constexpr DISPID Exit = 50;

void MovePointerTo(POINT screen)
{
    INPUT move = {};
    move.type = INPUT_MOUSE;
    move.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    move.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &move, sizeof move);
}

POINT CentreOf(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

const POINT Away = {900, 900};

// Where the pointer goes when it leaves the controls: a window, as there always is one under the
// pointer on a desktop (the bare root of a virtual display is no window that any process hears).
class AwayWindow {
public:
    AwayWindow()
        : window_(CreateWindowExA(WS_EX_NOACTIVATE, "BUTTON", "away", WS_POPUP | WS_VISIBLE, Away.x - 100,
                                  Away.y - 100, 200, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr))
    {
    }
    ~AwayWindow() { DestroyWindow(window_); }
    AwayWindow(const AwayWindow&) = delete;
    AwayWindow& operator=(const AwayWindow&) = delete;

private:
    HWND window_;
};

class ControlBaseHoverTest : public QvControlTest {
protected:
    void SetUp() override
    {
        QvControlTest::SetUp();
        MovePointerTo(Away);
        PumpUntil([] { return false; }, 50);
        first.options.position = RECT{10, 20, 110, 70};
        ActivateWindowed(firstControl, first);
        // The second container's window lies inside the first one's, beside the first control.
        SetWindowLongA(second.Window(), GWL_STYLE, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN);
        SetParent(second.Window(), first.Window());
        SetWindowPos(second.Window(), nullptr, 150, 0, 200, 200, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        ActivateWindowed(secondControl, second);
        ShowWindow(first.Window(), SW_SHOWNOACTIVATE);
        PumpUntil([] { return false; }, 50);
    }
    void TearDown() override
    {
        MovePointerTo(Away);
        PumpUntil([this] { return !firstControl->IsTracking() && !secondControl->IsTracking(); });
        CloseControl(secondControl);
        CloseControl(firstControl);
        // Each watcher lets its reference go on this thread.
        PumpUntil([] { return false; }, 100);
        QvControlTest::TearDown();
    }
    int Count(int control, DISPID dispid) const
    {
        int count = 0;
        for (const RecordedControlEvent& event : log)
            count += event.control == control && event.dispid == dispid;
        return count;
    }
    std::vector<std::string> HoverEvents() const
    {
        std::vector<RecordedControlEvent> hover;
        for (const RecordedControlEvent& event : log)
            if (event.dispid == Enter || event.dispid == Exit)
                hover.push_back(event);
        return EventNames(hover);
    }

    AwayWindow away;
    RecordingContainer first{true};
    RecordingContainer second{true};
    HeldQvControl firstControl;
    HeldQvControl secondControl;
    std::vector<RecordedControlEvent> log;
};

TEST_F(ControlBaseHoverTest, MovingFromOneControlToAnotherExitsTheFirstBeforeEnteringTheSecond)
{
    RecordingEventSink firstSink(1, log), secondSink(2, log);
    EventConnection firstConnection(firstControl.get(), &firstSink);
    EventConnection secondConnection(secondControl.get(), &secondSink);

    MovePointerTo(CentreOf(firstControl->ControlWindow()));
    ASSERT_TRUE(PumpUntil([&] { return Count(1, Enter) == 1; }));
    EXPECT_TRUE(firstControl->IsTracking());
    EXPECT_NE(plyx::MouseTracking::SharedHookWord(), 0u);
    EXPECT_EQ(plyx::MouseTracking::SharedOwnerProcess(), GetCurrentProcessId());

    MovePointerTo(CentreOf(secondControl->ControlWindow()));
    ASSERT_TRUE(PumpUntil([&] { return Count(2, Enter) == 1; }));
    MovePointerTo(Away);
    ASSERT_TRUE(PumpUntil([&] { return Count(2, Exit) == 1; }));
    PumpUntil([] { return false; }, 100);

    EXPECT_EQ(HoverEvents(), (std::vector<std::string>{"1:49", "1:50", "2:49", "2:50"}));
    for (const RecordedControlEvent& event : log)
        EXPECT_EQ(event.thread, GetCurrentThreadId()) << "event " << event.dispid << " of " << event.control;
    EXPECT_EQ(plyx::MouseTracking::SharedHookWord(), 0u);
    EXPECT_FALSE(secondControl->IsTracking());
}

TEST_F(ControlBaseHoverTest, AControlClosedWhileTrackingLeavesTheWordFreeForTheNext)
{
    RecordingEventSink firstSink(1, log), secondSink(2, log);
    EventConnection firstConnection(firstControl.get(), &firstSink);
    EventConnection secondConnection(secondControl.get(), &secondSink);
    MovePointerTo(CentreOf(firstControl->ControlWindow()));
    ASSERT_TRUE(PumpUntil([&] { return firstControl->IsTracking(); }));
    // Deactivated while the pointer is on it: its window goes, and the host hears the exit.
    ASSERT_EQ(firstControl.As<IOleInPlaceObject>(IID_IOleInPlaceObject)->InPlaceDeactivate(), S_OK);
    EXPECT_EQ(plyx::MouseTracking::SharedHookWord(), 0u);
    EXPECT_EQ(Count(1, Exit), 1);

    MovePointerTo(CentreOf(secondControl->ControlWindow()));
    ASSERT_TRUE(PumpUntil([&] { return Count(2, Enter) == 1; }));
    EXPECT_TRUE(secondControl->IsTracking());
}

TEST_F(ControlBaseHoverTest, AWordLeftByAProcessThatEndedIsRecovered)
{
    // A process that ends at once stands for one killed while its control tracked.
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    char command[] = "cmd.exe /c exit";
    ASSERT_TRUE(CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                               &process));
    WaitForSingleObject(process.hProcess, 10000);
    HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, "QvPlyxSharedData");
    ASSERT_NE(mapping, nullptr);
    auto* words = static_cast<volatile LONG*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    ASSERT_NE(words, nullptr);
    words[1] = static_cast<LONG>(process.dwProcessId);
    words[0] = 0x00C0FFEE;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    RecordingEventSink firstSink(1, log);
    EventConnection firstConnection(firstControl.get(), &firstSink);
    MovePointerTo(CentreOf(firstControl->ControlWindow()));
    ASSERT_TRUE(PumpUntil([&] { return Count(1, Enter) == 1; }));
    EXPECT_TRUE(firstControl->IsTracking());
    EXPECT_NE(static_cast<DWORD>(words[0]), 0x00C0FFEEu);
    UnmapViewOfFile(const_cast<LONG*>(words));
    CloseHandle(mapping);
}

TEST(ControlBaseDesignModeHoverTest, DesignModeFiresNothingAndInstallsNoHook)
{
    AwayWindow away;
    MovePointerTo(Away);
    RecordingContainer container(true);
    container.SetAmbientBool(DISPID_AMBIENT_USERMODE, false);
    HeldQvControl control;
    ActivateWindowed(control, container);
    std::vector<RecordedControlEvent> log;
    RecordingEventSink sink(1, log);
    {
        EventConnection connection(control.get(), &sink);
        MovePointerTo(CentreOf(control->ControlWindow()));
        PumpUntil([] { return false; }, 300);
        EXPECT_FALSE(control->IsTracking());
        EXPECT_EQ(plyx::MouseTracking::SharedHookWord(), 0u);
        for (const RecordedControlEvent& event : log)
            EXPECT_TRUE(event.dispid != Enter && event.dispid != Exit);
    }
    MovePointerTo(Away);
    CloseControl(control);
}

} // namespace
