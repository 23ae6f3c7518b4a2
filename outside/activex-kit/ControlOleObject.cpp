// IOleObject: the control's embedding in its container.
#include "ControlObject.h"

namespace korvane::kit {

STDMETHODIMP ControlObject::SetClientSite(IOleClientSite* site)
{
    controlSite_ = nullptr;
    clientSite_ = com::ComPtr<IOleClientSite>(site);
    if (clientSite_)
        clientSite_->QueryInterface(IID_IOleControlSite, controlSite_.PutVoid());  // optional for a container
    else
        inPlaceSite_ = nullptr;
    return S_OK;
}

STDMETHODIMP ControlObject::GetClientSite(IOleClientSite** site)
{
    return clientSite_.CopyTo(site);
}

STDMETHODIMP ControlObject::Close(DWORD)
{
    // Nothing is saved on close: the container keeps the state it loaded.
    HRESULT hr = InPlaceDeactivate();
    events_.UnadviseAll();
    return hr;
}

STDMETHODIMP ControlObject::GetMoniker(DWORD, DWORD, IMoniker** moniker)
{
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ControlObject::GetClipboardData(DWORD, IDataObject** data)
{
    if (data)
        *data = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ControlObject::DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT)
{
    switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE:
        return InPlaceActivate(verb);
    case OLEIVERB_HIDE:
        UIDeactivate();
        if (window_)
            ShowWindow(window_, SW_HIDE);
        return S_OK;
    default:
        return verb > 0 ? OLEOBJ_S_INVALIDVERB : E_NOTIMPL;
    }
}

STDMETHODIMP ControlObject::SetExtent(DWORD aspect, SIZEL* size)
{
    if (!(aspect & DVASPECT_CONTENT))
        return DV_E_DVASPECT;
    if (!size)
        return E_POINTER;
    extent_ = *size;
    return S_OK;
}

STDMETHODIMP ControlObject::GetExtent(DWORD aspect, SIZEL* size)
{
    if (!(aspect & DVASPECT_CONTENT))
        return DV_E_DVASPECT;
    if (!size)
        return E_POINTER;
    *size = extent_;
    return S_OK;
}

STDMETHODIMP ControlObject::EnumAdvise(IEnumSTATDATA** advise)
{
    if (advise)
        *advise = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ControlObject::GetMiscStatus(DWORD aspect, DWORD* status)
{
    if (!status)
        return E_POINTER;
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    *status = class_.miscStatus;
    return S_OK;
}

} // namespace korvane::kit
