// The Sort Inventory File window (Form2), as far as the program has it: its title, its way back and its
// menu entries. It loads through the reading check of the item file.
#pragma once

#include "items/EmptyWorkingWindow.h"

namespace korvane {

class Form2 : public EmptyWorkingWindow {
 public:
  Form2() : EmptyWorkingWindow("Form2", LoadStep::ValidateItemFile) {}
};

}  // namespace korvane
