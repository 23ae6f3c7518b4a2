// The intrinsic controls and menus, worked through real window messages by the driver.
#include <gtest/gtest.h>

#include <cstdio>

#include "forms/Forms.h"
#include "forms/testing/FormDriver.h"

using namespace korvane::forms;
using korvane::forms::testing::FormDriver;

namespace {

class EntryForm : public Form {
 public:
  EntryForm()
      : Form("EntryForm", R"(form EntryForm {
  caption "Adjust Inventory"
  size 420 260
  label Label1 index 1 {
    caption "   Input Item Number"
    rect 10 10 150 16
  }
  label Label1 index 2 {
    caption "  <Hit Enter>"
    rect 10 60 150 16
  }
  textbox Text38 {
    rect 10 30 150 21
    tab 1
  }
  textbox Text36 {
    rect 10 80 150 21
    tab 3
  }
  textbox Text16 {
    rect 200 30 80 21
    tab 2
    readonly
    notabstop
    backcolor 0xC000
  }
  button Command index 0 {
    caption "Zero"
    rect 10 120 80 25
    tab 4
  }
  button Command index 1 {
    caption "One"
    rect 100 120 80 25
    tab 5
  }
  listbox List1 {
    rect 10 160 300 80
    tab 6
    font "Courier New" 8.25
    tooltip "Click to change"
  }
  label Warning {
    caption "Don't use commas or quotes on input"
    rect 200 120 200 16
    hidden
  }
  menu debuginv { caption "                  &Debug Inventory" }
  menu helpfiles {
    caption "&Help"
    menu mainprogram { caption "Main Program" }
    menu about { caption "About " }
  }
})") {}

  std::vector<int> keys_seen;
  std::vector<std::string> events;
  int list_index_at_mouse_down = -2;
  MouseArgs mouse;

 private:
  void Bind(EventTable& on) override {
    on("Text38", "KeyPress", &EntryForm::Text38_KeyPress);
    on("Text16", "KeyPress", &EntryForm::Text16_KeyPress);
    on("Command", "Click", &EntryForm::Command_Click);
    on("List1", "Click", &EntryForm::List1_Click);
    on("List1", "MouseDown", &EntryForm::List1_MouseDown);
    on("debuginv", "Click", &EntryForm::debuginv_Click);
    on("about", "Click", &EntryForm::about_Click);
  }
  // Letters are folded to upper case, commas dropped; Enter moves on to the amount box.
  void Text38_KeyPress(int& keyAscii) {
    keys_seen.push_back(keyAscii);
    if (keyAscii >= 'a' && keyAscii <= 'z') keyAscii -= 32;
    if (keyAscii == ',') keyAscii = 0;
    if (keyAscii == 13) TextBoxNamed("Text36").SetFocus();
  }
  void Text16_KeyPress(int& keyAscii) { keys_seen.push_back(keyAscii); }
  void Command_Click(const EventArgs& e) { events.push_back("Command(" + std::to_string(e.index.value_or(-1)) + ")"); }
  void List1_Click() { events.push_back("Click " + std::to_string(ListBoxNamed("List1").ListIndex())); }
  void List1_MouseDown(const MouseArgs& m) {
    mouse = m;
    list_index_at_mouse_down = ListBoxNamed("List1").ListIndex();
    events.push_back("MouseDown " + ListBoxNamed("List1").Text());
  }
  void debuginv_Click() { events.push_back("debuginv"); }
  void about_Click() { events.push_back("about"); }
};

class Controls : public ::testing::Test {
 protected:
  FormDriver ui;
  korvane::forms::testing::DrivenForm form = ui.Show<EntryForm>();
  EntryForm& entry() { return Forms::Get<EntryForm>(); }
};

TEST_F(Controls, KeyPressFoldsLettersBeforeTheBoxReceivesThem) {
  form.Type("Text38", "ab,1c");
  EXPECT_EQ(form.Text("Text38"), "AB1C");
  EXPECT_EQ(entry().keys_seen, (std::vector<int>{'a', 'b', ',', '1', 'c'}));
}

TEST_F(Controls, TypingGivesTheCharactersAskedForWhateverTheCapsLock) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CAPITAL] |= 1;
  SetKeyboardState(keys);
  form.Type("Text36", "aB-7 x");
  EXPECT_EQ(form.Text("Text36"), "aB-7 x");
  GetKeyboardState(keys);
  EXPECT_EQ(keys[VK_CAPITAL] & 1, 1) << "the lock is as the test found it";
  keys[VK_CAPITAL] &= ~1;
  SetKeyboardState(keys);
}

// The keys come through the system's keyboard input, as a user's do: the system's own keyboard hook sees
// each of them go down, before any window of the program gets it.
std::vector<DWORD> g_keys_down_seen;
LRESULT CALLBACK SeeKeyDown(int code, WPARAM message, LPARAM key) {
  if (code == HC_ACTION && message == WM_KEYDOWN)
    g_keys_down_seen.push_back(reinterpret_cast<const KBDLLHOOKSTRUCT*>(key)->vkCode);
  return CallNextHookEx(nullptr, code, message, key);
}

TEST_F(Controls, TypedKeysComeThroughTheSystemsKeyboardInput) {
  g_keys_down_seen.clear();
  HHOOK hook = SetWindowsHookExA(WH_KEYBOARD_LL, &SeeKeyDown, GetModuleHandleA(nullptr), 0);
  ASSERT_NE(hook, nullptr);
  form.Type("Text36", "q7").PressEnter("Text36");
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(form.Text("Text36"), "q7");
  EXPECT_EQ(g_keys_down_seen, (std::vector<DWORD>{'Q', '7', VK_RETURN}));
}

TEST_F(Controls, EnterReachesKeyPressAndGoesNoFurther) {
  form.Type("Text38", "ab").PressEnter("Text38");
  EXPECT_EQ(entry().keys_seen.back(), 13);
  EXPECT_EQ(form.Text("Text38"), "AB");
  EXPECT_EQ(ui.Focused(), "EntryForm.Text36");
}

TEST_F(Controls, AReadOnlyBoxOutsideTheTabOrderKeepsItsTextAndIsSkippedByTab) {
  entry().TextBoxNamed("Text16").SetText("42");
  form.Type("Text16", "7");
  EXPECT_EQ(form.Text("Text16"), "42");
  EXPECT_TRUE(entry().TextBoxNamed("Text16").ReadOnly());
  EXPECT_EQ(*entry().TextBoxNamed("Text16").BackColor(), 0xC000u);
  {
    // The box is painted in its colour (0x00C000, green).
    HWND box = form.Window("Text16");
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    ui.Pump();
    HDC dc = GetDC(box);
    RECT client{};
    GetClientRect(box, &client);
    EXPECT_EQ(GetPixel(dc, client.right - 3, client.bottom / 2), RGB(0, 0xC0, 0));
    ReleaseDC(box, dc);
  }

  form.PressKey("Text38", VK_TAB);
  EXPECT_EQ(ui.Focused(), "EntryForm.Text36");  // tab 3 follows tab 1; Text16 (tab 2) has no tab stop
  form.PressKey("Text36", VK_TAB);
  EXPECT_EQ(ui.Focused(), "EntryForm.Command(0)");
  form.PressKey("Command(0)", VK_TAB, /*shift=*/true);
  EXPECT_EQ(ui.Focused(), "EntryForm.Text36");
}

TEST_F(Controls, LabelsKeepTheirLeadingBlanksAndArraysAreReachedByIndex) {
  EXPECT_EQ(form.Text("Label1(1)"), "   Input Item Number");
  EXPECT_EQ(form.Text("Label1(2)"), "  <Hit Enter>");
  entry().LabelNamed("Label1", 2).SetCaption("done");
  EXPECT_EQ(form.Text("Label1(2)"), "done");
  EXPECT_THROW(entry().LabelNamed("Label1"), std::logic_error);  // an array element needs its index
}

TEST_F(Controls, ButtonsOfAControlArrayShareOneHandlerThatLearnsTheIndex) {
  form.Click("Command(1)").Click("Command(0)");
  EXPECT_EQ(entry().events, (std::vector<std::string>{"Command(1)", "Command(0)"}));
  EXPECT_EQ(form.Text("Command(1)"), "One");
}

TEST_F(Controls, ControlsShowTheirTooltips) {
  EXPECT_EQ(form.ToolTip("List1"), "Click to change");
  EXPECT_EQ(form.ToolTip("Text38"), "");
}

TEST_F(Controls, ListBoxLinesAddClearAndClick) {
  ListBox& list = entry().ListBoxNamed("List1");
  for (const char* line : {"0001  5    BOLT", "0002  7    NUT", "0003  5    WASHER"}) list.AddItem(line);
  EXPECT_EQ(list.ListCount(), 3);
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(list.Text(), "");
  form.ClickListLine("List1", 1);
  EXPECT_EQ(form.ListIndex("List1"), 1);
  EXPECT_EQ(form.Text("List1"), "0002  7    NUT");
  EXPECT_EQ(entry().events.back(), "Click 1");
  list.Clear();
  EXPECT_TRUE(form.Lines("List1").empty());
  EXPECT_EQ(list.List(0), "");
}

TEST_F(Controls, MouseDownOnAListGivesTheLineUnderTheMouseBeforeItsClick) {
  ListBox& list = entry().ListBoxNamed("List1");
  for (const char* code : {"12  ", "5   ", "20  ", "7   "}) list.AddItem(code);
  form.MouseDownOnListLine("List1", 2);
  EXPECT_EQ(entry().list_index_at_mouse_down, 2);
  EXPECT_EQ(entry().events, (std::vector<std::string>{"MouseDown 20  ", "Click 2"}));
  EXPECT_EQ(entry().mouse.button, kLeftButton);
  EXPECT_EQ(list.LineAt(static_cast<int>(entry().mouse.x), static_cast<int>(entry().mouse.y)), 2);
}

TEST_F(Controls, TheLineUnderAPointOfAListLongerThan65536LinesIsWhole) {
  ListBox& list = entry().ListBoxNamed("List1");
  constexpr int kLines = 70000;
  // Filled in one go, as the list's own additions would take minutes at this size.
  SendMessageA(list.Window(), WM_SETREDRAW, FALSE, 0);
  SendMessageA(list.Window(), LB_INITSTORAGE, kLines, 8);
  for (int i = 0; i < kLines; ++i) {
    char line[16];
    std::snprintf(line, sizeof line, "%06d", i);
    SendMessageA(list.Window(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
  }
  SendMessageA(list.Window(), WM_SETREDRAW, TRUE, 0);
  ASSERT_EQ(list.ListCount(), kLines);
  for (int line : {0, 3, 65535, 65536, 65541, kLines - 1}) {
    SendMessageA(list.Window(), LB_SETTOPINDEX, line, 0);
    RECT place{};
    ASSERT_NE(SendMessageA(list.Window(), LB_GETITEMRECT, line, reinterpret_cast<LPARAM>(&place)), LB_ERR);
    EXPECT_EQ(list.LineAt((place.left + place.right) / 2, (place.top + place.bottom) / 2), line);
  }
}

TEST_F(Controls, LongListLinesScrollSidewaysAndTheListFontIsFixedPitch) {
  ListBox& list = entry().ListBoxNamed("List1");
  list.AddItem(std::string(160, 'W'));
  list.AddItem(std::string(160, 'i'));
  EXPECT_GT(SendMessageA(list.Window(), LB_GETHORIZONTALEXTENT, 0, 0), 300);

  HDC dc = GetDC(list.Window());
  HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list.Window(), WM_GETFONT, 0, 0)));
  SIZE wide{}, narrow{};
  GetTextExtentPoint32A(dc, "WWWWWWWWWW", 10, &wide);
  GetTextExtentPoint32A(dc, "iiiiiiiiii", 10, &narrow);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, previous);
  ReleaseDC(list.Window(), dc);
  EXPECT_EQ(wide.cx, narrow.cx) << "the columns of the list's lines would not line up";
  EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, 11) << "8.25 points at 96 dpi";
}

TEST_F(Controls, MenusKeepTheirCaptionsAndTheirEntriesRunTheirHandlers) {
  EXPECT_EQ(form.MenuCaption("debuginv"), "                  &Debug Inventory");
  EXPECT_EQ(form.MenuCaption("about"), "About ");
  form.ChooseMenu("debuginv").ChooseMenu("about");
  EXPECT_EQ(entry().events, (std::vector<std::string>{"debuginv", "about"}));
  EXPECT_THROW(form.ChooseMenu("helpfiles"), std::logic_error);  // it only opens its submenu
  entry().MenuNamed("about").SetEnabled(false);
  EXPECT_THROW(form.ChooseMenu("about"), std::logic_error);
}

TEST_F(Controls, FocusAndVisibility) {
  EXPECT_FALSE(form.ControlVisible("Warning"));  // described as hidden
  entry().LabelNamed("Warning").SetVisible(true);
  EXPECT_TRUE(form.ControlVisible("Warning"));
  entry().TextBoxNamed("Text36").SetFocus();
  ui.Pump();
  EXPECT_EQ(ui.Focused(), "EntryForm.Text36");
  EXPECT_TRUE(entry().TextBoxNamed("Text36").HasFocus());
  entry().ButtonNamed("Command", 1).SetVisible(false);
  ui.Pump();
  EXPECT_FALSE(form.ControlVisible("Command(1)"));
  EXPECT_THROW(form.Click("Command(1)"), std::logic_error);
  entry().ButtonNamed("Command", 0).SetEnabled(false);
  EXPECT_THROW(form.Click("Command(0)"), std::logic_error);
  EXPECT_TRUE(entry().events.empty());
  entry().ButtonNamed("Command", 0).SetEnabled(true);
  form.PressKey("Command(0)", VK_TAB);
  EXPECT_EQ(ui.Focused(), "EntryForm.List1");  // a hidden control is passed over
}

}  // namespace
