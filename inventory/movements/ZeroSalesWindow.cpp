#include "movements/ZeroSalesWindow.h"

#include "items/WindowNavigation.h"
#include "movements/ResetButtonPress.h"

namespace korvane {

Form63::Form63() : Form("Form63") {}

void Form63::Bind(forms::EventTable& on) {
  on("Form", "Load", &Form63::Form_Load);
  on("DailyProc", "MouseDown", &Form63::DailyProc_MouseDown);
  on("WeeklyProc", "MouseDown", &Form63::WeeklyProc_MouseDown);
  on("MonthlyProc", "MouseDown", &Form63::MonthlyProc_MouseDown);
  on("YearlyProc", "MouseDown", &Form63::YearlyProc_MouseDown);
  on("DailyProc", "MouseEnter", &Form63::DailyProc_MouseEnter);
  on("DailyProc", "MouseExit", &Form63::DailyProc_MouseExit);
  on("WeeklyProc", "MouseEnter", &Form63::WeeklyProc_MouseEnter);
  on("WeeklyProc", "MouseExit", &Form63::WeeklyProc_MouseExit);
  on("MonthlyProc", "MouseEnter", &Form63::MonthlyProc_MouseEnter);
  on("MonthlyProc", "MouseExit", &Form63::MonthlyProc_MouseExit);
  on("YearlyProc", "MouseEnter", &Form63::YearlyProc_MouseEnter);
  on("YearlyProc", "MouseExit", &Form63::YearlyProc_MouseExit);
  on("ExitButton", "Click", &Form63::ExitButton_Click);
  on("debuginv", "Click", &Form63::debuginv_Click);
  on("helpday", "Click", &Form63::helpday_Click);
  on("helpweek", "Click", &Form63::helpweek_Click);
  on("helpmonth", "Click", &Form63::helpmonth_Click);
  on("helpyear", "Click", &Form63::helpyear_Click);
}

void Form63::Form_Load() { ValidateItemFile(*this); }

// Any mouse button resets its period; the keyboard, which toggles a button without a MouseDown, does not.
void Form63::Process(SalesPeriod period) { ProcessResetPress(*this, ButtonOf(period), counters_); }

void Form63::DailyProc_MouseDown(const forms::MouseArgs&) { Process(SalesPeriod::Day); }
void Form63::WeeklyProc_MouseDown(const forms::MouseArgs&) { Process(SalesPeriod::Week); }
void Form63::MonthlyProc_MouseDown(const forms::MouseArgs&) { Process(SalesPeriod::Month); }
void Form63::YearlyProc_MouseDown(const forms::MouseArgs&) { Process(SalesPeriod::Year); }

void Form63::DailyProc_MouseEnter() { ApplyHover(*this, "DailyProc", true); }
void Form63::DailyProc_MouseExit() { ApplyHover(*this, "DailyProc", false); }
void Form63::WeeklyProc_MouseEnter() { ApplyHover(*this, "WeeklyProc", true); }
void Form63::WeeklyProc_MouseExit() { ApplyHover(*this, "WeeklyProc", false); }
void Form63::MonthlyProc_MouseEnter() { ApplyHover(*this, "MonthlyProc", true); }
void Form63::MonthlyProc_MouseExit() { ApplyHover(*this, "MonthlyProc", false); }
void Form63::YearlyProc_MouseEnter() { ApplyHover(*this, "YearlyProc", true); }
void Form63::YearlyProc_MouseExit() { ApplyHover(*this, "YearlyProc", false); }

void Form63::ExitButton_Click() { ReturnToMainMenu(*this); }
void Form63::debuginv_Click() { OpenDebugInventory(*this); }
void Form63::helpday_Click() { OpenHelpPageOf(*this, "helpday"); }
void Form63::helpweek_Click() { OpenHelpPageOf(*this, "helpweek"); }
void Form63::helpmonth_Click() { OpenHelpPageOf(*this, "helpmonth"); }
void Form63::helpyear_Click() { OpenHelpPageOf(*this, "helpyear"); }

}  // namespace korvane
