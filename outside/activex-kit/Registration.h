// Self-registration of a control library: the class keys, the ProgID and the type library.
#pragma once

#include <windows.h>

namespace korvane::kit {

HRESULT RegisterControlClasses();
HRESULT UnregisterControlClasses();

} // namespace korvane::kit
