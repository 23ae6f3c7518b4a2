// Predefined strings and values of enumerated properties for the property browser, read from the
// library's type library: each constant of an enumeration becomes the entry "<value> - <text>",
// where the text is the constant's help string (its name when it has none) and the cookie is the
// value.
#pragma once
#include <windows.h>
#include <ocidl.h>

namespace EnumDisplayStrings {

// Fills strings and cookies (both allocated with the COM task allocator; the caller frees them) with
// the constants of the enumeration enumGuid in declaration order, at most maximum of them when maximum
// is at least 1. The enumeration is read from the library's type library of the version of the given
// object table row, registered under the library's locale (ObjectDescriptorTable::typeLibraryLcid), or
// the module's own copy when that registration is not found. On failure both are empty and the failing
// HRESULT is returned (the load's when no library can be loaded, E_OUTOFMEMORY for allocations).
HRESULT GetEnumDisplayStrings(CALPOLESTR* strings, CADWORD* cookies, int row, REFGUID enumGuid, ULONG maximum);

// The value of a chosen entry: its cookie as a VT_I2.
HRESULT GetEnumPredefinedValue(DWORD cookie, VARIANT* value);

} // namespace EnumDisplayStrings
