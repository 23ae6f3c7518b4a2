#include "movements/StockPosting.h"

#include "items/NumberText.h"

namespace korvane {

void PostToRow(int row, const ChosenKinds& kinds, double amount, ItemTableColumns& table) {
  FieldText& quantity = table.QuantityArr(row);
  for (const MovementKindInfo& info : kMovementKinds) {
    if (!kinds[static_cast<int>(info.kind)]) continue;
    quantity = NumberText(NumberFromText(quantity) + info.quantitySign * amount);
  }
  for (const MovementKindInfo& info : kMovementKinds) {
    if (!kinds[static_cast<int>(info.kind)]) continue;
    for (std::size_t i = 0; i < info.counterCount; ++i) {
      FieldText& counter = table.Column(info.counters[i])(row);
      counter = NumberText(NumberFromText(counter) + amount);
    }
  }
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
  }
  return nullptr;
}

PostingResult PostMovement(const std::optional<PostedItem>& item, const ChosenKinds& kinds,
                           std::string_view amountText, WindowCounters& counters, const std::string& itemFile) {
  const ItemFileStatus loaded = LoadItemTable(counters, ItemTable, itemFile);
  if (loaded != ItemFileStatus::Ok) return {loaded};
  if (item) {
    const int row = FindItemRow(ItemTable, counters.CounterMax, item->slot, item->itemNumber);
    if (row == 0) return {ItemFileStatus::Ok, PostingRefusal::ItemGone};
    PostToRow(row, kinds, NumberFromText(amountText));
  }
  return {RewriteItemFile(counters, ItemTable, itemFile)};
}

}  // namespace korvane
