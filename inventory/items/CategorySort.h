// The sort of the item file into category order: all items of the first code of the category list,
// then all of the second code, and so on; within one category the items keep their file order.
//
// It is the only operation that reorders the item file. Fields are written back as read (the fixed
// fields at their full width) and slot numbers are not renumbered.
//
// No item is ever dropped or doubled by the sort:
// - an item whose category matches no code of the list is kept, after all the listed categories, in its
//   file order (so an empty list leaves the file as it is);
// - an item is placed by the first code that matches it: a later code of the same value ("1" after
//   "01") finds nothing left to gather.
// Everything is read before anything is written, and the file is rewritten through the crash-safe
// rewrite, so a failure at any point leaves the item file whole as it was.
#pragma once

#include <string>
#include <vector>

#include "items/CategoryList.h"
#include "items/ItemFile.h"

namespace korvane {

// The number of leading characters of each code that the sort keeps.
inline constexpr std::size_t kSortCodeWidth = 4;

// What the sort shows while it runs.
class SortProgress {
 public:
  virtual ~SortProgress() = default;
  // One more item has been placed; `placed` counts across all passes.
  virtual void ItemPlaced(int placed) = 0;
  // The pass of a code has ended; `code` is its first 4 characters, blank-padded.
  virtual void PassEnded(const std::string& code) = 0;
};

// The order of the items after the sort, as indexes into `categories` (the items' Category fields in
// file order). Every index appears exactly once.
std::vector<int> CategoryOrder(const std::vector<std::string>& codes, const std::vector<std::string>& categories,
                               SortProgress* progress = nullptr);

enum class [[nodiscard]] SortStatus {
  Done,
  CategoryListUnreadable,  // the category list is missing; nothing written
  ItemFileUnreadable,      // the item file is missing, cut short, or holds a comma or a quote; nothing written
  TooManyItems,            // the item file holds more items than the table; nothing written
  CannotWrite,             // the rewrite failed; the item file is as it was
};

// Sorts the item file through the shared item table. The counters are the sort window's.
SortStatus SortItemFile(SortProgress& progress, WindowCounters& counters,
                        const std::string& itemFile = kItemFileName,
                        const std::string& categoryFile = kCategoryFileName);

}  // namespace korvane
