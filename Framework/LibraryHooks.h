// What the library adds to the framework's in-process server: supplied by the library beside its
// ObjectDescriptorTable rows.
#pragma once
#include <windows.h>

// Process attach, after the framework's own (module handle, heap, FrameworkLock); false refuses the load.
bool LibraryProcessAttach(HINSTANCE instance);
// Process detach, before the framework lets FrameworkLock go.
void LibraryProcessDetach();
// The library's own registration and unregistration, after the framework's; false is a failure.
bool LibraryRegisterServer();
bool LibraryUnregisterServer();
