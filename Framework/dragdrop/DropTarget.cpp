#include "DropTarget.h"

#include "DragDropEvents.h"
#include "DragDropManager.h"
#include "DragEventScopes.h"
#include "Himetric.h"
#include "OleControl.h"
#include "QvDataObject.h"

namespace {

struct KeyBit {
    DWORD key;
    short value;
};

// The State argument of OLEDragOver.
constexpr short StateEnter = 0;
constexpr short StateLeave = 1;
constexpr short StateOver = 2;

const KeyBit ButtonBits[] = {{MK_LBUTTON, 1}, {MK_RBUTTON, 2}, {MK_MBUTTON, 4}};
const KeyBit ShiftBits[] = {{MK_SHIFT, 1}, {MK_CONTROL, 2}, {MK_ALT, 4}};

template <size_t Count>
short Sum(const KeyBit (&bits)[Count], DWORD keyState)
{
    short sum = 0;
    for (const KeyBit& bit : bits) {
        if (keyState & bit.key)
            sum = static_cast<short>(sum | bit.value);
    }
    return sum;
}

} // namespace

short DropTarget::ButtonOf(DWORD keyState)
{
    return Sum(ButtonBits, keyState);
}

short DropTarget::ShiftOf(DWORD keyState)
{
    return Sum(ShiftBits, keyState);
}

HRESULT STDMETHODCALLTYPE DropTarget::QueryInterface(REFIID riid, void** object)
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

ULONG STDMETHODCALLTYPE DropTarget::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&count_));
}

ULONG STDMETHODCALLTYPE DropTarget::Release()
{
    const LONG count = InterlockedDecrement(&count_);
    if (count == 0)
        delete this;
    return static_cast<ULONG>(count);
}

HRESULT DropTarget::WindowResult() const
{
    return manager_ != nullptr && manager_->Window() != nullptr ? S_OK : E_UNEXPECTED;
}

void DropTarget::EventPosition(POINTL screen, float* x, float* y) const
{
    *x = 0;
    *y = 0;
    const HWND window = manager_->Window();
    if (window == nullptr)
        return;
    POINT client = {screen.x, screen.y};
    ScreenToClient(window, &client);
    const SIZEL pixels = {client.x, client.y};
    SIZEL himetric = {};
    PixelsToHimetric(&pixels, &himetric);
    POINTL position = {himetric.cx, himetric.cy};
    POINTF units = {static_cast<float>(himetric.cx), static_cast<float>(himetric.cy)};
    // The host reads positions in its own units; a site that cannot convert gets HIMETRIC.
    IOleControlSite* site = manager_->owner_.ControlSite();
    POINTF converted = {};
    if (site != nullptr &&
        SUCCEEDED(site->TransformCoords(&position, &converted, XFORMCOORDS_POSITION | XFORMCOORDS_HIMETRICTOCONTAINER)))
        units = converted;
    *x = units.x;
    *y = units.y;
}

DWORD DropTarget::FireDragEvent(const EventDescriptor& event, DWORD keyState, const POINTL* point, DWORD offered,
                                short state)
{
    // Automatic dropping would be a handler's; the controls have none, so nothing is taken and a
    // source is never told that data it may delete arrived.
    if (manager_->GetOLEDropMode() != DragDropManager::DropManual)
        return DROPEFFECT_NONE;
    LONG effect = static_cast<LONG>(offered);
    short button = ButtonOf(keyState);
    short shift = ShiftOf(keyState);
    float x = 0;
    float y = 0;
    if (point != nullptr)
        EventPosition(*point, &x, &y);
    EventData data(manager_->incoming_.Get());
    // OLEDragDrop has no State: the last argument goes unread.
    manager_->owner_.FireEvent(&event, data.Slot(), &effect, &button, &shift, &x, &y, &state);
    return static_cast<DWORD>(effect) & offered;
}

HRESULT STDMETHODCALLTYPE DropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect)
{
    if (effect == nullptr)
        return E_INVALIDARG;
    const DWORD offered = *effect;
    *effect = DROPEFFECT_NONE;
    if (manager_ == nullptr)
        return E_UNEXPECTED;
    if (data == nullptr)
        return E_INVALIDARG;
    const ControlHold hold(manager_->Control());
    keyState_ = keyState;
    manager_->incoming_.Reset();
    const HRESULT hr = QvDataObject::CreateIncoming(*data, *manager_, manager_->incoming_.Out());
    if (FAILED(hr))
        return hr;
    *effect = FireDragEvent(OLEDragOverEvent, keyState, &point, offered, StateEnter);
    return WindowResult();
}

HRESULT STDMETHODCALLTYPE DropTarget::DragOver(DWORD keyState, POINTL point, DWORD* effect)
{
    if (effect == nullptr)
        return E_INVALIDARG;
    const DWORD offered = *effect;
    *effect = DROPEFFECT_NONE;
    if (manager_ == nullptr)
        return E_UNEXPECTED;
    const ControlHold hold(manager_->Control());
    // DragLeave reports the buttons of the last move.
    keyState_ = keyState;
    *effect = FireDragEvent(OLEDragOverEvent, keyState, &point, offered, StateOver);
    return WindowResult();
}

HRESULT STDMETHODCALLTYPE DropTarget::DragLeave()
{
    if (manager_ == nullptr)
        return S_OK;
    const ControlHold hold(manager_->Control());
    // No effect, the buttons of the last move, no position.
    FireDragEvent(OLEDragOverEvent, keyState_, nullptr, DROPEFFECT_NONE, StateLeave);
    manager_->incoming_.Reset();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DropTarget::Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect)
{
    if (effect == nullptr)
        return E_INVALIDARG;
    const DWORD offered = *effect;
    *effect = DROPEFFECT_NONE;
    if (manager_ == nullptr)
        return E_UNEXPECTED;
    const ControlHold hold(manager_->Control());
    keyState_ = keyState;
    if (!manager_->incoming_ && data != nullptr) {
        const HRESULT hr = QvDataObject::CreateIncoming(*data, *manager_, manager_->incoming_.Out());
        if (FAILED(hr))
            return hr;
    }
    // Like the moves, a drop can only take effects away from those offered.
    *effect = FireDragEvent(OLEDragDropEvent, keyState, &point, offered, StateOver);
    manager_->incoming_.Reset();
    return WindowResult();
}
