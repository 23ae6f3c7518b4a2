// The Debug Inventory tool (Form4), as far as the program has it: its title, its way back and its menu
// entries. It has no load step of its own yet.
#pragma once

#include "items/EmptyWorkingWindow.h"

namespace korvane {

class Form4 : public EmptyWorkingWindow {
 public:
  Form4() : EmptyWorkingWindow("Form4", LoadStep::None, ExitStep::ReturnToCaller) {}
};

}  // namespace korvane
