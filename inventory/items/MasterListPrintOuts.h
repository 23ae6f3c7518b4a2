// The master list's three print-outs, free of Windows: every item in file order, the items category by
// category in the order of the category list, and the items of one category. All three share one page:
// a title line ending with the date, a heading row, a ruler, and one fixed-column line per item, in
// 8-point "courier new". They read the item file themselves and change nothing.
#pragma once

#include <string>
#include <string_view>

#include "items/CategoryList.h"
#include "items/ItemFile.h"

namespace korvane {

// What the print-outs do with the printer.
class ItemListPrinter {
 public:
  virtual ~ItemListPrinter() = default;
  virtual void SetFontName(const std::string& name) = 0;
  virtual void SetFontSize(double points) = 0;
  // Text at a 1-based column of the current line, or of the next line when the print position is past it.
  virtual void PrintAt(int column, std::string_view text) = 0;
  virtual void EndLine() = 0;
  // Text at the print position, then the end of the line.
  virtual void PrintLine(std::string_view text) = 0;
  // Ends the document, which sends it to the printer.
  virtual void EndDoc() = 0;
};

// The date at the end of the title: month-day-year, "mm-dd-yyyy".
std::string PrintOutDate(int year, int month, int day);

// Each prints one whole document and answers Ok; a file that cannot be read through is found before
// anything is printed (CannotOpen, EndsInsideItem, TooManyItems), and nothing is printed then.
ItemFileStatus PrintAllItems(ItemListPrinter& printer, std::string_view date,
                             const std::string& itemFile = kItemFileName);
// The print-out by category needs the category list as well: a list that cannot be read is reported as
// such, and then nothing is read or printed.
struct [[nodiscard]] CategoryPrintOutStatus {
  ItemFileStatus categoryList = ItemFileStatus::Ok;
  ItemFileStatus itemFile = ItemFileStatus::Ok;
};
CategoryPrintOutStatus PrintAllItemsByCategory(ItemListPrinter& printer, std::string_view date,
                                               const std::string& itemFile = kItemFileName,
                                               const std::string& categoryFile = kCategoryFileName);
// The category is the first 2 characters of the category list's current line (empty when none is
// selected), compared by numeric value.
ItemFileStatus PrintSelectedCategory(ItemListPrinter& printer, std::string_view date, std::string_view categoryLine,
                                     const std::string& itemFile = kItemFileName);

}  // namespace korvane
