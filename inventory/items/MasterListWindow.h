// The master list window (Form60), as far as the program has it: its title, its way back and its menu
// entries. It has no load step of its own yet.
#pragma once

#include "items/EmptyWorkingWindow.h"

namespace korvane {

class Form60 : public EmptyWorkingWindow {
 public:
  Form60() : EmptyWorkingWindow("Form60", LoadStep::None) {}
};

}  // namespace korvane
