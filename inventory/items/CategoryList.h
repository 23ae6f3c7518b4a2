// The category list "Item.Txt": the category codes, prepared outside the program and only read by it.
// Its order is the category order of the sort, the category-ordered print-outs, lists and reports.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "items/ItemFile.h"

namespace korvane {

inline constexpr char kCategoryFileName[] = "Item.Txt";
inline constexpr int kCategoryFileHandle = 5;

// The message of the windows that cannot go on without the category list (the sort and the reports).
inline constexpr char kCategoryListErrorText[] =
    "Error Condition Exists, the category list Item.Txt cannot be read.";

// Reads every code of the category list in file order through handle 5 (closed first, and closed again
// at the end). The codes are read by the field reader's rules, so each comma-separated field of a line
// is one code; they are returned whole, and each caller keeps as many leading characters as it uses
// (FitToWidth). CannotOpen for a missing list; `codes` is then empty.
ItemFileStatus ReadCategoryCodes(std::vector<std::string>& codes,
                                 const std::string& categoryFile = kCategoryFileName);

// Whether a code of the list names an item's category: by numeric value, so "5", "05" and "5 " are one
// category, and a code or category without digits has the value 0.
bool SameCategoryValue(std::string_view code, std::string_view category);

}  // namespace korvane
