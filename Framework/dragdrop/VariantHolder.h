// Owns one VARIANT and clears it when it goes out of scope.
#pragma once
#include <windows.h>
#include <oleauto.h>

class VariantHolder {
public:
    VariantHolder() { VariantInit(&value_); }
    ~VariantHolder() { VariantClear(&value_); }
    VariantHolder(const VariantHolder&) = delete;
    VariantHolder& operator=(const VariantHolder&) = delete;

    VARIANT* operator&() { return &value_; }
    VARIANT& Get() { return value_; }
    // Hands the value to the caller, leaving this one empty.
    void MoveTo(VARIANT* destination)
    {
        *destination = value_;
        VariantInit(&value_);
    }

private:
    VARIANT value_;
};

// An optional argument the caller left out.
inline bool IsMissingArgument(const VARIANT& value)
{
    return V_VT(&value) == VT_ERROR && V_ERROR(&value) == DISP_E_PARAMNOTFOUND;
}

// Marks a VARIANT as "missing": data still to be supplied.
inline void SetMissingArgument(VARIANT* value)
{
    VariantInit(value);
    V_VT(value) = VT_ERROR;
    V_ERROR(value) = DISP_E_PARAMNOTFOUND;
}
