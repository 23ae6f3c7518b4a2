#include "movements/ItemLookup.h"

namespace korvane {

bool ItemNumberBeginsWith(std::string_view storedNumber, std::string_view typed) {
  return storedNumber.substr(0, typed.size()) == typed;
}

LookupResult LookupItem(std::string_view typed, const std::string& itemFile) {
  LookupResult result;
  result.status = ForEachItem(
      [&](const ItemRecord& item) {
        if (!ItemNumberBeginsWith(item.ItemNumber, typed)) return true;
        result.item = FoundItem{item.LineNo, item.ItemNumber, item.Description, item.Quantity};
        return false;
      },
      itemFile);
  if (result.status != ItemFileStatus::Ok) result.item.reset();
  return result;
}

}  // namespace korvane
