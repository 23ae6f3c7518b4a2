// The adjustments / low-stock report window worked through the forms test driver: the print-out as the
// printer recorded it, line by line and column by column, the screen list, and the messages for files
// that cannot be read.
#include <gtest/gtest.h>

#include "ReportWindowFixture.h"
#include "movements/AdjustmentsReportWindow.h"

namespace korvane {
namespace {

using printer::PrintFont;
using testing::ItemFileBytes;
using testing::kCategoryListFile;
using testing::ReportItemFile;
using testing::TodayInReports;

class AdjustmentsReportWindow : public testing::ReportWindowTest {
 protected:
  AdjustmentsReportWindow() : ReportWindowTest("Form41", "InvAdjRpt", testing::kReportCategoryList) {}
};

TEST_F(AdjustmentsReportWindow, PrintsTheReportInCourierNew8WithTodaysDate) {
  Window().Click("cmdPrint");
  ASSERT_EQ(ui_.PrintedDocuments().size(), 1u);
  const PrintFont standard{};
  const PrintFont report{"courier new", 8};
  testing::ExpectDocument(
      ui_.PrintedDocuments()[0],
      {
          {standard, {{1, " "}}},
          {report, {{1, " "}}},
          {report, {{1, "                                 PRINT-OUT OF INVENTORY ADJUSTMENETS LOW / STOCK AS OF " + TodayInReports()}}},
          {report, {{1, " "}}},
          {report,
           {{1, "CAT."}, {5, "|  ITEM #  "}, {18, "| DESCRIPTION "}, {34, "| QTY."}, {40, "| REPTS."}, {50, "| REORD."}}},
          {report, {{1, std::string(181, '-')}}},
          {report, {{1, "5 "}, {6, "ABC-100     "}, {19, "Hex bolt M8 x 4"}, {35, "00010"}, {42, "0007"}, {52, "0004"}}},
          {report, {{1, "5 "}, {6, "AB          "}, {19, "Flat washer M8 "}, {35, "00010"}, {52, "0020"}}},
          {report, {{1, "01"}, {6, "NEG-1       "}, {19, "Cotter pin     "}, {35, "-00002"}, {52, "0000"}}},
          {report, {{1, "01"}, {6, "NEG-1       "}, {19, "Cotter pin     "}, {35, "-00002"}, {52, "0000"}}},
      });
  EXPECT_TRUE(ui_.MessageBoxes().empty());

  // A second print starts again in the printer's standard font and reads the files afresh.
  testing::WriteBytes(kCategoryListFile, "");
  Window().Click("cmdPrint");
  ASSERT_EQ(ui_.PrintedDocuments().size(), 2u);
  const printer::PrintedDocument& second = ui_.PrintedDocuments()[1];
  ASSERT_EQ(second.lines.size(), 6u);
  EXPECT_EQ(second.lines[0].font, standard);
  EXPECT_EQ(second.lines[5].Text(), std::string(181, '-'));
}

TEST_F(AdjustmentsReportWindow, TheScreenButtonListsTheSelectionInFileOrderAfresh) {
  const std::vector<std::string> expected = {
      FitToWidth("5    ABC-100          Hex bolt M8 x 40          00010         0007          0004", 160),
      FitToWidth("5    AB               Flat washer M8            00010                       0020", 160),
      FitToWidth("01   NEG-1            Cotter pin                -00002                       0000", 160),
      FitToWidth("9    ZZ-9             Grease nipple M10 an      00100         0003          0012", 160),
  };
  Window().Click("cmdScreen");
  EXPECT_EQ(Window().Lines("List1"), expected);
  Window().Click("cmdScreen");
  EXPECT_EQ(Window().Lines("List1"), expected);  // emptied first, not added to
  EXPECT_TRUE(ui_.PrintedDocuments().empty());
  EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST_F(AdjustmentsReportWindow, FilesThatCannotBeReadAreReportedAndNothingIsPutOut) {
  Window().Click("cmdScreen");
  ASSERT_EQ(Window().Lines("List1").size(), 4u);

  // The item file cut short after the window loaded.
  WriteItemFile(ItemFileBytes(ReportItemFile()) + "8\r\nCUT\r\n");
  ui_.AnswerNextMessageBox(IDOK);
  ui_.AnswerNextMessageBox(IDOK);
  Window().Click("cmdPrint").Click("cmdScreen");
  ASSERT_EQ(ui_.MessageBoxes().size(), 2u);
  for (const auto& box : ui_.MessageBoxes()) {
    EXPECT_EQ(box.text, "Error Condition Exists, goto (Debug Inventory) to correct.");
    EXPECT_EQ(box.title, "Error Condition Query");
    EXPECT_EQ(box.style, 16u);
  }
  EXPECT_TRUE(ui_.PrintedDocuments().empty());
  EXPECT_TRUE(Window().Lines("List1").empty());  // no stale lines pass for the file's contents

  // No category list: the print-out cannot be made; the screen list does not need it.
  ui_.ForgetMessageBoxes();
  WriteItemFile(ItemFileBytes(ReportItemFile()));
  ASSERT_TRUE(DeleteFileA(kCategoryListFile));
  ui_.AnswerNextMessageBox(IDOK);
  Window().Click("cmdPrint");
  ASSERT_EQ(ui_.MessageBoxes().size(), 1u);
  EXPECT_EQ(ui_.MessageBoxes()[0].text, kCategoryListErrorText);
  EXPECT_EQ(ui_.MessageBoxes()[0].style, 16u);
  EXPECT_TRUE(ui_.PrintedDocuments().empty());
  Window().Click("cmdScreen");
  EXPECT_EQ(Window().Lines("List1").size(), 4u);
  EXPECT_EQ(ui_.MessageBoxes().size(), 1u);
}

TEST_F(AdjustmentsReportWindow, HoverMakesTheButtonsCaptionBold) { ExpectBoldWhileHovered(); }

TEST_F(AdjustmentsReportWindow, TheDebugToolReturnsToItAndExitReturnsToAFreshMainMenu) {
  ExpectDebugToolAndExit(&CallerFlags::DebugFromForm41);
}

}  // namespace
}  // namespace korvane
