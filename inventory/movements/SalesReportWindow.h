// The sales and inventory report window (Form12): prints, for every item in category order, the
// quantities sold this day, week, month and year and the quantity on hand with totals of the sold
// quantities, or adds the same lines to its list box. It loads through the reading check of the item
// file.
#pragma once

#include "forms/Forms.h"

namespace korvane {

class Form12 : public forms::Form {
 public:
  Form12();

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
