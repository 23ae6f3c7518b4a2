// The library's additions to the framework's process attach and detach and to self-registration.
#include "LibraryHooks.h"

#include "MouseTracking.h"

bool LibraryProcessAttach(HINSTANCE)
{
    // The library lock, the shared tracking word and the exit event.
    plyx::InitSharedData();
    return true;
}

void LibraryProcessDetach()
{
    plyx::FreeSharedData();
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
