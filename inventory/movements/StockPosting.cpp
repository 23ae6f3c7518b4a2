#include "movements/StockPosting.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "items/NumberText.h"

namespace korvane {

namespace {

// Number text reads a text beyond a double's range as the largest double, so that value stands for one
// that is not finite as well.
bool IsFiniteNumber(double value) { return std::fabs(value) < std::numeric_limits<double>::max(); }

// Whether the quantity field can hold the value without losing more than decimals.
bool FitsQuantityField(double value, std::size_t width) {
  if (!IsFiniteNumber(value)) return false;
  const std::string text = NumberText(value);
  if (text.find('E') != std::string::npos) return text.size() <= width;
  return std::min(text.find('.'), text.size()) <= width;
}

}  // namespace

bool PostToRow(int row, const ChosenKinds& kinds, double amount, ItemTableColumns& table) {
  if (!IsFiniteNumber(amount)) return false;
  // Everything is worked out first and stored only when all of it fits.
  FieldText quantity = table.QuantityArr(row);
  for (const MovementKindInfo& info : kMovementKinds) {
    if (!kinds[static_cast<int>(info.kind)]) continue;
    const double posted = NumberFromText(quantity) + info.quantitySign * amount;
    if (!FitsQuantityField(posted, quantity.Width())) return false;
    quantity = NumberText(posted);
  }
  std::vector<std::pair<FieldText*, std::string>> counters;
  for (const MovementKindInfo& info : kMovementKinds) {
    if (!kinds[static_cast<int>(info.kind)]) continue;
    for (std::size_t i = 0; i < info.counterCount; ++i) {
      FieldText& counter = table.Column(info.counters[i])(row);
      const double posted = NumberFromText(counter) + amount;
      if (!IsFiniteNumber(posted)) return false;
      counters.emplace_back(&counter, NumberText(posted));
    }
  }
  table.QuantityArr(row) = quantity;
  for (const auto& [counter, text] : counters) *counter = text;
  return true;
}

std::optional<double> PostingSlot(std::string_view slotText) {
  if (slotText.find_first_not_of(" \t") == std::string_view::npos) return std::nullopt;
  return NumberFromText(slotText);
}

const char* PostingMessage(const PostingResult& result) {
  if (result.file != ItemFileStatus::Ok) return ItemFileMessage(result.file);
  switch (result.refusal) {
    case PostingRefusal::None: return nullptr;
    case PostingRefusal::ItemGone: return kItemGoneText;
    case PostingRefusal::OutOfRange: return kPostingOutOfRangeText;
  }
  return nullptr;
}

PostingResult PostMovement(const std::optional<PostedItem>& item, const ChosenKinds& kinds,
                           std::string_view amountText, WindowCounters& counters, const std::string& itemFile) {
  const ItemFileStatus loaded = LoadItemTable(counters, ItemTable, itemFile);
  if (loaded != ItemFileStatus::Ok) return {loaded};
  // Written back from what the field reader read: not when a comma or a quote has cut a field.
  const ItemFileStatus clean = CheckItemFileLinesClean(itemFile);
  if (clean != ItemFileStatus::Ok) return {clean};
  if (item) {
    const int row = FindItemRow(ItemTable, counters.CounterMax, item->slot, item->itemNumber);
    if (row == 0) return {ItemFileStatus::Ok, PostingRefusal::ItemGone};
    if (!PostToRow(row, kinds, NumberFromText(amountText))) return {ItemFileStatus::Ok, PostingRefusal::OutOfRange};
  }
  return {RewriteItemFile(counters, ItemTable, itemFile)};
}

}  // namespace korvane
