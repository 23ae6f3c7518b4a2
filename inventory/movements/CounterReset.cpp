#include "movements/CounterReset.h"

namespace korvane {

void EmptyCounters(const ResetCounters& counters, const WindowCounters& window, ItemTableColumns& table) {
  for (int row = ItemTableColumns::kFirstRow; row <= window.CounterMax; ++row) {
    for (std::size_t i = 0; i < counters.count; ++i) table.Column(counters.fields[i])(row).Empty();
  }
}

ResetOutcome PressResetButton(const ResetButton& button, long buttonValue, WindowCounters& window,
                              const std::string& itemFile) {
  ItemFileStatus status = LoadItemTable(window, ItemTable, itemFile);
  // Written back from what the field reader read: not when a comma or a quote has cut a field.
  if (status == ItemFileStatus::Ok) status = CheckItemFileLinesClean(itemFile);
  if (status == ItemFileStatus::Ok) {
    EmptyCounters(button.counters, window);
    status = RewriteItemFile(window, ItemTable, itemFile);
  }
  // A two-state check button reads True (-1) when checked at run time; any non-zero value is checked.
  const bool checked = buttonValue != 0;
  const bool light = button.lit == IndicatorRule::EveryPress || checked;
  return {status, status == ItemFileStatus::Ok && light};
}

}  // namespace korvane
