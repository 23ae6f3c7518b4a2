#include "movements/ReportWindow.h"

#include "items/WindowNavigation.h"

namespace korvane {

void ReportWindow::Bind(forms::EventTable& on) {
  on("Form", "Load", &ReportWindow::Form_Load);
  on("ExitButton", "Click", &ReportWindow::ExitButton_Click);
  on("debuginv", "Click", &ReportWindow::debuginv_Click);
  on("help", "Click", &ReportWindow::help_Click);
  on("cmdPrint", "MouseEnter", &ReportWindow::cmdPrint_MouseEnter);
  on("cmdPrint", "MouseExit", &ReportWindow::cmdPrint_MouseExit);
  on("cmdScreen", "MouseEnter", &ReportWindow::cmdScreen_MouseEnter);
  on("cmdScreen", "MouseExit", &ReportWindow::cmdScreen_MouseExit);
}

void ReportWindow::Form_Load() { ValidateItemFile(*this); }
void ReportWindow::ExitButton_Click() { ReturnToMainMenu(*this); }
void ReportWindow::debuginv_Click() { OpenDebugInventory(*this); }
void ReportWindow::help_Click() { OpenHelpPageOf(*this, "help"); }

void ReportWindow::cmdPrint_MouseEnter() { ApplyHover(*this, "cmdPrint", true); }
void ReportWindow::cmdPrint_MouseExit() { ApplyHover(*this, "cmdPrint", false); }
void ReportWindow::cmdScreen_MouseEnter() { ApplyHover(*this, "cmdScreen", true); }
void ReportWindow::cmdScreen_MouseExit() { ApplyHover(*this, "cmdScreen", false); }

}  // namespace korvane
