// IOleClientSite: the control's link to the form. The form is never saved from here and has no moniker.
#include "ContainerView.h"
#include "ControlSite.h"

namespace korvane::activex {

STDMETHODIMP ControlSite::GetMoniker(DWORD, DWORD, IMoniker** moniker)
{
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ControlSite::GetContainer(IOleContainer** container)
{
    if (!container)
        return E_POINTER;
    *container = nullptr;
    if (!containerView_)
        return E_NOINTERFACE;
    *container = containerView_.Get();
    (*container)->AddRef();
    return S_OK;
}

} // namespace korvane::activex
