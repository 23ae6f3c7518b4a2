// The library's additions to the framework's process attach and detach and to self-registration.
#include "LibraryHooks.h"

bool LibraryProcessAttach(HINSTANCE)
{
    return true;
}

void LibraryProcessDetach() {}

// The framework's registration writes every key the library needs.
bool LibraryRegisterServer()
{
    return true;
}

bool LibraryUnregisterServer()
{
    return true;
}
