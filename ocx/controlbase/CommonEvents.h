// The events every control fires from its common level, as their rows in each control's event
// interface describe them (the DISPIDs are the same in every class).
#pragma once
#include "EventDescriptor.h"

namespace plyx {

// Button, Shift, X, Y (client pixels).
extern const EventDescriptor MouseEnterEvent;
extern const EventDescriptor MouseExitEvent;
// No arguments.
extern const EventDescriptor MarqueeCycleBeginEvent;
extern const EventDescriptor MarqueeCycleEndEvent;

} // namespace plyx
