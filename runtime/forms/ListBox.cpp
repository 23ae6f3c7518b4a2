#include "forms/ListBox.h"

#include "forms/Form.h"

namespace korvane::forms {

ListBox::ListBox(Form& owner, const ElementDescription& element, POINT origin)
    : Control(owner, element, origin) {}

void ListBox::Create(HWND parent) {
  CreateControlWindow(parent, "LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL,
                      WS_EX_CLIENTEDGE, "");
}

void ListBox::AddItem(std::string_view line) {
  const std::string text(line);
  SendMessageA(Window(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  WidenForLine(text);
}

void ListBox::WidenForLine(std::string_view line) {
  // The list scrolls sideways as far as its widest line reaches.
  HDC dc = GetDC(Window());
  if (!dc) return;
  SIZE size{};
  {
    SelectedObject font(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(Window(), WM_GETFONT, 0, 0)));
    GetTextExtentPoint32A(dc, line.data(), static_cast<int>(line.size()), &size);
  }
  ReleaseDC(Window(), dc);
  if (size.cx + 4 > widest_line_) {
    widest_line_ = size.cx + 4;
    SendMessageA(Window(), LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest_line_), 0);
  }
}

void ListBox::Clear() {
  SendMessageA(Window(), LB_RESETCONTENT, 0, 0);
  widest_line_ = 0;
  SendMessageA(Window(), LB_SETHORIZONTALEXTENT, 0, 0);
}

int ListBox::ListCount() const {
  const LRESULT count = SendMessageA(Window(), LB_GETCOUNT, 0, 0);
  return count == LB_ERR ? 0 : static_cast<int>(count);
}

std::string ListBox::List(int line) const {
  const LRESULT length = SendMessageA(Window(), LB_GETTEXTLEN, static_cast<WPARAM>(line), 0);
  if (line < 0 || length == LB_ERR) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT copied = SendMessageA(Window(), LB_GETTEXT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
  return text;
}

std::vector<std::string> ListBox::Lines() const {
  std::vector<std::string> lines;
  const int count = ListCount();
  lines.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) lines.push_back(List(i));
  return lines;
}

int ListBox::ListIndex() const {
  const LRESULT selected = SendMessageA(Window(), LB_GETCURSEL, 0, 0);
  return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

void ListBox::SetListIndex(int line) { SendMessageA(Window(), LB_SETCURSEL, static_cast<WPARAM>(line), 0); }

std::string ListBox::Text() const { return List(ListIndex()); }

int ListBox::LineAt(int x, int y) const {
  const LRESULT hit = SendMessageA(Window(), LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y));
  // The high word is set when the point lies outside every line; the low word holds the line's number
  // to 16 bits only. A line under a point is a shown one, fewer than 65536 lines from the top line: its
  // whole number is the first from the top line on with those 16 bits.
  if (hit == LB_ERR || HIWORD(hit) != 0) return -1;
  const LRESULT top = SendMessageA(Window(), LB_GETTOPINDEX, 0, 0);
  if (top == LB_ERR) return LOWORD(hit);
  return static_cast<int>(top + ((LOWORD(hit) - top) & 0xFFFF));
}

void ListBox::OnCommand(WORD notification) {
  if (notification != LBN_SELCHANGE) return;
  // A press selects before MouseDown is raised; its Click follows the MouseDown.
  if (in_mouse_down_) {
    click_waiting_ = true;
    return;
  }
  EventArgs args;
  Raise("Click", args);
}

LRESULT ListBox::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != WM_LBUTTONDOWN && message != WM_RBUTTONDOWN && message != WM_MBUTTONDOWN)
    return DefaultMessage(message, wparam, lparam);
  in_mouse_down_ = true;
  const LRESULT result = DefaultMessage(message, wparam, lparam);
  in_mouse_down_ = false;
  RaiseMouse("MouseDown", message, wparam, lparam);
  if (click_waiting_ && !Owner().Unloaded() && Window()) {
    click_waiting_ = false;
    EventArgs args;
    Raise("Click", args);
  }
  click_waiting_ = false;
  return result;
}

}  // namespace korvane::forms
