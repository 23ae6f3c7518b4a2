// IOleObject of the control: its site, closing, verbs, extent, advise and OLEMISC status.
#include "ComReference.h"
#include "ReleaseInterface.h"
#include "WideText.h"
#include "Himetric.h"
#include "LibraryLocale.h"
#include "Module.h"
#include "SatelliteResources.h"
#include "OleControl.h"
#include "StandardEnum.h"

#include <cstring>
#include <initializer_list>

namespace {

constexpr UINT PropertiesVerbNameId = 1000;
constexpr LONG PropertiesVerb = 1;

// Copies one verb out of the verb enumerator: the name becomes the caller's task-allocated string;
// a name below 65536 is the number of a string resource.
void CopyVerb(void* destination, const void* source, ULONG size)
{
    auto* to = static_cast<OLEVERB*>(destination);
    const auto* from = static_cast<const OLEVERB*>(source);
    std::memcpy(to, from, size);
    to->lpszVerbName = nullptr;
    if (from->lpszVerbName == nullptr)
        return;
    if (IS_INTRESOURCE(from->lpszVerbName)) {
        // From the resource module of the container's locale, settled when the list was made.
        char text[512] = "";
        const UINT id = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(from->lpszVerbName));
        if (LoadStringA(GetResourceInstance(LibraryLocale::Current()), id, text, sizeof(text)) > 0)
            to->lpszVerbName = AnsiToWideString(text, WideStringKind::TaskMemory);
    } else
        to->lpszVerbName = CopyWideString(from->lpszVerbName, WideStringKind::TaskMemory);
}

} // namespace

HRESULT STDMETHODCALLTYPE OleControl::OleObjectPart::SetClientSite(IOleClientSite* site)
{
    // The new site is held before the old one goes: the old site may hold the last reference to the
    // new one.
    if (site != nullptr)
        site->AddRef();
    ReleaseInterface(control.clientSite_);
    ReleaseInterface(control.controlSite_);
    ReleaseInterface(control.simpleFrameSite_);
    control.clientSite_ = site;
    // Whatever was learnt from the old container does not hold for the new one.
    ReleaseInterface(control.ambientDispatch_);
    control.ambientFlags_ &= ~(AmbientMessageReflectRead | AmbientUserModeRead | AmbientUserMode);
    control.ambientFlags_ |= AmbientContainerReflects;
    if (site != nullptr) {
        if (FAILED(site->QueryInterface(IID_IOleControlSite, reinterpret_cast<void**>(&control.controlSite_))))
            control.controlSite_ = nullptr;
        if ((control.ControlRow().miscStatus & OLEMISC_SIMPLEFRAME) &&
            FAILED(site->QueryInterface(IID_ISimpleFrameSite, reinterpret_cast<void**>(&control.simpleFrameSite_))))
            control.simpleFrameSite_ = nullptr;
        // The in-place sites of the old container go with it; the next activation asks the new one.
        control.ForgetInPlaceSites();
    } else {
        ReleaseInterface(control.inPlaceSite_);
        ReleaseInterface(control.windowlessSite_);
    }
    return control.OnSetClientSite();
}

HRESULT STDMETHODCALLTYPE OleControl::OleObjectPart::GetClientSite(IOleClientSite** site)
{
    if (site == nullptr)
        return E_POINTER;
    *site = control.clientSite_;
    if (*site != nullptr)
        (*site)->AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE OleControl::OleObjectPart::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }
HRESULT STDMETHODCALLTYPE OleControl::OleObjectPart::Update() { return S_OK; }
HRESULT STDMETHODCALLTYPE OleControl::OleObjectPart::IsUpToDate() { return S_OK; }
HRESULT STDMETHODCALLTYPE OleControl::OleObjectPart::SetColorScheme(LOGPALETTE*) { return S_OK; }

HRESULT STDMETHODCALLTYPE OleControl::OleObjectPart::Close(DWORD saveOption)
{
    if (control.stateFlags_ & StateInPlaceActive) {
        const HRESULT hr = control.inPlaceObject_.InPlaceDeactivate();
        if (FAILED(hr))
            return hr;
    }
    const bool saveWanted = saveOption == OLECLOSE_SAVEIFDIRTY || saveOption == OLECLOSE_PROMPTSAVE;
    // Without a site there is no one to save to. What the site answers is not Close's answer: the
    // control is deactivated by now, and many sites do not save on request (E_NOTIMPL).
    if (saveWanted && control.IsDirty() && control.clientSite_ != nullptr) {
        control.clientSite_->SaveObject();
        control.SendOnSave();
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE OleControl::OleObjectPart::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE OleControl::OleObjectPart::GetMoniker(DWORD, DWORD, IMoniker** moniker)
{
    if (moniker != nullptr)
        *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE OleControl::OleObjectPart::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE OleControl::OleObjectPart::GetClipboardData(DWORD, IDataObject** data)
{
    if (data != nullptr)
        *data = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE OleControl::OleObjectPart::DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND,
                                                            LPCRECT)
{
    switch (verb) {
    case OLEIVERB_PROPERTIES:
    case OLEIVERB_PRIMARY:
    case PropertiesVerb:
        return control.ShowPropertyPages();
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE:
    case OLEIVERB_SHOW:
        return control.InPlaceActivate(verb);
    case OLEIVERB_HIDE:
        control.inPlaceObject_.UIDeactivate();
        control.ShowControlWindow(FALSE);
        return S_OK;
    default:
        break;
    }
    if (verb < 0)
        return E_NOTIMPL;
    const HRESULT hr = control.DoCustomVerb(verb);
    if (hr != OLEOBJ_S_INVALIDVERB)
        return hr;
    // A verb the control does not know still activates it, as the primary verb would.
    if (SUCCEEDED(control.InPlaceActivate(OLEIVERB_PRIMARY)))
        return OLEOBJ_S_INVALIDVERB;
    return hr;
}

HRESULT OleControl::ShowPropertyPages()
{
    if (controlSite_ != nullptr) {
        const HRESULT hr = controlSite_->ShowPropertyFrame();
        if (hr != E_NOTIMPL)
            return hr;
    }
    const ControlDescriptor& row = ControlRow();
    BSTR caption = AnsiToWideString(row.objectName, WideStringKind::Bstr);
    if (caption == nullptr)
        return E_OUTOFMEMORY;
    CLSID* pages = nullptr;
    if (row.propertyPageCount != 0) {
        pages = static_cast<CLSID*>(CoTaskMemAlloc(sizeof(CLSID) * row.propertyPageCount));
        if (pages == nullptr) {
            SysFreeString(caption);
            return E_OUTOFMEMORY;
        }
        for (UINT i = 0; i < row.propertyPageCount; ++i)
            pages[i] = *row.propertyPages[i];
    }
    SetModalState(TRUE);
    IUnknown* objects[] = {&oleObject_};
    const HRESULT hr = OleCreatePropertyFrame(GetActiveWindow(), GetSystemMetrics(SM_CXSCREEN) / 2,
                                              GetSystemMetrics(SM_CYSCREEN) / 2, caption, 1, objects,
                                              row.propertyPageCount, pages, LibraryLocale::Current(), 0, nullptr);
    SetModalState(FALSE);
    CoTaskMemFree(pages);
    SysFreeString(caption);
    return hr;
}

HRESULT STDMETHODCALLTYPE OleControl::OleObjectPart::EnumVerbs(IEnumOLEVERB** verbs)
{
    if (verbs == nullptr)
        return E_POINTER;
    *verbs = nullptr;
    const ControlDescriptor& row = control.ControlRow();
    const DWORD misc = row.miscStatus;
    const bool standard = !(misc & OLEMISC_INVISIBLEATRUNTIME) || (misc & OLEMISC_ACTIVATEWHENVISIBLE);
    const bool uiActivate = !(misc & OLEMISC_NOUIACTIVATE);
    const bool properties = row.propertyPageCount != 0;
    const UINT count = (standard ? 4u : 0u) + (uiActivate ? 1u : 0u) + (properties ? 1u : 0u) + row.customVerbCount;
    if (count == 0)
        return OLEOBJ_E_NOVERBS;

    auto* list = static_cast<OLEVERB*>(Module::Allocate(sizeof(OLEVERB) * count));
    if (list == nullptr)
        return E_OUTOFMEMORY;
    UINT n = 0;
    if (standard) {
        for (LONG id : {OLEIVERB_SHOW, OLEIVERB_HIDE, OLEIVERB_INPLACEACTIVATE, OLEIVERB_PRIMARY})
            list[n++] = OLEVERB{id, nullptr, 0, 0};
    }
    if (uiActivate)
        list[n++] = OLEVERB{OLEIVERB_UIACTIVATE, nullptr, 0, 0};
    if (properties)
        list[n++] = OLEVERB{PropertiesVerb, MAKEINTRESOURCEW(PropertiesVerbNameId), 0, OLEVERBATTRIB_ONCONTAINERMENU};
    for (UINT i = 0; i < row.customVerbCount; ++i)
        list[n++] = row.customVerbs[i];

    // The enumerator owns the list from here on, whatever the outcome.
    const HRESULT hr = StandardEnum::Create(IID_IEnumOLEVERB, count, sizeof(OLEVERB), list, CopyVerb, nullptr,
                                            nullptr, reinterpret_cast<void**>(verbs));
    if (FAILED(hr)) {
        *verbs = nullptr;
        return hr;
    }
    // The enumerator loads the verb names from the control's resource module: settle it now.
    control.GetResourceInstance();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE OleControl::OleObjectPart::GetUserClassID(CLSID* clsid)
{
    return control.persistStorage_.GetClassID(clsid);
}

HRESULT STDMETHODCALLTYPE OleControl::OleObjectPart::GetUserType(DWORD, LPOLESTR* userType)
{
    if (userType == nullptr)
        return E_POINTER;
    *userType = AnsiToTaskMemWide(control.ControlRow().objectName);
    return *userType != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT STDMETHODCALLTYPE OleControl::OleObjectPart::GetExtent(DWORD aspect, SIZEL* size)
{
    if (!(aspect & DVASPECT_CONTENT))
        return DV_E_DVASPECT;
    if (size == nullptr)
        return E_POINTER;
    PixelsToHimetric(&control.extent_, size);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE OleControl::OleObjectPart::SetExtent(DWORD aspect, SIZEL* size)
{
    if (!(aspect & DVASPECT_CONTENT))
        return DV_E_DVASPECT;
    if (size == nullptr)
        return E_POINTER;
    // A container that answers the position change below by setting the extent again is refused.
    if (control.stateFlags_ & StateInSetExtent)
        return E_FAIL;
    control.stateFlags_ |= StateInSetExtent;
    SIZEL pixels = {};
    HimetricToPixels(size, &pixels);
    const bool accepted = control.OnSetExtent(&pixels) != FALSE;
    if (accepted) {
        control.extent_ = pixels;
        control.ApplyExtent();
    }
    control.stateFlags_ &= ~StateInSetExtent;
    return accepted ? S_OK : E_FAIL;
}

void OleControl::ApplyExtent()
{
    if (windowlessSite_ != nullptr) {
        RECT rect = {};
        GetControlRect(&rect);
        rect.right = rect.left + extent_.cx;
        rect.bottom = rect.top + extent_.cy;
        windowlessSite_->OnPosRectChange(&rect);
        return;
    }
    if (controlWindow_ == nullptr) {
        ViewChanged();
        return;
    }
    if ((stateFlags_ & StateInPlaceActive) && inPlaceSite_ != nullptr) {
        RECT rect = {};
        GetWindowRect(controlWindow_, &rect);
        MapWindowPoints(nullptr, parentWindow_, reinterpret_cast<POINT*>(&rect), 2);
        rect.right = rect.left + extent_.cx;
        rect.bottom = rect.top + extent_.cy;
        inPlaceSite_->OnPosRectChange(&rect);
        if (reflectorWindow_ != nullptr)
            SetWindowPos(reflectorWindow_, nullptr, 0, 0, extent_.cx, extent_.cy,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetWindowPos(controlWindow_, nullptr, 0, 0, extent_.cx, extent_.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HRESULT STDMETHODCALLTYPE OleControl::OleObjectPart::Advise(IAdviseSink* sink, DWORD* connection)
{
    if (control.adviseHolder_ == nullptr) {
        const HRESULT hr = CreateOleAdviseHolder(&control.adviseHolder_);
        if (FAILED(hr)) {
            control.adviseHolder_ = nullptr;
            return hr;
        }
    }
    return control.adviseHolder_->Advise(sink, connection);
}

HRESULT STDMETHODCALLTYPE OleControl::OleObjectPart::Unadvise(DWORD connection)
{
    if (control.adviseHolder_ == nullptr)
        return OLE_E_NOCONNECTION;
    return control.adviseHolder_->Unadvise(connection);
}

HRESULT STDMETHODCALLTYPE OleControl::OleObjectPart::EnumAdvise(IEnumSTATDATA** advise)
{
    if (advise == nullptr)
        return E_POINTER;
    if (control.adviseHolder_ == nullptr) {
        *advise = nullptr;
        return E_FAIL;
    }
    return control.adviseHolder_->EnumAdvise(advise);
}

HRESULT STDMETHODCALLTYPE OleControl::OleObjectPart::GetMiscStatus(DWORD aspect, DWORD* status)
{
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (status == nullptr)
        return E_POINTER;
    *status = control.ControlRow().miscStatus;
    return S_OK;
}

void OleControl::SendOnSave()
{
    if (adviseHolder_ != nullptr)
        adviseHolder_->SendOnSave();
}
