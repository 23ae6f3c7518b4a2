// The control object: construction, the interface map, the framework's hook defaults and the
// routines that work the same with or without a window of the control's own.
#include "OleControl.h"

#include "ComReference.h"
#include "ReleaseInterface.h"
#include "Himetric.h"
#include "LibraryLocale.h"
#include "ReflectorWindow.h"
#include "SatelliteResources.h"

#include <cstring>

namespace {
// Bytes of a variant's value part for the types an ambient is read as (0 for VT_EMPTY and VT_NULL).
size_t VariantValueSize(VARTYPE vartype)
{
    switch (vartype) {
    case VT_I2:
    case VT_BOOL:
        return 2;
    case VT_I4:
    case VT_R4:
    case VT_ERROR:
        return 4;
    case VT_R8:
    case VT_CY:
    case VT_DATE:
        return 8;
    case VT_BSTR:
        return sizeof(BSTR);
    case VT_DISPATCH:
    case VT_UNKNOWN:
        return sizeof(void*);
    case VT_VARIANT:
        return sizeof(VARIANT);
    default:
        return 0;
    }
}
} // namespace

// {00D97180-FCF7-11CE-A09E-00AA0062BE57}
const IID IID_ControlObject = {0x00D97180, 0xFCF7, 0x11CE, {0xA0, 0x9E, 0x00, 0xAA, 0x00, 0x62, 0xBE, 0x57}};

OleControl::OleControl(IUnknown* outer, int row, IDispatch* dispatchInterface)
    : EventSourceObject(outer, row, dispatchInterface),
      oleObject_(*this),
      oleControl_(*this),
      inPlaceObject_(*this),
      inPlaceActiveObject_(*this),
      viewObject_(*this),
      persistPropertyBag_(*this),
      persistStreamInit_(*this),
      persistStorage_(*this),
      propertyPages_(*this),
      provideClassInfo_(*this),
      pointerInactive_(*this),
      quickActivate_(*this)
{
}

OleControl::~OleControl()
{
    if (reflectorWindow_ != nullptr) {
        ReflectorWindow::SetControl(reflectorWindow_, nullptr);
        DestroyWindow(reflectorWindow_);
        reflectorWindow_ = nullptr;
    }
    ReleaseInterface(clientSite_);
    ReleaseInterface(controlSite_);
    ReleaseInterface(inPlaceSite_);
    ReleaseInterface(inPlaceFrame_);
    ReleaseInterface(inPlaceUIWindow_);
    ReleaseInterface(simpleFrameSite_);
    ReleaseInterface(adviseHolder_);
    ReleaseInterface(viewAdviseSink_);
    ReleaseInterface(ambientDispatch_);
    ReleaseInterface(windowlessSite_);
}

ControlDescriptor& OleControl::ControlRow() const
{
    return *ObjectDescriptorTable::Control(DescriptorRow());
}

OleControl* OleControl::FromUnknown(IUnknown* unknown)
{
    if (unknown == nullptr)
        return nullptr;
    void* object = nullptr;
    if (FAILED(unknown->QueryInterface(IID_ControlObject, &object)) || object == nullptr)
        return nullptr;
    auto* control = static_cast<OleControl*>(object);
    control->OuterUnknown()->Release();
    return control;
}

HRESULT OleControl::InternalQueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    struct Entry {
        const IID* iid;
        IUnknown* (*part)(OleControl& control);
    };
    static const Entry interfaces[] = {
        {&IID_IPersistStorage, [](OleControl& c) -> IUnknown* { return &c.persistStorage_; }},
        {&IID_IPersist, [](OleControl& c) -> IUnknown* { return &c.persistStorage_; }},
        {&IID_IViewObject, [](OleControl& c) -> IUnknown* { return &c.viewObject_; }},
        {&IID_IOleObject, [](OleControl& c) -> IUnknown* { return &c.oleObject_; }},
        {&IID_IOleInPlaceObject, [](OleControl& c) -> IUnknown* { return &c.inPlaceObject_; }},
        {&IID_IOleWindow, [](OleControl& c) -> IUnknown* { return &c.inPlaceActiveObject_; }},
        {&IID_IOleInPlaceActiveObject, [](OleControl& c) -> IUnknown* { return &c.inPlaceActiveObject_; }},
        {&IID_IViewObject2, [](OleControl& c) -> IUnknown* { return &c.viewObject_; }},
        {&IID_IOleInPlaceObjectWindowless, [](OleControl& c) -> IUnknown* { return &c.inPlaceObject_; }},
        {&IID_IPersistPropertyBag, [](OleControl& c) -> IUnknown* { return &c.persistPropertyBag_; }},
        {&IID_IViewObjectEx, [](OleControl& c) -> IUnknown* { return &c.viewObject_; }},
        {&IID_IPointerInactive, [](OleControl& c) -> IUnknown* { return &c.pointerInactive_; }},
        {&IID_IPersistStreamInit, [](OleControl& c) -> IUnknown* { return &c.persistStreamInit_; }},
        {&IID_IProvideClassInfo, [](OleControl& c) -> IUnknown* { return &c.provideClassInfo_; }},
        {&IID_IOleControl, [](OleControl& c) -> IUnknown* { return &c.oleControl_; }},
        {&IID_ISpecifyPropertyPages, [](OleControl& c) -> IUnknown* { return &c.propertyPages_; }},
        {&IID_IQuickActivate, [](OleControl& c) -> IUnknown* { return &c.quickActivate_; }},
    };
    for (const Entry& entry : interfaces) {
        // The first 32 bits tell most interfaces apart before the whole identifier is compared.
        if (entry.iid->Data1 == riid.Data1 && IsEqualIID(*entry.iid, riid)) {
            IUnknown* part = entry.part(*this);
            part->AddRef();
            *object = part;
            return S_OK;
        }
    }
    if (IsEqualIID(riid, IID_ControlObject)) {
        // Not an interface: the object itself, for this library's own code.
        OuterUnknown()->AddRef();
        *object = this;
        return S_OK;
    }
    return EventSourceObject::InternalQueryInterface(riid, object);
}

void OleControl::BeforeDestroy()
{
    if (controlWindow_ != nullptr) {
        const HWND window = controlWindow_;
        controlWindow_ = nullptr;
        DestroyWindow(window);
    }
    EventSourceObject::BeforeDestroy();
}

HINSTANCE OleControl::GetResourceInstance()
{
    // The container's locale decides which satellite library serves the strings; it is read once per
    // library until the container says it changed.
    if (!LibraryLocale::IsKnown()) {
        LONG lcid = 0;
        if (GetAmbientProperty(DISPID_AMBIENT_LOCALEID, VT_I4, &lcid))
            LibraryLocale::Set(static_cast<LCID>(lcid));
    }
    return ::GetResourceInstance(LibraryLocale::Current());
}

void OleControl::SetDirty(bool dirty)
{
    if (dirty)
        stateFlags_ |= StateDirty;
    else
        stateFlags_ &= ~StateDirty;
}

// ---- Hook defaults ----

void OleControl::ViewChanged()
{
    if (viewAdviseSink_ == nullptr)
        return;
    viewAdviseSink_->OnViewChange(DVASPECT_CONTENT, -1);
    if (ambientFlags_ & AmbientAdviseOnlyOnce)
        viewObject_.SetAdvise(DVASPECT_CONTENT, 0, nullptr);
}

BOOL OleControl::BeforePaint(HDC) { return TRUE; }
BOOL OleControl::PreSimpleFrameMessage(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
BOOL OleControl::PostSimpleFrameMessage(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
void OleControl::AmbientPropertyChanged(DISPID) {}
BOOL OleControl::BeforeCreateWindow(DWORD*, DWORD*, char*) { return TRUE; }
void OleControl::BeforeDestroyWindow() {}
HRESULT OleControl::DoCustomVerb(LONG) { return OLEOBJ_S_INVALIDVERB; }
BOOL OleControl::OnSetExtent(SIZEL*) { return TRUE; }
BOOL OleControl::OnSpecialKey(MSG*) { return FALSE; }
BOOL OleControl::OnGetPalette(HDC, LOGPALETTE**) { return FALSE; }
HRESULT OleControl::OnQuickActivate(QACONTAINER*, DWORD*) { return S_OK; }
BOOL OleControl::InitializeNewState() { return TRUE; }
BOOL OleControl::AfterCreateWindow() { return TRUE; }
HRESULT OleControl::OnSetClientSite() { return S_OK; }

BOOL OleControl::OnGetRect(DWORD aspect, RECT* pixels)
{
    if (aspect != DVASPECT_CONTENT)
        return FALSE;
    *pixels = positionRect_;
    return TRUE;
}

// ---- Windowless-aware routines ----

bool OleControl::HasFocus()
{
    if (windowlessSite_ != nullptr)
        return windowlessSite_->GetFocus() == S_OK;
    if (controlWindow_ != nullptr && (stateFlags_ & StateInPlaceActive))
        return ::GetFocus() == controlWindow_;
    return false;
}

bool OleControl::HasCapture()
{
    if (windowlessSite_ != nullptr)
        return windowlessSite_->GetCapture() == S_OK;
    if (controlWindow_ != nullptr && (stateFlags_ & StateInPlaceActive))
        return ::GetCapture() == controlWindow_;
    return false;
}

bool OleControl::SetCapture(BOOL take)
{
    if (windowlessSite_ != nullptr)
        return windowlessSite_->SetCapture(take) == S_OK;
    if (take) {
        if (controlWindow_ == nullptr || !(stateFlags_ & StateInPlaceActive))
            return false;
        ::SetCapture(controlWindow_);
        return true;
    }
    if (HasCapture())
        ::ReleaseCapture();
    return true;
}

HDC OleControl::GetDC()
{
    if (windowlessSite_ != nullptr) {
        HDC dc = nullptr;
        if (FAILED(windowlessSite_->GetDC(nullptr, 0, &dc)))
            return nullptr;
        return dc;
    }
    return controlWindow_ != nullptr ? ::GetDC(controlWindow_) : nullptr;
}

void OleControl::ReleaseDC(HDC dc)
{
    if (dc == nullptr)
        return;
    if (windowlessSite_ != nullptr)
        windowlessSite_->ReleaseDC(dc);
    else if (controlWindow_ != nullptr)
        ::ReleaseDC(controlWindow_, dc);
}

bool OleControl::InvalidateRect(const RECT* rect, BOOL erase)
{
    if (windowlessSite_ != nullptr)
        return windowlessSite_->InvalidateRect(rect, erase) == S_OK;
    if ((stateFlags_ & StateInPlaceActive) && controlWindow_ != nullptr)
        return ::InvalidateRect(controlWindow_, rect, erase) != FALSE;
    ViewChanged();
    return true;
}

LRESULT OleControl::DefaultWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (windowlessSite_ != nullptr) {
        LRESULT result = 0;
        windowlessSite_->OnDefWindowMessage(message, wParam, lParam, &result);
        return result;
    }
    if (controlWindow_ != nullptr)
        return DefWindowProcA(controlWindow_, message, wParam, lParam);
    return 0;
}

void OleControl::GetControlRect(RECT* rect)
{
    if (!UsesPositionRect() && controlWindow_ != nullptr && GetWindowRect(controlWindow_, rect))
        return;
    *rect = positionRect_;
}

void OleControl::InvalidateControl(const RECT* rect)
{
    if (stateFlags_ & StateInPlaceActive)
        InvalidateRect(rect, TRUE);
    else
        ViewChanged();
}

bool OleControl::SetControlSize(const SIZEL& pixels)
{
    SIZEL himetric = {};
    PixelsToHimetric(&pixels, &himetric);
    return SUCCEEDED(oleObject_.SetExtent(DVASPECT_CONTENT, &himetric));
}

void OleControl::SetModalState(BOOL modal)
{
    if (inPlaceFrame_ != nullptr)
        inPlaceFrame_->EnableModeless(!modal);
}

// ---- Ambient properties ----

bool OleControl::GetAmbientProperty(DISPID dispid, VARTYPE vartype, void* buffer)
{
    if (clientSite_ == nullptr)
        return false;
    if (ambientDispatch_ == nullptr &&
        FAILED(clientSite_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ambientDispatch_)))) {
        ambientDispatch_ = nullptr;
        return false;
    }
    VARIANT value;
    VariantInit(&value);
    DISPPARAMS noArguments = {nullptr, nullptr, 0, 0};
    if (FAILED(ambientDispatch_->Invoke(dispid, IID_NULL, 0, DISPATCH_PROPERTYGET, &noArguments, &value, nullptr,
                                        nullptr))) {
        VariantClear(&value);
        return false;
    }
    // The conversion goes into a variant of its own: the value handed to the caller must not be the
    // one cleared here.
    VARIANT converted;
    VariantInit(&converted);
    if (vartype == VT_VARIANT) {
        // Handed over whole: nothing is left in `value` to clear.
        converted = value;
        VariantInit(&value);
    } else {
        const bool ok = SUCCEEDED(VariantChangeType(&converted, &value, 0, vartype));
        VariantClear(&value);
        if (!ok)
            return false;
    }
    const size_t size = VariantValueSize(vartype);
    if (vartype == VT_VARIANT)
        std::memcpy(buffer, &converted, sizeof(VARIANT));
    else if (size != 0)
        std::memcpy(buffer, &converted.lVal, size);
    return true;
}

bool OleControl::GetAmbientFont(IFont** font)
{
    *font = nullptr;
    IDispatch* dispatch = nullptr;
    if (!GetAmbientProperty(DISPID_AMBIENT_FONT, VT_DISPATCH, &dispatch) || dispatch == nullptr)
        return false;
    const HRESULT hr = dispatch->QueryInterface(IID_IFont, reinterpret_cast<void**>(font));
    dispatch->Release();
    if (FAILED(hr))
        *font = nullptr;
    return *font != nullptr;
}

bool OleControl::DesignMode()
{
    if (ambientFlags_ & AmbientUserModeRead)
        return !(ambientFlags_ & AmbientUserMode);
    VARIANT_BOOL userMode = VARIANT_TRUE;
    // No container, no ambient dispatch or no such ambient: run time, asked again next time.
    if (!GetAmbientProperty(DISPID_AMBIENT_USERMODE, VT_BOOL, &userMode))
        return false;
    ambientFlags_ |= AmbientUserModeRead;
    if (userMode != VARIANT_FALSE)
        ambientFlags_ |= AmbientUserMode;
    else
        ambientFlags_ &= ~AmbientUserMode;
    return userMode == VARIANT_FALSE;
}
