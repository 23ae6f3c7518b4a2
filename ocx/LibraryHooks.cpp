// The library's additions to the framework's process attach and detach and to self-registration.
#include "LibraryHooks.h"

#include "LibraryLock.h"

bool LibraryProcessAttach(HINSTANCE)
{
    LibraryLock::Initialize();
    return true;
}

void LibraryProcessDetach()
{
    LibraryLock::Delete();
}

// The framework's registration writes every key the library needs.
bool LibraryRegisterServer()
{
    return true;
}

bool LibraryUnregisterServer()
{
    return true;
}
