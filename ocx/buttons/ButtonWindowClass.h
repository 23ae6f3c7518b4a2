// The window class both push buttons register: redrawn whole when resized, double clicks reported,
// the arrow cursor, the framework's control window procedure.
#pragma once
#include <windows.h>

namespace plyx {

// True when the class is registered (now or before).
BOOL RegisterButtonWindowClass(const char* className);

} // namespace plyx
