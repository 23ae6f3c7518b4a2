// The master list's view of an item: the fixed-layout line of the item list, the line of the category
// list, and the check that keeps commas and double quotes out of the item file.
#pragma once

#include <string>
#include <string_view>

#include "items/ItemRecord.h"

namespace korvane {

// Every line of the item list is this wide: blank-padded, or cut.
inline constexpr std::size_t kMasterListLineWidth = 160;

// The line of one item in the master list: slot number, category, item number, the first 26 characters
// of the description, cost, price, stock, reorder point and the eight counters, each under its number
// pattern and separated by blanks, padded or cut to 160 characters. An empty field gives an empty piece,
// so the pieces after it move left. The counters are used as the record holds them: the window's load
// and refresh fit them first (FitCountersForView), the other lists use them whole.
std::string MasterListLine(const ItemRecord& item);

// The width at which the window's load keeps the counters, in its table and its lines: the four
// movement counters at 4 characters, the four sold counters at 6 (left-aligned, blank-padded, cut).
void FitCountersForView(ItemRecord& item);

// The line of a category code in the category list: its first 2 characters, blank-padded, and 2 blanks.
std::string CategoryListLine(std::string_view code);

// Whether a text may go into a field of the item file: it holds neither a comma nor a double quote,
// which would split or swallow fields when the file is read again.
bool HasNoCommaQuote(std::string_view text);

// The refusal of a box that holds either.
inline constexpr char kCommaQuoteErrorText[] = "Error Condition Exists, Remove Quotes or Commas to Correct.";

}  // namespace korvane
