// Long lists filled inside handlers: every line in its place, the sideways scroll as far as the widest
// line, the selection and the line under the mouse, and a list that is drawn and usable after its
// handler failed or took long.
#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/Forms.h"
#include "forms/testing/FormDriver.h"

using namespace korvane::forms;
using korvane::forms::testing::FormDriver;

namespace {

class FillForm : public Form {
 public:
  FillForm()
      : Form("FillForm", R"(form FillForm {
  caption "Fill"
  size 460 300
  button Fill {
    caption "Fill"
    rect 10 10 80 25
    tab 1
  }
  listbox List1 {
    rect 10 50 440 200
    tab 2
    font "Courier New" 8.25
  }
})") {}

  // What the Fill button puts into the list, after emptying it; then it fails when asked to.
  std::vector<std::string> to_add;
  bool fail = false;
  // Seen at the end of the fill, while the handler still runs.
  HCURSOR cursor_in_handler = nullptr;
  bool drawn_in_handler = false;
  std::vector<std::string> events;
  int line_under_mouse = -2;

 private:
  void Bind(EventTable& on) override {
    on("Fill", "Click", &FillForm::Fill_Click);
    on("List1", "Click", &FillForm::List1_Click);
    on("List1", "MouseDown", &FillForm::List1_MouseDown);
  }
  void Fill_Click();
  void List1_Click() { events.push_back("Click " + std::to_string(ListBoxNamed("List1").ListIndex())); }
  void List1_MouseDown(const MouseArgs& m) {
    ListBox& list = ListBoxNamed("List1");
    line_under_mouse = list.LineAt(static_cast<int>(m.x), static_cast<int>(m.y));
    events.push_back("MouseDown " + std::to_string(list.ListIndex()) + " " + list.Text());
  }
};

// Whether a line of a list is drawn on the screen: text covers part of its row, neither none of it (a
// row left blank) nor all of it (a row never painted).
bool ShowsLine(HWND list, int line) {
  RECT item{};
  if (SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&item)) == LB_ERR)
    return false;
  RECT client{};
  GetClientRect(list, &client);
  item.right = std::min(item.right, client.right);
  HDC dc = GetDC(list);
  if (!dc) return false;
  int dark = 0, all = 0;
  for (int y = item.top; y < item.bottom; ++y) {
    for (int x = item.left; x < item.right; ++x) {
      const COLORREF pixel = GetPixel(dc, x, y);
      if (pixel == CLR_INVALID) continue;
      ++all;
      if (GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 384) ++dark;
    }
  }
  ReleaseDC(list, dc);
  return all > 0 && dark * 50 > all && dark * 5 < all * 3;
}

void FillForm::Fill_Click() {
  ListBox& list = ListBoxNamed("List1");
  list.Clear();
  for (const std::string& line : to_add) list.AddItem(line);
  cursor_in_handler = GetCursor();
  drawn_in_handler = ShowsLine(list.Window(), 0);
  if (fail) throw std::runtime_error("the item file ends inside an item");
}

// Lines numbered from 0, each of the given length (at least 6), in the fixed-pitch font of the list.
std::string NumberedLine(int number, std::size_t length) {
  char start[8];
  std::snprintf(start, sizeof start, "%05d ", number);
  std::string line(start);
  line.resize(std::max<std::size_t>(length, line.size()), 'x');
  return line;
}

std::vector<std::string> NumberedLines(int count, std::size_t length) {
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) lines.push_back(NumberedLine(i, length));
  return lines;
}

// The width of a line as the list draws it, measured on the list's own device context.
int DrawnWidth(HWND list, const std::string& line) {
  HDC dc = GetDC(list);
  HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32A(dc, line.data(), static_cast<int>(line.size()), &size);
  SelectObject(dc, previous);
  ReleaseDC(list, dc);
  return size.cx;
}

// A clock that moves on 50 ms each time it is read, so that any fill soon counts as long.
DWORD g_fake_now = 0;
DWORD FastClock() { return g_fake_now += 50; }

class ListFill : public ::testing::Test {
 protected:
  ~ListFill() override { ListBox::SetFillClock(nullptr); }

  FillForm& fill() { return Forms::Get<FillForm>(); }
  HWND list() { return form.Window("List1"); }
  int Extent() { return static_cast<int>(SendMessageA(list(), LB_GETHORIZONTALEXTENT, 0, 0)); }

  FormDriver ui;
  korvane::forms::testing::DrivenForm form = ui.Show<FillForm>();
};

TEST_F(ListFill, EveryLineInOrderAndTheSidewaysScrollAsFarAsTheWidest) {
  struct Case {
    const char* what;
    int widest;  // the line that is longest
  };
  const Case cases[] = {{"widest first", 0}, {"widest in the middle", 1234}, {"widest last", 2999}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::string> lines = NumberedLines(3000, 150);
    lines[c.widest] = NumberedLine(c.widest, 170);
    fill().to_add = lines;
    form.Click("Fill");
    EXPECT_EQ(form.Lines("List1"), lines);
    const int widest = DrawnWidth(list(), lines[c.widest]);
    const int next = DrawnWidth(list(), lines[c.widest == 0 ? 1 : 0]);
    ASSERT_LT(next + 8, widest);
    EXPECT_GE(Extent(), widest);
    EXPECT_LE(Extent(), widest + 8);
  }
  // The next fill starts from an empty list: its own widest line sets the extent, however narrow.
  fill().to_add = NumberedLines(40, 60);
  form.Click("Fill");
  EXPECT_EQ(form.Lines("List1"), fill().to_add);
  EXPECT_GE(Extent(), DrawnWidth(list(), fill().to_add[0]));
  EXPECT_LE(Extent(), DrawnWidth(list(), fill().to_add[0]) + 8);
  fill().to_add.clear();
  form.Click("Fill");
  EXPECT_TRUE(form.Lines("List1").empty());
  EXPECT_EQ(Extent(), 0);
}

TEST_F(ListFill, AfterAFillThePressedLineIsSelectedAndUnderTheMouse) {
  fill().to_add = NumberedLines(5000, 160);
  form.Click("Fill");
  EXPECT_EQ(form.ListIndex("List1"), -1);
  EXPECT_TRUE(ShowsLine(list(), 0));
  form.MouseDownOnListLine("List1", 4321);
  EXPECT_EQ(fill().events,
            (std::vector<std::string>{"MouseDown 4321 " + NumberedLine(4321, 160), "Click 4321"}));
  EXPECT_EQ(fill().line_under_mouse, 4321);
  EXPECT_EQ(form.ListIndex("List1"), 4321);
  EXPECT_TRUE(ShowsLine(list(), 4321));
}

TEST_F(ListFill, ARealMouseClickOnAFilledListSelectsTheLineUnderIt) {
  fill().to_add = NumberedLines(800, 160);
  form.Click("Fill");
  RECT item{};
  ASSERT_NE(SendMessageA(list(), LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&item)), LB_ERR);
  POINT at{40, (item.top + item.bottom) / 2};
  ClientToScreen(list(), &at);
  SetForegroundWindow(fill().Window());
  SetCursorPos(at.x, at.y);
  INPUT press[2] = {};
  press[0].type = press[1].type = INPUT_MOUSE;
  press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ASSERT_EQ(SendInput(2, press, sizeof(INPUT)), 2u);
  for (int round = 0; round < 50 && fill().events.size() < 2; ++round) {
    Sleep(20);
    ui.Pump();
  }
  EXPECT_EQ(fill().events, (std::vector<std::string>{"MouseDown 3 " + NumberedLine(3, 160), "Click 3"}));
  EXPECT_EQ(fill().line_under_mouse, 3);
}

TEST_F(ListFill, AFillInAHandlerThatFailsLeavesTheListDrawnAndUsable) {
  fill().to_add = NumberedLines(2000, 160);
  fill().fail = true;
  ui.AnswerNextMessageBox(IDOK);
  form.Click("Fill");
  ASSERT_EQ(ui.MessageBoxes().size(), 1u);
  EXPECT_EQ(ui.MessageBoxes()[0].text, "Fill_Click: the item file ends inside an item");
  EXPECT_EQ(form.Lines("List1"), fill().to_add);
  EXPECT_TRUE(ShowsLine(list(), 0));
  EXPECT_GE(Extent(), DrawnWidth(list(), fill().to_add[0]));

  form.ClickListLine("List1", 2);
  EXPECT_EQ(fill().events.back(), "Click 2");
  EXPECT_TRUE(ShowsLine(list(), 2));

  // The next fill of the same list goes as any other.
  fill().fail = false;
  fill().to_add = NumberedLines(5, 100);
  form.Click("Fill");
  EXPECT_EQ(form.Lines("List1"), fill().to_add);
  EXPECT_TRUE(ShowsLine(list(), 4));
}

TEST_F(ListFill, ALongFillShowsTheWaitCursorAndPaintsTheListWhileItRuns) {
  const HCURSOR before = GetCursor();
  const HCURSOR wait = LoadCursor(nullptr, IDC_WAIT);
  ASSERT_NE(before, wait);

  fill().to_add = NumberedLines(40, 160);
  form.Click("Fill");
  EXPECT_NE(fill().cursor_in_handler, wait) << "a short fill is not shown as busy";

  // The list is drawn empty first: what the long fill shows, it painted itself.
  fill().to_add.clear();
  form.Click("Fill");
  ASSERT_FALSE(ShowsLine(list(), 0));
  ListBox::SetFillClock(&FastClock);
  fill().to_add = NumberedLines(3000, 160);
  form.Click("Fill");
  EXPECT_EQ(fill().cursor_in_handler, wait);
  EXPECT_TRUE(fill().drawn_in_handler) << "the list shows its lines before the handler returns";
  EXPECT_EQ(GetCursor(), before) << "the cursor is given back when the fill ends";
  EXPECT_EQ(form.Lines("List1"), fill().to_add);
  EXPECT_TRUE(ShowsLine(list(), 0));
}

}  // namespace
