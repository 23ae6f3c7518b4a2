#include "ContainerView.h"

#include "ControlContainer.h"
#include "ControlSite.h"
#include "UnknownEnumerator.h"

namespace korvane::activex {

STDMETHODIMP ContainerView::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IParseDisplayName) || IsEqualIID(iid, IID_IOleContainer))
        *out = static_cast<IOleContainer*>(this);
    else if (IsEqualIID(iid, __uuidof(IControlEnumeration)))
        *out = static_cast<IControlEnumeration*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) ContainerView::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

STDMETHODIMP_(ULONG) ContainerView::Release()
{
    LONG left = InterlockedDecrement(&references_);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP ContainerView::ParseDisplayName(IBindCtx*, LPOLESTR, ULONG*, IMoniker** moniker)
{
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ContainerView::EnumObjects(DWORD flags, IEnumUnknown** objects)
{
    if (!objects)
        return E_POINTER;
    *objects = nullptr;
    if (!site_ || !site_->Container())
        return E_UNEXPECTED;
    std::vector<com::ComPtr<IUnknown>> all;
    if (flags & OLECONTF_EMBEDDINGS)
        for (const auto& control : site_->Container()->Controls())
            if (control->Object())
                all.emplace_back(control->Object());
    *objects = new UnknownEnumerator(std::move(all));
    return S_OK;
}

STDMETHODIMP ContainerView::EnumControls(DWORD containerFlags, DWORD selector, IEnumUnknown** controls)
{
    return EnumerateControlsFor(site_, containerFlags, selector, controls);
}

} // namespace korvane::activex
