// Enumerates the names of a file-name list as VT_BSTR VARIANTs, over a copy of the list taken when the
// enumerator is made.
#pragma once
#include "UnknownObject.h"

#include <oaidl.h>

class VariantEnumerator final : public UnknownObject, public IEnumVARIANT {
public:
    // An enumerator over the first `count` names of the BSTR array `names` (may be null when count is
    // 0), handed out as IUnknown.
    static HRESULT Create(SAFEARRAY* names, LONG count, IUnknown** enumerator);

    HRESULT InternalQueryInterface(REFIID riid, void** object) override;

    DECLARE_DELEGATING_UNKNOWN()
    STDMETHOD(Next)(ULONG requested, VARIANT* elements, ULONG* fetched) override;
    STDMETHOD(Skip)(ULONG count) override;
    STDMETHOD(Reset)() override;
    STDMETHOD(Clone)(IEnumVARIANT** clone) override;

private:
    VariantEnumerator(SAFEARRAY* names, LONG lowerBound, LONG count, LONG position);
    ~VariantEnumerator() override;
    static HRESULT Make(SAFEARRAY* source, LONG count, LONG position, VariantEnumerator** made);

    SAFEARRAY* names_;   // owned copy; null when there are no names
    LONG lowerBound_;
    LONG count_;
    LONG position_;      // 0-based, relative to the lower bound
};
