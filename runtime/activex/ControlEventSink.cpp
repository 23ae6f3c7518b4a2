#include "ControlEventSink.h"

#include "ControlSite.h"
#include "com/Variant.h"

namespace korvane::activex {

STDMETHODIMP ControlEventSink::QueryInterface(REFIID iid, void** out)
{
    return com::AnswerQuery(iid, out, {{&IID_IUnknown, this}, {&IID_IDispatch, this}, {&eventsIid_, this}});
}

STDMETHODIMP ControlEventSink::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 1;
    return S_OK;
}

STDMETHODIMP ControlEventSink::GetTypeInfo(UINT index, LCID, ITypeInfo** info)
{
    if (!info)
        return E_POINTER;
    *info = nullptr;
    return index == 0 ? eventsInfo_.CopyTo(info) : DISP_E_BADINDEX;
}

STDMETHODIMP ControlEventSink::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    return eventsInfo_->GetIDsOfNames(names, count, ids);
}

STDMETHODIMP ControlEventSink::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                                      EXCEPINFO*, UINT*)
{
    if (result)
        VariantInit(result);
    if (!site_)
        return S_OK;  // an event after the form unloaded the control goes nowhere
    com::Bstr name;
    UINT found = 0;
    std::string eventName;
    if (SUCCEEDED(eventsInfo_->GetNames(dispid, name.Put(), 1, &found)) && found == 1)
        eventName = com::Narrow(name.Text());
    EventArguments arguments(params ? params->rgvarg : nullptr, params ? params->cArgs : 0);
    // The site can go while its handler runs (a handler that unloads the form); it stays alive here.
    com::ComPtr<ControlSite> site(site_);
    site->RouteEvent(dispid, eventName, arguments);
    return S_OK;
}

} // namespace korvane::activex
