// The item lookup of the Adjust Inventory window: the first item of the item file, in file order, whose
// item number begins with what the user typed.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "items/ItemFile.h"

namespace korvane {

struct FoundItem {
  std::string LineNo;
  std::string ItemNumber;   // 15 characters, trailing blanks included
  std::string Description;  // 30 characters, trailing blanks included
  std::string Quantity;     // 6 characters, trailing blanks included
};

struct LookupResult {
  ItemFileStatus status = ItemFileStatus::Ok;
  std::optional<FoundItem> item;  // none when no item number begins with the text
};

// Whether a stored item number (blank-padded to 15 characters) begins with the typed text: its first
// characters equal the text exactly, case-sensitive. Every number begins with the empty text; a typed
// blank matches only a stored blank, so "AB " finds an item numbered exactly "AB"; a text longer than
// the stored number never matches.
bool ItemNumberBeginsWith(std::string_view storedNumber, std::string_view typed);

// Reads the item file from its start through ItemRec, item by item, and stops at the first item whose
// number begins with the typed text. A file that cannot be read up to that item (missing, cut short,
// more items than the table holds) answers its failing status and no item.
LookupResult LookupItem(std::string_view typed, const std::string& itemFile = kItemFileName);

}  // namespace korvane
