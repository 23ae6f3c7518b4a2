// The sales and inventory report window worked through the forms test driver: the print-out as the
// printer recorded it, line by line and column by column, the screen list that each click adds to, and
// the messages for files that cannot be read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ReportWindowFixture.h"
#include "movements/SalesReportWindow.h"
#include "printer/Printer.h"
#include "printer/testing/FilePrinter.h"
#include "printer/testing/PostScriptPages.h"

namespace korvane {
namespace {

using testing::ItemFileBytes;
using testing::kCategoryListFile;
using testing::ReportItemFile;
using testing::TodayInReports;

class SalesReportWindow : public testing::ReportWindowTest {
 protected:
  SalesReportWindow() : ReportWindowTest("Form12", "SalesAndInventory", testing::kSalesCategoryList) {}
};

TEST_F(SalesReportWindow, PrintsTheReportInCourierNew10WithTodaysDateAndTheTotals) {
  Window().Click("cmdPrint");
  ASSERT_EQ(ui_.PrintedDocuments().size(), 1u);
  testing::ExpectDocument(ui_.PrintedDocuments()[0], testing::SalesPrintoutOfTheReportFiles(TodayInReports()));
  EXPECT_EQ(ui_.PrintedDocuments()[0].lines[2].Text(),
            "      PRINT-OUT OF SALES & INVENTORY IN CATEGORY NUMBER ORDER AS OF " + TodayInReports());
  EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST_F(SalesReportWindow, ThePrintOutOnARealPrinterShowsTheRecordedLinesInOrder) {
  printer::testing::FilePrinter file_printer;
  if (!file_printer.Installed()) {
    if (printer::testing::FilePrinter::ExpectedOnThisSystem()) FAIL() << file_printer.Failure();
    GTEST_SKIP() << "no PostScript printer writing to a file can be set up here: " << file_printer.Failure();
  }
  Window().Click("cmdPrint");
  ASSERT_EQ(ui_.PrintedDocuments().size(), 1u);
  const printer::PrintedDocument recorded = ui_.PrintedDocuments()[0];
  testing::ExpectDocument(recorded, testing::SalesPrintoutOfTheReportFiles(TodayInReports()));

  printer::Printer::RecordDocumentsForTesting(nullptr);  // the same click again, printed for real
  Window().Click("cmdPrint");
  EXPECT_TRUE(ui_.MessageBoxes().empty());
  const auto pages = printer::testing::ReadPostScriptPages(file_printer.Output());
  ASSERT_EQ(pages.size(), 1u) << "the PostScript written to " << file_printer.OutputPath();
  const auto cell = file_printer.CellOf("courier new", 10);
  ASSERT_GT(cell.width, 0);
  std::vector<std::string> printed;
  for (const auto& line : printer::testing::LinesOfPage(pages[0], cell.width)) {
    printed.push_back(line.text);
    EXPECT_EQ(line.off_cell, 0) << line.text;
  }
  std::vector<std::string> expected;
  for (const auto& line : recorded.lines) expected.push_back(line.Text());
  EXPECT_EQ(printed, expected);
}

TEST_F(SalesReportWindow, EachClickOnTheScreenButtonAddsTheWholeReportAgain) {
  const std::vector<std::string> report = {
      FitToWidth("ABC-100                      000003   000009   000040   00010       Hex bolt M8 x 40", 160),
      FitToWidth("AB                  000001   000001   000001   000001   00010       Flat washer M8", 160),
      FitToWidth("OPEN", 160),
      FitToWidth("XY-7                000003   000000   000017   123456   00012       Lock nut M8", 160),
  };
  Window().Click("cmdScreen");
  EXPECT_EQ(Window().Lines("List1"), report);
  Window().Click("cmdScreen");
  std::vector<std::string> twice = report;
  twice.insert(twice.end(), report.begin(), report.end());
  EXPECT_EQ(Window().Lines("List1"), twice);
  EXPECT_TRUE(ui_.PrintedDocuments().empty());
  EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST_F(SalesReportWindow, FilesThatCannotBeReadAreReportedAndNothingIsPutOut) {
  struct Case {
    const char* what;
    bool cutItemFile;
    const char* message;
  };
  const Case cases[] = {
      {"an item cut short", true, "Error Condition Exists, goto (Debug Inventory) to correct."},
      {"no category list", false, kCategoryListErrorText},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteItemFile(ItemFileBytes(ReportItemFile()) + (c.cutItemFile ? "8\r\n" : ""));
    if (c.cutItemFile) {
      testing::WriteBytes(kCategoryListFile, testing::kSalesCategoryList);
    } else {
      ASSERT_TRUE(DeleteFileA(kCategoryListFile));
    }
    ui_.ForgetMessageBoxes();
    ui_.AnswerNextMessageBox(IDOK);
    ui_.AnswerNextMessageBox(IDOK);
    Window().Click("cmdPrint").Click("cmdScreen");
    ASSERT_EQ(ui_.MessageBoxes().size(), 2u);
    for (const auto& box : ui_.MessageBoxes()) {
      EXPECT_EQ(box.text, c.message);
      EXPECT_EQ(box.title, "Error Condition Query");
      EXPECT_EQ(box.style, 16u);
    }
    EXPECT_TRUE(ui_.PrintedDocuments().empty());
    EXPECT_TRUE(Window().Lines("List1").empty());
  }
}

TEST_F(SalesReportWindow, HoverMakesTheButtonsCaptionBold) { ExpectBoldWhileHovered(); }

TEST_F(SalesReportWindow, TheDebugToolReturnsToItAndExitReturnsToAFreshMainMenu) {
  ExpectDebugToolAndExit(&CallerFlags::DebugFromForm12);
}

}  // namespace
}  // namespace korvane
