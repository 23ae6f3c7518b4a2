// The sink a form connects to a control's event interface: every event the control fires arrives here
// by DISPID and goes, with its name from the control's type information, to the control's site.
#pragma once

#include "com/ComPtr.h"

#include <oaidl.h>

namespace korvane::activex {

class ControlSite;

class ControlEventSink final : public IDispatch {
public:
    ControlEventSink(ControlSite& site, const IID& eventsIid, com::ComPtr<ITypeInfo> eventsInfo)
        : site_(&site), eventsIid_(eventsIid), eventsInfo_(std::move(eventsInfo))
    {
    }
    void Detach() { site_ = nullptr; }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override;

private:
    ~ControlEventSink() = default;
    ControlSite* site_;
    IID eventsIid_;
    com::ComPtr<ITypeInfo> eventsInfo_;
    LONG references_ = 1;
};

} // namespace korvane::activex
