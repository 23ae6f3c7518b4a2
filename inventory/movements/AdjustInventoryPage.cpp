#include "movements/AdjustInventoryPage.h"

#include <algorithm>
#include <utility>

#include "files/SequentialFiles.h"
#include "movements/ItemLookup.h"
#include "movements/StockPosting.h"

namespace korvane {

int FoldKeyToUpperCase(int keyAscii) { return keyAscii >= 'a' && keyAscii <= 'z' ? keyAscii - 32 : keyAscii; }

AdjustInventoryPage::AdjustInventoryPage(AdjustPageControls& controls, std::string itemFile)
    : controls_(controls), itemFile_(std::move(itemFile)) {}

void AdjustInventoryPage::FormLoad() {
  for (AdjustBox box : {AdjustBox::Text35, AdjustBox::Text36, AdjustBox::Text37, AdjustBox::Text38}) {
    controls_.SetText(box, "");
  }
  // Sales is stored checked, like the others, so after this no kind is chosen.
  for (MovementKind kind :
       {MovementKind::Receipt, MovementKind::WriteOff, MovementKind::TransferIn, MovementKind::TransferOut}) {
    controls_.CheckKind(kind);
  }
  controls_.SetMarquee(StepMarker::TypeItemNumber, kNoMarquee);
  controls_.SetMarquee(StepMarker::TypeAmount, kNoMarquee);
  controls_.SetMarquee(StepMarker::SaveDue, kNoMarquee);
  controls_.SetMarquee(StepMarker::ChooseKind, kBlinkingMarquee);
}

void AdjustInventoryPage::KindClick(MovementKind clicked) {
  if (!checkingOtherKinds_) {
    checkingOtherKinds_ = true;
    for (MovementKind kind : kKindButtonOrder) {
      if (kind != clicked) controls_.CheckKind(kind);
    }
    checkingOtherKinds_ = false;
  }
  controls_.SetMarquee(StepMarker::TypeItemNumber, kBlinkingMarquee);
  controls_.SetMarquee(StepMarker::ChooseKind, kNoMarquee);
  controls_.SetFocusTo(AdjustFocus::Text38);
}

void AdjustInventoryPage::Text38KeyPress(int& keyAscii) {
  keyAscii = FoldKeyToUpperCase(keyAscii);
  if (keyAscii == kEnterKey) Lookup();
}

void AdjustInventoryPage::Text36KeyPress(int& keyAscii) {
  keyAscii = FoldKeyToUpperCase(keyAscii);
  if (keyAscii != kEnterKey) return;
  controls_.SetMarquee(StepMarker::TypeAmount, kNoMarquee);
  controls_.SetMarquee(StepMarker::SaveDue, kBlinkingMarquee);
  controls_.SetFocusTo(AdjustFocus::SaveButton4);
}

void AdjustInventoryPage::Lookup() {
  const LookupResult found = LookupItem(controls_.Text(AdjustBox::Text38), itemFile_);
  if (found.status != ItemFileStatus::Ok) {
    // Cut short, missing or longer than the table: each sends the user to the Debug Inventory tool.
    controls_.ShowMessage(kItemFileErrorText);
    ResetAdjustPage(ResetKind::Plain);
    return;
  }
  // When nothing is found the boxes are emptied, so that no earlier item's slot is left for Save.
  controls_.SetText(AdjustBox::Text35, found.item ? found.item->Description : "");
  controls_.SetText(AdjustBox::Text16, found.item ? found.item->LineNo : "");
  controls_.SetText(AdjustBox::Text37, found.item ? found.item->Quantity : "");
  foundItemNumber_ = found.item ? found.item->ItemNumber : "";
  controls_.SetMarquee(StepMarker::TypeItemNumber, kNoMarquee);
  controls_.SetMarquee(StepMarker::TypeAmount, kBlinkingMarquee);
  controls_.SetFocusTo(AdjustFocus::Text36);
}

ChosenKinds AdjustInventoryPage::ChosenKindsNow() {
  ChosenKinds chosen{};
  for (const MovementKindInfo& info : kMovementKinds) {
    const std::optional<long> value = controls_.KindValue(info.kind);
    chosen[static_cast<int>(info.kind)] = value && *value == 0;
  }
  return chosen;
}

void AdjustInventoryPage::SaveClick() {
  const ChosenKinds kinds = ChosenKindsNow();
  if (std::count(kinds.begin(), kinds.end(), true) != 1) {
    // No kind, or several read unchecked (a button that missed a check): which to post is not known.
    files::CloseAllFiles();
    controls_.ShowMessage(kChooseOneKindText);
    return;
  }
  std::optional<PostedItem> item;
  if (const std::optional<double> slot = PostingSlot(controls_.Text(AdjustBox::Text16))) {
    item = PostedItem{*slot, foundItemNumber_};
  }
  const PostingResult result =
      PostMovement(item, kinds, controls_.Text(AdjustBox::Text36), counters_, itemFile_);
  if (const char* message = PostingMessage(result)) {
    // Nothing was written: the page keeps what the user typed, so that the same Save can be tried again;
    // the files are closed as after every Save.
    files::CloseAllFiles();
    controls_.ShowMessage(message);
    return;
  }
  ResetAdjustPage(ResetKind::AfterSave);
}

void AdjustInventoryPage::RefreshClick() { ResetAdjustPage(ResetKind::Plain); }

void AdjustInventoryPage::ResetAdjustPage(ResetKind reset) {
  for (AdjustBox box :
       {AdjustBox::Text35, AdjustBox::Text36, AdjustBox::Text37, AdjustBox::Text38, AdjustBox::Text16}) {
    controls_.SetText(box, "");
  }
  foundItemNumber_.clear();
  for (MovementKind kind : kKindButtonOrder) controls_.CheckKind(kind);
  if (reset == ResetKind::AfterSave) files::CloseAllFiles();
  controls_.SetMarquee(StepMarker::TypeItemNumber, kNoMarquee);
  controls_.SetMarquee(StepMarker::TypeAmount, kNoMarquee);
  controls_.SetMarquee(StepMarker::SaveDue, kNoMarquee);
  controls_.SetMarquee(StepMarker::ChooseKind, kBlinkingMarquee);
  controls_.SetFocusTo(AdjustFocus::ItemReceipts);
}

}  // namespace korvane
