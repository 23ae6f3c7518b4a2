// The adjustments / low-stock report window (Form41): prints the items that received stock or stand below
// their reorder point, by category, or lists them in its list box in file order. It loads through the
// reading check of the item file.
#pragma once

#include "movements/ReportWindow.h"

namespace korvane {

class Form41 : public ReportWindow {
 public:
  Form41() : ReportWindow("Form41") {}

 private:
  void Bind(forms::EventTable& on) override;

  void cmdPrint_Click();
  void cmdScreen_Click();
};

}  // namespace korvane
