// What the two report windows share: the load through the reading check of the item file, the way back
// to the main menu, the Debug Inventory tool and the help page, and the bold caption of the print and
// screen buttons while the mouse is over them. Each window adds what its print and screen buttons do.
#pragma once

#include "forms/Forms.h"

namespace korvane {

class ReportWindow : public forms::Form {
 protected:
  explicit ReportWindow(const char* name) : Form(name) {}

  // Binds the shared handlers; a window's own Bind calls it first.
  void Bind(forms::EventTable& on) override;

 private:
  void Form_Load();
  void ExitButton_Click();
  void debuginv_Click();
  void help_Click();

  void cmdPrint_MouseEnter();
  void cmdPrint_MouseExit();
  void cmdScreen_MouseEnter();
  void cmdScreen_MouseExit();
};

}  // namespace korvane
