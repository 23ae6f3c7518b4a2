// The module whose string resources serve a locale: a satellite library beside the control library,
// named from the library's own string 1001 and the locale's language abbreviation, or the library
// itself when there is none.
#pragma once
#include <windows.h>

class AnsiString;

// The library's default locale.
constexpr LCID DefaultResourceLocale = 0x0400;
// The string resource that names the satellite libraries ("QvPlyx" gives "QvPlyxENU.DLL").
constexpr UINT SatellitePrefixStringId = 1001;

// The module holding the string resources for `locale` (0 = the default locale); never null. A
// satellite is loaded once per locale and kept until ReleaseResourceInstances.
HINSTANCE GetResourceInstance(LCID locale);

// Frees every satellite library loaded so far (process detach); the next request loads again.
void ReleaseResourceInstances();

// `path` with everything after its last backslash replaced by `fileName` (multibyte-aware). A path
// without a backslash is replaced whole.
void ReplaceFileName(const char* path, const char* fileName, AnsiString* result);
