// The library critical section: guards the list of live controls, the mouse-tracking state, the
// ribbon group update flag and the auto-repeat timer map. Made when the library is attached and let
// go when it is detached.
#pragma once
#include "ProcessLock.h"

class LibraryLock : public ProcessLock<LibraryLock> {};
