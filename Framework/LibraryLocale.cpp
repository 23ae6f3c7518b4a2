#include "LibraryLocale.h"

#include "FrameworkLock.h"

namespace {
LCID g_locale = LibraryLocale::Default;
bool g_known = false;
} // namespace

namespace LibraryLocale {

LCID Current()
{
    FrameworkLock::Scope lock;
    return g_locale;
}

bool IsKnown()
{
    FrameworkLock::Scope lock;
    return g_known;
}

void Set(LCID lcid)
{
    FrameworkLock::Scope lock;
    g_locale = lcid;
    g_known = true;
}

void Forget()
{
    FrameworkLock::Scope lock;
    g_locale = Default;
    g_known = false;
}

} // namespace LibraryLocale
