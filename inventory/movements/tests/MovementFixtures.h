// A small item file for the movement tests, kept as fields so that a test can change one field of one
// item and compare the bytes that the program writes with the file it expects.
#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "items/ItemRecord.h"

namespace korvane::testing {

using ItemFields = std::array<std::string, kItemFieldCount>;

inline std::string& FieldOf(ItemFields& item, ItemField field) { return item[static_cast<int>(field)]; }

// The item file's bytes: one line per field, fixed fields at full width, CR LF.
inline std::string ItemFileBytes(const std::vector<ItemFields>& items) {
  std::string bytes;
  for (const ItemFields& item : items) {
    for (const ItemFieldInfo& info : kItemFields) {
      const std::string& text = item[static_cast<int>(info.field)];
      bytes += (info.width ? FitToWidth(text, info.width) : text) + "\r\n";
    }
  }
  return bytes;
}

// Numbers that begin alike ("ABC-100" comes before the item numbered exactly "AB"), a free slot, a
// quantity stored with leading zeros and counters left empty by a reset.
//          LineNo ItemNumber Description       Cat  Cost    Qty     Reorder Price  Rec  WOf  TOut TIn  SDy SWk SMo  SYr
inline std::vector<ItemFields> SmallItemFile() {
  return {
      {"1", "ABC-100", "Hex bolt M8 x 40", "5", "1.25", "10", "4", "2.5", "7", "", "1", "", "", "3", "9", "40"},
      {"2", "AB", "Flat washer M8", "5", "0.05", "10", "20", "0.1", "", "2", "", "4", "1", "1", "1", "1"},
      {"3", "OPEN", "", "", "", "", "", "", "", "", "", "", "", "", "", ""},
      {"4", "XY-7", "Lock nut M8", "12", "0.3", "0012", "5", "0.6", "", "", "", "", "", "", "", ""},
  };
}

// The small item file with the given counters emptied in every item, as the resets leave it.
inline std::string SmallItemFileWithEmptied(std::initializer_list<ItemField> counters) {
  std::vector<ItemFields> items = SmallItemFile();
  for (ItemFields& item : items) {
    for (ItemField counter : counters) FieldOf(item, counter).clear();
  }
  return ItemFileBytes(items);
}

// The small item file after a sale of 2 on its first item: quantity 10 to 8, the empty day's sales to 2,
// and the week's, month's and year's sales each up by 2.
inline std::vector<ItemFields> AfterASaleOf2OnTheFirstItem() {
  std::vector<ItemFields> items = SmallItemFile();
  FieldOf(items[0], ItemField::Quantity) = "8";
  FieldOf(items[0], ItemField::SoldDay) = "2";
  FieldOf(items[0], ItemField::SoldWeek) = "5";
  FieldOf(items[0], ItemField::SoldMonth) = "11";
  FieldOf(items[0], ItemField::SoldYear) = "42";
  return items;
}

// Item files whose commas and quotes the field reader cuts or splits at, and which the load check still
// passes, since the shift leaves a multiple of 16 fields: a window that wrote one back from what it read
// would keep the cut fields for good.
struct FileTheReaderCuts {
  const char* what;
  std::string bytes;
};

inline std::vector<FileTheReaderCuts> FilesTheReaderCuts() {
  std::vector<ItemFields> quoted = SmallItemFile();
  FieldOf(quoted[0], ItemField::Description) = "\"Big\" hammer";  // read as Big
  std::vector<ItemFields> stray = SmallItemFile();
  FieldOf(stray[1], ItemField::SoldMonth) = "\"12";  // read as 12
  std::vector<ItemFields> commas = {SmallItemFile()[0], SmallItemFile()[1]};
  FieldOf(commas[1], ItemField::Description) = ",,,,,,,,,,,,,,,,Washers";  // 16 more fields: a third item
  return {
      {"a description led by a quote", ItemFileBytes(quoted)},
      {"a stray quote in a counter", ItemFileBytes(stray)},
      {"a description of 16 commas in a file of 2 items", ItemFileBytes(commas)},
  };
}

}  // namespace korvane::testing
