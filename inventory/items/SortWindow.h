// The Sort Inventory File window (Form2): rewrites the item file in the category order of the category
// list. It loads through the reading check of the item file; a click on its ribbon runs the sort to its
// end, showing the number of items placed, each code as its pass ends, and DONE.
#pragma once

#include <string>

#include "forms/Forms.h"
#include "items/CategorySort.h"
#include "items/ItemTable.h"

namespace korvane {

class Form2 : public forms::Form, private SortProgress {
 public:
  Form2();

 private:
  void Bind(forms::EventTable& on) override;

  void Form_Load();
  void SortInventoryFile_Click();
  void SortInventoryFile_MouseEnter();
  void SortInventoryFile_MouseExit();
  void ExitButton_Click();
  void debuginv_Click();
  void help_Click();

  // SortProgress
  void ItemPlaced(int placed) override;
  void PassEnded(const std::string& code) override;

  WindowCounters counters_;
};

}  // namespace korvane
