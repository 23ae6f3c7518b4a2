#include "DefaultButtonLook.h"

namespace plyx {

BYTE GetDefaultButtonLook()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL known = GetVersionExA(&version);
#pragma GCC diagnostic pop
    if (!known)
        return 2;
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS)
        return 1;
    if (version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion == 4)
        return 1;
    return 2;
}

} // namespace plyx
