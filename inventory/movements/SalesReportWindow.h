// The sales and inventory report window (Form12), as far as the program has it: its title, its way back and
// its menu entries. It loads through the reading check of the item file.
#pragma once

#include "items/EmptyWorkingWindow.h"

namespace korvane {

class Form12 : public EmptyWorkingWindow {
 public:
  Form12() : EmptyWorkingWindow("Form12", LoadStep::ValidateItemFile) {}
};

}  // namespace korvane
