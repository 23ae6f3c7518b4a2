#include "movements/SalesReport.h"

#include <array>
#include <iterator>

#include "items/NumberText.h"

namespace korvane {
namespace {

constexpr char kTitle[] = "      PRINT-OUT OF SALES & INVENTORY IN CATEGORY NUMBER ORDER AS OF ";
constexpr char kUnderTotals[] = "                                  ==================================================";
constexpr int kRulerWidth = 84;

constexpr HeadingColumn kHeadings[] = {
    {1, "ITEM#"}, {16, "| DESCRIPTION"}, {49, "|DAY"}, {56, "|WEEK"}, {63, "|MONTH"}, {70, "|YEAR"}, {77, "|ON HAND"},
};

// The number columns of an item line: a bar, then the value one column to its right. The four sold
// quantities are totalled, each under its own pattern; the quantity on hand is not.
struct NumberColumn {
  int bar;
  ItemField field;
  const char* totalPattern;  // nullptr: no total
};

constexpr std::array<NumberColumn, 5> kNumberColumns = {{
    {49, ItemField::SoldDay, "0000"},
    {56, ItemField::SoldWeek, "00000"},
    {63, ItemField::SoldMonth, "00000"},
    {70, ItemField::SoldYear, "000000"},
    {77, ItemField::Quantity, nullptr},
}};

}  // namespace

std::string WholeNumberOrNothing(std::string_view fieldText) {
  std::string shown = ApplyNumberPattern(fieldText, "0");
  if (shown == "0") shown.clear();
  return shown;
}

printer::PrintedDocument SalesPrintout(const std::vector<std::string>& codes, const std::vector<ItemRecord>& items,
                                       const std::string& date) {
  printer::PrintLayout out;
  PrintReportHead(out, 10, kTitle + date, 2, {std::begin(kHeadings), std::end(kHeadings)}, kRulerWidth);
  const std::string ruler(kRulerWidth, '-');

  // Kept in double precision: a total of whole quantities stays exact far beyond any stock's size.
  std::array<double, kNumberColumns.size()> totals{};
  ForEachItemInCategoryOrder(codes, items, [&](const ItemRecord& item) {
    out.PrintAt(1, item.ItemNumber.str());
    out.PrintAt(16, "|");
    out.PrintAt(17, item.Description.str());
    for (std::size_t c = 0; c < kNumberColumns.size(); ++c) {
      const NumberColumn& column = kNumberColumns[c];
      out.PrintAt(column.bar, "|");
      out.PrintAt(column.bar + 1, WholeNumberOrNothing(item.Field(column.field)));
      if (column.totalPattern) totals[c] += NumberFromText(item.Field(column.field));
    }
    out.EndLine();
    PrintWholeLine(out, ruler);
  });

  for (std::size_t c = 0; c < kNumberColumns.size(); ++c) {
    const NumberColumn& column = kNumberColumns[c];
    if (!column.totalPattern) continue;
    out.PrintAt(column.bar, "|");
    out.PrintAt(column.bar + 1, ApplyNumberPattern(NumberText(totals[c]), column.totalPattern));
  }
  out.EndLine();
  PrintWholeLine(out, kUnderTotals);
  return out.EndDocument();
}

std::string SalesScreenLine(const ItemRecord& item) {
  const std::string gap = "   ";
  const std::string line = item.ItemNumber.str() + "     " + ScreenColumn(item.SoldDay, "000000") + gap +
                           ScreenColumn(item.SoldWeek, "000000") + gap + ScreenColumn(item.SoldMonth, "000000") + gap +
                           ScreenColumn(item.SoldYear, "000000") + gap + ScreenColumn(item.Quantity, "00000") +
                           "       " + item.Description.str();
  return FitToWidth(line, kScreenLineWidth);
}

ReportStatus BuildSalesPrintout(printer::PrintedDocument& document, const std::string& date,
                                      const ReportFiles& files) {
  return BuildPrintoutFromFiles(&SalesPrintout, document, date, files);
}

ReportStatus BuildSalesScreenList(std::vector<std::string>& lines, const ReportFiles& files) {
  std::vector<std::string> codes;
  std::vector<ItemRecord> items;
  const ReportStatus status = ReadReportFiles(codes, items, files);
  if (status != ReportStatus::Ok) return status;
  lines.clear();
  ForEachItemInCategoryOrder(codes, items, [&lines](const ItemRecord& item) { lines.push_back(SalesScreenLine(item)); });
  return ReportStatus::Ok;
}

}  // namespace korvane
