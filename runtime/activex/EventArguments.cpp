#include "ControlEvents.h"

namespace korvane::activex {

bool EventArguments::IsByReference(size_t index) const
{
    return index < count_ && (At(index).vt & VT_BYREF) != 0;
}

com::Variant EventArguments::Get(size_t index) const
{
    com::Variant value;
    if (index >= count_)
        return value;
    VARIANTARG& argument = At(index);
    if (argument.vt & VT_BYREF) {
        if (argument.vt == (VT_BYREF | VT_VARIANT))
            return com::Variant(*argument.pvarVal);
        // A by-reference value copied out: the same type without VT_BYREF.
        VariantCopyInd(&value.Get(), &argument);
        return value;
    }
    return com::Variant(argument);
}

HRESULT EventArguments::Set(size_t index, const com::Variant& value)
{
    if (index >= count_ || !IsByReference(index))
        return E_INVALIDARG;
    VARIANTARG& argument = At(index);
    if (argument.vt == (VT_BYREF | VT_VARIANT))
        return VariantCopy(argument.pvarVal, const_cast<VARIANT*>(&value.Get()));
    const VARTYPE target = static_cast<VARTYPE>(argument.vt & ~VT_BYREF);
    com::Variant converted;
    if (!value.ConvertTo(target, converted))
        return DISP_E_TYPEMISMATCH;
    const VARIANT& v = converted.Get();
    switch (target) {
    case VT_I2: *argument.piVal = v.iVal; return S_OK;
    case VT_I4: *argument.plVal = v.lVal; return S_OK;
    case VT_R4: *argument.pfltVal = v.fltVal; return S_OK;
    case VT_R8: *argument.pdblVal = v.dblVal; return S_OK;
    case VT_BOOL: *argument.pboolVal = v.boolVal; return S_OK;
    case VT_UI1: *argument.pbVal = v.bVal; return S_OK;
    case VT_BSTR: {
        BSTR copy = SysAllocStringLen(v.bstrVal, SysStringLen(v.bstrVal));
        if (!copy && v.bstrVal)
            return E_OUTOFMEMORY;
        SysFreeString(*argument.pbstrVal);
        *argument.pbstrVal = copy;
        return S_OK;
    }
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

} // namespace korvane::activex
