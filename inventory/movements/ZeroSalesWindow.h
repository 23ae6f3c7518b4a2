// The Zero Sales History window (Form63): each of its four period buttons empties one sold counter (day,
// week, month or year) of every item and lights the indicator beside it. There is no confirmation: the
// press is the command.
#pragma once

#include "forms/Forms.h"
#include "items/ItemTable.h"
#include "movements/CounterReset.h"

namespace korvane {

class Form63 : public forms::Form {
 public:
  Form63();

 private:
  void Bind(forms::EventTable& on) override;

  void Form_Load();
  void DailyProc_MouseDown(const forms::MouseArgs& mouse);
  void WeeklyProc_MouseDown(const forms::MouseArgs& mouse);
  void MonthlyProc_MouseDown(const forms::MouseArgs& mouse);
  void YearlyProc_MouseDown(const forms::MouseArgs& mouse);
  void DailyProc_MouseEnter();
  void DailyProc_MouseExit();
  void WeeklyProc_MouseEnter();
  void WeeklyProc_MouseExit();
  void MonthlyProc_MouseEnter();
  void MonthlyProc_MouseExit();
  void YearlyProc_MouseEnter();
  void YearlyProc_MouseExit();
  void ExitButton_Click();
  void debuginv_Click();
  void helpday_Click();
  void helpweek_Click();
  void helpmonth_Click();
  void helpyear_Click();

  void Process(SalesPeriod period);

  WindowCounters counters_;
};

}  // namespace korvane
