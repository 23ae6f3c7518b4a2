// The Zero Sales History window (Form63), as far as the program has it: its title, its way back and its
// menu entries. It loads through the reading check of the item file.
#pragma once

#include "items/EmptyWorkingWindow.h"

namespace korvane {

class Form63 : public EmptyWorkingWindow {
 public:
  Form63() : EmptyWorkingWindow("Form63", LoadStep::ValidateItemFile) {}
};

}  // namespace korvane
