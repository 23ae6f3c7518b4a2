// The behaviour of the Adjust Inventory window, free of Windows: the user chooses a kind of movement,
// types the item number (or its first characters) and Enter, reads the item's description and quantity,
// types the amount and Enter, and saves. Four numbered markers show which step is next by blinking.
//
// The window hands each of its events to this page and lets it work the window's controls through
// AdjustPageControls. A kind button is chosen while it reads unchecked (Value 0); checking a button that
// was unchecked fires that button's Click at once, inside the call, as the check buttons do, so the
// page's KindClick can run nested inside another.
#pragma once

#include <optional>
#include <string>

#include "items/ItemFile.h"
#include "items/ItemTable.h"
#include "movements/MovementKind.h"

namespace korvane {

// The boxes of the page, by their control names.
enum class AdjustBox {
  Text38,  // the item number, typed
  Text35,  // the description, from the lookup
  Text37,  // the present quantity, from the lookup
  Text36,  // the amount, typed
  Text16,  // the slot number of the item found; Save posts to it
};

// The step markers ribTravelVia1 to ribTravelVia4.
enum class StepMarker { ChooseKind = 1, TypeItemNumber = 2, TypeAmount = 3, SaveDue = 4 };

enum class AdjustFocus { ItemReceipts, Text38, Text36, SaveButton4 };

// Marquee styles of the markers.
inline constexpr int kNoMarquee = 0;
inline constexpr int kBlinkingMarquee = 3;

inline constexpr int kEnterKey = 13;

// What the page does with the window's controls.
class AdjustPageControls {
 public:
  virtual ~AdjustPageControls() = default;
  virtual std::string Text(AdjustBox box) = 0;
  virtual void SetText(AdjustBox box, const std::string& text) = 0;
  // The button's Value: 0 unchecked, non-zero checked; none when the button refused the read.
  virtual std::optional<long> KindValue(MovementKind kind) = 0;
  virtual void CheckKind(MovementKind kind) = 0;  // Value := True; may fire the button's Click inside
  virtual void SetMarquee(StepMarker marker, int style) = 0;
  virtual void SetFocusTo(AdjustFocus target) = 0;
  // A message box of the program (critical, OK only): kItemFileErrorText and the others of ItemFile.h.
  virtual void ShowMessage(const char* text) = 0;
};

// The message of a Save when not exactly one kind reads chosen: nothing is posted.
inline constexpr char kChooseOneKindText[] =
    "Error Condition Exists, choose exactly one kind of movement before saving; nothing was saved.";

// A typed lower-case letter a to z becomes its capital; every other key passes unchanged.
int FoldKeyToUpperCase(int keyAscii);

class AdjustInventoryPage {
 public:
  explicit AdjustInventoryPage(AdjustPageControls& controls, std::string itemFile = kItemFileName);

  void FormLoad();
  void KindClick(MovementKind clicked);
  void Text38KeyPress(int& keyAscii);
  void Text36KeyPress(int& keyAscii);
  void SaveClick();
  void RefreshClick();

  // The kinds whose buttons read unchecked; a button whose read is refused is not chosen.
  ChosenKinds ChosenKindsNow();

 private:
  enum class ResetKind { Plain, AfterSave };
  void ResetAdjustPage(ResetKind reset);
  void Lookup();

  AdjustPageControls& controls_;
  std::string itemFile_;
  WindowCounters counters_;
  // The item number of the item that the last lookup found, which Save posts to with the slot of Text16;
  // empty when the lookup found nothing or the page was reset.
  std::string foundItemNumber_;
  // Set while a kind's Click checks the other buttons. Checking the button chosen before fires its Click
  // inside; that nested Click must not check the button just clicked again, or switching from one kind
  // to another would leave none chosen.
  bool checkingOtherKinds_ = false;
};

}  // namespace korvane
