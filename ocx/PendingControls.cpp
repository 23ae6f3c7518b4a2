// Controls whose classes the library does not hold yet: their rows are registered, but creating one
// answers null, which the class factory reports as E_OUTOFMEMORY.
#include "ControlCreators.h"

IUnknown* CreateQvFrame(IUnknown*) { return nullptr; }
IUnknown* CreateQvPanel(IUnknown*) { return nullptr; }
IUnknown* CreateQvOption(IUnknown*) { return nullptr; }
IUnknown* CreateQvCheck(IUnknown*) { return nullptr; }
