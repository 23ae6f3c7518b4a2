#include "items/EmptyWorkingWindow.h"

#include "items/Navigation.h"
#include "items/WindowNavigation.h"

namespace korvane {

EmptyWorkingWindow::EmptyWorkingWindow(const char* name, LoadStep load, ExitStep exit)
    : Form(name), load_(load), exit_(exit) {}

void EmptyWorkingWindow::Bind(forms::EventTable& on) {
  on("Form", "Load", &EmptyWorkingWindow::Form_Load);
  // The exit control and the menu entries are bound only where the window's description has them.
  const forms::ElementDescription& description = Description();
  const auto has = [&description](const char* name) {
    for (const auto& child : description.children) {
      if (child.name == name) return true;
    }
    return false;
  };
  if (has("ExitButton")) on("ExitButton", "Click", &EmptyWorkingWindow::ExitButton_Click);
  if (has("debuginv")) on("debuginv", "Click", &EmptyWorkingWindow::debuginv_Click);
  if (has("help")) on("help", "Click", &EmptyWorkingWindow::help_Click);
}

void EmptyWorkingWindow::Form_Load() {
  if (load_ == LoadStep::ValidateItemFile) ValidateItemFile(*this);
}

void EmptyWorkingWindow::Exit() {
  if (exit_ == ExitStep::ReturnToCaller) {
    ReturnToCaller();
  } else {
    ReturnToMainMenu(*this);
  }
}

void EmptyWorkingWindow::ExitButton_Click() { Exit(); }
void EmptyWorkingWindow::debuginv_Click() { OpenDebugInventory(*this); }
void EmptyWorkingWindow::help_Click() { OpenHelpPageOf(*this, "help"); }

}  // namespace korvane
