// The extender of a hosted control: the properties the form adds to every control (Name, Visible,
// Left, Top, Width and Height in twips, Index in a control array, Align) and the SetFocus method. Names
// it does not know go to the control itself, so the extender stands for the whole control to late-bound
// callers. It also answers the control-enumeration interface for its control.
#pragma once

#include "ControlEnumeration.h"

#include <oaidl.h>

namespace korvane::activex {

class ControlSite;

class ControlExtender final : public IDispatch, public IControlEnumeration {
public:
    explicit ControlExtender(ControlSite& site) : site_(&site) {}
    // The site is going: later calls find no control.
    void Detach() { site_ = nullptr; }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override;

    STDMETHODIMP EnumControls(DWORD containerFlags, DWORD selector, IEnumUnknown** controls) override;

private:
    struct Member;
    static const Member kMembers[];
    static const Member* MemberNamed(const wchar_t* name);
    static const Member* MemberWithId(DISPID dispid);

    ~ControlExtender() = default;
    HRESULT GetName(VARIANT& result);
    HRESULT GetVisible(VARIANT& result);
    HRESULT PutVisible(const VARIANT& value);
    HRESULT GetLeft(VARIANT& result);
    HRESULT PutLeft(const VARIANT& value);
    HRESULT GetTop(VARIANT& result);
    HRESULT PutTop(const VARIANT& value);
    HRESULT GetWidth(VARIANT& result);
    HRESULT PutWidth(const VARIANT& value);
    HRESULT GetHeight(VARIANT& result);
    HRESULT PutHeight(const VARIANT& value);
    HRESULT GetIndex(VARIANT& result);
    HRESULT GetAlign(VARIANT& result);
    HRESULT CallSetFocus();
    HRESULT MoveEdge(const VARIANT& twips, LONG RECT::*edge, LONG RECT::*opposite, bool keepSize, int dpi);

    ControlSite* site_;
    LONG references_ = 1;
};

} // namespace korvane::activex
