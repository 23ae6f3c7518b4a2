// In-place activation as the container sees it, and the control window: creation, parking,
// placement, clipping, painting and the reflector.
#include "ControlTestSupport.h"
#include "ParkingWindow.h"
#include "ReflectorWindow.h"
#include "TestSinks.h"

#include <string>
#include <vector>

namespace {

using Calls = std::vector<std::string>;

class ActivationTest : public ControlTest {
protected:
    // Sites the control in the container and runs the verb.
    HRESULT Activate(HeldControl& control, RecordingContainer& container, LONG verb)
    {
        IOleObject* object = control.As<IOleObject>(IID_IOleObject);
        EXPECT_EQ(object->SetClientSite(&container), S_OK);
        container.ClearCalls();
        return object->DoVerb(verb, nullptr, &container, 0, container.Window(), nullptr);
    }
    // Deactivates and unsites the control.
    void Close(HeldControl& control)
    {
        IOleObject* object = control.As<IOleObject>(IID_IOleObject);
        EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
        EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
    }
};

TEST_F(ActivationTest, WindowedSequence)
{
    RecordingContainer container;
    container.options.offerWindowless = false;
    HeldControl control(TestRowButtonLike);
    ASSERT_EQ(Activate(control, container, OLEIVERB_UIACTIVATE), S_OK);
    EXPECT_EQ(ActivationCalls(container),
              (Calls{"CanInPlaceActivate", "OnInPlaceActivateEx(0)", "GetWindow", "GetWindowContext", "ShowObject",
                     "OnUIActivate", "Frame.SetActiveObject(control)", "Frame.SetBorderSpace"}));
    const HWND window = control->ControlWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetParent(window), container.Window());
    EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(control->StateFlags() & (OleControl::StateInPlaceActive | OleControl::StateShown | OleControl::StateUIActive),
              OleControl::StateInPlaceActive | OleControl::StateShown | OleControl::StateUIActive);
    RECT placed = {};
    GetWindowRect(window, &placed);
    MapWindowPoints(nullptr, container.Window(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_TRUE(EqualRect(&placed, &container.options.position));
    EXPECT_EQ(control->Extent().cx, 100);
    EXPECT_EQ(control->Extent().cy, 50);
    HWND reported = nullptr;
    EXPECT_EQ(control.As<IOleInPlaceObject>(IID_IOleInPlaceObject)->GetWindow(&reported), S_OK);
    EXPECT_EQ(reported, window);

    container.ClearCalls();
    EXPECT_EQ(control.As<IOleInPlaceObject>(IID_IOleInPlaceObject)->InPlaceDeactivate(), S_OK);
    EXPECT_EQ(ActivationCalls(container),
              (Calls{"Frame.SetActiveObject(null)", "OnUIDeactivate(0)", "OnInPlaceDeactivate"}));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(control->ControlWindow(), nullptr);
    EXPECT_EQ(container.Frame().References(), 0u);
    Close(control);
}

TEST_F(ActivationTest, WindowlessSequence)
{
    RecordingContainer container;
    HeldControl control(TestRowButtonLike);
    ASSERT_EQ(Activate(control, container, OLEIVERB_UIACTIVATE), S_OK);
    EXPECT_EQ(ActivationCalls(container),
              (Calls{"CanWindowlessActivate", "OnInPlaceActivateEx(1)", "GetWindow", "GetWindowContext",
                     "OnUIActivate", "SetFocus(1)", "Frame.SetActiveObject(control)", "Frame.SetBorderSpace"}));
    EXPECT_EQ(control->ControlWindow(), nullptr);
    EXPECT_NE(control->WindowlessSite(), nullptr);
    EXPECT_TRUE(control->HasFocus());
    HWND reported = reinterpret_cast<HWND>(1);
    EXPECT_EQ(control.As<IOleInPlaceObject>(IID_IOleInPlaceObject)->GetWindow(&reported), E_FAIL);

    // The windowless-aware routines go to the site.
    container.ClearCalls();
    EXPECT_TRUE(control->SetCapture(TRUE));
    EXPECT_TRUE(control->HasCapture());
    EXPECT_TRUE(control->SetCapture(FALSE));
    HDC dc = control->GetDC();
    EXPECT_NE(dc, nullptr);
    control->ReleaseDC(dc);
    EXPECT_TRUE(control->InvalidateRect(nullptr, TRUE));
    control->DefaultWindowProc(WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(ActivationCalls(container), (Calls{"SetCapture(1)", "SetCapture(0)", "GetDC", "ReleaseDC",
                                                 "InvalidateRect(1)", "OnDefWindowMessage(512)"}));
    RECT rect = {};
    control->GetControlRect(&rect);
    EXPECT_TRUE(EqualRect(&rect, &container.options.position));

    // Messages come through the site; focus changes are reported to it.
    container.ClearCalls();
    LRESULT result = 1;
    EXPECT_EQ(control.As<IOleInPlaceObjectWindowless>(IID_IOleInPlaceObjectWindowless)
                  ->OnWindowMessage(WM_SETFOCUS, 0, 0, &result),
              S_OK);
    EXPECT_EQ(container.CountCalls("OnFocus(1)"), 1);
    EXPECT_TRUE(control->Received(WM_SETFOCUS));

    // Size changes go to the site as a new position.
    container.ClearCalls();
    SIZEL pixels = {150, 60};
    EXPECT_TRUE(control->SetControlSize(pixels));
    EXPECT_EQ(container.CountCalls("OnPosRectChange"), 1);
    EXPECT_EQ(container.LastPosRect().right - container.LastPosRect().left, 150);
    EXPECT_EQ(container.LastPosRect().bottom - container.LastPosRect().top, 60);

    container.ClearCalls();
    EXPECT_EQ(control.As<IOleInPlaceObject>(IID_IOleInPlaceObject)->InPlaceDeactivate(), S_OK);
    EXPECT_EQ(ActivationCalls(container),
              (Calls{"Frame.SetActiveObject(null)", "OnUIDeactivate(0)", "OnInPlaceDeactivate"}));
    Close(control);
    EXPECT_EQ(control->WindowlessSite(), nullptr);
}

TEST_F(ActivationTest, RefusedWindowlessActivationGivesAWindow)
{
    RecordingContainer container;
    container.options.canWindowlessActivate = S_FALSE;
    HeldControl control(TestRowButtonLike);
    ASSERT_EQ(Activate(control, container, OLEIVERB_INPLACEACTIVATE), S_OK);
    EXPECT_EQ(ActivationCalls(container), (Calls{"CanWindowlessActivate", "OnInPlaceActivateEx(0)", "GetWindow",
                                                 "GetWindowContext", "ShowObject"}));
    EXPECT_NE(control->ControlWindow(), nullptr);
    EXPECT_EQ(control->WindowlessSite(), nullptr);
    Close(control);
}

TEST_F(ActivationTest, PlainSiteAndItsAnswers)
{
    const struct {
        HRESULT canActivate;
        HRESULT result;
        Calls calls;
    } cases[] = {
        {S_OK, S_OK, {"CanInPlaceActivate", "OnInPlaceActivate", "GetWindow", "GetWindowContext", "ShowObject"}},
        {S_FALSE, S_FALSE, {"CanInPlaceActivate"}},
        {E_ACCESSDENIED, E_FAIL, {"CanInPlaceActivate"}},
    };
    for (const auto& c : cases) {
        RecordingContainer container;
        container.options.offerWindowless = false;
        container.options.offerExtended = false;
        container.options.canInPlaceActivate = c.canActivate;
        HeldControl control(TestRowButtonLike);
        EXPECT_EQ(Activate(control, container, OLEIVERB_INPLACEACTIVATE), c.result);
        EXPECT_EQ(ActivationCalls(container), c.calls);
        EXPECT_EQ((control->StateFlags() & OleControl::StateInPlaceActive) != 0, c.result == S_OK);
        Close(control);
    }
}

TEST_F(ActivationTest, FailureAfterTheSiteWasToldIsUndone)
{
    const struct {
        const char* what;
        bool failContext;
        bool failRegistration;
        bool refuseWindow;
        HRESULT result;
        Calls calls;
    } cases[] = {
        {"window context", true, false, false, E_FAIL,
         {"CanInPlaceActivate", "OnInPlaceActivateEx(0)", "GetWindow", "GetWindowContext", "OnInPlaceDeactivate"}},
        {"class registration", false, true, false, E_FAIL,
         {"CanInPlaceActivate", "OnInPlaceActivateEx(0)", "GetWindow", "GetWindowContext", "OnInPlaceDeactivate"}},
        {"window refused", false, false, true, E_FAIL,
         {"CanInPlaceActivate", "OnInPlaceActivateEx(0)", "GetWindow", "GetWindowContext", "OnInPlaceDeactivate"}},
    };
    for (const auto& c : cases) {
        RecordingContainer container;
        container.options.getWindowContext = c.failContext ? E_FAIL : S_OK;
        HeldControl control(TestRowWindowedOnly);
        ControlDescriptor& row = *ObjectDescriptorTable::Control(TestRowWindowedOnly);
        const WORD registered = row.windowClassRegistered;
        if (c.failRegistration)
            row.windowClassRegistered = 0;
        control->failClassRegistration = c.failRegistration;
        control->refuseWindow = c.refuseWindow;
        EXPECT_EQ(Activate(control, container, OLEIVERB_UIACTIVATE), c.result) << c.what;
        EXPECT_EQ(ActivationCalls(container), c.calls) << c.what;
        EXPECT_EQ(control->StateFlags() & (OleControl::StateInPlaceActive | OleControl::StateUIActive), 0u) << c.what;
        EXPECT_EQ(control->ControlWindow(), nullptr) << c.what;
        EXPECT_EQ(container.Frame().References(), 0u) << c.what;
        row.windowClassRegistered = registered;
        Close(control);
    }
}

TEST_F(ActivationTest, CreationMessagesReachTheControlBeingCreated)
{
    RecordingContainer container;
    container.options.offerWindowless = false;
    HeldControl first(TestRowButtonLike);
    HeldControl second(TestRowButtonLike);
    ASSERT_EQ(Activate(first, container, OLEIVERB_INPLACEACTIVATE), S_OK);
    ASSERT_EQ(Activate(second, container, OLEIVERB_INPLACEACTIVATE), S_OK);
    for (TestControl* control : {first.get(), second.get()}) {
        ASSERT_FALSE(control->messages.empty());
        // The first message already knew its window; creation messages arrived while it was made.
        EXPECT_EQ(control->messages.front().windowSeen, control->ControlWindow());
        bool sawCreate = false;
        bool sawNcCreate = false;
        for (const TestControl::Message& m : control->messages) {
            EXPECT_EQ(m.windowSeen, control->ControlWindow());
            if (m.message == WM_NCCREATE) {
                sawNcCreate = true;
                EXPECT_TRUE(m.duringCreation);
            }
            if (m.message == WM_CREATE) {
                sawCreate = true;
                EXPECT_TRUE(m.duringCreation);
            }
        }
        EXPECT_TRUE(sawNcCreate);
        EXPECT_TRUE(sawCreate);
        EXPECT_EQ(control->viewChangesDuringCreation, 0);
    }
    EXPECT_EQ(OleControl::ObjectBeingCreated(), nullptr);

    // A size change after creation is a view change.
    const int before = first->viewChanges;
    SetWindowPos(first->ControlWindow(), nullptr, 0, 0, 120, 40, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(first->viewChanges, before + 1);
    Close(first);
    Close(second);
}

TEST_F(ActivationTest, WindowOfTheClassWithoutAControlIsAPlainWindow)
{
    RecordingContainer container;
    container.options.offerWindowless = false;
    HeldControl control(TestRowButtonLike);
    ASSERT_EQ(Activate(control, container, OLEIVERB_INPLACEACTIVATE), S_OK);
    // The class is registered now; a window made outside any control works on default handling.
    HWND stray = CreateWindowExA(0, TestControlWindowClass, "", WS_CHILD, 0, 0, 10, 10, container.Window(), nullptr,
                                 Module::Instance(), nullptr);
    ASSERT_NE(stray, nullptr);
    EXPECT_EQ(GetWindowLongPtrA(stray, GWLP_USERDATA), 0);
    SendMessageA(stray, WM_SIZE, 0, 0);
    EXPECT_TRUE(DestroyWindow(stray));
    Close(control);
}

TEST_F(ActivationTest, WindowMadeBeforeTheContainerIsParkedAndMovedOnActivation)
{
    RecordingContainer container;
    container.options.offerWindowless = false;
    HeldControl control(TestRowWindowedOnly);
    const HWND window = control->CreateControlWindow(0, 0, FALSE);
    ASSERT_NE(window, nullptr);
    const HWND parking = ParkingWindow::Existing();
    ASSERT_NE(parking, nullptr);
    EXPECT_EQ(GetParent(window), parking);
    char className[64] = "";
    GetClassNameA(parking, className, sizeof(className));
    EXPECT_STREQ(className, "CtlFrameWork_Parking");
    EXPECT_FALSE(IsWindowVisible(parking));

    ASSERT_EQ(Activate(control, container, OLEIVERB_INPLACEACTIVATE), S_OK);
    EXPECT_EQ(control->ControlWindow(), window) << "the parked window is kept";
    EXPECT_EQ(GetParent(window), container.Window());
    EXPECT_EQ(control->ParentWindow(), container.Window());
    EXPECT_EQ(ParkingWindow::Get(), parking) << "one parking window per process";
    Close(control);
}

TEST_F(ActivationTest, ParkedWindowIsKeptByAControlThatCouldBeWindowless)
{
    RecordingContainer container;
    HeldControl control(TestRowButtonLike);
    const HWND window = control->CreateControlWindow(0, 0, FALSE);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(Activate(control, container, OLEIVERB_INPLACEACTIVATE), S_OK);
    EXPECT_EQ(control->WindowlessSite(), nullptr);
    EXPECT_EQ(container.CountCalls("CanWindowlessActivate"), 0);
    EXPECT_EQ(control->ControlWindow(), window);
    EXPECT_EQ(GetParent(window), container.Window());
    Close(control);
}

TEST_F(ActivationTest, ClipRegionIsSetAndRemovedByObjectRects)
{
    RecordingContainer container;
    container.options.offerWindowless = false;
    HeldControl control(TestRowWindowedOnly);
    ASSERT_EQ(Activate(control, container, OLEIVERB_INPLACEACTIVATE), S_OK);
    const HWND window = control->ControlWindow();
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(window, region), ERROR) << "a clip that covers the control sets no region";

    IOleInPlaceObject* inPlace = control.As<IOleInPlaceObject>(IID_IOleInPlaceObject);
    const RECT position = {10, 20, 110, 70};
    const RECT cutting = {0, 0, 60, 50};
    ASSERT_EQ(inPlace->SetObjectRects(&position, &cutting), S_OK);
    EXPECT_TRUE(control->AmbientFlags() & OleControl::AmbientClipRegionSet);
    ASSERT_EQ(GetWindowRgn(window, region), SIMPLEREGION);
    RECT box = {};
    GetRgnBox(region, &box);
    const RECT expected = {0, 0, 50, 30};
    EXPECT_TRUE(EqualRect(&box, &expected));

    const RECT moved = {30, 40, 150, 100};
    const RECT covering = {0, 0, 400, 300};
    ASSERT_EQ(inPlace->SetObjectRects(&moved, &covering), S_OK);
    EXPECT_FALSE(control->AmbientFlags() & OleControl::AmbientClipRegionSet);
    EXPECT_EQ(GetWindowRgn(window, region), ERROR);
    // Placed where the container says; its size is the extent's.
    RECT placed = {};
    GetWindowRect(window, &placed);
    MapWindowPoints(nullptr, container.Window(), reinterpret_cast<POINT*>(&placed), 2);
    const RECT atExtent = {30, 40, 30 + control->Extent().cx, 40 + control->Extent().cy};
    EXPECT_TRUE(EqualRect(&placed, &atExtent));
    EXPECT_TRUE(EqualRect(&control->PositionRect(), &moved));
    DeleteObject(region);
    Close(control);
}

// Only the extent sizes the window: a position of another size moves it and leaves its size, so the
// window, the extent a container reads back and the saved state never disagree.
TEST_F(ActivationTest, ObjectRectsMoveTheWindowAndKeepItsSizeWithTheExtent)
{
    RecordingContainer container;
    container.options.offerWindowless = false;
    HeldControl control(TestRowWindowedOnly);
    ASSERT_EQ(Activate(control, container, OLEIVERB_INPLACEACTIVATE), S_OK);
    const HWND window = control->ControlWindow();
    ASSERT_NE(window, nullptr);
    const SIZEL extent = control->Extent();

    // The window, the extent in HIMETRIC, and the extent a stream save writes, all in pixels.
    auto expectSize = [&](LONG cx, LONG cy, const char* when) {
        RECT client = {};
        GetClientRect(window, &client);
        EXPECT_EQ(client.right, cx) << when;
        EXPECT_EQ(client.bottom, cy) << when;
        SIZEL himetric = {};
        ASSERT_EQ(control.As<IOleObject>(IID_IOleObject)->GetExtent(DVASPECT_CONTENT, &himetric), S_OK);
        SIZEL pixels = {};
        HimetricToPixels(&himetric, &pixels);
        EXPECT_EQ(pixels.cx, cx) << when;
        EXPECT_EQ(pixels.cy, cy) << when;
        IStream* stream = StreamOf({});
        ASSERT_EQ(control.As<IPersistStreamInit>(IID_IPersistStreamInit)->Save(stream, FALSE), S_OK);
        const LARGE_INTEGER start = {};
        stream->Seek(start, STREAM_SEEK_SET, nullptr);
        HeldControl reloaded;
        EXPECT_EQ(reloaded.As<IPersistStreamInit>(IID_IPersistStreamInit)->Load(stream), S_OK);
        stream->Release();
        EXPECT_EQ(reloaded->Extent().cx, cx) << when << ": reloaded";
        EXPECT_EQ(reloaded->Extent().cy, cy) << when << ": reloaded";
    };

    IOleInPlaceObject* inPlace = control.As<IOleInPlaceObject>(IID_IOleInPlaceObject);
    const RECT larger = {30, 40, 230, 140};
    const RECT covering = {0, 0, 400, 300};
    ASSERT_EQ(inPlace->SetObjectRects(&larger, &covering), S_OK);
    RECT placed = {};
    GetWindowRect(window, &placed);
    MapWindowPoints(nullptr, container.Window(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, 30);
    EXPECT_EQ(placed.top, 40);
    EXPECT_TRUE(EqualRect(&control->PositionRect(), &larger));
    expectSize(extent.cx, extent.cy, "after SetObjectRects");

    // The container sizes the control through the extent, then places it.
    SIZEL pixels = {200, 100};
    SIZEL himetric = {};
    PixelsToHimetric(&pixels, &himetric);
    ASSERT_EQ(control.As<IOleObject>(IID_IOleObject)->SetExtent(DVASPECT_CONTENT, &himetric), S_OK);
    ASSERT_EQ(inPlace->SetObjectRects(&larger, &covering), S_OK);
    expectSize(200, 100, "after SetExtent");
    Close(control);
}

TEST_F(ActivationTest, SetExtentResizesTheWindowAndTellsTheSite)
{
    RecordingContainer container;
    container.options.offerWindowless = false;
    HeldControl control(TestRowWindowedOnly);
    ASSERT_EQ(Activate(control, container, OLEIVERB_INPLACEACTIVATE), S_OK);
    container.ClearCalls();
    IOleObject* object = control.As<IOleObject>(IID_IOleObject);
    SIZEL pixels = {80, 30};
    SIZEL himetric = {};
    PixelsToHimetric(&pixels, &himetric);
    EXPECT_EQ(object->SetExtent(DVASPECT_ICON, &himetric), DV_E_DVASPECT);
    ASSERT_EQ(object->SetExtent(DVASPECT_CONTENT, &himetric), S_OK);
    EXPECT_EQ(container.CountCalls("OnPosRectChange"), 1);
    const RECT expected = {10, 20, 90, 50};
    EXPECT_TRUE(EqualRect(&container.LastPosRect(), &expected));
    RECT client = {};
    GetClientRect(control->ControlWindow(), &client);
    EXPECT_EQ(client.right, 80);
    EXPECT_EQ(client.bottom, 30);
    Close(control);
}

TEST_F(ActivationTest, PaintDrawsAndARefusedPaintStillValidates)
{
    RecordingContainer container(true);
    container.options.offerWindowless = false;
    HeldControl control(TestRowWindowedOnly);
    ASSERT_EQ(Activate(control, container, OLEIVERB_INPLACEACTIVATE), S_OK);
    const HWND window = control->ControlWindow();
    UpdateWindow(window);
    const int before = control->draws;
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    EXPECT_EQ(control->draws, before + 1);
    RECT client = {};
    GetClientRect(window, &client);
    EXPECT_TRUE(EqualRect(&control->lastDrawBounds, &client));

    control->refusePaint = true;
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    EXPECT_EQ(control->draws, before + 1);
    EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE)) << "a refused paint must validate the window";
    MSG message = {};
    EXPECT_FALSE(PeekMessageA(&message, window, WM_PAINT, WM_PAINT, PM_NOREMOVE));
    Close(control);
}

TEST_F(ActivationTest, ReflectorSendsNotificationsOnToTheControl)
{
    const struct {
        bool containerReflects;
        bool reflector;
    } cases[] = {{false, true}, {true, false}};
    for (const auto& c : cases) {
        RecordingContainer container;
        container.options.offerWindowless = false;
        if (c.containerReflects)
            container.SetAmbientBool(DISPID_AMBIENT_MESSAGEREFLECT, true);
        HeldControl control(TestRowReflecting);
        ASSERT_EQ(Activate(control, container, OLEIVERB_INPLACEACTIVATE), S_OK);
        const HWND reflector = control->ReflectorWindowHandle();
        ASSERT_EQ(reflector != nullptr, c.reflector);
        EXPECT_EQ(container.CountCalls("Ambient(-706)"), 1);
        if (reflector != nullptr) {
            EXPECT_EQ(GetParent(control->ControlWindow()), reflector);
            EXPECT_EQ(GetParent(reflector), container.Window());
            HWND outer = nullptr;
            control.As<IOleInPlaceObject>(IID_IOleInPlaceObject)->GetWindow(&outer);
            EXPECT_EQ(outer, reflector);
            SendMessageA(reflector, WM_COMMAND, 1, 0);
            EXPECT_TRUE(control->Received(WM_COMMAND + ReflectorWindow::ReflectedOffset));
            SendMessageA(reflector, WM_TIMER, 1, 0);
            EXPECT_FALSE(control->Received(WM_TIMER + ReflectorWindow::ReflectedOffset));
        } else {
            EXPECT_EQ(GetParent(control->ControlWindow()), container.Window());
        }
        Close(control);
        EXPECT_EQ(control->ReflectorWindowHandle(), nullptr);
        if (reflector != nullptr) {
            EXPECT_FALSE(IsWindow(reflector));
        }
    }
}

TEST_F(ActivationTest, FrameActivationNoticesUIActivate)
{
    for (BOOL flag : {FALSE, TRUE}) {
        RecordingContainer container;
        container.options.offerWindowless = false;
        HeldControl control(TestRowWindowedOnly);
        ASSERT_EQ(Activate(control, container, OLEIVERB_INPLACEACTIVATE), S_OK);
        ASSERT_FALSE(control->StateFlags() & OleControl::StateUIActive);
        EXPECT_EQ(control.As<IOleInPlaceActiveObject>(IID_IOleInPlaceActiveObject)->OnFrameWindowActivate(flag), S_OK);
        EXPECT_TRUE(control->StateFlags() & OleControl::StateUIActive) << flag;
        Close(control);
    }
}

TEST_F(ActivationTest, AReSitedControlActivatesThroughItsNewSite)
{
    for (bool windowless : {false, true}) {
        SCOPED_TRACE(windowless);
        RecordingContainer first;
        RecordingContainer second;
        first.options.offerWindowless = second.options.offerWindowless = windowless;
        HeldControl control;
        ASSERT_EQ(Activate(control, first, OLEIVERB_UIACTIVATE), S_OK);
        IOleObject* object = control.As<IOleObject>(IID_IOleObject);
        ASSERT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
        first.ClearCalls();
        // Moved to another container without being unsited in between.
        ASSERT_EQ(Activate(control, second, OLEIVERB_UIACTIVATE), S_OK);
        EXPECT_EQ(second.CountCalls("OnInPlaceActivate"), 1);
        EXPECT_EQ(second.CountCalls("OnUIActivate"), 1);
        ASSERT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
        EXPECT_EQ(second.CountCalls("OnInPlaceDeactivate"), 1);
        EXPECT_TRUE(first.Calls().empty());
        EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
    }
}

TEST_F(ActivationTest, AcceleratorsGoToTheControlSiteWithTheShiftState)
{
    RecordingContainer container;
    HeldControl control(TestRowWindowedOnly);
    IOleInPlaceActiveObject* active = control.As<IOleInPlaceActiveObject>(IID_IOleInPlaceActiveObject);
    MSG message = {};
    message.message = WM_KEYDOWN;
    EXPECT_EQ(active->TranslateAccelerator(&message), S_FALSE) << "no control site";
    ASSERT_EQ(control.As<IOleObject>(IID_IOleObject)->SetClientSite(&container), S_OK);
    EXPECT_EQ(active->TranslateAccelerator(&message), S_FALSE);
    EXPECT_EQ(container.CountCalls("TranslateAccelerator(0)"), 1);
    control.As<IOleObject>(IID_IOleObject)->SetClientSite(nullptr);
}

} // namespace
