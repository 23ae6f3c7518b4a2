// The sales and inventory report window (Form12): prints, for every item in category order, the
// quantities sold this day, week, month and year and the quantity on hand with totals of the sold
// quantities, or adds the same lines to its list box. It loads through the reading check of the item
// file.
#pragma once

#include "movements/ReportWindow.h"

namespace korvane {

class Form12 : public ReportWindow {
 public:
  Form12() : ReportWindow("Form12") {}

 private:
  void Bind(forms::EventTable& on) override;

  void cmdPrint_Click();
  void cmdScreen_Click();
};

}  // namespace korvane
