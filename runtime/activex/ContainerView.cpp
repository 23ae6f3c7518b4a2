#include "ContainerView.h"

#include "ControlContainer.h"
#include "ControlSite.h"
#include "UnknownEnumerator.h"

namespace korvane::activex {

STDMETHODIMP ContainerView::QueryInterface(REFIID iid, void** out)
{
    IOleContainer* container = this;
    IControlEnumeration* enumeration = this;
    return com::AnswerQuery(iid, out,
                            {{&IID_IUnknown, container}, {&IID_IParseDisplayName, container}, {&IID_IOleContainer, container},
                             {&__uuidof(IControlEnumeration), enumeration}});
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
