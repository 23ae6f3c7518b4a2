// The framework critical section: guards the object-being-created hand-off, one-time window-class
// registration, the per-class type-information caches, the screen-resolution cache and the satellite
// resource library.
#pragma once
#include "ProcessLock.h"

class FrameworkLock : public ProcessLock<FrameworkLock> {};
