#include "movements/ReportOutput.h"

#include <windows.h>

#include "forms/MessageBox.h"
#include "items/WindowNavigation.h"
#include "printer/Printer.h"

namespace korvane {
namespace {

constexpr unsigned kCriticalOkOnly = 16;  // MB_ICONHAND | MB_OK

void PrintOnThePrinter(const printer::PrintedDocument& document) {
  printer::Printer& out = printer::ThePrinter();
  for (const printer::PrintedLine& line : document.lines) {
    // A line is printed in the font that is current when it begins.
    if (out.FontName() != line.font.name) out.SetFontName(line.font.name);
    if (out.FontSize() != line.font.points) out.SetFontSize(line.font.points);
    for (const printer::PrintedRun& run : line.runs) out.PrintAt(run.column, run.text);
    out.EndLine();
  }
  (void)out.EndDoc();  // a document that could not be printed has had its message from the printer
}

}  // namespace

std::string TodayAsReportDate() {
  SYSTEMTIME today;
  GetLocalTime(&today);
  return ReportDate(today.wYear, today.wMonth, today.wDay);
}

void PrintReport(PrintoutBuilder build) {
  printer::PrintedDocument document;
  const ReportStatus status = build(document, TodayAsReportDate(), ReportFiles{});
  if (status != ReportStatus::Ok) {
    ShowReportFailure(status);
    return;
  }
  PrintOnThePrinter(document);
}

void AddReportLines(forms::ListBox& list, ScreenListBuilder build) {
  std::vector<std::string> lines;
  const ReportStatus status = build(lines, ReportFiles{});
  if (status != ReportStatus::Ok) {
    ShowReportFailure(status);
    return;
  }
  for (const std::string& line : lines) list.AddItem(line);
}

void ShowReportFailure(ReportStatus status) {
  switch (status) {
    case ReportStatus::Ok: return;
    case ReportStatus::ItemFileUnreadable: ShowItemFileError(); return;
    case ReportStatus::CategoryListUnreadable:
      forms::MsgBox(kCategoryListErrorText, kCriticalOkOnly, kErrorConditionTitle);
      return;
  }
}

}  // namespace korvane
