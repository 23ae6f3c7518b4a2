#include "EnumDisplayStrings.h"

#include "LibraryTypeLibrary.h"
#include "ObjectDescriptor.h"
#include "TypeInfoHolders.h"

#include <oleauto.h>

#include <cwchar>

namespace EnumDisplayStrings {
namespace {

// A constant's value as the 32-bit number the entry shows and the cookie carries.
HRESULT ConstantValue(const VARDESC& description, LONG* value)
{
    if (description.varkind != VAR_CONST || description.lpvarValue == nullptr)
        return E_UNEXPECTED;
    VARIANT converted;
    VariantInit(&converted);
    const HRESULT hr = VariantChangeType(&converted, description.lpvarValue, 0, VT_I4);
    if (FAILED(hr))
        return hr;
    *value = V_I4(&converted);
    return S_OK;
}

// "<value> - <text>" in task memory.
HRESULT MakeEntry(LONG value, const wchar_t* text, LPOLESTR* entry)
{
    wchar_t prefix[32];
    if (std::swprintf(prefix, sizeof prefix / sizeof prefix[0], L"%ld - ", static_cast<long>(value)) < 0)
        return E_FAIL;
    const size_t length = std::wcslen(prefix) + std::wcslen(text);
    auto* buffer = static_cast<LPOLESTR>(CoTaskMemAlloc((length + 1) * sizeof(OLECHAR)));
    if (buffer == nullptr)
        return E_OUTOFMEMORY;
    std::wcscpy(buffer, prefix);
    std::wcscat(buffer, text);
    *entry = buffer;
    return S_OK;
}

void FreeEntries(CALPOLESTR* strings, CADWORD* cookies, ULONG filled)
{
    for (ULONG i = 0; i < filled; ++i)
        CoTaskMemFree(strings->pElems[i]);
    CoTaskMemFree(strings->pElems);
    CoTaskMemFree(cookies->pElems);
    strings->cElems = 0;
    strings->pElems = nullptr;
    cookies->cElems = 0;
    cookies->pElems = nullptr;
}

} // namespace

HRESULT GetEnumDisplayStrings(CALPOLESTR* strings, CADWORD* cookies, int row, REFGUID enumGuid, ULONG maximum)
{
    if (strings == nullptr || cookies == nullptr)
        return E_POINTER;
    strings->cElems = 0;
    strings->pElems = nullptr;
    cookies->cElems = 0;
    cookies->pElems = nullptr;

    const AutomationDescriptor& descriptor = *ObjectDescriptorTable::Automation(row);
    ComReference<ITypeLib> typeLibrary;
    HRESULT hr = LibraryTypeLibrary::Load(static_cast<WORD>(descriptor.majorVersion),
                                          static_cast<WORD>(descriptor.minorVersion),
                                          ObjectDescriptorTable::typeLibraryLcid, typeLibrary.Out());
    if (FAILED(hr))
        return hr;
    ComReference<ITypeInfo> enumeration;
    hr = typeLibrary->GetTypeInfoOfGuid(enumGuid, enumeration.Out());
    if (FAILED(hr))
        return hr;
    TypeAttributes attributes(enumeration.Get());
    if (FAILED(attributes.Result()))
        return attributes.Result();

    ULONG count = attributes->cVars;
    if (maximum >= 1 && maximum < count)
        count = maximum;
    if (count == 0)
        return S_OK;

    strings->pElems = static_cast<LPOLESTR*>(CoTaskMemAlloc(count * sizeof(LPOLESTR)));
    cookies->pElems = static_cast<DWORD*>(CoTaskMemAlloc(count * sizeof(DWORD)));
    if (strings->pElems == nullptr || cookies->pElems == nullptr) {
        FreeEntries(strings, cookies, 0);
        return E_OUTOFMEMORY;
    }

    for (ULONG i = 0; i < count; ++i) {
        VariableDescription constant(enumeration.Get(), i);
        LONG value = 0;
        BstrHolder name;
        BstrHolder help;
        hr = constant.Result();
        if (SUCCEEDED(hr))
            hr = ConstantValue(*constant, &value);
        if (SUCCEEDED(hr))
            hr = enumeration->GetDocumentation(constant->memid, name.Out(), help.Out(), nullptr, nullptr);
        if (SUCCEEDED(hr))
            hr = MakeEntry(value, help.Empty() ? name.Text() : help.Text(), &strings->pElems[i]);
        if (FAILED(hr)) {
            FreeEntries(strings, cookies, i);
            return hr;
        }
        cookies->pElems[i] = static_cast<DWORD>(value);
    }
    strings->cElems = count;
    cookies->cElems = count;
    return S_OK;
}

HRESULT GetEnumPredefinedValue(DWORD cookie, VARIANT* value)
{
    if (value == nullptr)
        return E_POINTER;
    VariantClear(value);
    V_VT(value) = VT_I2;
    V_I2(value) = static_cast<SHORT>(cookie);
    return S_OK;
}

} // namespace EnumDisplayStrings
