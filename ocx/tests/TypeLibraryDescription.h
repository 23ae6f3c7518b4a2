// Plain-text descriptions of type-library entries, so that the census compares them with its table
// rows as strings: "BSTR", "I2*", "stdole.OLE_COLOR", "(I2 sFormat) -> VARIANT pvData".
#pragma once
#include <windows.h>
#include <oaidl.h>

#include "TypeInfoHolders.h"

#include <string>
#include <vector>

namespace TypeLibraryDescription {

std::string Narrow(const wchar_t* text);
std::string GuidText(const GUID& guid);

// The name and help string of a typeinfo or of one of its members (MEMBERID_NIL for the typeinfo).
std::string NameOf(ITypeInfo* info, MEMBERID member = MEMBERID_NIL);
std::string HelpStringOf(ITypeInfo* info, MEMBERID member = MEMBERID_NIL);

// A type as text: base types by their VARIANT names (I2, I4, R4, BOOL, BSTR, VARIANT, ...), pointers
// with a trailing "*", user-defined types by name, prefixed with their library's name when that is
// not the library being described ("stdole.OLE_COLOR").
std::string TypeText(ITypeInfo* context, const TYPEDESC& type);

// The names of a function's parameters (GetNames), without the function's own name.
std::vector<std::string> ParameterNames(ITypeInfo* info, const FUNCDESC& function);

// A function as the census rows write it. Property get: the value type, preceded by "(index params) "
// when it has index parameters; property put and putref: the value type; method and event: the
// parameter list "(T name, [opt] T name)" followed by " -> T name" for a return value parameter.
// With names false, parameter and return names are left out.
std::string FunctionText(ITypeInfo* info, const FUNCDESC& function, bool names);

} // namespace TypeLibraryDescription
