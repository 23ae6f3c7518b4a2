#include "CommonEvents.h"

namespace plyx {

namespace {
const VARTYPE MouseParameters[] = {VT_I2, VT_I2, VT_I4, VT_I4};
}

const EventDescriptor MouseEnterEvent = {49, 4, MouseParameters};
const EventDescriptor MouseExitEvent = {50, 4, MouseParameters};
const EventDescriptor MarqueeCycleBeginEvent = {45, 0, nullptr};
const EventDescriptor MarqueeCycleEndEvent = {64, 0, nullptr};

} // namespace plyx
