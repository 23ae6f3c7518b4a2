// The Debug Inventory tool (Form4): Start Debug finds the first field of the item file that holds a comma
// or a double quote and shows it in its correction box; Save writes the file back with the corrected
// field; Exit returns to the window that opened the tool, or to the main menu.
#pragma once

#include "forms/Forms.h"
#include "items/DebugInventory.h"

namespace korvane {

class Form4 : public forms::Form {
 public:
  Form4();

 private:
  void Bind(forms::EventTable& on) override;

  void Form_Load();
  void DebugTool_Click();
  void SaveButton_Click();
  void ExitButton_Click();
  void help_Click();
  void DebugTool_MouseEnter();
  void DebugTool_MouseExit();

  // Empties the window after a save: the boxes, the record and status, and the progress list.
  void ClearAfterSave();

  DebugInventory tool_;
};

}  // namespace korvane
