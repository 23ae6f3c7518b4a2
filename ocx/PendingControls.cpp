// Controls whose classes the library does not hold yet: their rows are registered, but creating one
// answers null, which the class factory reports as E_OUTOFMEMORY.
#include "ControlCreators.h"

IUnknown* CreateQvRibbon(IUnknown*) { return nullptr; }
IUnknown* CreateQvCommand(IUnknown*) { return nullptr; }
