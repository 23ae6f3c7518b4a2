#include "DragDropManager.h"

#include "ControlErrorCodes.h"
#include "OleControl.h"

#include <new>

namespace {

constexpr DWORD DragModeMask = 0x030;
constexpr int DragModeShift = 4;
constexpr DWORD DropModeMask = 0x0C0;
constexpr int DropModeShift = 6;
// The help context of the drop mode's range error.
constexpr DWORD DropModeHelpContext = 380;

// A drop target that takes nothing: every drag over the control shows no effect.
class RefusingDropTarget : public IDropTarget {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override
    {
        if (object == nullptr)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
            *object = static_cast<IDropTarget*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&count_); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG count = InterlockedDecrement(&count_);
        if (count == 0)
            delete this;
        return count;
    }
    STDMETHODIMP DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override { return NoEffect(effect); }
    STDMETHODIMP DragOver(DWORD, POINTL, DWORD* effect) override { return NoEffect(effect); }
    STDMETHODIMP DragLeave() override { return S_OK; }
    STDMETHODIMP Drop(IDataObject*, DWORD, POINTL, DWORD* effect) override { return NoEffect(effect); }

private:
    static HRESULT NoEffect(DWORD* effect)
    {
        if (effect == nullptr)
            return E_INVALIDARG;
        *effect = DROPEFFECT_NONE;
        return S_OK;
    }
    volatile LONG count_ = 1;
};

} // namespace

DragDropManager::DragDropManager(OleControl& owner, DWORD supported) : owner_(owner), flags_(supported) {}

DragDropManager::~DragDropManager()
{
    if ((flags_ & Registered) && registeredWindow_ != nullptr)
        RevokeDragDrop(registeredWindow_);
}

void DragDropManager::SetMode(DWORD mask, int shift, short value)
{
    flags_ = (flags_ & ~mask) | ((static_cast<DWORD>(value) << shift) & mask);
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
    SetMode(DropModeMask, DropModeShift, value);
}

HRESULT DragDropManager::PutOLEDropMode(short value)
{
    if (!(flags_ & DropModeSupported))
        return S_OK;
    const short highest = (flags_ & AutomaticDropAllowed) ? 2 : 1;
    if (value < 0 || value > highest)
        return owner_.RaiseError(ControlErrorCodes::InvalidPropertyValue.hr,
                                 ControlErrorCodes::InvalidPropertyValue.stringId, DropModeHelpContext);
    if (value != GetOLEDropMode()) {
        SetOLEDropMode(value);
        RegisterDropTarget(value > 0);
    }
    return S_OK;
}

HRESULT DragDropManager::SaveModes(IPropertyBag* bag, BOOL saveAll)
{
    struct Mode {
        DWORD supported;
        const wchar_t* name;
        short value;
    };
    const Mode modes[] = {
        {DragModeSupported, L"OLEDragMode", GetOLEDragMode()},
        {DropModeSupported, L"OLEDropMode", GetOLEDropMode()},
    };
    for (const Mode& mode : modes) {
        if (!(flags_ & mode.supported) || (mode.value == 0 && !saveAll))
            continue;
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_I2;
        value.iVal = mode.value;
        const HRESULT hr = bag->Write(mode.name, &value);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

void DragDropManager::LoadModes(IPropertyBag* bag, IErrorLog* errorLog)
{
    struct Mode {
        DWORD supported;
        const wchar_t* name;
        DWORD mask;
        int shift;
    };
    const Mode modes[] = {
        {DragModeSupported, L"OLEDragMode", DragModeMask, DragModeShift},
        {DropModeSupported, L"OLEDropMode", DropModeMask, DropModeShift},
    };
    for (const Mode& mode : modes) {
        if (!(flags_ & mode.supported))
            continue;
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_I2;
        HRESULT hr = bag->Read(mode.name, &value, errorLog);
        if (SUCCEEDED(hr) && value.vt != VT_I2)
            hr = VariantChangeType(&value, &value, 0, VT_I2);
        SetMode(mode.mask, mode.shift, SUCCEEDED(hr) ? value.iVal : 0);
        VariantClear(&value);
    }
}

HRESULT DragDropManager::RegisterDropTarget(bool enable)
{
    if (owner_.DesignMode())
        return S_OK;
    HWND window = owner_.ControlWindow();
    HRESULT hr = S_OK;
    if (enable && window != nullptr && GetOLEDropMode() > 0 && !(flags_ & Registered)) {
        if (!dropTarget_) {
            *dropTarget_.Out() = new (std::nothrow) RefusingDropTarget();
            if (!dropTarget_)
                return E_OUTOFMEMORY;
        }
        hr = ::RegisterDragDrop(window, dropTarget_.Get());
        if (SUCCEEDED(hr)) {
            flags_ |= Registered;
            registeredWindow_ = window;
        }
    } else if ((!enable || GetOLEDropMode() == 0) && (flags_ & Registered)) {
        flags_ &= ~Registered;
        hr = ::RevokeDragDrop(registeredWindow_);
        registeredWindow_ = nullptr;
    }
    if (!(flags_ & Registered))
        dropTarget_.Reset();
    return hr;
}
