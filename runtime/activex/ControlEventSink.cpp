#include "ControlEventSink.h"

#include "ControlSite.h"
#include "com/Variant.h"

namespace korvane::activex {

STDMETHODIMP ControlEventSink::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, eventsIid_)) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) ControlEventSink::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

STDMETHODIMP_(ULONG) ControlEventSink::Release()
{
    LONG left = InterlockedDecrement(&references_);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
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
