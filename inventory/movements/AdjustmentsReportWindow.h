// The adjustments / low-stock report window (Form41): prints the items that received stock or stand below
// their reorder point, by category, or lists them in its list box in file order. It loads through the
// reading check of the item file.
#pragma once

#include "forms/Forms.h"

namespace korvane {

class Form41 : public forms::Form {
 public:
  Form41();

 private:
  void Bind(forms::EventTable& on) override;

  void Form_Load();
  void cmdPrint_Click();
  void cmdScreen_Click();
  void ExitButton_Click();
  void debuginv_Click();
  void help_Click();

  void cmdPrint_MouseEnter();
  void cmdPrint_MouseExit();
  void cmdScreen_MouseEnter();
  void cmdScreen_MouseExit();
};

}  // namespace korvane
