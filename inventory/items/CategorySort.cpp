#include "items/CategorySort.h"

#include "items/ItemTable.h"
#include "items/NumberText.h"

namespace korvane {

std::vector<int> CategoryOrder(const std::vector<std::string>& codes, const std::vector<std::string>& categories,
                               SortProgress* progress) {
  const int count = static_cast<int>(categories.size());
  std::vector<int> order;
  order.reserve(categories.size());
  std::vector<bool> placed(categories.size(), false);
  std::vector<double> values;
  values.reserve(categories.size());
  for (const std::string& category : categories) values.push_back(NumberFromText(category));

  const auto place = [&](int item) {
    placed[item] = true;
    order.push_back(item);
    if (progress) progress->ItemPlaced(static_cast<int>(order.size()));
  };
  for (const std::string& code : codes) {
    const std::string kept = FitToWidth(code, kSortCodeWidth);
    const double value = NumberFromText(kept);
    for (int item = 0; item < count; ++item) {
      if (!placed[item] && values[item] == value) place(item);
    }
    if (progress) progress->PassEnded(kept);
  }
  // Items of no listed category stay in the file, after the listed ones.
  for (int item = 0; item < count; ++item) {
    if (!placed[item]) place(item);
  }
  return order;
}

SortStatus SortItemFile(SortProgress& progress, WindowCounters& counters, const std::string& itemFile,
                        const std::string& categoryFile) {
  std::vector<std::string> codes;
  if (ReadCategoryCodes(codes, categoryFile) != ItemFileStatus::Ok) return SortStatus::CategoryListUnreadable;

  // The item file is read once, whole, before anything is written.
  std::vector<ItemRecord> items;
  const ItemFileStatus read = ForEachItem(
      [&items](const ItemRecord& item) {
        items.push_back(item);
        return true;
      },
      itemFile);
  if (read == ItemFileStatus::TooManyItems) return SortStatus::TooManyItems;
  if (read != ItemFileStatus::Ok) return SortStatus::ItemFileUnreadable;
  // Written back from what the field reader read: not when a comma or a quote has cut a field.
  if (CheckItemFileLinesClean(itemFile) != ItemFileStatus::Ok) return SortStatus::ItemFileUnreadable;

  std::vector<std::string> categories;
  categories.reserve(items.size());
  for (const ItemRecord& item : items) categories.push_back(item.Category.str());
  const std::vector<int> order = CategoryOrder(codes, categories, &progress);

  int row = ItemTableColumns::kFirstRow;
  for (int item : order) ItemTable.CopyRowFrom(row++, items[item]);
  counters.CounterMax = static_cast<std::int16_t>(order.size());
  counters.indexx = 0;
  return RewriteItemFile(counters, ItemTable, itemFile) == ItemFileStatus::Ok ? SortStatus::Done
                                                                              : SortStatus::CannotWrite;
}

}  // namespace korvane
