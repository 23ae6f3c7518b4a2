// Window messages turned into stock events, as the container's event sink receives them.
#include "ControlTestSupport.h"
#include "TestSinks.h"

#include <olectl.h>

#include <string>
#include <vector>

namespace {

using Events = std::vector<DISPID>;

class StockEventTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        container_.options.offerWindowless = false;
        control_ = new HeldControl(TestRowButtonLike);
        IOleObject* object = control_->As<IOleObject>(IID_IOleObject);
        ASSERT_EQ(object->SetClientSite(&container_), S_OK);
        ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &container_, 0, container_.Window(), nullptr), S_OK);
        IConnectionPointContainer* points = control_->As<IConnectionPointContainer>(IID_IConnectionPointContainer);
        ASSERT_EQ(points->FindConnectionPoint(DIID_DTestControlEvents, &point_), S_OK);
        ASSERT_EQ(point_->Advise(&sink_, &cookie_), S_OK);
        window_ = (*control_)->ControlWindow();
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override
    {
        if (point_ != nullptr) {
            point_->Unadvise(cookie_);
            point_->Release();
        }
        IOleObject* object = control_->As<IOleObject>(IID_IOleObject);
        object->Close(OLECLOSE_NOSAVE);
        object->SetClientSite(nullptr);
        delete control_;
        EXPECT_EQ(sink_.references, 0u);
        ControlTest::TearDown();
    }

    LRESULT Send(UINT message, WPARAM wParam, int x, int y)
    {
        return SendMessageA(window_, message, wParam, MAKELPARAM(x, y));
    }

    RecordingContainer container_;
    HeldControl* control_ = nullptr;
    CountingEventSink sink_;
    IConnectionPoint* point_ = nullptr;
    DWORD cookie_ = 0;
    HWND window_ = nullptr;
};

TEST_F(StockEventTest, DoubleClickSequence)
{
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 5, 6);
    EXPECT_EQ(sink_.lastArguments, (std::vector<long>{1, 0, 5, 6}));
    Send(WM_LBUTTONUP, 0, 5, 6);
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 5, 6);
    Send(WM_LBUTTONUP, 0, 5, 6);
    EXPECT_EQ(sink_.events, (Events{DISPID_MOUSEDOWN, DISPID_MOUSEUP, DISPID_CLICK, DISPID_DBLCLICK, DISPID_MOUSEUP}));
    // The next ordinary click is a Click again.
    sink_.events.clear();
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 5, 6);
    Send(WM_LBUTTONUP, 0, 5, 6);
    EXPECT_EQ(sink_.events, (Events{DISPID_MOUSEDOWN, DISPID_MOUSEUP, DISPID_CLICK}));
}

TEST_F(StockEventTest, ReleaseOutsideAndRightButtonFireNoClick)
{
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 5, 6);
    EXPECT_EQ(GetCapture(), window_) << "the left button takes the mouse";
    // Left of and above the control, with the capture held: negative coordinates.
    Send(WM_LBUTTONUP, 0, -3, -4);
    EXPECT_EQ(sink_.events, (Events{DISPID_MOUSEDOWN, DISPID_MOUSEUP}));
    EXPECT_EQ(sink_.lastArguments, (std::vector<long>{1, 0, -3, -4}));
    EXPECT_NE(GetCapture(), window_);

    sink_.events.clear();
    Send(WM_RBUTTONDOWN, MK_RBUTTON, 5, 6);
    Send(WM_RBUTTONUP, 0, 5, 6);
    EXPECT_EQ(sink_.events, (Events{DISPID_MOUSEDOWN, DISPID_MOUSEUP}));
    EXPECT_EQ(sink_.lastArguments.front(), 2) << "the right button";

    sink_.events.clear();
    Send(WM_MOUSEMOVE, MK_LBUTTON | MK_MBUTTON, 7, 8);
    EXPECT_EQ(sink_.events, (Events{DISPID_MOUSEMOVE}));
    EXPECT_EQ(sink_.lastArguments, (std::vector<long>{5, 0, 7, 8}));
}

TEST_F(StockEventTest, ClearedKeyCodeAndKeyAsciiStopTheHooks)
{
    TestControl& control = **control_;
    Send(WM_KEYDOWN, 'A', 0, 0);
    Send(WM_KEYUP, 'A', 0, 0);
    Send(WM_CHAR, 'a', 0, 0);
    EXPECT_EQ(sink_.events, (Events{DISPID_KEYDOWN, DISPID_KEYUP, DISPID_KEYPRESS}));
    EXPECT_EQ(control.keyHooks, (std::vector<std::string>{"KeyDown(65)", "KeyUp(65)", "KeyPress(97)", "Char(97)"}));

    control.keyHooks.clear();
    sink_.clearKeyCode = true;
    sink_.clearKeyAscii = true;
    Send(WM_KEYDOWN, 'A', 0, 0);
    Send(WM_KEYUP, 'A', 0, 0);
    Send(WM_CHAR, 'a', 0, 0);
    EXPECT_TRUE(control.keyHooks.empty()) << control.keyHooks.front();
    EXPECT_EQ(sink_.events.size(), 6u) << "the events themselves still fire";
}

TEST(WindowlessStockEventTest, ClicksAndCharactersComeThroughTheSite)
{
    const LONG objectsBefore = Module::ObjectCount();
    RecordingContainer container;
    CountingEventSink sink;
    {
        HeldControl control(TestRowButtonLike);
        IOleObject* object = control.As<IOleObject>(IID_IOleObject);
        ASSERT_EQ(object->SetClientSite(&container), S_OK);
        ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &container, 0, container.Window(), nullptr), S_OK);
        ASSERT_NE(control->WindowlessSite(), nullptr);
        IConnectionPoint* point = nullptr;
        ASSERT_EQ(control.As<IConnectionPointContainer>(IID_IConnectionPointContainer)
                      ->FindConnectionPoint(DIID_DTestControlEvents, &point),
                  S_OK);
        DWORD cookie = 0;
        ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);
        IOleInPlaceObjectWindowless* windowless =
            control.As<IOleInPlaceObjectWindowless>(IID_IOleInPlaceObjectWindowless);
        LRESULT result = 0;
        container.ClearCalls();
        // Container coordinates: the control sits at {10, 20, 110, 70}.
        windowless->OnWindowMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 25), &result);
        windowless->OnWindowMessage(WM_LBUTTONUP, 0, MAKELPARAM(15, 25), &result);
        windowless->OnWindowMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 25), &result);
        windowless->OnWindowMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5), &result);
        EXPECT_EQ(sink.events, (Events{DISPID_MOUSEDOWN, DISPID_MOUSEUP, DISPID_CLICK, DISPID_MOUSEDOWN, DISPID_MOUSEUP}));
        EXPECT_EQ(container.CountCalls("SetCapture(1)"), 2) << "the capture is the site's";

        control->keyHooks.clear();
        windowless->OnWindowMessage(WM_CHAR, 'x', 0, &result);
        EXPECT_EQ(control->keyHooks, (std::vector<std::string>{"KeyPress(120)", "Char(120)"}));
        EXPECT_EQ(container.CountCalls("OnDefWindowMessage(258)"), 1) << "the character goes on to the container";
        point->Unadvise(cookie);
        point->Release();
        object->Close(OLECLOSE_NOSAVE);
        object->SetClientSite(nullptr);
    }
    EXPECT_EQ(sink.references, 0u);
    EXPECT_EQ(Module::ObjectCount(), objectsBefore);
}

} // namespace
