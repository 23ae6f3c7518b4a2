#include "movements/AdjustmentsReportWindow.h"

#include "items/WindowNavigation.h"
#include "movements/AdjustmentsReport.h"
#include "movements/ReportOutput.h"

namespace korvane {

Form41::Form41() : Form("Form41") {}

void Form41::Bind(forms::EventTable& on) {
  on("Form", "Load", &Form41::Form_Load);
  on("cmdPrint", "Click", &Form41::cmdPrint_Click);
  on("cmdScreen", "Click", &Form41::cmdScreen_Click);
  on("ExitButton", "Click", &Form41::ExitButton_Click);
  on("debuginv", "Click", &Form41::debuginv_Click);
  on("help", "Click", &Form41::help_Click);
  on("cmdPrint", "MouseEnter", &Form41::cmdPrint_MouseEnter);
  on("cmdPrint", "MouseExit", &Form41::cmdPrint_MouseExit);
  on("cmdScreen", "MouseEnter", &Form41::cmdScreen_MouseEnter);
  on("cmdScreen", "MouseExit", &Form41::cmdScreen_MouseExit);
}

void Form41::Form_Load() { ValidateItemFile(*this); }

void Form41::cmdPrint_Click() { PrintReport(&BuildAdjustmentsPrintout); }

// The list is emptied first, also when the report cannot be made: no old lines pass for the file's.
void Form41::cmdScreen_Click() {
  forms::ListBox& list = ListBoxNamed("List1");
  list.Clear();
  AddReportLines(list, &BuildAdjustmentsScreenList);
}

void Form41::ExitButton_Click() { ReturnToMainMenu(*this); }
void Form41::debuginv_Click() { OpenDebugInventory(*this); }
void Form41::help_Click() { OpenHelpPageOf(*this, "help"); }

void Form41::cmdPrint_MouseEnter() { ApplyHover(*this, "cmdPrint", true); }
void Form41::cmdPrint_MouseExit() { ApplyHover(*this, "cmdPrint", false); }
void Form41::cmdScreen_MouseEnter() { ApplyHover(*this, "cmdScreen", true); }
void Form41::cmdScreen_MouseExit() { ApplyHover(*this, "cmdScreen", false); }

}  // namespace korvane
