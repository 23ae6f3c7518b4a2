// OLE drag and drop of the common base: real drags between two controls in two windows driven with
// the pointer and keys, the drop modes and their registration, the drags that never start, and the
// drop modes in property bags. The host's side is late-bound: the controls' members by name, their
// events by DISPID with the handlers answering through the by-reference arguments.
#include "DispatchStub.h"
#include "HostedQvControl.h"
#include "MemoryPropertyBag.h"

#include <Plyx.h>

#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

// Drag and drop is OLE's, not only COM's: the thread initialises OLE as a program hosting controls does.
class OleEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
    void TearDown() override { OleUninitialize(); }
};
const ::testing::Environment* const g_oleEnvironment = ::testing::AddGlobalTestEnvironment(new OleEnvironment);

constexpr DISPID StartDrag = 1550;
constexpr DISPID GiveFeedback = 1551;
constexpr DISPID CompleteDrag = 1553;
constexpr DISPID DragOver = 1554;
constexpr DISPID DragDrop = 1555;

// One event as the host saw it: its DISPID and its arguments' values, first argument first (a data
// object counts as 1 when one was passed, else 0).
struct SeenEvent {
    DISPID dispid;
    std::vector<double> arguments;
};

double ValueOf(const VARIANT& argument)
{
    switch (argument.vt) {
    case VT_BYREF | VT_I4:
        return *argument.plVal;
    case VT_BYREF | VT_I2:
        return *argument.piVal;
    case VT_BYREF | VT_R4:
        return *argument.pfltVal;
    case VT_BYREF | VT_BOOL:
        return *argument.pboolVal;
    case VT_BYREF | VT_DISPATCH:
        return *argument.ppdispVal != nullptr ? 1 : 0;
    default:
        return -99999;
    }
}

// The host's event sink: records every event and hands the by-reference arguments to the handler of
// its DISPID (arguments[0] is the first one).
class DragEventSink final : public DispatchStub {
public:
    using Handler = std::function<void(VARIANT* const* arguments)>;

    STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override
    {
        std::vector<VARIANT*> arguments;
        for (UINT i = params->cArgs; i > 0; --i)
            arguments.push_back(&params->rgvarg[i - 1]);
        const auto handler = handlers.find(dispid);
        if (handler != handlers.end())
            handler->second(arguments.data());
        SeenEvent seen{dispid, {}};
        for (VARIANT* argument : arguments)
            seen.arguments.push_back(ValueOf(*argument));
        events.push_back(seen);
        return S_OK;
    }

    std::vector<DISPID> Dispids() const
    {
        std::vector<DISPID> dispids;
        for (const SeenEvent& event : events) {
            // Only the drag events; the feedback comes with every move, whether it came is checked apart.
            const bool dragEvent = event.dispid >= StartDrag && event.dispid <= DragDrop;
            if (dragEvent && event.dispid != GiveFeedback && (dispids.empty() || dispids.back() != event.dispid))
                dispids.push_back(event.dispid);
        }
        return dispids;
    }
    // The drag events alone, without the control's mouse and click events.
    std::vector<SeenEvent> DragEvents() const
    {
        std::vector<SeenEvent> drag;
        for (const SeenEvent& event : events) {
            if (event.dispid >= StartDrag && event.dispid <= DragDrop)
                drag.push_back(event);
        }
        return drag;
    }
    int Count(DISPID dispid) const
    {
        int count = 0;
        for (const SeenEvent& event : events)
            count += event.dispid == dispid;
        return count;
    }
    const SeenEvent* Last(DISPID dispid) const
    {
        for (auto event = events.rbegin(); event != events.rend(); ++event) {
            if (event->dispid == dispid)
                return &*event;
        }
        return nullptr;
    }

    std::map<DISPID, Handler> handlers;
    std::vector<SeenEvent> events;
};

// A late-bound call: the DISPID by name, then Invoke with the arguments in written order.
struct Call {
    HRESULT hr = E_FAIL;
    VARIANT result;
    EXCEPINFO exception{};
    Call() { VariantInit(&result); }
    ~Call()
    {
        VariantClear(&result);
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrHelpFile);
    }
    std::wstring Description() const
    {
        return exception.bstrDescription != nullptr ? exception.bstrDescription : L"";
    }
};

void CallByName(IUnknown* object, const wchar_t* name, WORD flags, std::vector<VARIANT> arguments, Call& call)
{
    ComReference<IDispatch> dispatch;
    ASSERT_EQ(object->QueryInterface(IID_IDispatch, dispatch.OutVoid()), S_OK);
    DISPID dispid = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    ASSERT_EQ(dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &dispid), S_OK) << "no member named " << name;
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (flags == DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    UINT argumentError = 0;
    call.hr = dispatch->Invoke(dispid, IID_NULL, 0, flags, &params, &call.result, &call.exception, &argumentError);
    for (VARIANT& argument : arguments)
        VariantClear(&argument);
}

VARIANT Text(const wchar_t* text)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocString(text);
    return value;
}

VARIANT Number(LONG number)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I4;
    value.lVal = number;
    return value;
}

VARIANT Missing()
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_ERROR;
    value.scode = DISP_E_PARAMNOTFOUND;
    return value;
}

// ---- The pointer and the keys ----

void SendMouse(DWORD flags, POINT screen = {})
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_MOVE) {
        input.mi.dwFlags |= MOUSEEVENTF_ABSOLUTE;
        input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    SendInput(1, &input, sizeof input);
}

void SendKey(WORD key, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

POINT CentreOf(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// What the user's hand does while the source thread sits in the system's drag loop: moves in steps
// from one point to another, optionally pressing the left button first, pressing Escape on the way
// or letting go at the end.
struct Gesture {
    POINT from;
    POINT to;
    bool pressFirst = false;
    bool escapeOnTheWay = false;
    POINT cursorAtStart = {};   // where the pointer was when the hand began
};

void Perform(Gesture& gesture)
{
    Sleep(300);
    GetCursorPos(&gesture.cursorAtStart);
    if (gesture.pressFirst) {
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        Sleep(100);
    }
    constexpr int Steps = 8;
    for (int step = 1; step <= Steps; ++step) {
        const POINT at = {gesture.from.x + (gesture.to.x - gesture.from.x) * step / Steps,
                          gesture.from.y + (gesture.to.y - gesture.from.y) * step / Steps};
        SendMouse(MOUSEEVENTF_MOVE, at);
        Sleep(60);
        if (gesture.escapeOnTheWay && step == Steps) {
            SendKey(VK_ESCAPE, false);
            SendKey(VK_ESCAPE, true);
            Sleep(100);
        }
    }
    SendMouse(MOUSEEVENTF_LEFTUP);
}

const POINT Away = {1100, 900};

// Where the pointer rests between drags: a window, as there always is one under the pointer on a
// desktop (the bare root of a virtual display is no window, and a control tracking the pointer would
// never hear it leave).
class AwayWindow {
public:
    AwayWindow()
        : window_(CreateWindowExA(WS_EX_NOACTIVATE, "BUTTON", "away", WS_POPUP | WS_VISIBLE, Away.x - 100, Away.y - 100,
                                  200, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr))
    {
    }
    ~AwayWindow() { DestroyWindow(window_); }
    AwayWindow(const AwayWindow&) = delete;
    AwayWindow& operator=(const AwayWindow&) = delete;

private:
    HWND window_;
};

class ControlBaseDragDropTest : public QvControlTest {
protected:
    void SetUp() override
    {
        QvControlTest::SetUp();
        SendMouse(MOUSEEVENTF_MOVE, Away);
        Site(sourceSite, 40);
        Site(targetSite, 500);
        ActivateWindowed(source, sourceSite);
        ActivateWindowed(target, targetSite);
        sourceEvents = std::make_unique<EventConnection>(source.get(), &sourceSink);
        targetEvents = std::make_unique<EventConnection>(target.get(), &targetSink);
        ShowWindow(sourceSite.Window(), SW_SHOWNOACTIVATE);
        ShowWindow(targetSite.Window(), SW_SHOWNOACTIVATE);
        SetForegroundWindow(sourceSite.Window());
        PumpUntil([] { return false; }, 100);
    }
    void TearDown() override
    {
        // The controls the pointer crossed stop watching it and let their references go.
        SendMouse(MOUSEEVENTF_MOVE, Away);
        EXPECT_TRUE(PumpUntil([this] { return !source->IsTracking() && !target->IsTracking(); }));
        PumpUntil([] { return false; }, 100);
        sourceEvents.reset();
        targetEvents.reset();
        CloseControl(target);
        CloseControl(source);
        // Each watcher lets its reference go on this thread.
        PumpUntil([] { return false; }, 100);
        QvControlTest::TearDown();
    }
    static void Site(RecordingContainer& site, int left)
    {
        site.SetAmbientBool(DISPID_AMBIENT_USERMODE, true);
        site.options.positionsInPoints = true;
        SetWindowPos(site.Window(), nullptr, left, 40, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    void SetDropMode(QvTestControl* control, LONG mode, Call& call)
    {
        CallByName(control->PrivateUnknown(), L"OLEDropMode", DISPATCH_PROPERTYPUT, {Number(mode)}, call);
    }

    // The source's OLEStartDrag as a host writes it: text and two files, copy or move allowed.
    void OfferTextAndFiles()
    {
        sourceSink.handlers[StartDrag] = [](VARIANT* const* arguments) {
            IDispatch* data = *arguments[0]->ppdispVal;
            Call set;
            CallByName(data, L"SetData", DISPATCH_METHOD, {Text(L"dragged text"), Missing()}, set);
            EXPECT_EQ(set.hr, S_OK);
            Call files;
            CallByName(data, L"Files", DISPATCH_PROPERTYGET, {}, files);
            ASSERT_EQ(files.hr, S_OK);
            for (const wchar_t* name : {L"C:\\stock\\Item.dat", L"C:\\stock\\Item.Txt"}) {
                Call add;
                CallByName(files.result.pdispVal, L"Add", DISPATCH_METHOD, {Text(name), Missing()}, add);
                EXPECT_EQ(add.hr, S_OK);
            }
            // The file list is announced as a format; its names are in Files.
            Call announce;
            CallByName(data, L"SetData", DISPATCH_METHOD, {Missing(), Number(CF_HDROP)}, announce);
            EXPECT_EQ(announce.hr, S_OK);
            *arguments[1]->plVal = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        };
    }

    // Runs OLEDrag on the source, late-bound, while the hand performs the gesture.
    HRESULT DragWith(Gesture& gesture)
    {
        std::thread hand([&gesture] { Perform(gesture); });
        Call drag;
        CallByName(source->PrivateUnknown(), L"OLEDrag", DISPATCH_METHOD, {}, drag);
        hand.join();
        PumpUntil([] { return false; }, 100);
        EXPECT_EQ(drag.exception.scode, S_OK) << std::string(drag.Description().begin(), drag.Description().end());
        return drag.hr;
    }

    // Presses the left button over the source, as a host's drag begins from its MouseDown.
    void PressOnSource()
    {
        SendMouse(MOUSEEVENTF_MOVE, CentreOf(source->ControlWindow()));
        PumpUntil([] { return false; }, 100);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        ASSERT_TRUE(PumpUntil([] { return GetKeyState(VK_LBUTTON) < 0; }));
    }

    AwayWindow away;
    RecordingContainer sourceSite{true};
    RecordingContainer targetSite{true};
    HeldQvControl source;
    HeldQvControl target;
    DragEventSink sourceSink;
    DragEventSink targetSink;
    std::unique_ptr<EventConnection> sourceEvents;
    std::unique_ptr<EventConnection> targetEvents;
};

TEST_F(ControlBaseDragDropTest, ADragCarriesTextAndFilesToAManualDropTarget)
{
    Call mode;
    SetDropMode(target.get(), 1, mode);
    ASSERT_EQ(mode.hr, S_OK);
    OfferTextAndFiles();
    std::wstring droppedText;
    std::vector<std::wstring> droppedFiles;
    targetSink.handlers[DragDrop] = [&](VARIANT* const* arguments) {
        IDispatch* data = *arguments[0]->ppdispVal;
        Call text;
        CallByName(data, L"GetData", DISPATCH_METHOD, {Number(CF_TEXT)}, text);
        if (text.result.vt == VT_BSTR)
            droppedText = text.result.bstrVal;
        Call files;
        CallByName(data, L"Files", DISPATCH_PROPERTYGET, {}, files);
        ASSERT_EQ(files.hr, S_OK);
        ASSERT_EQ(files.result.vt, VT_DISPATCH);
        Call count;
        CallByName(files.result.pdispVal, L"Count", DISPATCH_PROPERTYGET, {}, count);
        for (LONG index = 1; index <= count.result.lVal; ++index) {
            Call item;
            CallByName(files.result.pdispVal, L"Item", DISPATCH_PROPERTYGET, {Number(index)}, item);
            droppedFiles.push_back(item.result.vt == VT_BSTR ? item.result.bstrVal : L"?");
        }
        // The target copies.
        *arguments[1]->plVal = DROPEFFECT_COPY;
    };

    PressOnSource();
    Gesture gesture{CentreOf(source->ControlWindow()), CentreOf(target->ControlWindow())};
    EXPECT_EQ(DragWith(gesture), S_OK);

    EXPECT_EQ(sourceSink.Dispids(), (std::vector<DISPID>{StartDrag, CompleteDrag}));
    EXPECT_GT(sourceSink.Count(GiveFeedback), 0);
    EXPECT_EQ(targetSink.Dispids(), (std::vector<DISPID>{DragOver, DragDrop}));
    EXPECT_EQ(droppedText, L"dragged text");
    EXPECT_EQ(droppedFiles, (std::vector<std::wstring>{L"C:\\stock\\Item.dat", L"C:\\stock\\Item.Txt"}));
    ASSERT_NE(sourceSink.Last(CompleteDrag), nullptr);
    EXPECT_EQ(sourceSink.Last(CompleteDrag)->arguments, (std::vector<double>{DROPEFFECT_COPY}));

    // Enter first, then moves; each with the data, the offered effects, the left button and no keys.
    ASSERT_FALSE(targetSink.DragEvents().empty());
    const SeenEvent enter = targetSink.DragEvents().front();
    ASSERT_EQ(enter.dispid, DragOver);
    EXPECT_EQ(enter.arguments[0], 1);
    EXPECT_EQ(enter.arguments[1], DROPEFFECT_COPY | DROPEFFECT_MOVE);
    EXPECT_EQ(enter.arguments[2], 1);
    EXPECT_EQ(enter.arguments[3], 0);
    EXPECT_EQ(enter.arguments[6], 0);
    const SeenEvent* over = targetSink.Last(DragOver);
    ASSERT_NE(over, nullptr);
    EXPECT_EQ(over->arguments[6], 2);
    // The drop lands at the target's centre, in the container's points.
    const SeenEvent* drop = targetSink.Last(DragDrop);
    ASSERT_NE(drop, nullptr);
    const POINT centre = CentreOf(target->ControlWindow());
    POINT expected = centre;
    ScreenToClient(target->ControlWindow(), &expected);
    const HDC screen = GetDC(nullptr);
    const double pointsPerPixelX = 72.0 / GetDeviceCaps(screen, LOGPIXELSX);
    const double pointsPerPixelY = 72.0 / GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    EXPECT_NEAR(drop->arguments[4], expected.x * pointsPerPixelX, 1.0);
    EXPECT_NEAR(drop->arguments[5], expected.y * pointsPerPixelY, 1.0);
}

TEST_F(ControlBaseDragDropTest, EscapeCancelsTheDragAndTheTargetHearsItLeave)
{
    Call mode;
    SetDropMode(target.get(), 1, mode);
    OfferTextAndFiles();

    PressOnSource();
    Gesture gesture{CentreOf(source->ControlWindow()), CentreOf(target->ControlWindow())};
    gesture.escapeOnTheWay = true;
    EXPECT_EQ(DragWith(gesture), S_OK);

    EXPECT_EQ(targetSink.Count(DragDrop), 0);
    ASSERT_NE(targetSink.Last(DragOver), nullptr);
    // The leave: no effect, the buttons of the last move, no position.
    const SeenEvent last = targetSink.DragEvents().back();
    const std::vector<double>& leave = last.arguments;
    ASSERT_EQ(last.dispid, DragOver);
    EXPECT_EQ(leave[6], 1);
    EXPECT_EQ(leave[1], DROPEFFECT_NONE);
    EXPECT_EQ(leave[2], 1);
    EXPECT_EQ(leave[4], 0);
    EXPECT_EQ(leave[5], 0);
    ASSERT_NE(sourceSink.Last(CompleteDrag), nullptr);
    EXPECT_EQ(sourceSink.Last(CompleteDrag)->arguments, (std::vector<double>{DROPEFFECT_NONE}));
}

TEST_F(ControlBaseDragDropTest, ADragFromCodeStartsAtTheControlAndTakesTheButtonPressedDuringIt)
{
    Call mode;
    SetDropMode(target.get(), 1, mode);
    OfferTextAndFiles();
    ASSERT_GE(GetKeyState(VK_LBUTTON), 0);

    Gesture gesture{CentreOf(source->ControlWindow()), CentreOf(target->ControlWindow())};
    gesture.pressFirst = true;
    EXPECT_EQ(DragWith(gesture), S_OK);

    // The pointer was away; the drag brought it to the source.
    RECT sourceRect = {};
    GetWindowRect(source->ControlWindow(), &sourceRect);
    EXPECT_TRUE(PtInRect(&sourceRect, gesture.cursorAtStart))
        << gesture.cursorAtStart.x << "," << gesture.cursorAtStart.y;
    // The button pressed during the drag was its own: letting go dropped.
    ASSERT_EQ(targetSink.Count(DragDrop), 1);
    EXPECT_EQ(targetSink.Last(DragOver)->arguments[2], 1);
    ASSERT_NE(sourceSink.Last(CompleteDrag), nullptr);
    EXPECT_NE(sourceSink.Last(CompleteDrag)->arguments[0], DROPEFFECT_NONE);
}

TEST_F(ControlBaseDragDropTest, AnEffectTheSourceDidNotOfferIsTakenAway)
{
    Call mode;
    SetDropMode(target.get(), 1, mode);
    OfferTextAndFiles();
    // Only a move is offered; the target's handlers ask for a copy.
    auto offer = sourceSink.handlers[StartDrag];
    sourceSink.handlers[StartDrag] = [offer](VARIANT* const* arguments) {
        offer(arguments);
        *arguments[1]->plVal = DROPEFFECT_MOVE;
    };
    targetSink.handlers[DragOver] = [](VARIANT* const* arguments) { *arguments[1]->plVal = DROPEFFECT_COPY; };
    targetSink.handlers[DragDrop] = [](VARIANT* const* arguments) { *arguments[1]->plVal = DROPEFFECT_COPY; };

    PressOnSource();
    Gesture gesture{CentreOf(source->ControlWindow()), CentreOf(target->ControlWindow())};
    DragWith(gesture);

    // The drop itself is not reached with no effect: the source hears nothing was done.
    ASSERT_NE(sourceSink.Last(CompleteDrag), nullptr);
    EXPECT_EQ(sourceSink.Last(CompleteDrag)->arguments, (std::vector<double>{DROPEFFECT_NONE}));
    EXPECT_EQ(targetSink.Count(DragDrop), 0);
}

TEST_F(ControlBaseDragDropTest, ADropCanOnlyTakeEffectsAway)
{
    Call mode;
    SetDropMode(target.get(), 1, mode);
    OfferTextAndFiles();
    // The moves keep the offered copy or move; the drop asks for a link, which was not offered.
    targetSink.handlers[DragDrop] = [](VARIANT* const* arguments) { *arguments[1]->plVal = DROPEFFECT_LINK; };

    PressOnSource();
    Gesture gesture{CentreOf(source->ControlWindow()), CentreOf(target->ControlWindow())};
    DragWith(gesture);

    ASSERT_EQ(targetSink.Count(DragDrop), 1);
    ASSERT_NE(sourceSink.Last(CompleteDrag), nullptr);
    EXPECT_EQ(sourceSink.Last(CompleteDrag)->arguments, (std::vector<double>{DROPEFFECT_NONE}));
}

TEST_F(ControlBaseDragDropTest, AutomaticDropIsAcceptedButTakesNothing)
{
    Call mode;
    SetDropMode(target.get(), 2, mode);
    ASSERT_EQ(mode.hr, S_OK);
    Call read;
    CallByName(target->PrivateUnknown(), L"OLEDropMode", DISPATCH_PROPERTYGET, {}, read);
    EXPECT_EQ(read.result.lVal, 2);
    OfferTextAndFiles();

    PressOnSource();
    Gesture gesture{CentreOf(source->ControlWindow()), CentreOf(target->ControlWindow())};
    DragWith(gesture);

    EXPECT_TRUE(targetSink.DragEvents().empty());
    ASSERT_NE(sourceSink.Last(CompleteDrag), nullptr);
    EXPECT_EQ(sourceSink.Last(CompleteDrag)->arguments, (std::vector<double>{DROPEFFECT_NONE}));
}

TEST_F(ControlBaseDragDropTest, AWindowDestroyedByAHandlerEndsTheDragCancelled)
{
    Call mode;
    SetDropMode(target.get(), 1, mode);
    OfferTextAndFiles();
    // The host takes the source down in the middle of the drag.
    IOleInPlaceObject* inPlace = source.As<IOleInPlaceObject>(IID_IOleInPlaceObject);
    sourceSink.handlers[GiveFeedback] = [inPlace](VARIANT* const*) { inPlace->InPlaceDeactivate(); };

    PressOnSource();
    Gesture gesture{CentreOf(source->ControlWindow()), CentreOf(target->ControlWindow())};
    std::thread hand([&gesture] { Perform(gesture); });
    const HRESULT hr = source->OLEDrag();
    hand.join();

    EXPECT_EQ(hr, DRAGDROP_S_CANCEL);
    EXPECT_EQ(source->ControlWindow(), nullptr);
    EXPECT_EQ(sourceSink.Count(CompleteDrag), 0);
    EXPECT_EQ(targetSink.Count(DragDrop), 0);
}

// ---- Drags that never start ----

struct UnstartedDrag {
    const char* name;
    bool setsFormat;
    LONG allowedEffects;
};

TEST_F(ControlBaseDragDropTest, AStartWithoutFormatOrEffectIsCancelledWithoutCompletion)
{
    const UnstartedDrag cases[] = {
        {"no format", false, DROPEFFECT_COPY},
        {"no effect", true, DROPEFFECT_NONE},
    };
    for (const UnstartedDrag& test : cases) {
        SCOPED_TRACE(test.name);
        sourceSink.events.clear();
        sourceSink.handlers[StartDrag] = [test](VARIANT* const* arguments) {
            if (test.setsFormat) {
                Call set;
                CallByName(*arguments[0]->ppdispVal, L"SetData", DISPATCH_METHOD, {Text(L"x"), Missing()}, set);
            }
            *arguments[1]->plVal = test.allowedEffects;
        };
        EXPECT_EQ(source->OLEDrag(), DRAGDROP_S_CANCEL);
        EXPECT_EQ(sourceSink.Dispids(), (std::vector<DISPID>{StartDrag}));
        // The running mark is gone: the next drag starts again.
        EXPECT_EQ(source->OLEDrag(), DRAGDROP_S_CANCEL);
        EXPECT_EQ(sourceSink.Count(StartDrag), 2);
    }
}

// An object a host's handler puts in place of the data object it was handed.
class HostObject final : public DispatchStub {
};

TEST_F(ControlBaseDragDropTest, WhatAStartHandlerLeavesInPlaceOfTheDataIsReleased)
{
    HostObject replacement;
    sourceSink.handlers[StartDrag] = [&replacement](VARIANT* const* arguments) {
        // As a host assigns to a by-reference object: the old one let go, the new one held.
        (*arguments[0]->ppdispVal)->Release();
        replacement.AddRef();
        *arguments[0]->ppdispVal = &replacement;
        *arguments[1]->plVal = DROPEFFECT_COPY;
    };
    EXPECT_EQ(source->OLEDrag(), DRAGDROP_S_CANCEL);
    EXPECT_EQ(replacement.references, 0u);
    // The drag's own data object is gone too: the fixture counts the library's objects at its end.
}

TEST_F(ControlBaseDragDropTest, ASecondDragInsideAHandlerRaises674)
{
    Call inner;
    sourceSink.handlers[StartDrag] = [this, &inner](VARIANT* const*) {
        CallByName(source->PrivateUnknown(), L"OLEDrag", DISPATCH_METHOD, {}, inner);
    };
    EXPECT_EQ(source->OLEDrag(), DRAGDROP_S_CANCEL);
    EXPECT_EQ(inner.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(inner.exception.scode, static_cast<SCODE>(0x800A02A2));
    EXPECT_EQ(inner.exception.dwHelpContext, 674u);
    EXPECT_EQ(inner.Description(), L"Illegal recursive invocation of OLE drag and drop");
    EXPECT_EQ(sourceSink.Count(StartDrag), 1);
    // Afterwards a drag may start again.
    EXPECT_EQ(source->OLEDrag(), DRAGDROP_S_CANCEL);
    EXPECT_EQ(sourceSink.Count(StartDrag), 2);
}

// ---- The drop modes and the drop target ----

// True when the window is some drop target's: the system then refuses another registration.
bool IsDropTarget(HWND window)
{
    class Probe final : public IDropTarget {
    public:
        STDMETHODIMP QueryInterface(REFIID riid, void** object) override
        {
            *object = riid == IID_IUnknown || riid == IID_IDropTarget ? this : nullptr;
            return *object != nullptr ? S_OK : E_NOINTERFACE;
        }
        STDMETHODIMP_(ULONG) AddRef() override { return 2; }
        STDMETHODIMP_(ULONG) Release() override { return 1; }
        STDMETHODIMP DragEnter(IDataObject*, DWORD, POINTL, DWORD*) override { return E_FAIL; }
        STDMETHODIMP DragOver(DWORD, POINTL, DWORD*) override { return E_FAIL; }
        STDMETHODIMP DragLeave() override { return S_OK; }
        STDMETHODIMP Drop(IDataObject*, DWORD, POINTL, DWORD*) override { return E_FAIL; }
    } probe;
    const HRESULT hr = RegisterDragDrop(window, &probe);
    if (SUCCEEDED(hr))
        RevokeDragDrop(window);
    return hr == DRAGDROP_E_ALREADYREGISTERED;
}

TEST_F(ControlBaseDragDropTest, TheDropModeRegistersAndRevokesTheWindow)
{
    const HWND window = target->ControlWindow();
    EXPECT_FALSE(IsDropTarget(window));
    Call manual;
    SetDropMode(target.get(), 1, manual);
    EXPECT_TRUE(IsDropTarget(window));
    Call none;
    SetDropMode(target.get(), 0, none);
    EXPECT_EQ(none.hr, S_OK);
    EXPECT_FALSE(IsDropTarget(window));

    // A value out of range is refused with its own help topic and changes nothing.
    Call three;
    SetDropMode(target.get(), 3, three);
    EXPECT_EQ(three.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(three.exception.scode, static_cast<SCODE>(0x800A017C));
    EXPECT_EQ(three.exception.dwHelpContext, 380u);
    EXPECT_EQ(three.Description(), L"Invalid property value");
    Call read;
    CallByName(target->PrivateUnknown(), L"OLEDropMode", DISPATCH_PROPERTYGET, {}, read);
    EXPECT_EQ(read.result.lVal, 0);

    // Hidden, the window is no target; shown again with dropping on, it is.
    SetDropMode(target.get(), 1, manual);
    ShowWindow(window, SW_HIDE);
    EXPECT_FALSE(IsDropTarget(window));
    ShowWindow(window, SW_SHOW);
    EXPECT_TRUE(IsDropTarget(window));
}

TEST_F(QvControlTest, AControlBeingDesignedRegistersNoDropTarget)
{
    RecordingContainer designer;
    designer.SetAmbientBool(DISPID_AMBIENT_USERMODE, false);
    HeldQvControl control;
    ActivateWindowed(control, designer);
    EXPECT_EQ(control->put_OLEDropMode(qvOLEDropManual), S_OK);
    EXPECT_FALSE(IsDropTarget(control->ControlWindow()));
    // A container that cannot say counts as designing too.
    RecordingContainer silent;
    HeldQvControl other;
    ActivateWindowed(other, silent);
    EXPECT_EQ(other->put_OLEDropMode(qvOLEDropManual), S_OK);
    EXPECT_FALSE(IsDropTarget(other->ControlWindow()));
    CloseControl(other);
    CloseControl(control);
}

// ---- The drop modes in property bags ----

// The stored entry as a number, and its type; -1 and VT_EMPTY when there is none.
LONG StoredNumber(MemoryPropertyBag& bag, const wchar_t* name, VARTYPE* type)
{
    *type = VT_EMPTY;
    if (!bag.Has(name))
        return -1;
    VARIANT value;
    VariantInit(&value);
    if (FAILED(bag.Read(name, &value, nullptr)))
        return -1;
    *type = value.vt;
    LONG number = -1;
    if (SUCCEEDED(VariantChangeType(&value, &value, 0, VT_I4)))
        number = value.lVal;
    VariantClear(&value);
    return number;
}

struct SavedModes {
    const char* name;
    Constants_OLEDrop mode;
    BOOL saveAll;
    LONG stored;   // -1: no entry
};

TEST_F(QvControlTest, TheDropModeIsSavedWhenSetOrAllIsSavedAndTheDragModeNever)
{
    const SavedModes cases[] = {
        {"none, changes only", qvOLEDropNone, FALSE, -1},
        {"none, all", qvOLEDropNone, TRUE, 0},
        {"manual, changes only", qvOLEDropManual, FALSE, 1},
        {"automatic, changes only", static_cast<Constants_OLEDrop>(2), FALSE, 2},
    };
    for (const SavedModes& test : cases) {
        SCOPED_TRACE(test.name);
        HeldQvControl control;
        ASSERT_EQ(control.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->InitNew(), S_OK);
        ASSERT_EQ(control->put_OLEDropMode(test.mode), S_OK);
        MemoryPropertyBag bag;
        ASSERT_EQ(control.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Save(&bag, TRUE, test.saveAll), S_OK);
        VARTYPE type = VT_EMPTY;
        EXPECT_EQ(StoredNumber(bag, L"OLEDropMode", &type), test.stored);
        EXPECT_EQ(type, test.stored < 0 ? VT_EMPTY : VT_I2);
        EXPECT_FALSE(bag.Has(L"OLEDragMode"));
    }
}

struct LoadedMode {
    const char* name;
    LONG stored;
    short loaded;
};

TEST_F(QvControlTest, ALoadedDropModeOutOfRangeLoadsAsNone)
{
    const LoadedMode cases[] = {
        {"manual", 1, 1}, {"automatic", 2, 2}, {"three", 3, 0}, {"negative", -1, 0}, {"beyond a byte", 257, 0},
    };
    for (const LoadedMode& test : cases) {
        SCOPED_TRACE(test.name);
        HeldQvControl control;
        MemoryPropertyBag bag;
        bag.SetLong(L"OLEDropMode", test.stored);
        ASSERT_EQ(control.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(&bag, nullptr), S_OK);
        Constants_OLEDrop mode = qvOLEDropManual;
        ASSERT_EQ(control->get_OLEDropMode(&mode), S_OK);
        EXPECT_EQ(mode, test.loaded);
    }
}

} // namespace
