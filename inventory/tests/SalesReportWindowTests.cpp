// The sales and inventory report window worked through the forms test driver: the print-out as the
// printer recorded it, line by line and column by column, the screen list that each click adds to, and
// the messages for files that cannot be read.
#include <gtest/gtest.h>

#include "KorvaneWindowsFixture.h"
#include "items/MainMenuWindow.h"
#include "movements/ReportItems.h"
#include "movements/SalesReportWindow.h"
#include "movements/tests/ReportFixtures.h"

namespace korvane {
namespace {

using testing::ItemFileBytes;
using testing::ReportItemFile;

constexpr char kCategoryList[] = "c:\\Korvane\\Item.Txt";
constexpr long kFontBoldDispid = 3;

std::string Today() {
  SYSTEMTIME today;
  GetLocalTime(&today);
  return ReportDate(today.wYear, today.wMonth, today.wDay);
}

class SalesReportWindow : public testing::KorvaneWindowsTest {
 protected:
  void SetUp() override {
    KorvaneWindowsTest::SetUp();
    WriteItemFile(ItemFileBytes(ReportItemFile()));
    testing::WriteBytes(kCategoryList, testing::kSalesCategoryList);
    ui_.Show<Form1>().Click("SalesAndInventory");
    ASSERT_TRUE(ui_.IsVisible("Form12"));
    ASSERT_TRUE(ui_.MessageBoxes().empty());
  }

  forms::testing::DrivenForm Window() { return ui_.On("Form12"); }
};

TEST_F(SalesReportWindow, PrintsTheReportInCourierNew10WithTodaysDateAndTheTotals) {
  Window().Click("cmdPrint");
  ASSERT_EQ(ui_.PrintedDocuments().size(), 1u);
  testing::ExpectDocument(ui_.PrintedDocuments()[0], testing::SalesPrintoutOfTheReportFiles(Today()));
  EXPECT_EQ(ui_.PrintedDocuments()[0].lines[2].Text(),
            "      PRINT-OUT OF SALES & INVENTORY IN CATEGORY NUMBER ORDER AS OF " + Today());
  EXPECT_TRUE(ui_.MessageBoxes().empty());
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
      testing::WriteBytes(kCategoryList, testing::kSalesCategoryList);
    } else {
      ASSERT_TRUE(DeleteFileA(kCategoryList));
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

TEST_F(SalesReportWindow, HoverMakesTheButtonsCaptionBold) {
  Window().MoveMouseOver("cmdScreen");
  EXPECT_EQ(Property("Form12", "cmdScreen", kFontBoldDispid), -1);
  Window().MoveMouseOver("cmdPrint");
  EXPECT_EQ(Property("Form12", "cmdScreen", kFontBoldDispid), 0);
  EXPECT_EQ(Property("Form12", "cmdPrint", kFontBoldDispid), -1);
  Window().MoveMouseOver("ExitButton");
  EXPECT_EQ(Property("Form12", "cmdPrint", kFontBoldDispid), 0);
}

TEST_F(SalesReportWindow, TheDebugToolReturnsToItAndExitReturnsToAFreshMainMenu) {
  Window().ChooseMenu("debuginv");
  ASSERT_TRUE(ui_.IsVisible("Form4"));
  EXPECT_EQ(Callers.DebugFromForm12, kCallerFlagSet);
  ui_.On("Form4").Click("ExitButton");
  ASSERT_TRUE(ui_.IsVisible("Form12"));
  EXPECT_EQ(Callers.DebugFromForm12, kCallerFlagBlank);
  forms::Form* oldMenu = &ui_.On("Form1").Get();
  Window().Click("ExitButton");
  EXPECT_FALSE(ui_.IsLoaded("Form12"));
  ASSERT_TRUE(ui_.IsVisible("Form1"));
  EXPECT_NE(&ui_.On("Form1").Get(), oldMenu);
}

}  // namespace
}  // namespace korvane
