#include "DragDropManager.h"

#include "DragDataObject.h"
#include "DragDropErrors.h"
#include "DragDropEvents.h"
#include "DragEventScopes.h"
#include "DropSource.h"
#include "DropTarget.h"
#include "Himetric.h"
#include "OleControl.h"
#include "QvDataObject.h"

#include <new>

// {63A19C70-054B-11D0-8E85-00A0C90F26F8}
const IID IID_IDragDropManager = {0x63A19C70, 0x054B, 0x11D0, {0x8E, 0x85, 0x00, 0xA0, 0xC9, 0x0F, 0x26, 0xF8}};

namespace {

constexpr DWORD DragModeMask = 0x030;
constexpr int DragModeShift = 4;
constexpr DWORD DropModeMask = 0x0C0;
constexpr int DropModeShift = 6;
constexpr short HighestDragMode = 1;

struct ModeRow {
    DWORD supported;
    const wchar_t* name;
    DWORD mask;
    int shift;
};

const ModeRow ModeRows[] = {
    {DragDropManager::DragModeSupported, L"OLEDragMode", DragModeMask, DragModeShift},
    {DragDropManager::DropModeSupported, L"OLEDropMode", DropModeMask, DropModeShift},
};

} // namespace

// ---- The manager's own interface ----

HRESULT STDMETHODCALLTYPE DragDropManager::ManagerInterface::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDragDropManager)) {
        *object = static_cast<IDragDropManager*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE DragDropManager::ManagerInterface::AddRef()
{
    return static_cast<ULONG>(++count_);
}

ULONG STDMETHODCALLTYPE DragDropManager::ManagerInterface::Release()
{
    return static_cast<ULONG>(--count_);
}

HRESULT STDMETHODCALLTYPE DragDropManager::ManagerInterface::RaiseError(int number)
{
    return manager_.RaiseError(number);
}

// ---- The manager ----

DragDropManager::DragDropManager(OleControl& owner, DWORD supported)
    : owner_(owner), flags_(supported & (DragModeSupported | DropModeSupported | AutomaticDropAllowed)), interface_(*this)
{
}

DragDropManager::~DragDropManager()
{
    if ((flags_ & Registered) && registeredWindow_ != nullptr)
        RevokeDragDrop(registeredWindow_);
    flags_ &= ~Registered;
    if (dropTarget_ != nullptr) {
        dropTarget_->Detach();
        dropTarget_->Release();
    }
    incoming_.Reset();
}

HRESULT DragDropManager::RaiseError(int number)
{
    return DragDropErrors::Raise(owner_, number);
}

void DragDropManager::FireOLESetData(IQvDataObject** data, short* format)
{
    owner_.FireEvent(&OLESetDataEvent, data, format);
}

IUnknown* DragDropManager::Control()
{
    return owner_.OuterUnknown();
}

void DragDropManager::SetMode(DWORD mask, int shift, short value)
{
    flags_ = (flags_ & ~mask) | ((static_cast<DWORD>(value) << shift) & mask);
}

short DragDropManager::HighestDropMode() const
{
    return (flags_ & AutomaticDropAllowed) ? DropAutomatic : DropManual;
}

short DragDropManager::GetOLEDropMode() const
{
    return static_cast<short>((flags_ & DropModeMask) >> DropModeShift);
}

short DragDropManager::GetOLEDragMode() const
{
    return static_cast<short>((flags_ & DragModeMask) >> DragModeShift);
}

void DragDropManager::SetOLEDropMode(short value)
{
    SetMode(DropModeMask, DropModeShift, value >= 0 && value <= HighestDropMode() ? value : 0);
}

HRESULT DragDropManager::PutOLEDropMode(short value)
{
    if (!(flags_ & DropModeSupported))
        return S_OK;
    if (value < 0 || value > HighestDropMode())
        return RaiseError(DragDropErrors::InvalidPropertyValue);
    if (value != GetOLEDropMode()) {
        SetMode(DropModeMask, DropModeShift, value);
        RegisterDropTarget(value > 0);
    }
    return S_OK;
}

HRESULT DragDropManager::SaveModes(IPropertyBag* bag, BOOL saveAll)
{
    if (bag == nullptr)
        return E_POINTER;
    for (const ModeRow& mode : ModeRows) {
        const short value = static_cast<short>((flags_ & mode.mask) >> mode.shift);
        if (!(flags_ & mode.supported) || (value == 0 && !saveAll))
            continue;
        VARIANT stored;
        VariantInit(&stored);
        stored.vt = VT_I2;
        stored.iVal = value;
        const HRESULT hr = bag->Write(mode.name, &stored);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

void DragDropManager::LoadModes(IPropertyBag* bag, IErrorLog* errorLog)
{
    for (const ModeRow& mode : ModeRows) {
        if (!(flags_ & mode.supported))
            continue;
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_I2;
        HRESULT hr = bag != nullptr ? bag->Read(mode.name, &value, errorLog) : E_POINTER;
        if (SUCCEEDED(hr) && value.vt != VT_I2)
            hr = VariantChangeType(&value, &value, 0, VT_I2);
        const short highest = mode.mask == DropModeMask ? HighestDropMode() : HighestDragMode;
        const bool fits = SUCCEEDED(hr) && value.iVal >= 0 && value.iVal <= highest;
        SetMode(mode.mask, mode.shift, fits ? value.iVal : 0);
        VariantClear(&value);
    }
}

bool DragDropManager::UserMode()
{
    VARIANT_BOOL userMode = VARIANT_FALSE;
    return owner_.GetAmbientProperty(DISPID_AMBIENT_USERMODE, VT_BOOL, &userMode) && userMode != VARIANT_FALSE;
}

HWND DragDropManager::Window() const
{
    const HWND window = owner_.ControlWindow();
    return window != nullptr && IsWindow(window) ? window : nullptr;
}

IDropTarget* DragDropManager::RegisteredDropTarget() const
{
    return (flags_ & Registered) ? dropTarget_ : nullptr;
}

HRESULT DragDropManager::RegisterDropTarget(bool enable)
{
    // Nothing is dropped on a control being designed.
    if (!UserMode())
        return S_OK;
    const HWND window = Window();
    HRESULT hr = S_OK;
    if (enable && window != nullptr && GetOLEDropMode() > 0 && !(flags_ & Registered)) {
        if (dropTarget_ == nullptr) {
            dropTarget_ = new (std::nothrow) DropTarget(*this);
            if (dropTarget_ == nullptr)
                return E_OUTOFMEMORY;
        }
        hr = ::RegisterDragDrop(window, dropTarget_);
        if (SUCCEEDED(hr)) {
            flags_ |= Registered;
            registeredWindow_ = window;
        }
    } else if ((!enable || GetOLEDropMode() == 0) && (flags_ & Registered)) {
        flags_ &= ~Registered;
        hr = ::RevokeDragDrop(registeredWindow_);
    }
    if (!(flags_ & Registered)) {
        if (dropTarget_ != nullptr) {
            dropTarget_->Release();
            dropTarget_ = nullptr;
        }
        registeredWindow_ = nullptr;
    }
    return hr;
}

HRESULT DragDropManager::OLEDrag(DWORD* effect)
{
    if (effect != nullptr)
        *effect = DROPEFFECT_NONE;
    if (flags_ & DragRunning)
        return RaiseError(DragDropErrors::RecursiveDrag);

    // The control stays alive until the running mark is cleared, whatever the handlers do.
    const ControlHold hold(Control());
    struct RunningMark {
        DWORD& flags;
        ~RunningMark() { flags &= ~(DragRunning | LeftButtonAtStart | RightButtonAtStart); }
    } running{flags_};
    flags_ &= ~(LeftButtonAtStart | RightButtonAtStart);
    flags_ |= DragRunning;
    if (GetKeyState(VK_LBUTTON) < 0)
        flags_ |= LeftButtonAtStart;
    if (GetKeyState(VK_RBUTTON) < 0)
        flags_ |= RightButtonAtStart;

    DragDataObject* made = nullptr;
    HRESULT hr = DragDataObject::Create(*this, &made);
    if (FAILED(hr))
        return hr;
    ComReference<IUnknown> drag(made->PrivateUnknown());
    ComReference<IQvDataObject> data;
    hr = QvDataObject::CreateOutgoing(*made, data.Out());
    if (FAILED(hr))
        return hr;

    LONG allowed = DROPEFFECT_NONE;
    {
        EventData eventData(data.Get());
        owner_.FireEvent(&OLEStartDragEvent, eventData.Slot(), &allowed);
    }
    if (Window() == nullptr || made->FormatCount() == 0 || allowed == DROPEFFECT_NONE)
        return DRAGDROP_S_CANCEL;
    return RunDrag(*made, made, static_cast<DWORD>(allowed), effect);
}

HRESULT DragDropManager::RunDrag(DragDataObject& drag, IDataObject* data, DWORD allowed, DWORD* effect)
{
    const HWND window = Window();
    ReleaseCapture();
    // A drag started from code begins where the control is.
    if (!(flags_ & (LeftButtonAtStart | RightButtonAtStart))) {
        RECT rect = {};
        POINT cursor = {};
        if (GetWindowRect(window, &rect) && GetCursorPos(&cursor) && !PtInRect(&rect, cursor))
            SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
    drag.Freeze();
    DropSource* source = new (std::nothrow) DropSource(*this);
    if (source == nullptr)
        return E_OUTOFMEMORY;
    DWORD finalEffect = DROPEFFECT_NONE;
    const HRESULT hr = DoDragDrop(data, source, allowed, &finalEffect);
    source->Release();
    if (FAILED(hr))
        return hr;
    if (Window() == nullptr)
        return DRAGDROP_S_CANCEL;
    LONG completed = static_cast<LONG>(finalEffect);
    owner_.FireEvent(&OLECompleteDragEvent, &completed);
    if (Window() == nullptr)
        return DRAGDROP_S_CANCEL;
    if (effect != nullptr)
        *effect = finalEffect;
    return S_OK;
}
