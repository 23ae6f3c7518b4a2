#include "movements/ZeroAdjustmentsWindow.h"

#include "items/WindowNavigation.h"
#include "movements/CounterReset.h"
#include "movements/ResetButtonPress.h"

namespace korvane {

Form37::Form37() : Form("Form37") {}

void Form37::Bind(forms::EventTable& on) {
  on("Form", "Load", &Form37::Form_Load);
  on("ZeroTrans", "MouseDown", &Form37::ZeroTrans_MouseDown);
  on("ZeroTrans", "MouseEnter", &Form37::ZeroTrans_MouseEnter);
  on("ZeroTrans", "MouseExit", &Form37::ZeroTrans_MouseExit);
  on("Command4", "Click", &Form37::Command4_Click);
  on("debuginv", "Click", &Form37::debuginv_Click);
  on("help", "Click", &Form37::help_Click);
}

void Form37::Form_Load() { ValidateItemFile(*this); }

// Any mouse button resets; the keyboard, which toggles the button without a MouseDown, does not.
void Form37::ZeroTrans_MouseDown(const forms::MouseArgs&) {
  ProcessResetPress(*this, kZeroAdjustmentsButton, counters_);
}

void Form37::ZeroTrans_MouseEnter() { ApplyHover(*this, "ZeroTrans", true); }
void Form37::ZeroTrans_MouseExit() { ApplyHover(*this, "ZeroTrans", false); }
void Form37::Command4_Click() { ReturnToMainMenu(*this); }
void Form37::debuginv_Click() { OpenDebugInventory(*this); }
void Form37::help_Click() { OpenHelpPageOf(*this, "help"); }

}  // namespace korvane
