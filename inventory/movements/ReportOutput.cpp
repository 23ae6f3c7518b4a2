#include "movements/ReportOutput.h"

#include <windows.h>

#include "forms/MessageBox.h"
#include "items/WindowNavigation.h"
#include "printer/Printer.h"

namespace korvane {
namespace {

constexpr unsigned kCriticalOkOnly = 16;  // MB_ICONHAND | MB_OK

}  // namespace

std::string TodayAsReportDate() {
  SYSTEMTIME today;
  GetLocalTime(&today);
  return ReportDate(today.wYear, today.wMonth, today.wDay);
}

void PrintReportDocument(const printer::PrintedDocument& document) {
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
