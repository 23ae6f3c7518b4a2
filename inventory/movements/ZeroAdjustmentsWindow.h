// The Zero Inventory Adjustments window (Form37), as far as the program has it: its title, its way back and
// its menu entries. It loads through the reading check of the item file.
#pragma once

#include "items/EmptyWorkingWindow.h"

namespace korvane {

class Form37 : public EmptyWorkingWindow {
 public:
  Form37() : EmptyWorkingWindow("Form37", LoadStep::ValidateItemFile) {}
};

}  // namespace korvane
