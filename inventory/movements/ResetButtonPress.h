// What the reset windows do when one of their reset buttons is pressed (its MouseDown: the button has not
// toggled yet): the button's counters emptied in the item file, then the indicator beside it lit green.
#pragma once

#include "forms/Forms.h"
#include "items/ItemTable.h"
#include "movements/CounterReset.h"

namespace korvane {

// Reads the button's Value, resets the counters of every item, and lights the indicator as the button's
// rule says. A file that cannot be read or written is left as it was, reported in the message of its
// failure, and lights nothing.
void ProcessResetPress(forms::Form& window, const ResetButton& button, WindowCounters& counters);

}  // namespace korvane
