// The form as one control's client site shows it (IOleClientSite::GetContainer): the OLE container of
// the form's controls, and the control-enumeration interface answered for the control that asked.
#pragma once

#include "ControlEnumeration.h"

#include <oleidl.h>

namespace korvane::activex {

class ControlSite;

class ContainerView final : public IOleContainer, public IControlEnumeration {
public:
    explicit ContainerView(ControlSite& site) : site_(&site) {}
    void Detach() { site_ = nullptr; }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IParseDisplayName, IOleContainer
    STDMETHODIMP ParseDisplayName(IBindCtx*, LPOLESTR, ULONG*, IMoniker** moniker) override;
    STDMETHODIMP EnumObjects(DWORD flags, IEnumUnknown** objects) override;
    STDMETHODIMP LockContainer(BOOL) override { return S_OK; }

    STDMETHODIMP EnumControls(DWORD containerFlags, DWORD selector, IEnumUnknown** controls) override;

private:
    ~ContainerView() = default;
    ControlSite* site_;
    LONG references_ = 1;
};

} // namespace korvane::activex
