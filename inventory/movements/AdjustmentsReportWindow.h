// The adjustments / low-stock report window (Form41), as far as the program has it: its title, its way back
// and its menu entries. It loads through the reading check of the item file.
#pragma once

#include "items/EmptyWorkingWindow.h"

namespace korvane {

class Form41 : public EmptyWorkingWindow {
 public:
  Form41() : EmptyWorkingWindow("Form41", LoadStep::ValidateItemFile) {}
};

}  // namespace korvane
