// Owning wrappers of the automation value types: a VARIANT cleared when it goes, and a BSTR freed.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <utility>

namespace korvane::com {

class Variant {
public:
    Variant() { VariantInit(&value_); }
    Variant(const VARIANT& other) : Variant() { VariantCopy(&value_, const_cast<VARIANT*>(&other)); }
    Variant(const Variant& other) : Variant(other.value_) {}
    Variant(Variant&& other) noexcept : Variant() { std::swap(value_, other.value_); }
    ~Variant() { VariantClear(&value_); }
    Variant& operator=(Variant other) noexcept
    {
        std::swap(value_, other.value_);
        return *this;
    }

    static Variant Bool(bool value)
    {
        Variant v;
        v.value_.vt = VT_BOOL;
        v.value_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
        return v;
    }
    static Variant Int16(short value)
    {
        Variant v;
        v.value_.vt = VT_I2;
        v.value_.iVal = value;
        return v;
    }
    static Variant Int32(long value)
    {
        Variant v;
        v.value_.vt = VT_I4;
        v.value_.lVal = value;
        return v;
    }
    static Variant Single(float value)
    {
        Variant v;
        v.value_.vt = VT_R4;
        v.value_.fltVal = value;
        return v;
    }
    static Variant Double(double value)
    {
        Variant v;
        v.value_.vt = VT_R8;
        v.value_.dblVal = value;
        return v;
    }
    static Variant Text(const std::wstring& value)
    {
        Variant v;
        v.value_.vt = VT_BSTR;
        v.value_.bstrVal = SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
        return v;
    }

    VARIANT* operator&() { return &value_; }
    const VARIANT& Get() const { return value_; }
    VARIANT& Get() { return value_; }
    VARTYPE Type() const { return value_.vt; }
    void Clear() { VariantClear(&value_); }

    // The value converted to a type; false when it cannot be.
    bool ConvertTo(VARTYPE type, Variant& out) const
    {
        Variant result;
        if (FAILED(VariantChangeType(&result.value_, const_cast<VARIANT*>(&value_), 0, type)))
            return false;
        out = std::move(result);
        return true;
    }
    long AsInt32(long fallback = 0) const
    {
        Variant v;
        return ConvertTo(VT_I4, v) ? v.value_.lVal : fallback;
    }
    double AsDouble(double fallback = 0) const
    {
        Variant v;
        return ConvertTo(VT_R8, v) ? v.value_.dblVal : fallback;
    }
    bool AsBool(bool fallback = false) const
    {
        Variant v;
        return ConvertTo(VT_BOOL, v) ? v.value_.boolVal != VARIANT_FALSE : fallback;
    }
    std::wstring AsText() const
    {
        Variant v;
        if (!ConvertTo(VT_BSTR, v) || !v.value_.bstrVal)
            return {};
        return std::wstring(v.value_.bstrVal, SysStringLen(v.value_.bstrVal));
    }

private:
    VARIANT value_;
};

class Bstr {
public:
    Bstr() = default;
    explicit Bstr(const std::wstring& text) : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(text_); }

    BSTR Get() const { return text_; }
    BSTR* Put()
    {
        SysFreeString(text_);
        text_ = nullptr;
        return &text_;
    }
    std::wstring Text() const { return text_ ? std::wstring(text_, SysStringLen(text_)) : std::wstring(); }

private:
    BSTR text_ = nullptr;
};

// ANSI text of the program and wide text of the COM interfaces.
std::wstring Widen(const std::string& text);
std::string Narrow(const std::wstring& text);

} // namespace korvane::com
