#include "forms/ListBox.h"

#include <algorithm>

#include "forms/Form.h"
#include "forms/Forms.h"

namespace korvane::forms {

namespace {

// Posted to the list's own window when a fill begins: a message loop that runs before the handlers
// return (a message box's) ends the fill, so that the list is drawn under the box.
constexpr UINT kEndFillMessage = WM_APP + 0x31;
// A fill longer than this is noticed: the wait cursor shows, and the window is painted now and then.
constexpr DWORD kNoticeableFillMs = 1000;
constexpr DWORD kBusyPaintEveryMs = 250;
constexpr int kLinesBetweenClockReads = 64;
// Lines are put in storage reserved ahead, this many at least at a time.
constexpr int kLeastReserve = 256;
// Room beside the widest line, so that its last character is not at the very edge.
constexpr int kExtentMargin = 4;

ListBox::FillClock fill_clock = nullptr;

DWORD Now() { return fill_clock ? fill_clock() : GetTickCount(); }

// The list boxes whose fills have not ended yet.
std::vector<ListBox*>& FillingLists() {
  static std::vector<ListBox*> lists;
  return lists;
}

// Widths of lines in a list's font, measured in a memory context like the screen's. It keeps a copy of
// the font of its own, so that the list's font may be replaced while it measures.
class LineWidths {
 public:
  explicit LineWidths(HFONT font) : dc_(CreateCompatibleDC(nullptr)) { UseFont(font); }
  ~LineWidths() {
    if (!dc_) return;
    if (original_font_) SelectObject(dc_, original_font_);
    DeleteDC(dc_);
  }
  LineWidths(const LineWidths&) = delete;
  LineWidths& operator=(const LineWidths&) = delete;

  void UseFont(HFONT font) {
    if (!dc_) return;
    LOGFONTA description{};
    GdiFont copy;
    if (font && GetObjectA(font, sizeof description, &description) == sizeof description)
      copy.Reset(CreateFontIndirectA(&description));
    // Without a font of its own the list draws in the system font, the context's own.
    HGDIOBJ selected = SelectObject(dc_, copy ? static_cast<HGDIOBJ>(copy.Get()) : GetStockObject(SYSTEM_FONT));
    if (!selected || selected == HGDI_ERROR) return;
    if (!original_font_) original_font_ = selected;
    font_ = std::move(copy);
  }

  // The width in pixels of a line; 0 when it cannot be measured.
  int Of(std::string_view line) const {
    SIZE size{};
    if (!dc_ || !GetTextExtentPoint32A(dc_, line.data(), static_cast<int>(line.size()), &size)) return 0;
    return size.cx;
  }

 private:
  HDC dc_;
  HGDIOBJ original_font_ = nullptr;
  GdiFont font_;
};

HFONT FontOf(HWND window) { return reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)); }

}  // namespace

// One fill of a list: its measuring, the storage reserved ahead, and how long it has lasted.
class ListBox::Fill {
 public:
  Fill(HWND window, UINT serial)
      : widths_(FontOf(window)), serial_(serial), started_(Now()), last_paint_(started_) {
    const LRESULT count = SendMessageA(window, LB_GETCOUNT, 0, 0);
    count_ = reserved_ = count == LB_ERR ? 0 : static_cast<int>(count);
  }
  ~Fill() {
    if (busy_) SetCursor(cursor_before_);
  }
  Fill(const Fill&) = delete;
  Fill& operator=(const Fill&) = delete;

  UINT Serial() const { return serial_; }
  LineWidths& Widths() { return widths_; }

  // Reserves storage for the lines to come once the reserve is used up, doubling it each time. The fill
  // keeps the count itself (from what the list answers), sparing the list a question per line.
  void MakeRoom(HWND window, std::size_t line_length) {
    if (count_ < reserved_) return;
    const int more = std::max(kLeastReserve, count_);
    // A list that cannot reserve (LB_ERRSPACE) grows line by line as it would anyway; it is not asked
    // again before the lines reach the reserve.
    (void)SendMessageA(window, LB_INITSTORAGE, static_cast<WPARAM>(more),
                       static_cast<LPARAM>(more) * static_cast<LPARAM>(line_length + 1));
    reserved_ = count_ + more;
  }
  // A line went in at `index`, or the list was emptied.
  void Added(LRESULT index) { count_ = static_cast<int>(index) + 1; }
  void Emptied() { count_ = reserved_ = 0; }  // the list gives its storage back when emptied

  // After each line: whether the fill should show itself now (it has become long, and has not been
  // painted for a while). A long fill shows the wait cursor from the moment it is found long.
  bool TimeToPaint() {
    if (++lines_since_clock_ < kLinesBetweenClockReads) return false;
    lines_since_clock_ = 0;
    const DWORD now = Now();
    if (now - started_ <= kNoticeableFillMs) return false;
    if (!busy_) {
      busy_ = true;
      cursor_before_ = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    }
    if (now - last_paint_ < kBusyPaintEveryMs) return false;
    last_paint_ = now;
    return true;
  }

 private:
  LineWidths widths_;
  UINT serial_;
  DWORD started_;
  DWORD last_paint_;
  int count_ = 0;
  int reserved_ = 0;
  int lines_since_clock_ = 0;
  bool busy_ = false;
  HCURSOR cursor_before_ = nullptr;
};

ListBox::ListBox(Form& owner, const ElementDescription& element, POINT origin)
    : Control(owner, element, origin) {}

ListBox::~ListBox() {
  // The window goes with the control; only the fill's own resources are given back here.
  auto& filling = FillingLists();
  filling.erase(std::remove(filling.begin(), filling.end(), this), filling.end());
}

void ListBox::Create(HWND parent) {
  HWND window = CreateControlWindow(parent, "LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL,
                                    WS_EX_CLIENTEDGE, "");
  list_procedure_ = reinterpret_cast<WNDPROC>(GetClassLongPtrA(window, GCLP_WNDPROC));
}

void ListBox::SetFillClock(FillClock clock) { fill_clock = clock; }

ListBox::Fill* ListBox::CurrentFill() {
  if (fill_) return fill_.get();
  HWND window = Window();
  if (!window || !Forms::HandlerRunning()) return nullptr;
  static UINT serials = 0;
  fill_ = std::make_unique<Fill>(window, ++serials);
  SendMessageA(window, WM_SETREDRAW, FALSE, 0);
  FillingLists().push_back(this);
  // Should the message not be posted, the fill still ends when the handlers return.
  PostMessageA(window, kEndFillMessage, fill_->Serial(), 0);
  return fill_.get();
}

void ListBox::EndFill() {
  if (!fill_) return;
  auto& filling = FillingLists();
  filling.erase(std::remove(filling.begin(), filling.end(), this), filling.end());
  fill_.reset();
  HWND window = Window();
  if (!window) return;
  ApplyExtent();
  SendMessageA(window, WM_SETREDRAW, TRUE, 0);
  // One repaint of the whole list, its scroll bars included.
  RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE);
}

void ListBox::EndFills() {
  const std::vector<ListBox*> filling = FillingLists();
  for (ListBox* list : filling) list->EndFill();
}

void ListBox::ApplyExtent() {
  // The list scrolls sideways as far as its widest line reaches.
  if (widest_line_ == applied_extent_ || !Window()) return;
  SendMessageA(Window(), LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest_line_), 0);
  applied_extent_ = widest_line_;
}

void ListBox::AddItem(std::string_view line) {
  HWND window = Window();
  if (!window) return;
  const std::string text(line);
  Fill* fill = CurrentFill();
  if (fill) fill->MakeRoom(window, text.size());
  // The line goes straight to the list's own window procedure: the subclasses of the window (the
  // control's own and the tooltip's) do nothing with it, and passing a long fill through them line by
  // line would cost more than the list itself.
  const LPARAM pointer = reinterpret_cast<LPARAM>(text.c_str());
  const LRESULT added = list_procedure_ ? CallWindowProcA(list_procedure_, window, LB_ADDSTRING, 0, pointer)
                                        : SendMessageA(window, LB_ADDSTRING, 0, pointer);
  if (added == LB_ERR || added == LB_ERRSPACE) return;
  if (fill) fill->Added(added);
  const int width = fill ? fill->Widths().Of(text) : LineWidths(FontOf(window)).Of(text);
  widest_line_ = std::max(widest_line_, width + kExtentMargin);
  if (!fill) {
    ApplyExtent();
    return;
  }
  if (!fill->TimeToPaint()) return;
  // A long fill shows what it has so far, and the rest of the window is painted where it needs it.
  ApplyExtent();
  SendMessageA(window, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  if (HWND form = GetAncestor(window, GA_ROOT)) RedrawWindow(form, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  SendMessageA(window, WM_SETREDRAW, FALSE, 0);
}

void ListBox::Clear() {
  HWND window = Window();
  if (!window) return;
  if (Fill* fill = CurrentFill()) fill->Emptied();
  SendMessageA(window, LB_RESETCONTENT, 0, 0);
  widest_line_ = 0;
  if (!fill_) ApplyExtent();
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
  if (message == kEndFillMessage) {
    // A message of an earlier fill leaves a later one alone.
    if (fill_ && fill_->Serial() == wparam) EndFill();
    return 0;
  }
  if (message == WM_SETFONT && fill_) fill_->Widths().UseFont(reinterpret_cast<HFONT>(wparam));
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
