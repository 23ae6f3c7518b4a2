// The look a button takes when its ButtonStyle leaves the choice to the system: the flat-edged look
// of the systems that introduced it, the older raised look everywhere else.
#pragma once
#include <windows.h>

namespace plyx {

// 1 (qvWin95) on the 4.x systems of either family, 2 (qvWin3X) on every other system, and also when
// the version cannot be read.
BYTE GetDefaultButtonLook();

} // namespace plyx
