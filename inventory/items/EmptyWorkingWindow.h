// A working window whose own work is not part of the program yet: it has its title, its exit, its "&Debug
// Inventory" and help menu entries and its load, so that the way to it and back is already the program's.
#pragma once

#include "forms/Forms.h"

namespace korvane {

class EmptyWorkingWindow : public forms::Form {
 protected:
  enum class LoadStep { None, ValidateItemFile };
  enum class ExitStep { ReturnToMainMenu, ReturnToCaller };

  EmptyWorkingWindow(const char* name, LoadStep load, ExitStep exit = ExitStep::ReturnToMainMenu);

  void Bind(forms::EventTable& on) override;

 private:
  void Form_Load();
  void ExitButton_Click();
  void debuginv_Click();
  void help_Click();

  void Exit();

  LoadStep load_;
  ExitStep exit_;
};

}  // namespace korvane
