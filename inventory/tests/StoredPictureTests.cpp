// The pictures the windows' descriptions store, as the library's controls show them: the exit door of the
// main menu, the print and screen buttons, the decoration ribbons and picture buttons, and the check
// buttons' own glyphs, each found on the screen inside its control.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "KorvaneWindowsFixture.h"
#include "forms/FormResources.h"
#include "items/MainMenuWindow.h"
#include "testing/HostWindow.h"

namespace korvane {
namespace {

constexpr COLORREF kMaskColour = RGB(0xC0, 0xC0, 0xC0);  // the pictures' see-through colour

struct StoredPicture {
  const char* ribbon;  // the main menu's ribbon that opens the window; null for the main menu itself
  const char* form;
  const char* control;
  const char* bitmap;  // the picture's bitmap in the program
  int cells;           // a glyph strip is cut into cells side by side
  int cell;            // the cell the control shows
};

const StoredPicture kStoredPictures[] = {
    {nullptr, "Form1", "ExitButton", "ExitDoor", 1, 0},
    {"InventoryReports", "Form60", "PrintAll", "Printer", 1, 0},
    {"InventoryReports", "Form60", "PrintAllSorted", "SortedPrinter", 1, 0},
    {"InventoryReports", "Form60", "PrintSelected", "CategoryPrinter", 1, 0},
    {"InvAdjRpt", "Form41", "cmdPrint", "Printer", 1, 0},
    {"InvAdjRpt", "Form41", "cmdScreen", "Screen", 1, 0},
    {"InvAdjRpt", "Form41", "QvRibbon8", "KorvaneSmall", 1, 0},
    {"SalesAndInventory", "Form12", "cmdPrint", "Printer", 1, 0},
    {"SalesAndInventory", "Form12", "cmdScreen", "Screen", 1, 0},
    {"SalesAndInventory", "Form12", "QvRibbon8", "KorvaneSmall", 1, 0},
    {"ProcessInventory", "Form37", "ZeroTrans", "TickGlyphs", 9, 1},  // stored checked
    {"ZeroSales", "Form63", "DailyProc", "TickGlyphs", 9, 1},
    {"ZeroSales", "Form63", "WeeklyProc", "TickGlyphs", 9, 1},
    {"ZeroSales", "Form63", "MonthlyProc", "TickGlyphs", 9, 1},
    {"ZeroSales", "Form63", "YearlyProc", "TickGlyphs", 9, 1},
    {"ZeroSales", "Form63", "QvCommand1", "KorvaneSmall", 1, 0},
};

using activex::testing::Picture;

// One cell of a bitmap of the program.
Picture CellOfBitmap(const char* name, int cells, int cell) {
  const Picture whole = activex::testing::PixelsOfBitmap(forms::TryLoadPicture(name).Get());
  Picture part;
  if (whole.width == 0) return part;
  part.width = whole.width / cells;
  part.height = whole.height;
  for (int y = 0; y < part.height; ++y) {
    const auto row = whole.rgb.begin() + (static_cast<std::ptrdiff_t>(y) * whole.width + cell * part.width) * 3;
    part.rgb.insert(part.rgb.end(), row, row + part.width * 3);
  }
  return part;
}

// Whether the picture shows somewhere in the capture: at one place, every pixel of the picture that is
// not its see-through colour and falls inside the capture equals the screen's, and at least half of
// those pixels fall inside (a picture larger than its control's face may lose its edges to the border).
bool ShowsPicture(const Picture& screen, const Picture& picture) {
  int drawn = 0;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) drawn += picture.At(x, y) != kMaskColour;
  for (int top = -picture.height / 2; top < screen.height; ++top) {
    for (int left = -picture.width / 2; left < screen.width; ++left) {
      int compared = 0;
      bool same = true;
      for (int y = 0; same && y < picture.height; ++y) {
        const int sy = top + y;
        if (sy < 0 || sy >= screen.height) continue;
        for (int x = 0; x < picture.width; ++x) {
          const int sx = left + x;
          if (sx < 0 || sx >= screen.width || picture.At(x, y) == kMaskColour) continue;
          if (screen.At(sx, sy) != picture.At(x, y)) {
            same = false;
            break;
          }
          ++compared;
        }
      }
      if (same && compared * 2 >= drawn) return true;
    }
  }
  return false;
}

class StoredPictures : public testing::KorvaneWindowsTest {};

TEST_F(StoredPictures, EachStoredPictureShowsOnItsControl) {
  for (const StoredPicture& stored : kStoredPictures) {
    SCOPED_TRACE(std::string(stored.form) + "." + stored.control);
    auto menu = ui_.Show<Form1>();
    if (stored.ribbon) menu.Click(stored.ribbon);
    ASSERT_TRUE(ui_.IsVisible(stored.form));
    auto& holder = ui_.On(stored.form).Get().Hosted(stored.control);
    EXPECT_EQ(holder.DefaultsReason(), "");
    ASSERT_NE(holder.Hosted(), nullptr) << holder.MissingReason();
    const Picture picture = CellOfBitmap(stored.bitmap, stored.cells, stored.cell);
    ASSERT_GT(picture.width, 0) << "the program holds the picture " << stored.bitmap;
    activex::testing::PumpMessages();
    const activex::testing::Picture screen = activex::testing::CaptureClientArea(holder.Hosted()->Window());
    EXPECT_TRUE(ShowsPicture(screen, picture)) << stored.bitmap << " is not on the screen";
    EXPECT_TRUE(ui_.MessageBoxes().empty());
    forms::Forms::UnloadAll();
  }
}

// The search finds nothing that is not there: the main menu's exit button shows no printer.
TEST_F(StoredPictures, APictureThatIsNotOnTheControlIsNotFound) {
  ui_.Show<Form1>();
  activex::testing::PumpMessages();
  const auto screen =
      activex::testing::CaptureClientArea(ui_.On("Form1").Get().Hosted("ExitButton").Hosted()->Window());
  EXPECT_TRUE(ShowsPicture(screen, CellOfBitmap("ExitDoor", 1, 0)));
  EXPECT_FALSE(ShowsPicture(screen, CellOfBitmap("Printer", 1, 0)));
  EXPECT_FALSE(ShowsPicture(screen, CellOfBitmap("TickGlyphs", 9, 0)));
}

}  // namespace
}  // namespace korvane
