#include "movements/AdjustInventoryWindow.h"

#include "items/WindowNavigation.h"
#include "movements/ButtonValue.h"

namespace korvane {
namespace {

constexpr long kValueDispid = 47;
constexpr long kMarqueeStyleDispid = 60;

// The controls' names, in the order of AdjustBox and of StepMarker.
constexpr const char* kBoxNames[] = {"Text38", "Text35", "Text37", "Text36", "Text16"};
constexpr const char* kMarkerNames[] = {"ribTravelVia1", "ribTravelVia2", "ribTravelVia3", "ribTravelVia4"};

const char* BoxName(AdjustBox box) { return kBoxNames[static_cast<int>(box)]; }
const char* MarkerName(StepMarker marker) { return kMarkerNames[static_cast<int>(marker) - 1]; }

}  // namespace

Form3::Form3() : Form("Form3") {}

void Form3::Bind(forms::EventTable& on) {
  on("Form", "Load", &Form3::Form_Load);
  on("ItemReceipts", "Click", &Form3::ItemReceipts_Click);
  on("ItemTransfersIn", "Click", &Form3::ItemTransfersIn_Click);
  on("ItemWriteOffs", "Click", &Form3::ItemWriteOffs_Click);
  on("ItemTransfersOut", "Click", &Form3::ItemTransfersOut_Click);
  on("Sales", "Click", &Form3::Sales_Click);
  on("Text38", "KeyPress", &Form3::Text38_KeyPress);
  on("Text36", "KeyPress", &Form3::Text36_KeyPress);
  on("SaveButton4", "Click", &Form3::SaveButton4_Click);
  on("RefreshAdJInv", "Click", &Form3::RefreshAdJInv_Click);
  on("ExitButton", "Click", &Form3::ExitButton_Click);
  on("debuginv", "Click", &Form3::debuginv_Click);
  on("help", "Click", &Form3::help_Click);

  on("ItemReceipts", "MouseEnter", &Form3::ItemReceipts_MouseEnter);
  on("ItemReceipts", "MouseExit", &Form3::ItemReceipts_MouseExit);
  on("ItemTransfersIn", "MouseEnter", &Form3::ItemTransfersIn_MouseEnter);
  on("ItemTransfersIn", "MouseExit", &Form3::ItemTransfersIn_MouseExit);
  on("ItemTransfersOut", "MouseEnter", &Form3::ItemTransfersOut_MouseEnter);
  on("ItemTransfersOut", "MouseExit", &Form3::ItemTransfersOut_MouseExit);
  on("ItemWriteOffs", "MouseEnter", &Form3::ItemWriteOffs_MouseEnter);
  on("ItemWriteOffs", "MouseExit", &Form3::ItemWriteOffs_MouseExit);
  on("Sales", "MouseEnter", &Form3::Sales_MouseEnter);
  on("Sales", "MouseExit", &Form3::Sales_MouseExit);
  on("RefreshAdJInv", "MouseEnter", &Form3::RefreshAdJInv_MouseEnter);
  on("RefreshAdJInv", "MouseExit", &Form3::RefreshAdJInv_MouseExit);
}

void Form3::Form_Load() { page_.FormLoad(); }
void Form3::ItemReceipts_Click() { page_.KindClick(MovementKind::Receipt); }
void Form3::ItemTransfersIn_Click() { page_.KindClick(MovementKind::TransferIn); }
void Form3::ItemWriteOffs_Click() { page_.KindClick(MovementKind::WriteOff); }
void Form3::ItemTransfersOut_Click() { page_.KindClick(MovementKind::TransferOut); }
void Form3::Sales_Click() { page_.KindClick(MovementKind::Sale); }
void Form3::Text38_KeyPress(int& keyAscii) { page_.Text38KeyPress(keyAscii); }
void Form3::Text36_KeyPress(int& keyAscii) { page_.Text36KeyPress(keyAscii); }
void Form3::SaveButton4_Click() { page_.SaveClick(); }
void Form3::RefreshAdJInv_Click() { page_.RefreshClick(); }
void Form3::ExitButton_Click() { ReturnToMainMenu(*this); }
void Form3::debuginv_Click() { OpenDebugInventory(*this); }
void Form3::help_Click() { OpenHelpPageOf(*this, "help"); }

void Form3::ItemReceipts_MouseEnter() { ApplyHover(*this, "ItemReceipts", true); }
void Form3::ItemReceipts_MouseExit() { ApplyHover(*this, "ItemReceipts", false); }
void Form3::ItemTransfersIn_MouseEnter() { ApplyHover(*this, "ItemTransfersIn", true); }
void Form3::ItemTransfersIn_MouseExit() { ApplyHover(*this, "ItemTransfersIn", false); }
void Form3::ItemTransfersOut_MouseEnter() { ApplyHover(*this, "ItemTransfersOut", true); }
void Form3::ItemTransfersOut_MouseExit() { ApplyHover(*this, "ItemTransfersOut", false); }
void Form3::ItemWriteOffs_MouseEnter() { ApplyHover(*this, "ItemWriteOffs", true); }
void Form3::ItemWriteOffs_MouseExit() { ApplyHover(*this, "ItemWriteOffs", false); }
void Form3::Sales_MouseEnter() { ApplyHover(*this, "Sales", true); }
void Form3::Sales_MouseExit() { ApplyHover(*this, "Sales", false); }
void Form3::RefreshAdJInv_MouseEnter() { ApplyHover(*this, "RefreshAdJInv", true); }
void Form3::RefreshAdJInv_MouseExit() { ApplyHover(*this, "RefreshAdJInv", false); }

std::string Form3::Text(AdjustBox box) { return TextBoxNamed(BoxName(box)).Text(); }

void Form3::SetText(AdjustBox box, const std::string& text) { TextBoxNamed(BoxName(box)).SetText(text); }

std::optional<long> Form3::KindValue(MovementKind kind) {
  return ButtonValueOf(Hosted(InfoOf(kind).control).Property(kValueDispid));
}

void Form3::CheckKind(MovementKind kind) {
  // A button that refuses keeps its state; the kind it shows is then what the posting reads.
  (void)Hosted(InfoOf(kind).control).SetProperty(kValueDispid, true);
}

void Form3::SetMarquee(StepMarker marker, int style) {
  (void)Hosted(MarkerName(marker)).SetProperty(kMarqueeStyleDispid, static_cast<long>(style));
}

void Form3::SetFocusTo(AdjustFocus target) {
  switch (target) {
    case AdjustFocus::ItemReceipts: Hosted("ItemReceipts").SetFocus(); break;
    case AdjustFocus::Text38: TextBoxNamed("Text38").SetFocus(); break;
    case AdjustFocus::Text36: TextBoxNamed("Text36").SetFocus(); break;
    case AdjustFocus::SaveButton4: Hosted("SaveButton4").SetFocus(); break;
  }
}

void Form3::ShowMessage(const char* text) { ShowErrorMessage(text); }

}  // namespace korvane
