#include "PropertyTable.h"

#include <oleauto.h>

#include <cstring>
#include <cwchar>

namespace {

// The low `size` bytes of a 32-bit value.
DWORD Truncated(DWORD value, DWORD size)
{
    return size >= 4 ? value : value & ((1u << (size * 8)) - 1);
}

void StoreValue(const PropertyTableRow& row, DWORD value, void* block)
{
    std::memcpy(static_cast<BYTE*>(block) + row.offset, &value, row.size);
}

// The bag's value as the row's 32-bit value; false when the variant is not of the row's type.
bool ValueFromVariant(const PropertyTableRow& row, const VARIANT& variant, DWORD* value)
{
    switch (row.vartype) {
    case VT_I2:
        if (variant.vt != VT_I2)
            return false;
        *value = static_cast<DWORD>(static_cast<LONG>(variant.iVal));
        return true;
    case VT_I4:
        if (variant.vt != VT_I4)
            return false;
        *value = static_cast<DWORD>(variant.lVal);
        return true;
    case VT_BOOL:
        if (variant.vt != VT_BOOL)
            return false;
        *value = variant.boolVal != VARIANT_FALSE ? 1 : 0;
        return true;
    default:
        return false;
    }
}

void VariantFromValue(const PropertyTableRow& row, DWORD value, VARIANT* variant)
{
    VariantInit(variant);
    variant->vt = row.vartype;
    switch (row.vartype) {
    case VT_I2:
        variant->iVal = static_cast<SHORT>(value);
        break;
    case VT_BOOL:
        variant->boolVal = value != 0 ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    default:
        variant->lVal = static_cast<LONG>(value);
        break;
    }
}

} // namespace

DWORD PropertyValueOf(const PropertyTableRow& row, const void* block)
{
    DWORD value = 0;
    std::memcpy(&value, static_cast<const BYTE*>(block) + row.offset, row.size);
    return value;
}

void SetPropertyDefaults(const PropertyTableRow* table, void* block)
{
    for (const PropertyTableRow* row = table; row->name != nullptr; ++row)
        StoreValue(*row, row->defaultValue, block);
}

void LoadPropertyTable(const PropertyTableRow* table, IPropertyBag* bag, IErrorLog* errorLog, void* block)
{
    for (const PropertyTableRow* row = table; row->name != nullptr; ++row) {
        VARIANT variant;
        VariantInit(&variant);
        variant.vt = row->vartype;
        DWORD value = row->defaultValue;
        HRESULT hr = bag->Read(row->name, &variant, errorLog);
        // A bag may answer in a type of its own (text, for one); it is converted to the row's.
        if (SUCCEEDED(hr) && variant.vt != row->vartype)
            hr = VariantChangeType(&variant, &variant, 0, row->vartype);
        if (SUCCEEDED(hr) && !ValueFromVariant(*row, variant, &value))
            value = row->defaultValue;
        VariantClear(&variant);
        StoreValue(*row, value, block);
    }
}

HRESULT SavePropertyTable(const PropertyTableRow* table, IPropertyBag* bag, BOOL saveAll, const void* block)
{
    for (const PropertyTableRow* row = table; row->name != nullptr; ++row) {
        const DWORD value = PropertyValueOf(*row, block);
        if (!saveAll && value == Truncated(row->defaultValue, row->size))
            continue;
        VARIANT variant;
        VariantFromValue(*row, value, &variant);
        const HRESULT hr = bag->Write(row->name, &variant);
        VariantClear(&variant);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

void SetPropertyDefault(PropertyTableRow* table, const wchar_t* name, DWORD defaultValue)
{
    for (PropertyTableRow* row = table; row->name != nullptr; ++row)
        if (std::wcscmp(row->name, name) == 0)
            row->defaultValue = defaultValue;
}
