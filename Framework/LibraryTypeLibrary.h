// The library's own type library: the registered one of a version and locale, or the copy the module
// carries as its TYPELIB resource 1.
#pragma once
#include <windows.h>
#include <oaidl.h>

namespace LibraryTypeLibrary {

// The copy inside the module, loaded without touching the registry.
HRESULT LoadModuleCopy(ITypeLib** library);

// The registered library (ObjectDescriptorTable::typeLibraryId) of the given version for the locale;
// when that is not found, the module's own copy. The registered lookup may fail on a sound machine: it
// matches the locale, its primary language and the neutral locale only, while the library registers
// under its own locale, so a user whose locale is another language never finds it. The copy inside
// the module is the same library, so it serves. The failure returned is the module copy's.
HRESULT Load(WORD majorVersion, WORD minorVersion, LCID lcid, ITypeLib** library);

} // namespace LibraryTypeLibrary
