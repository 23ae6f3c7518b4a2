// Pictures of the program's windows on the library's controls: every window, opened through the main
// menu as a user opens it, is saved as a PNG beside the test program and the look of chosen controls is
// read back from the screen and compared with what their stored look and the drawing rules give: the
// outline and bevel rings of the push buttons, the etched line of the group frames, the bitmap of the
// picture button and the lamp of an indicator lit by a press.
#include <windows.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "KorvaneWindowsFixture.h"
#include "ResetWindowFixture.h"
#include "forms/FormResources.h"
#include "items/MainMenuWindow.h"
#include "testing/HostWindow.h"

namespace korvane {
namespace {

using activex::testing::CaptureClientArea;
using activex::testing::Picture;

// The push buttons' look as the library's controls hold it.
constexpr long kBevelWidthDispid = 13;
constexpr long kRoundedCornersDispid = 16;
constexpr long kOutlineDispid = 17;
constexpr long kBackColorDispid = DISPID_BACKCOLOR;

// What a control is drawn as, by what its form description stores. None of the push buttons stores a
// ButtonStyle, so they follow the system: the beveled look on the NT systems after version 4 (and on
// Wine); neither do the frames store a ShadowStyle, so they keep the etched (inset) line.
enum class Look {
  Raised,   // a push button up: its outline rings, then the bevel, light at the top and left, dark at the
            // bottom and right
  Pressed,  // a push button down: its outline rings, then shadow lines at the top and left only
  Etched,   // a group frame: a shadow line outside a highlight line at the top and left, the reverse at
            // the bottom and right, around its back colour
  Bitmap,   // a plain push button showing a bitmap of the program, centred in the button
  LitLamp,  // an indicator lit by a press on a reset window: its lamp filled with the reset windows' green
};

struct LookCase {
  const char* ribbon;   // the main menu's ribbon that opens the window; nullptr: the main menu as started
  const char* press;    // then pressed in the window `form` before the pictures are taken; nullptr: none
  const char* form;     // the window whose picture is read
  const char* control;
  Look look;
  const char* bitmap = nullptr;  // the program's bitmap that a Bitmap button shows
};

const LookCase kLookCases[] = {
    {nullptr, nullptr, "Form1", "InventoryReports", Look::Raised},
    {nullptr, nullptr, "Form1", "InvAdjRpt", Look::Raised},
    {nullptr, nullptr, "Form1", "DebugTool", Look::Raised},
    {nullptr, nullptr, "Form1", "ExitButton", Look::Raised},
    // A ribbon stays down while the window it opened is shown; only the sort, report and reset windows
    // load a fresh main menu behind them.
    {"InventoryReports", nullptr, "Form1", "InventoryReports", Look::Pressed},
    {"InventoryReports", nullptr, "Form60", "RefreshRibbon", Look::Raised},
    {"InventoryReports", nullptr, "Form60", "SaveButton", Look::Raised},
    {"InventoryReports", nullptr, "Form60", "ExitButton", Look::Raised},
    {"InventoryReports", nullptr, "Form60", "ribTravelVia(1)", Look::Raised},
    {"InventoryAdjustments", nullptr, "Form3", "ribTravelVia1", Look::Raised},
    {"InventoryAdjustments", nullptr, "Form3", "SaveButton4", Look::Raised},
    {"InventoryAdjustments", nullptr, "Form3", "ExitButton", Look::Raised},
    {"InventoryAdjustments", nullptr, "Form1", "InventoryAdjustments", Look::Pressed},
    {"InvAdjRpt", nullptr, "Form41", "cmdPrint", Look::Raised},
    {"InvAdjRpt", nullptr, "Form41", "QvRibbon8", Look::Raised},
    {"InvAdjRpt", nullptr, "Form41", "ExitButton", Look::Raised},
    {"InvAdjRpt", nullptr, "Form1", "InvAdjRpt", Look::Raised},
    {"SalesAndInventory", nullptr, "Form12", "cmdScreen", Look::Raised},
    {"SalesAndInventory", nullptr, "Form12", "QvRibbon8", Look::Raised},
    {"SalesAndInventory", nullptr, "Form12", "ExitButton", Look::Raised},
    {"ProcessInventory", nullptr, "Form37", "QvFrame1", Look::Etched},
    {"ProcessInventory", nullptr, "Form37", "Command4", Look::Bitmap, "ExitDoor"},
    {"ProcessInventory", "ZeroTrans", "Form37", "vaBtn2", Look::LitLamp},
    {"ZeroSales", nullptr, "Form63", "QvFrame1", Look::Etched},
    {"ZeroSales", nullptr, "Form63", "QvFrame4", Look::Etched},
    {"ZeroSales", nullptr, "Form63", "ExitButton", Look::Raised},
    {"ZeroSales", "DailyProc", "Form63", "vaBtn3", Look::LitLamp},
    {"SortInventoryFile", nullptr, "Form2", "SortInventoryFile", Look::Raised},
    {"SortInventoryFile", nullptr, "Form2", "ExitButton", Look::Raised},
    {"DebugTool", nullptr, "Form4", "DebugTool", Look::Raised},
    {"DebugTool", nullptr, "Form4", "SaveButton", Look::Raised},
    {"DebugTool", nullptr, "Form4", "ribTravelVia(1)", Look::Raised},
};

// One pixel of a window's client area and the colour it should show.
struct Sample {
  POINT at;
  COLORREF colour;
  std::string part;
};

// The middle pixel of each side of the ring `ring` pixels in from the edge of `r`.
POINT LeftSide(const RECT& r, int ring) { return {r.left + ring, (r.top + r.bottom) / 2}; }
POINT TopSide(const RECT& r, int ring) { return {(r.left + r.right) / 2, r.top + ring}; }
POINT RightSide(const RECT& r, int ring) { return {r.right - 1 - ring, (r.top + r.bottom) / 2}; }
POINT BottomSide(const RECT& r, int ring) { return {(r.left + r.right) / 2, r.bottom - 1 - ring}; }

// A push button's look as it holds it, and whether it has the focus (a focused button is drawn with a
// second outline ring outside its own).
struct ButtonLook {
  bool focused = false;
  bool outline = false;
  bool roundedCorners = false;
  int bevelWidth = 0;
  COLORREF back = CLR_INVALID;
};

std::string Hex(COLORREF colour) {
  char text[16];
  std::snprintf(text, sizeof text, "%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
  return text;
}

// The outline rings of a push button, outside in, and the four corners of the outermost one.
int AddOutlineRings(const RECT& r, const ButtonLook& look, std::vector<Sample>& samples) {
  const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
  int rings = 0;
  for (const bool drawn : {look.focused, look.outline}) {
    if (!drawn) continue;
    const std::string part = "outline ring " + std::to_string(rings);
    for (const POINT at : {LeftSide(r, rings), TopSide(r, rings), RightSide(r, rings), BottomSide(r, rings)})
      samples.push_back({at, frame, part});
    ++rings;
  }
  if (rings > 0 && look.roundedCorners) {
    // The rounded corners take the face colour of the system's scheme.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (const POINT at : {POINT{r.left, r.top}, POINT{r.right - 1, r.top}, POINT{r.left, r.bottom - 1},
                           POINT{r.right - 1, r.bottom - 1}})
      samples.push_back({at, face, "rounded corner"});
  }
  return rings;
}

std::vector<Sample> RaisedButton(const RECT& r, const ButtonLook& look) {
  std::vector<Sample> samples;
  const int inside = AddOutlineRings(r, look, samples);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
  for (int line = 0; line < look.bevelWidth; ++line) {
    const int ring = inside + line;
    const std::string part = " bevel line " + std::to_string(line);
    samples.push_back({LeftSide(r, ring), light, "left" + part});
    samples.push_back({TopSide(r, ring), light, "top" + part});
    samples.push_back({RightSide(r, ring), dark, "right" + part});
    samples.push_back({BottomSide(r, ring), dark, "bottom" + part});
  }
  // The face begins inside the bevel.
  const int face = inside + look.bevelWidth;
  for (const POINT at : {LeftSide(r, face), TopSide(r, face), RightSide(r, face), BottomSide(r, face)})
    samples.push_back({at, look.back, "face inside the bevel"});
  return samples;
}

std::vector<Sample> PressedButton(const RECT& r, const ButtonLook& look) {
  std::vector<Sample> samples;
  const int inside = AddOutlineRings(r, look, samples);
  const COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
  // A bevel of two or less is pressed by one line, a wider one by one line less than its width.
  const int lines = look.bevelWidth <= 2 ? 1 : look.bevelWidth - 1;
  for (int line = 0; line < lines; ++line) {
    const std::string part = " pressed line " + std::to_string(line);
    samples.push_back({LeftSide(r, inside + line), dark, "left" + part});
    samples.push_back({TopSide(r, inside + line), dark, "top" + part});
  }
  samples.push_back({LeftSide(r, inside + lines), look.back, "face inside the left pressed lines"});
  samples.push_back({TopSide(r, inside + lines), look.back, "face inside the top pressed lines"});
  // No light edge: the face runs up to the outline at the bottom and right.
  samples.push_back({RightSide(r, inside), look.back, "right inside the outline"});
  samples.push_back({BottomSide(r, inside), look.back, "bottom inside the outline"});
  return samples;
}

std::vector<Sample> EtchedFrame(const RECT& r, COLORREF back) {
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
  std::vector<Sample> samples = {
      {LeftSide(r, 0), dark, "left outer line"},      {TopSide(r, 0), dark, "top outer line"},
      {LeftSide(r, 1), light, "left inner line"},     {TopSide(r, 1), light, "top inner line"},
      {RightSide(r, 0), light, "right outer line"},   {BottomSide(r, 0), light, "bottom outer line"},
      {RightSide(r, 1), dark, "right inner line"},    {BottomSide(r, 1), dark, "bottom inner line"},
  };
  for (const POINT at : {LeftSide(r, 2), TopSide(r, 2), RightSide(r, 2), BottomSide(r, 2)})
    samples.push_back({at, back, "inside the line"});
  return samples;
}

std::vector<Sample> LitLamp(const RECT& r) {
  const COLORREF green = static_cast<COLORREF>(testing::kIndicatorGreen);
  std::vector<Sample> samples = {{{(r.left + r.right) / 2, (r.top + r.bottom) / 2}, green, "lamp centre"}};
  // Well inside the lamp, clear of the button's raised edge and of the lamp's own rim.
  const int ring = (std::min(r.right - r.left, r.bottom - r.top)) / 4;
  for (const POINT at : {LeftSide(r, ring), TopSide(r, ring), RightSide(r, ring), BottomSide(r, ring)})
    samples.push_back({at, green, "lamp"});
  return samples;
}

// A push button draws its bitmap centred in the button. Only the part inside the button's edge and
// focus rectangle is compared, where nothing is drawn over the bitmap.
constexpr int kPushButtonEdge = 4;

std::vector<Sample> CentredBitmap(const RECT& r, const Picture& bitmap) {
  std::vector<Sample> samples;
  const int left = r.left + (r.right - r.left - bitmap.width) / 2;
  const int top = r.top + (r.bottom - r.top - bitmap.height) / 2;
  for (int y = 0; y < bitmap.height; ++y) {
    for (int x = 0; x < bitmap.width; ++x) {
      const POINT at = {left + x, top + y};
      if (at.x < r.left + kPushButtonEdge || at.x >= r.right - kPushButtonEdge || at.y < r.top + kPushButtonEdge ||
          at.y >= r.bottom - kPushButtonEdge)
        continue;
      samples.push_back({at, bitmap.At(x, y), "bitmap pixel " + std::to_string(x) + "," + std::to_string(y)});
    }
  }
  return samples;
}

class WindowPictures : public testing::KorvaneWindowsTest {
 protected:
  void SetUp() override {
    KorvaneWindowsTest::SetUp();
    // The Debug Inventory tool's backup, started before the tool opens from the main menu.
    testing::WriteBytes("c:\\Korvane\\BAKITEMD.BAT", "@copy /y Item.dat Item.bak >nul\r\n");
  }

  // Opens the window of a case as a user does: the main menu, its ribbon, then the press.
  void Open(const LookCase& c) {
    auto menu = ui_.Show<Form1>();
    if (c.ribbon) menu.Click(c.ribbon);
    if (c.press) ui_.On(c.form).Click(c.press);
  }

  // The window's client area as the screen shows it once everything in it has painted. The window is
  // raised first (without taking the activation, so the focus stays where it is), so that no other
  // window of the program lies over the part that is read.
  Picture PaintedPicture(const std::string& form) {
    HWND window = ui_.On(form).Get().Window();
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ui_.Pump();
    return CaptureClientArea(window);
  }

  // The control's rectangle in its window's client area.
  RECT PlaceOf(const std::string& form, const char* control) {
    HWND window = ui_.On(form).Get().Window();
    HWND controlWindow = ui_.On(form).Window(control);
    RECT r{};
    if (!controlWindow || !GetClientRect(controlWindow, &r)) return RECT{};
    MapWindowPoints(controlWindow, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }

  std::optional<long> LongProperty(const std::string& form, const char* control, long dispid) {
    auto* hosted = dynamic_cast<forms::HostedControlHolder*>(&ui_.On(form).ControlNamed(control));
    if (!hosted) return std::nullopt;
    const forms::PropertyValue value = hosted->Property(dispid);
    if (const long* number = std::get_if<long>(&value)) return *number;
    if (const bool* flag = std::get_if<bool>(&value)) return *flag ? -1 : 0;
    return std::nullopt;
  }

  std::optional<COLORREF> BackColour(const std::string& form, const char* control) {
    const std::optional<long> stored = LongProperty(form, control, kBackColorDispid);
    COLORREF colour = CLR_INVALID;
    if (!stored || FAILED(OleTranslateColor(static_cast<OLE_COLOR>(*stored), nullptr, &colour))) return std::nullopt;
    return colour;
  }

  std::optional<ButtonLook> LookOf(const std::string& form, const char* control) {
    const std::optional<long> bevel = LongProperty(form, control, kBevelWidthDispid);
    const std::optional<long> outline = LongProperty(form, control, kOutlineDispid);
    const std::optional<long> rounded = LongProperty(form, control, kRoundedCornersDispid);
    const std::optional<COLORREF> back = BackColour(form, control);
    if (!bevel || !outline || !rounded || !back) return std::nullopt;
    ButtonLook look;
    look.focused = ui_.Focused() == form + "." + control;
    look.outline = *outline != 0;
    look.roundedCorners = *rounded != 0;
    look.bevelWidth = static_cast<int>(*bevel);
    look.back = *back;
    return look;
  }

  // The pixels a case's control should show, from the look it holds; empty (with a failure) when the
  // control does not answer what its look is read from.
  std::vector<Sample> Expected(const LookCase& c, const RECT& r) {
    if (c.look == Look::Raised || c.look == Look::Pressed) {
      const std::optional<ButtonLook> look = LookOf(c.form, c.control);
      if (!look) {
        ADD_FAILURE() << c.control << " does not answer its bevel width, outline, corners and back colour";
        return {};
      }
      return c.look == Look::Raised ? RaisedButton(r, *look) : PressedButton(r, *look);
    }
    if (c.look == Look::Etched) {
      const std::optional<COLORREF> back = BackColour(c.form, c.control);
      if (!back) {
        ADD_FAILURE() << c.control << " does not answer its back colour";
        return {};
      }
      return EtchedFrame(r, *back);
    }
    if (c.look == Look::Bitmap) {
      const Picture bitmap = activex::testing::PixelsOfBitmap(forms::TryLoadPicture(c.bitmap).Get());
      if (bitmap.width == 0) {
        ADD_FAILURE() << "the program holds no bitmap " << c.bitmap;
        return {};
      }
      return CentredBitmap(r, bitmap);
    }
    return LitLamp(r);
  }

  // The picture of the window after the case's steps, saved beside the test program and named after the
  // form, and after the press or ribbon that changed it when it is not the window as opened.
  static std::string PictureFile(const LookCase& c) {
    std::string name = c.form;
    if (c.press)
      name += std::string("-") + c.press;
    else if (c.ribbon && name == kMainMenu)
      name += std::string("-") + c.ribbon;
    return testing::TestProgramFolder() + name + ".png";
  }
};

bool SameSteps(const LookCase& a, const LookCase& b) {
  auto same = [](const char* x, const char* y) { return (!x && !y) || (x && y && std::string(x) == y); };
  return same(a.ribbon, b.ribbon) && same(a.press, b.press);
}

TEST_F(WindowPictures, EveryWindowShowsItsControlsAsTheirStoredLookDrawsThem) {
  for (const LookCase& first : kLookCases) {
    // The cases of one way through the windows are read from one opening of them, the first time the
    // way comes up.
    const LookCase* earlier = std::find_if(std::begin(kLookCases), &first,
                                           [&](const LookCase& other) { return SameSteps(other, first); });
    if (earlier != &first) continue;
    SCOPED_TRACE(std::string("opened by ") + (first.ribbon ? first.ribbon : "the start") +
                 (first.press ? std::string(", then ") + first.press : std::string()));
    Open(first);
    std::map<std::string, Picture> pictures;  // by form, each taken once
    for (const LookCase& c : kLookCases) {
      if (!SameSteps(c, first)) continue;
      SCOPED_TRACE(std::string(c.form) + "." + c.control);
      ASSERT_TRUE(ui_.IsVisible(c.form));
      const std::string file = PictureFile(c);
      if (pictures.count(c.form) == 0) {
        pictures[c.form] = PaintedPicture(c.form);
        ui_.SavePng(c.form, file);
      }
      const Picture& picture = pictures[c.form];
      const RECT place = PlaceOf(c.form, c.control);
      ASSERT_FALSE(IsRectEmpty(&place)) << "the control has no window to read";
      const std::vector<Sample> samples = Expected(c, place);
      EXPECT_FALSE(samples.empty());
      std::string wrong;
      int wrongCount = 0;
      for (const Sample& sample : samples) {
        const COLORREF shown = picture.At(sample.at.x, sample.at.y);
        if (shown == sample.colour) continue;
        if (++wrongCount <= 8) {
          wrong += "\n  " + sample.part + " at " + std::to_string(sample.at.x - place.left) + "," +
                   std::to_string(sample.at.y - place.top) + " of the control: " + Hex(shown) + ", expected " +
                   Hex(sample.colour);
        }
      }
      if (wrongCount > 0)
        ADD_FAILURE() << wrongCount << " of " << samples.size() << " pixels differ (picture " << file << "):" << wrong;
    }
    EXPECT_TRUE(ui_.MessageBoxes().empty());
    forms::Forms::UnloadAll();
  }
}

}  // namespace
}  // namespace korvane
