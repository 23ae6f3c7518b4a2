// The tests' own control library: the test control as a class in a library of its own, so that its
// mouse hook can run in another process as the control library's does.
#include "LibraryHooks.h"
#include "MouseTracking.h"

bool LibraryProcessAttach(HINSTANCE)
{
    plyx::InitSharedData();
    return true;
}

void LibraryProcessDetach()
{
    plyx::FreeSharedData();
}

bool LibraryRegisterServer()
{
    return true;
}

bool LibraryUnregisterServer()
{
    return true;
}
