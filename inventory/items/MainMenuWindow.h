// The main menu, the program's start-up window: eight ribbon buttons and the menu bar open the working
// windows, the help submenu starts three help pages, and the exit button ends the program. Its load runs at
// start-up and again each time a working window returns to a fresh main menu.
#pragma once

#include <string_view>

#include "forms/Forms.h"

namespace korvane {

class Form1 : public forms::Form {
 public:
  Form1();

 private:
  void Bind(forms::EventTable& on) override;

  void Form_Load();
  void ExitButton_Click();

  void InventoryReports_Click();
  void InventoryAdjustments_Click();
  void InvAdjRpt_Click();
  void SalesAndInventory_Click();
  void ProcessInventory_Click();
  void ZeroSales_Click();
  void SortInventoryFile_Click();
  void DebugTool_Click();

  void reports_Click();
  void adjustinventory_Click();
  void adjustrpt_Click();
  void salesinventoryrpt_Click();
  void processinv_Click();
  void deletesales_Click();
  void debugtools_Click();
  void databases_Click();

  void mainprogram_Click();
  void about_Click();
  void fendrixupload_Click();

  void InventoryReports_MouseEnter();
  void InventoryReports_MouseExit();
  void InventoryAdjustments_MouseEnter();
  void InventoryAdjustments_MouseExit();
  void InvAdjRpt_MouseEnter();
  void InvAdjRpt_MouseExit();
  void SalesAndInventory_MouseEnter();
  void SalesAndInventory_MouseExit();
  void ProcessInventory_MouseEnter();
  void ProcessInventory_MouseExit();
  void ZeroSales_MouseEnter();
  void ZeroSales_MouseExit();
  void SortInventoryFile_MouseEnter();
  void SortInventoryFile_MouseExit();
  void DebugTool_MouseEnter();
  void DebugTool_MouseExit();

  // What a button or menu entry of the main menu does, as the main menu's action table gives it.
  void Perform(std::string_view control);
};

}  // namespace korvane
