#include "items/MainMenuWindow.h"

#include <windows.h>

#include <string>

#include "CapsOnLoader.h"
#include "forms/MessageBox.h"
#include "items/ItemFile.h"
#include "items/MasterListWindow.h"
#include "items/Navigation.h"
#include "items/SortWindow.h"
#include "items/WindowNavigation.h"
#include "items/WorkingWindows.h"
#include "shell/Shell.h"

namespace korvane {
namespace {

constexpr long kValueDispid = 47;

// Loaded once for the whole run; a missing library is reported on the first load only.
CapsOnLoader& CapsLock() {
  static CapsOnLoader loader;
  return loader;
}

}  // namespace

Form1::Form1() : Form(kMainMenu) {}

void Form1::Bind(forms::EventTable& on) {
  on("Form", "Load", &Form1::Form_Load);
  on("ExitButton", "Click", &Form1::ExitButton_Click);

  on("InventoryReports", "Click", &Form1::InventoryReports_Click);
  on("InventoryAdjustments", "Click", &Form1::InventoryAdjustments_Click);
  on("InvAdjRpt", "Click", &Form1::InvAdjRpt_Click);
  on("SalesAndInventory", "Click", &Form1::SalesAndInventory_Click);
  on("ProcessInventory", "Click", &Form1::ProcessInventory_Click);
  on("ZeroSales", "Click", &Form1::ZeroSales_Click);
  on("SortInventoryFile", "Click", &Form1::SortInventoryFile_Click);
  on("DebugTool", "Click", &Form1::DebugTool_Click);

  on("reports", "Click", &Form1::reports_Click);
  on("adjustinventory", "Click", &Form1::adjustinventory_Click);
  on("adjustrpt", "Click", &Form1::adjustrpt_Click);
  on("salesinventoryrpt", "Click", &Form1::salesinventoryrpt_Click);
  on("processinv", "Click", &Form1::processinv_Click);
  on("deletesales", "Click", &Form1::deletesales_Click);
  on("debugtools", "Click", &Form1::debugtools_Click);
  on("databases", "Click", &Form1::databases_Click);

  on("mainprogram", "Click", &Form1::mainprogram_Click);
  on("about", "Click", &Form1::about_Click);
  on("fendrixupload", "Click", &Form1::fendrixupload_Click);

  on("InventoryReports", "MouseEnter", &Form1::InventoryReports_MouseEnter);
  on("InventoryReports", "MouseExit", &Form1::InventoryReports_MouseExit);
  on("InventoryAdjustments", "MouseEnter", &Form1::InventoryAdjustments_MouseEnter);
  on("InventoryAdjustments", "MouseExit", &Form1::InventoryAdjustments_MouseExit);
  on("InvAdjRpt", "MouseEnter", &Form1::InvAdjRpt_MouseEnter);
  on("InvAdjRpt", "MouseExit", &Form1::InvAdjRpt_MouseExit);
  on("SalesAndInventory", "MouseEnter", &Form1::SalesAndInventory_MouseEnter);
  on("SalesAndInventory", "MouseExit", &Form1::SalesAndInventory_MouseExit);
  on("ProcessInventory", "MouseEnter", &Form1::ProcessInventory_MouseEnter);
  on("ProcessInventory", "MouseExit", &Form1::ProcessInventory_MouseExit);
  on("ZeroSales", "MouseEnter", &Form1::ZeroSales_MouseEnter);
  on("ZeroSales", "MouseExit", &Form1::ZeroSales_MouseExit);
  on("SortInventoryFile", "MouseEnter", &Form1::SortInventoryFile_MouseEnter);
  on("SortInventoryFile", "MouseExit", &Form1::SortInventoryFile_MouseExit);
  on("DebugTool", "MouseEnter", &Form1::DebugTool_MouseEnter);
  on("DebugTool", "MouseExit", &Form1::DebugTool_MouseExit);
}

void Form1::Form_Load() {
  // The drive's current folder is kept: the data folder is made current by the help page launches.
  shell::ChangeDrive(kStartDrive[0]);
  const CapsOnLoader::Outcome capsOn = CapsLock().Call();
  if (!capsOn.problem.empty()) forms::MsgBox(capsOn.problem, 16, kErrorConditionTitle);
  Show();
  for (const char* ribbon : kMainMenuRibbonsReleasedOnLoad) {
    (void)Hosted(ribbon).SetProperty(kValueDispid, false);
  }
}

void Form1::ExitButton_Click() {
  // The master list and the sort window are unloaded when they are loaded; one that is not is left alone,
  // since loading the sort window only to unload it would show it, check the item file and put a fresh
  // main menu in place of the one that is ending. Then the main menu itself: the program ends with its
  // last window.
  forms::Forms::Unload<Form60>();
  forms::Forms::Unload<Form2>();
  forms::Forms::Unload<Form1>();
}

namespace {

// Whether a batch file is where it would be run from. The command interpreter that runs it starts, and so
// counts as started, whether or not the file is there; so it is looked for first where the interpreter
// looks for it: in the current folder, then along the path.
bool BatchFileFound(const char* batchFile) {
  std::string folders = shell::CurrentFolder();
  const DWORD pathSize = GetEnvironmentVariableA("PATH", nullptr, 0);
  if (pathSize > 0) {
    std::string path(pathSize, '\0');
    const DWORD length = GetEnvironmentVariableA("PATH", path.data(), pathSize);
    if (length > 0 && length < pathSize) folders += ";" + path.substr(0, length);
  }
  char found[MAX_PATH];
  const DWORD length = SearchPathA(folders.c_str(), batchFile, nullptr, MAX_PATH, found, nullptr);
  return length > 0 && length < MAX_PATH;
}

}  // namespace

void Form1::Perform(std::string_view control) {
  const MainMenuAction* action = FindMainMenuAction(control);
  if (!action) return;
  if (action->batchFile && (!BatchFileFound(action->batchFile) ||
                            !shell::StartProgram(action->batchFile, shell::WindowStyle::MinimizedFocus))) {
    ReportNotStarted(action->batchFile);
  }
  OpenWorkingWindow(action->opens);
}

void Form1::InventoryReports_Click() { Perform("InventoryReports"); }
void Form1::InventoryAdjustments_Click() { Perform("InventoryAdjustments"); }
void Form1::InvAdjRpt_Click() { Perform("InvAdjRpt"); }
void Form1::SalesAndInventory_Click() { Perform("SalesAndInventory"); }
void Form1::ProcessInventory_Click() { Perform("ProcessInventory"); }
void Form1::ZeroSales_Click() { Perform("ZeroSales"); }
void Form1::SortInventoryFile_Click() { Perform("SortInventoryFile"); }
void Form1::DebugTool_Click() { Perform("DebugTool"); }

void Form1::reports_Click() { Perform("reports"); }
void Form1::adjustinventory_Click() { Perform("adjustinventory"); }
void Form1::adjustrpt_Click() { Perform("adjustrpt"); }
void Form1::salesinventoryrpt_Click() { Perform("salesinventoryrpt"); }
void Form1::processinv_Click() { Perform("processinv"); }
void Form1::deletesales_Click() { Perform("deletesales"); }
void Form1::debugtools_Click() { Perform("debugtools"); }
void Form1::databases_Click() { Perform("databases"); }

void Form1::mainprogram_Click() { OpenHelpPageOf(*this, "mainprogram"); }
void Form1::about_Click() { OpenHelpPageOf(*this, "about"); }
void Form1::fendrixupload_Click() { OpenHelpPageOf(*this, "fendrixupload"); }

void Form1::InventoryReports_MouseEnter() { ApplyHover(*this, "InventoryReports", true); }
void Form1::InventoryReports_MouseExit() { ApplyHover(*this, "InventoryReports", false); }
void Form1::InventoryAdjustments_MouseEnter() { ApplyHover(*this, "InventoryAdjustments", true); }
void Form1::InventoryAdjustments_MouseExit() { ApplyHover(*this, "InventoryAdjustments", false); }
void Form1::InvAdjRpt_MouseEnter() { ApplyHover(*this, "InvAdjRpt", true); }
void Form1::InvAdjRpt_MouseExit() { ApplyHover(*this, "InvAdjRpt", false); }
void Form1::SalesAndInventory_MouseEnter() { ApplyHover(*this, "SalesAndInventory", true); }
void Form1::SalesAndInventory_MouseExit() { ApplyHover(*this, "SalesAndInventory", false); }
void Form1::ProcessInventory_MouseEnter() { ApplyHover(*this, "ProcessInventory", true); }
void Form1::ProcessInventory_MouseExit() { ApplyHover(*this, "ProcessInventory", false); }
void Form1::ZeroSales_MouseEnter() { ApplyHover(*this, "ZeroSales", true); }
void Form1::ZeroSales_MouseExit() { ApplyHover(*this, "ZeroSales", false); }
void Form1::SortInventoryFile_MouseEnter() { ApplyHover(*this, "SortInventoryFile", true); }
void Form1::SortInventoryFile_MouseExit() { ApplyHover(*this, "SortInventoryFile", false); }
void Form1::DebugTool_MouseEnter() { ApplyHover(*this, "DebugTool", true); }
void Form1::DebugTool_MouseExit() { ApplyHover(*this, "DebugTool", false); }

}  // namespace korvane
