// The Zero Inventory Adjustments window (Form37): one press on its button empties the receipts,
// write-offs, transfers-out and transfers-in counters of every item and lights the indicator beside it.
// There is no confirmation: the press is the command.
#pragma once

#include "forms/Forms.h"
#include "items/ItemTable.h"

namespace korvane {

class Form37 : public forms::Form {
 public:
  Form37();

 private:
  void Bind(forms::EventTable& on) override;

  void Form_Load();
  void ZeroTrans_MouseDown(const forms::MouseArgs& mouse);
  void ZeroTrans_MouseEnter();
  void ZeroTrans_MouseExit();
  void Command4_Click();
  void debuginv_Click();
  void help_Click();

  WindowCounters counters_;
};

}  // namespace korvane
