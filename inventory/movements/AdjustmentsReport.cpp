#include "movements/AdjustmentsReport.h"

#include <iterator>

#include "items/NumberText.h"

namespace korvane {
namespace {

constexpr char kTitle[] =
    "                                 PRINT-OUT OF INVENTORY ADJUSTMENETS LOW / STOCK AS OF ";

constexpr HeadingColumn kHeadings[] = {
    {1, "CAT."}, {5, "|  ITEM #  "}, {18, "| DESCRIPTION "}, {34, "| QTY."}, {40, "| REPTS."}, {50, "| REORD."},
};

constexpr int kRulerWidth = 181;

}  // namespace

bool IsAdjustedOrLowStock(const ItemRecord& item) {
  return NumberFromText(item.Receipts) > 0 || NumberFromText(item.Quantity) < NumberFromText(item.Reorder);
}

printer::PrintedDocument AdjustmentsPrintout(const std::vector<std::string>& codes,
                                             const std::vector<ItemRecord>& items, const std::string& date) {
  printer::PrintLayout out;
  PrintReportHead(out, 8, kTitle + date, 1, {std::begin(kHeadings), std::end(kHeadings)}, kRulerWidth);
  ForEachItemInCategoryOrder(codes, items, [&out](const ItemRecord& item) {
    if (!IsAdjustedOrLowStock(item)) return;
    out.PrintAt(1, item.Category.str());
    out.PrintAt(6, FirstCharacters(item.ItemNumber, 12));
    out.PrintAt(19, FirstCharacters(item.Description, 15));
    out.PrintAt(35, ApplyNumberPattern(item.Quantity, "00000"));
    out.PrintAt(42, ApplyNumberPattern(item.Receipts, "0000"));
    out.PrintAt(52, ApplyNumberPattern(item.Reorder, "0000"));
    out.EndLine();
  });
  return out.EndDocument();
}

std::string AdjustmentsScreenLine(const ItemRecord& item) {
  const std::string line = item.Category.str() + "   " + item.ItemNumber.str() + "  " +
                           FirstCharacters(item.Description, 20) + "      " + ScreenColumn(item.Quantity, "00000") +
                           "         " + ScreenColumn(item.Receipts, "0000") + "          " +
                           ScreenColumn(item.Reorder, "0000");
  return FitToWidth(line, kScreenLineWidth);
}

ReportStatus BuildAdjustmentsPrintout(printer::PrintedDocument& document, const std::string& date,
                                      const ReportFiles& files) {
  return BuildPrintoutFromFiles(&AdjustmentsPrintout, document, date, files);
}

ReportStatus BuildAdjustmentsScreenList(std::vector<std::string>& lines, const ReportFiles& files) {
  std::vector<ItemRecord> items;
  const ReportStatus status = ReadReportItems(items, files.itemFile);
  if (status != ReportStatus::Ok) return status;
  lines.clear();
  for (const ItemRecord& item : items) {
    if (IsAdjustedOrLowStock(item)) lines.push_back(AdjustmentsScreenLine(item));
  }
  return ReportStatus::Ok;
}

}  // namespace korvane
