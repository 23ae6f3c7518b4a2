#include "movements/ReportItems.h"

#include <cstdio>

#include "items/NumberText.h"

namespace korvane {

ReportStatus ReadReportItems(std::vector<ItemRecord>& items, const std::string& itemFile) {
  items.clear();
  const ItemFileStatus status = ForEachItem(
      [&items](const ItemRecord& item) {
        items.push_back(item);
        return true;
      },
      itemFile);
  if (status == ItemFileStatus::Ok) return ReportStatus::Ok;
  items.clear();
  return ReportStatus::ItemFileUnreadable;
}

ReportStatus ReadReportCategoryCodes(std::vector<std::string>& codes, const std::string& categoryFile) {
  if (ReadCategoryCodes(codes, categoryFile) != ItemFileStatus::Ok) return ReportStatus::CategoryListUnreadable;
  for (std::string& code : codes) code = FirstCharacters(code, kReportCategoryCodeWidth);
  return ReportStatus::Ok;
}

ReportStatus ReadReportFiles(std::vector<std::string>& codes, std::vector<ItemRecord>& items,
                             const ReportFiles& files) {
  ReportStatus status = ReadReportCategoryCodes(codes, files.categoryFile);
  if (status == ReportStatus::Ok) status = ReadReportItems(items, files.itemFile);
  return status;
}

ReportStatus BuildPrintoutFromFiles(PrintoutMaker make, printer::PrintedDocument& document, const std::string& date,
                                    const ReportFiles& files) {
  std::vector<std::string> codes;
  std::vector<ItemRecord> items;
  const ReportStatus status = ReadReportFiles(codes, items, files);
  if (status == ReportStatus::Ok) document = make(codes, items, date);
  return status;
}

void ForEachItemInCategoryOrder(const std::vector<std::string>& codes, const std::vector<ItemRecord>& items,
                                const std::function<void(const ItemRecord&)>& visit) {
  for (const std::string& code : codes) {
    for (const ItemRecord& item : items) {
      if (SameCategoryValue(code, item.Category)) visit(item);
    }
  }
}

void PrintWholeLine(printer::PrintLayout& out, std::string_view text) {
  out.PrintAt(1, text);
  out.EndLine();
}

void PrintReportHead(printer::PrintLayout& out, double points, const std::string& titleWithDate, int blankLines,
                     const std::vector<HeadingColumn>& headings, int rulerWidth) {
  PrintWholeLine(out, " ");
  out.SetFont({"courier new", points});
  PrintWholeLine(out, " ");
  PrintWholeLine(out, titleWithDate);
  for (int blank = 0; blank < blankLines; ++blank) PrintWholeLine(out, " ");
  for (const HeadingColumn& heading : headings) out.PrintAt(heading.column, heading.text);
  out.EndLine();
  PrintWholeLine(out, std::string(static_cast<std::size_t>(rulerWidth), '-'));
}

std::string ReportDate(int year, int month, int day) {
  char text[48];
  std::snprintf(text, sizeof text, "%02d-%02d-%04d", month, day, year);
  return text;
}

std::string ScreenColumn(std::string_view fieldText, std::string_view pattern) {
  std::string shown = ApplyNumberPattern(fieldText, pattern);
  if (shown.empty()) shown.assign(pattern.size(), ' ');
  return shown;
}

std::string FirstCharacters(std::string_view text, std::size_t count) {
  return std::string(text.substr(0, count));
}

}  // namespace korvane
