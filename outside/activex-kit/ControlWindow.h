// The window classes of the kit's controls: registered on the first window of a class, unregistered
// when the library is unloaded.
#pragma once

#include "ControlClass.h"

namespace korvane::kit {

bool RegisterControlWindowClass(const ControlClass& controlClass);
void UnregisterControlWindowClasses();

} // namespace korvane::kit
