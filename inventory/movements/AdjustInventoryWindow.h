// The Adjust Inventory window (Form3): posts one stock movement at a time to one item of the item file.
// Its behaviour is the Adjust Inventory page's; the window hands the page its events and lets it work
// its controls: the five kind buttons and the four step markers of the control library, and the boxes.
#pragma once

#include <string>

#include "forms/Forms.h"
#include "movements/AdjustInventoryPage.h"

namespace korvane {

class Form3 : public forms::Form, private AdjustPageControls {
 public:
  Form3();

 private:
  void Bind(forms::EventTable& on) override;

  void Form_Load();
  void ItemReceipts_Click();
  void ItemTransfersIn_Click();
  void ItemWriteOffs_Click();
  void ItemTransfersOut_Click();
  void Sales_Click();
  void Text38_KeyPress(int& keyAscii);
  void Text36_KeyPress(int& keyAscii);
  void SaveButton4_Click();
  void RefreshAdJInv_Click();
  void ExitButton_Click();
  void debuginv_Click();
  void help_Click();

  void ItemReceipts_MouseEnter();
  void ItemReceipts_MouseExit();
  void ItemTransfersIn_MouseEnter();
  void ItemTransfersIn_MouseExit();
  void ItemTransfersOut_MouseEnter();
  void ItemTransfersOut_MouseExit();
  void ItemWriteOffs_MouseEnter();
  void ItemWriteOffs_MouseExit();
  void Sales_MouseEnter();
  void Sales_MouseExit();
  void RefreshAdJInv_MouseEnter();
  void RefreshAdJInv_MouseExit();

  // AdjustPageControls
  std::string Text(AdjustBox box) override;
  void SetText(AdjustBox box, const std::string& text) override;
  std::optional<long> KindValue(MovementKind kind) override;
  void CheckKind(MovementKind kind) override;
  void SetMarquee(StepMarker marker, int style) override;
  void SetFocusTo(AdjustFocus target) override;
  void ShowMessage(const char* text) override;

  AdjustInventoryPage page_{*this};
};

}  // namespace korvane
