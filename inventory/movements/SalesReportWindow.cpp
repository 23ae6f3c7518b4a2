#include "movements/SalesReportWindow.h"

#include "items/WindowNavigation.h"
#include "movements/ReportOutput.h"
#include "movements/SalesReport.h"

namespace korvane {

Form12::Form12() : Form("Form12") {}

void Form12::Bind(forms::EventTable& on) {
  on("Form", "Load", &Form12::Form_Load);
  on("cmdPrint", "Click", &Form12::cmdPrint_Click);
  on("cmdScreen", "Click", &Form12::cmdScreen_Click);
  on("ExitButton", "Click", &Form12::ExitButton_Click);
  on("debuginv", "Click", &Form12::debuginv_Click);
  on("help", "Click", &Form12::help_Click);
  on("cmdPrint", "MouseEnter", &Form12::cmdPrint_MouseEnter);
  on("cmdPrint", "MouseExit", &Form12::cmdPrint_MouseExit);
  on("cmdScreen", "MouseEnter", &Form12::cmdScreen_MouseEnter);
  on("cmdScreen", "MouseExit", &Form12::cmdScreen_MouseExit);
}

void Form12::Form_Load() { ValidateItemFile(*this); }

void Form12::cmdPrint_Click() { PrintReport(&BuildSalesPrintout); }

// The list is not emptied: each click adds the whole report again below what it holds.
void Form12::cmdScreen_Click() { AddReportLines(ListBoxNamed("List1"), &BuildSalesScreenList); }

void Form12::ExitButton_Click() { ReturnToMainMenu(*this); }
void Form12::debuginv_Click() { OpenDebugInventory(*this); }
void Form12::help_Click() { OpenHelpPageOf(*this, "help"); }

void Form12::cmdPrint_MouseEnter() { ApplyHover(*this, "cmdPrint", true); }
void Form12::cmdPrint_MouseExit() { ApplyHover(*this, "cmdPrint", false); }
void Form12::cmdScreen_MouseEnter() { ApplyHover(*this, "cmdScreen", true); }
void Form12::cmdScreen_MouseExit() { ApplyHover(*this, "cmdScreen", false); }

}  // namespace korvane
