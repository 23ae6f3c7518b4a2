#include "WideText.h"

#include "SatelliteResources.h"

#include <objbase.h>

#include <cwchar>

namespace {

// Room for `characters` wide characters and the NUL, of the given kind.
LPOLESTR AllocateWide(UINT characters, WideStringKind kind)
{
    switch (kind) {
    case WideStringKind::Bstr:
        return SysAllocStringLen(nullptr, characters);
    case WideStringKind::TaskMemory:
        return static_cast<LPOLESTR>(CoTaskMemAlloc((SIZE_T(characters) + 1) * sizeof(OLECHAR)));
    }
    return nullptr;
}

void FreeWide(LPOLESTR text, WideStringKind kind)
{
    if (kind == WideStringKind::Bstr)
        SysFreeString(text);
    else
        CoTaskMemFree(text);
}

bool IsKnownKind(WideStringKind kind)
{
    return kind == WideStringKind::Bstr || kind == WideStringKind::TaskMemory;
}

} // namespace

LPOLESTR AnsiToTaskMemWide(const char* text)
{
    return AnsiToWideString(text, WideStringKind::TaskMemory);
}

LPOLESTR AnsiToWideString(const char* text, WideStringKind kind)
{
    if (text == nullptr || !IsKnownKind(kind))
        return nullptr;
    // The size with the NUL.
    const int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (size <= 0)
        return nullptr;
    LPOLESTR wide = AllocateWide(UINT(size - 1), kind);
    if (wide == nullptr)
        return nullptr;
    if (MultiByteToWideChar(CP_ACP, 0, text, -1, wide, size) == 0) {
        FreeWide(wide, kind);
        return nullptr;
    }
    wide[size - 1] = L'\0';
    return wide;
}

LPOLESTR LoadResourceWideString(UINT id, WideStringKind kind)
{
    char buffer[512] = {};
    if (LoadStringA(GetResourceInstance(0), id, buffer, sizeof buffer) <= 0)
        return nullptr;
    return AnsiToWideString(buffer, kind);
}

LPOLESTR CopyWideString(const wchar_t* text, WideStringKind kind)
{
    if (text == nullptr || !IsKnownKind(kind))
        return nullptr;
    const std::size_t length = std::wcslen(text);
    LPOLESTR copy = AllocateWide(UINT(length), kind);
    if (copy == nullptr)
        return nullptr;
    std::wmemcpy(copy, text, length + 1);
    return copy;
}
