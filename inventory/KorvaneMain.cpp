// The program's entry: its thread is an OLE apartment, so that the control library's buttons are hosted
// through COM; the runtime loads and shows the main menu and runs until its last window is gone.
#include <windows.h>
#include <ole2.h>

#include "forms/ActiveXControlFactory.h"
#include "forms/Forms.h"
#include "forms/MessageBox.h"
#include "items/ItemFile.h"
#include "items/MainMenuWindow.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (FAILED(OleInitialize(nullptr))) {
    korvane::forms::MsgBox("The program cannot host its controls: OLE could not be started.", MB_OK | MB_ICONHAND,
                           korvane::kErrorConditionTitle);
    return 1;
  }
  korvane::activex::RegisterActiveXControls();
  const int exitCode = korvane::forms::Forms::RunProgram<korvane::Form1>();
  OleUninitialize();
  return exitCode;
}
