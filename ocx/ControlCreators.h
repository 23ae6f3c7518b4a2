// The create functions of the library's controls, named by the rows of its object table. Each takes
// the outer unknown (null when not aggregated) and returns the new control's private unknown with a
// count of 1, or null when it cannot be made.
#pragma once
#include <unknwn.h>

IUnknown* CreateQvFrame(IUnknown* outer);
IUnknown* CreateQvPanel(IUnknown* outer);
IUnknown* CreateQvOption(IUnknown* outer);
IUnknown* CreateQvCheck(IUnknown* outer);
IUnknown* CreateQvRibbon(IUnknown* outer);
IUnknown* CreateQvCommand(IUnknown* outer);
