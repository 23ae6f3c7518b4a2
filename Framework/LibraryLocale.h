// The locale whose satellite resources the library uses: the library's default until a container
// names one (its LocaleID ambient or quick activation), forgotten again when the container says the
// ambient changed. Process-wide, guarded by the framework lock.
#pragma once
#include <windows.h>

namespace LibraryLocale {

constexpr LCID Default = 0x0400;

LCID Current();
bool IsKnown();
void Set(LCID lcid);
void Forget();

} // namespace LibraryLocale
