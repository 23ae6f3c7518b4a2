// What the two stock reports share, free of Windows: the items and category codes they read, the walk of
// the items in category order, the date of a title line and the width of an on-screen list line.
//
// A report reads the category list and the item file afresh for every print-out or list, and changes
// neither. It reads both whole before it puts out a single line, so that a file that cannot be read
// gives no half report: the caller shows the message of its status instead.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "items/CategoryList.h"
#include "items/ItemFile.h"
#include "items/ItemRecord.h"
#include "printer/PrintLayout.h"

namespace korvane {

enum class [[nodiscard]] ReportStatus {
  Ok,
  ItemFileUnreadable,      // the item file is missing, ends inside an item or holds too many items
  CategoryListUnreadable,  // the category list is missing or cannot be opened
};


struct ReportFiles {
  std::string itemFile = kItemFileName;
  std::string categoryFile = kCategoryFileName;
};

// The reports keep this many leading characters of each category code.
inline constexpr std::size_t kReportCategoryCodeWidth = 4;

// Every line of an on-screen report list is this wide: padded with blanks, or cut.
inline constexpr std::size_t kScreenLineWidth = 160;

// Every item of the item file, in file order.
ReportStatus ReadReportItems(std::vector<ItemRecord>& items, const std::string& itemFile);

// The codes of the category list in its order, each cut to its first four characters.
ReportStatus ReadReportCategoryCodes(std::vector<std::string>& codes, const std::string& categoryFile);

// Both files, the category list first; on a failure the status of the first that failed.
ReportStatus ReadReportFiles(std::vector<std::string>& codes, std::vector<ItemRecord>& items,
                             const ReportFiles& files);

// Reads both files and makes a print-out of their contents with the date; on a failure the document is
// left as it was.
using PrintoutMaker = printer::PrintedDocument (*)(const std::vector<std::string>& codes,
                                                   const std::vector<ItemRecord>& items, const std::string& date);
ReportStatus BuildPrintoutFromFiles(PrintoutMaker make, printer::PrintedDocument& document, const std::string& date,
                                    const ReportFiles& files);

// For each code in order, the items of that category (by numeric value) in file order. A code listed
// twice, or two codes of the same value, visit the items of that category twice; an item whose category
// no code names is not visited.
void ForEachItemInCategoryOrder(const std::vector<std::string>& codes, const std::vector<ItemRecord>& items,
                                const std::function<void(const ItemRecord&)>& visit);

// A text of a print-out's head line and the column it stands at.
struct HeadingColumn {
  int column;
  const char* text;
};

// The head of both print-outs: a blank line in the printer's standard font; then, in "courier new" of
// the report's size, a blank line, the title followed by the date, `blankLines` blank lines, the column
// heads and a ruler of `rulerWidth` "-".
void PrintReportHead(printer::PrintLayout& out, double points, const std::string& titleWithDate, int blankLines,
                     const std::vector<HeadingColumn>& headings, int rulerWidth);

// A line holding the text at column 1.
void PrintWholeLine(printer::PrintLayout& out, std::string_view text);

// A date as the title lines show it: mm-dd-yyyy.
std::string ReportDate(int year, int month, int day);

// A field's number under a pattern for an on-screen column. An empty field shows as blanks as wide as
// the pattern, so that the columns after it stay under their heads.
std::string ScreenColumn(std::string_view fieldText, std::string_view pattern);

// The first `count` characters of a fixed field.
std::string FirstCharacters(std::string_view text, std::size_t count);

}  // namespace korvane
