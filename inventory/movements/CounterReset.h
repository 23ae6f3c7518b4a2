// The resets: a press on a reset button empties some counters of every item in the item file (an empty
// counter reads as 0 everywhere), and may light the indicator beside the button. Zero Inventory
// Adjustments empties the four adjustment counters with one button; Zero Sales History empties one sold
// counter per period button.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "items/ItemFile.h"
#include "items/ItemRecord.h"
#include "items/ItemTable.h"

namespace korvane {

// The counters one button empties: the first `count` of `fields`.
struct ResetCounters {
  std::array<ItemField, 4> fields;
  std::size_t count;
};

// When the indicator beside a button is lit after the counters were emptied: only when the button still
// reads checked at the press (a check button toggles only when the mouse is released, so this is its state
// from before the press), or on every press.
enum class IndicatorRule { WhenButtonChecked, EveryPress };

struct ResetButton {
  const char* button;     // the check button whose MouseDown resets
  ResetCounters counters;
  const char* indicator;  // the indicator beside it
  IndicatorRule lit;
};

// Zero Inventory Adjustments: the counters that the Adjust Inventory window adds to.
inline constexpr ResetButton kZeroAdjustmentsButton = {
    "ZeroTrans",
    {{ItemField::Receipts, ItemField::Writeoffs, ItemField::Transout, ItemField::Transin}, 4},
    "vaBtn2",
    IndicatorRule::WhenButtonChecked};

// Zero Sales History: one button per period, top to bottom on the screen. Each empties only its own
// counter; nothing is carried into a longer period. In the order of SalesPeriod.
enum class SalesPeriod { Day, Week, Month, Year };

inline constexpr std::array<ResetButton, 4> kSalesPeriodButtons = {{
    {"DailyProc", {{ItemField::SoldDay}, 1}, "vaBtn3", IndicatorRule::WhenButtonChecked},
    {"WeeklyProc", {{ItemField::SoldWeek}, 1}, "vaBtn1", IndicatorRule::WhenButtonChecked},
    {"MonthlyProc", {{ItemField::SoldMonth}, 1}, "vaBtn2", IndicatorRule::WhenButtonChecked},
    {"YearlyProc", {{ItemField::SoldYear}, 1}, "vaBtn4", IndicatorRule::EveryPress},
}};

inline const ResetButton& ButtonOf(SalesPeriod period) { return kSalesPeriodButtons[static_cast<int>(period)]; }

// Empty text in the counters of rows 1 to CounterMax; every other field keeps its text.
void EmptyCounters(const ResetCounters& counters, const WindowCounters& window, ItemTableColumns& table = ItemTable);

struct ResetOutcome {
  ItemFileStatus status;
  bool lightIndicator;  // only after the file was rewritten
};

// One press on a reset button, given the button's value as it reads at the press (checked reads True,
// -1): the item file loaded into the table, the button's counters emptied in every item, and the file
// rewritten through the crash-safe rewrite, item order and every other line unchanged. A file that
// cannot be read to its end is not written at all (the table would hold only part of it), nor one whose
// lines hold a comma or a quote (CheckItemFileLinesClean); a file that cannot be written is left as it
// was. The indicator is lit only when the file was rewritten.
ResetOutcome PressResetButton(const ResetButton& button, long buttonValue, WindowCounters& window,
                              const std::string& itemFile = kItemFileName);

}  // namespace korvane
