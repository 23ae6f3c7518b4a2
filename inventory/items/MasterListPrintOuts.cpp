#include "items/MasterListPrintOuts.h"

#include <array>
#include <cstdio>
#include <vector>

#include "items/NumberText.h"

namespace korvane {
namespace {

constexpr char kUnsortedTitle[] =
    "                                PRINT-OUT OF PARTS IN UNSORTED CATEGORY CODE ORDER AS OF ";
constexpr char kCategoryTitle[] = "                                PRINT-OUT OF PARTS IN CATEGORY CODE ORDER AS OF ";
constexpr std::size_t kRulerWidth = 181;

struct Heading {
  int column;
  const char* text;
};

constexpr std::array<Heading, 13> kHeadings = {{
    {1, "CAT#"},
    {5, "|  ITEM #  "},
    {21, "| DESCRIPTION "},
    {52, "| COST"},
    {60, "| PRICE1"},
    {69, "| STOCK"},
    {77, "| RERD"},
    {83, "| SDY"},
    {88, "| SWK"},
    {93, "| SMO"},
    {99, "| SYR"},
    {105, "| REC."},
    {111, "| WOFS"},
}};

struct PrintedField {
  int column;
  ItemField field;
  const char* pattern;  // nullptr: the field's text as it stands
};

constexpr std::array<PrintedField, 13> kItemColumns = {{
    {2, ItemField::Category, nullptr},
    {6, ItemField::ItemNumber, nullptr},
    {22, ItemField::Description, nullptr},
    {55, ItemField::Cost, "0.00"},
    {63, ItemField::ItemPrice1, "0.00"},
    {73, ItemField::Quantity, "0000"},
    {79, ItemField::Reorder, "0000"},
    {85, ItemField::SoldDay, "000"},
    {90, ItemField::SoldWeek, "000"},
    {95, ItemField::SoldMonth, "0000"},
    {100, ItemField::SoldYear, "00000"},
    {107, ItemField::Receipts, "0000"},
    {113, ItemField::Writeoffs, "0000"},
}};

void PrintPageStart(ItemListPrinter& printer, std::string_view title, std::string_view date) {
  printer.PrintLine(" ");
  printer.SetFontName("courier new");
  printer.SetFontSize(8);
  printer.PrintLine(" ");
  printer.PrintAt(1, std::string(title) + std::string(date));
  printer.EndLine();
  printer.PrintLine(" ");
  for (const Heading& heading : kHeadings) printer.PrintAt(heading.column, heading.text);
  printer.EndLine();
  printer.PrintAt(1, std::string(kRulerWidth, '-'));
  printer.EndLine();
}

void PrintItemLine(ItemListPrinter& printer, const ItemRecord& item) {
  for (const PrintedField& column : kItemColumns) {
    const std::string& text = item.Field(column.field).str();
    printer.PrintAt(column.column, column.pattern ? ApplyNumberPattern(text, column.pattern) : text);
  }
  printer.EndLine();
}

// Prints the items of the file for which `wanted` answers true, in file order.
template <typename Wanted>
ItemFileStatus PrintItems(ItemListPrinter& printer, const std::string& itemFile, Wanted wanted) {
  return ForEachItem(
      [&](const ItemRecord& item) {
        if (wanted(item)) PrintItemLine(printer, item);
        return true;
      },
      itemFile);
}

}  // namespace

std::string PrintOutDate(int year, int month, int day) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d-%02d-%04d", month, day, year);
  return text;
}

ItemFileStatus PrintAllItems(ItemListPrinter& printer, std::string_view date, const std::string& itemFile) {
  const ItemFileStatus readable = CheckItemFileReadable(itemFile);
  if (readable != ItemFileStatus::Ok) return readable;
  PrintPageStart(printer, kUnsortedTitle, date);
  // Every item is printed, free slots included.
  const ItemFileStatus status = PrintItems(printer, itemFile, [](const ItemRecord&) { return true; });
  printer.EndDoc();
  return status;
}

CategoryPrintOutStatus PrintAllItemsByCategory(ItemListPrinter& printer, std::string_view date,
                                               const std::string& itemFile, const std::string& categoryFile) {
  std::vector<std::string> codes;
  const ItemFileStatus categoryList = ReadCategoryCodes(codes, categoryFile);
  if (categoryList != ItemFileStatus::Ok) return {categoryList};
  ItemFileStatus status = CheckItemFileReadable(itemFile);
  if (status != ItemFileStatus::Ok) return {ItemFileStatus::Ok, status};
  PrintPageStart(printer, kCategoryTitle, date);
  // Only the first 2 characters of each code count here.
  for (const std::string& code : codes) {
    const std::string categoryCode = FitToWidth(code, 2);
    status = PrintItems(printer, itemFile,
                        [&categoryCode](const ItemRecord& item) { return SameCategoryValue(categoryCode, item.Category); });
    if (status != ItemFileStatus::Ok) break;
  }
  printer.EndDoc();
  return {ItemFileStatus::Ok, status};
}

ItemFileStatus PrintSelectedCategory(ItemListPrinter& printer, std::string_view date, std::string_view categoryLine,
                                     const std::string& itemFile) {
  const ItemFileStatus readable = CheckItemFileReadable(itemFile);
  if (readable != ItemFileStatus::Ok) return readable;
  PrintPageStart(printer, kCategoryTitle, date);
  const std::string chosen = FitToWidth(NumberText(NumberFromText(categoryLine.substr(0, 2))), 2);
  const ItemFileStatus status = PrintItems(
      printer, itemFile, [&chosen](const ItemRecord& item) { return SameCategoryValue(chosen, item.Category); });
  printer.EndDoc();
  return status;
}

}  // namespace korvane
