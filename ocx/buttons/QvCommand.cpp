// The command button: its own properties and persistence, the keyboard press, the click on release,
// and auto-repeat.
#include "QvCommand.h"

#include "ButtonPersistence.h"
#include "ButtonWindowClass.h"
#include "ControlCreators.h"
#include "ObjectTableRows.h"
#include "RepeatTimerMap.h"
#include "StreamBytes.h"

#include <new>

namespace plyx {

namespace {

// Stock key and mouse events; the button fires its own Click.
constexpr DWORD CommandStockEvents = 63;

VARIANT_BOOL BoolOf(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

bool SpaceHeld() { return (GetAsyncKeyState(VK_SPACE) & 0x8000) != 0; }

// The previous-key-state bit of a key message: set on the key's own repeats.
constexpr LPARAM KeyWasDown = 1 << 30;

} // namespace

QvCommand::QvCommand(IUnknown* outer)
    : plyx::IQvButtonBase(outer, QvCommandTableRow, static_cast<::IQvCommand*>(this), CommandStockEvents, true)
{
    SetCurrentVersion(CurrentStateVersion);
}

QvCommand::~QvCommand()
{
    StopRepeat();
}

HRESULT QvCommand::InternalQueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (SameIid(riid, IID_IQvCommand)) {
        AddRef();
        *object = static_cast<::IQvCommand*>(this);
        return S_OK;
    }
    return plyx::IQvButtonBase::InternalQueryInterface(riid, object);
}

void QvCommand::BeforeDestroy()
{
    StopRepeat();
    plyx::IQvButtonBase::BeforeDestroy();
}

BOOL QvCommand::InitializeNewState()
{
    StopRepeat();
    options_ = 0;
    state_ = StateFirstRepeatPending;
    return plyx::IQvButtonBase::InitializeNewState();
}

HRESULT QvCommand::MapPropertyToCategory(DISPID dispid, PROPCAT* category)
{
    if (dispid == DispidAutoRepeat) {
        *category = PROPCAT_Behavior;
        return S_OK;
    }
    return plyx::IQvButtonBase::MapPropertyToCategory(dispid, category);
}

BOOL QvCommand::RegisterClassData()
{
    return RegisterButtonWindowClass(ControlRow().windowClassName);
}

// ---- Members ----

STDMETHODIMP QvCommand::get_Value(VARIANT_BOOL* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = VARIANT_FALSE;
    if (DesignMode())
        return RaiseError(ControlErrorCodes::PropertyUnavailableAtDesignTime);
    *value = BoolOf(IsDown());
    return S_OK;
}

STDMETHODIMP QvCommand::put_Value(VARIANT_BOOL value)
{
    const bool set = (value & 1) != 0;
    if (!set && !IsDown())
        return S_OK;
    SetDirty(true);
    if (set)
        state_ |= StateValue;
    else
        state_ &= ~StateValue;
    Repaint(nullptr);
    FireClickEvent();
    PropertyNotifyPoint().SendOnChanged(DispidValue);
    PropertyNotifyPoint().SendOnChanged(DISPID_VALUE);
    return S_OK;
}

STDMETHODIMP QvCommand::get_AutoRepeat(VARIANT_BOOL* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = BoolOf(options_ & OptionAutoRepeat);
    return S_OK;
}

STDMETHODIMP QvCommand::put_AutoRepeat(VARIANT_BOOL value)
{
    const bool set = (value & 1) != 0;
    if (!set && !(options_ & OptionAutoRepeat))
        return S_OK;
    if (set) {
        options_ |= OptionAutoRepeat;
    } else {
        options_ &= ~OptionAutoRepeat;
        // A button that no longer repeats keeps no timer.
        StopRepeat();
        state_ |= StateFirstRepeatPending;
    }
    PropertyNotifyPoint().SendOnChanged(DispidAutoRepeat);
    SetDirty(true);
    return S_OK;
}

STDMETHODIMP QvCommand::DoClick()
{
    FireClickEvent();
    return S_OK;
}

void QvCommand::OnMnemonic(MSG*)
{
    if (CommonState().flags & CommonStateBlock::Enabled)
        FireClickEvent();
}

// ---- Press and release ----

void QvCommand::OnPress()
{
    if ((options_ & OptionAutoRepeat) && repeatTimer_ == 0)
        StartRepeat(FirstRepeatDelay);
    plyx::IQvButtonBase::OnPress();
}

void QvCommand::OnClickRelease()
{
    if (!(CommonState().flags & CommonStateBlock::Enabled) || SpaceHeld())
        return;
    if (options_ & OptionAutoRepeat) {
        StopRepeat();
        state_ |= StateFirstRepeatPending;
    }
    StopTracking();
    if (DrawnUp())
        return;
    SetDrawnUp(true);
    RestartAnimation(ButtonState().autoSize == 0, true);
    static_cast<::IQvCommand*>(this)->DoClick();
}

// ---- Auto-repeat ----

void QvCommand::StartRepeat(UINT interval)
{
    repeatTimer_ = RepeatTimerMap::Start(this, interval, RepeatTick);
}

void QvCommand::StopRepeat()
{
    if (repeatTimer_ == 0)
        return;
    RepeatTimerMap::Stop(this, repeatTimer_);
    repeatTimer_ = 0;
}

void CALLBACK QvCommand::RepeatTick(HWND, UINT, UINT_PTR id, DWORD)
{
    QvCommand* button = RepeatTimerMap::Find(id);
    if (button == nullptr) {
        // A tick of a timer no button owns any more.
        KillTimer(nullptr, id);
        return;
    }
    button->Repeat(id);
}

void QvCommand::Repeat(UINT_PTR id)
{
    if (id != repeatTimer_)
        return;
    if (Tracking() && !HasCapture()) {
        StopRepeat();
        return;
    }
    if (!((Tracking() && !DrawnUp()) || SpaceHeld()))
        return;
    if (state_ & StateFirstRepeatPending) {
        state_ &= ~StateFirstRepeatPending;
        StopRepeat();
        StartRepeat(RepeatInterval);
    }
    // The host's handler may release the button.
    AddRef();
    FireClickEvent();
    Release();
}

// ---- Persistence ----

HRESULT QvCommand::LoadTextState(IPropertyBag* bag, IErrorLog* errorLog)
{
    HRESULT hr = plyx::IQvButtonBase::LoadTextState(bag, errorLog);
    if (FAILED(hr))
        return hr;
    StopRepeat();
    options_ = ReadBagBool(bag, L"AutoRepeat", errorLog, false) ? OptionAutoRepeat : 0;
    return S_OK;
}

HRESULT QvCommand::SaveTextState(IPropertyBag* bag, BOOL saveAll)
{
    HRESULT hr = plyx::IQvButtonBase::SaveTextState(bag, saveAll);
    if (SUCCEEDED(hr) && (saveAll || (options_ & OptionAutoRepeat)))
        hr = WriteBagBool(bag, L"AutoRepeat", (options_ & OptionAutoRepeat) != 0);
    return hr;
}

HRESULT QvCommand::SaveBinaryState(IStream* stream)
{
    HRESULT hr = plyx::IQvButtonBase::SaveBinaryState(stream);
    const BYTE stored = options_ & OptionAutoRepeat;
    if (SUCCEEDED(hr))
        hr = WriteExactly(stream, &stored, sizeof stored);
    return hr;
}

HRESULT QvCommand::LoadBinaryState(IStream* stream)
{
    HRESULT hr = plyx::IQvButtonBase::LoadBinaryState(stream);
    if (FAILED(hr))
        return hr;
    BYTE loaded = 0;
    hr = ReadExactly(stream, &loaded, sizeof loaded);
    if (FAILED(hr))
        return hr;
    StopRepeat();
    options_ = loaded & OptionAutoRepeat;
    return S_OK;
}

// ---- Window ----

BOOL QvCommand::AfterCreateWindow()
{
    if (ControlWindow() != nullptr && !DesignMode())
        EnableWindow(ControlWindow(), (CommonState().flags & CommonStateBlock::Enabled) != 0);
    return plyx::IQvButtonBase::AfterCreateWindow();
}

void QvCommand::BeforeDestroyWindow()
{
    StopRepeat();
    state_ |= StateFirstRepeatPending;
    plyx::IQvButtonBase::BeforeDestroyWindow();
}

LRESULT QvCommand::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KILLFOCUS:
        if (Tracking()) {
            StopTracking();
            SetDrawnUp(true);
        }
        StopRepeat();
        state_ |= StateFirstRepeatPending;
        [[fallthrough]];
    case WM_SETFOCUS: {
        const LRESULT result = plyx::IQvBase::WindowProc(message, wParam, lParam);
        Repaint(nullptr);
        return result;
    }
    case WM_KEYDOWN:
        // One press for a key held down: its own repeats (previous state down) press nothing.
        if (wParam == VK_SPACE && LOWORD(lParam) == 1 && !(lParam & KeyWasDown))
            OnPress();
        return plyx::IQvBase::WindowProc(message, wParam, lParam);
    case WM_KEYUP:
        plyx::IQvBase::WindowProc(message, wParam, lParam);
        if (wParam == VK_SPACE || wParam == VK_RETURN)
            OnClickRelease();
        return 0;
    case WM_LBUTTONDBLCLK:
        // A double click is a second press.
        OnPress();
        return 0;
    default:
        return plyx::IQvButtonBase::WindowProc(message, wParam, lParam);
    }
}

} // namespace plyx

IUnknown* CreateQvCommand(IUnknown* outer)
{
    plyx::QvCommand* button = new (std::nothrow) plyx::QvCommand(outer);
    return button != nullptr ? button->PrivateUnknown() : nullptr;
}
