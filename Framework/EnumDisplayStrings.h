// Predefined strings and values of enumerated properties for the property browser, read from the
// registered type library: each constant of an enumeration becomes the entry "<value> - <text>",
// where the text is the constant's help string (its name when it has none) and the cookie is the
// value.
#pragma once
#include <windows.h>
#include <ocidl.h>

namespace EnumDisplayStrings {

// The registered type library to read, as a control's descriptor row and the library name it.
struct RegisteredLibrary {
    const GUID& libid;
    WORD majorVersion;
    WORD minorVersion;
    LCID lcid;
};

// Fills strings and cookies (both allocated with the COM task allocator; the caller frees them) with
// the constants of the enumeration enumGuid in declaration order, at most maximum of them when maximum
// is at least 1. On failure both are empty and the failing HRESULT is returned (the load's when the
// library is not registered, E_OUTOFMEMORY for allocations).
HRESULT GetEnumDisplayStrings(const RegisteredLibrary& library, REFGUID enumGuid, ULONG maximum,
                              CALPOLESTR* strings, CADWORD* cookies);

// The value of a chosen entry: its cookie as a VT_I2.
HRESULT GetEnumPredefinedValue(DWORD cookie, VARIANT* value);

} // namespace EnumDisplayStrings
