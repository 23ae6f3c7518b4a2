#include "forms/Form.h"

#include <algorithm>
#include <set>
#include <utility>

#include "forms/CommandButton.h"
#include "forms/FormResources.h"
#include "forms/FormWindow.h"
#include "forms/Forms.h"
#include "forms/HostedControl.h"
#include "forms/HostedControlFactories.h"
#include "forms/Label.h"
#include "forms/ListBox.h"
#include "forms/Menu.h"
#include "forms/MessageBox.h"
#include "forms/PictureBox.h"
#include "forms/TextBox.h"
#include "forms/WindowText.h"

namespace korvane::forms {

namespace {

constexpr const char* kFormItself = "Form";
const FontDescription kDefaultFont{"MS Sans Serif", 8.25, false, false};

template <class T>
std::unique_ptr<Control> Make(Form& form, const ElementDescription& element, POINT origin) {
  return std::make_unique<T>(form, element, origin);
}

// The element kinds the runtime builds itself; any other kind goes to a registered hosted-control factory.
struct ControlKind {
  const char* kind;
  std::unique_ptr<Control> (*make)(Form&, const ElementDescription&, POINT);
};
constexpr ControlKind kControlKinds[] = {
    {"label", &Make<Label>},
    {"textbox", &Make<TextBox>},
    {"listbox", &Make<ListBox>},
    {"button", &Make<CommandButton>},
    {"picturebox", &Make<PictureBox>},
};
constexpr const char* kMenuKind = "menu";

// What the user is told about the hosted controls that did not come up as their elements describe: the
// controls that could not be made at all, and those that run with their defaults because their stored
// settings could not be read. One message per kind and form, naming every such control.
struct HostedControlReport {
  const std::string& (HostedControlHolder::*reason)() const;
  const char* heading;
};
constexpr HostedControlReport kHostedControlReports[] = {
    {&HostedControlHolder::MissingReason, ": these controls could not be made and are left out of the window:"},
    {&HostedControlHolder::DefaultsReason,
     ": the stored settings of these controls could not be read; they start with their defaults:"},
};

std::string Described(std::string_view name, std::optional<int> index) {
  std::string path(name);
  if (index) path += "(" + std::to_string(*index) + ")";
  return path;
}

bool Matches(const std::string& name, std::optional<int> index, std::string_view wanted_name,
             std::optional<int> wanted_index) {
  return name == wanted_name && index == wanted_index;
}

}  // namespace

// --- EventTable ---

const EventTable::Handler* EventTable::Find(std::string_view control, std::string_view event) const {
  auto found = handlers_.find(std::make_pair(std::string(control), std::string(event)));
  return found == handlers_.end() ? nullptr : &found->second;
}

std::vector<std::string> EventTable::Controls() const {
  std::vector<std::string> controls;
  for (const auto& [key, handler] : handlers_) controls.push_back(key.first);
  return controls;
}

void EventTable::Add(std::string control, std::string event, Handler handler) {
  handlers_[std::make_pair(std::move(control), std::move(event))] = std::move(handler);
}

// --- Form ---

Form::Form(std::string name) : name_(std::move(name)) {}

Form::Form(std::string name, std::string description_text)
    : name_(std::move(name)), description_text_(std::move(description_text)) {}

Form::~Form() { DestroyWindowAndControls(); }

void Form::Load() {
  try {
    description_ = ParseFormDescription(description_text_ ? *description_text_ : LoadFormDescriptionText(name_));
  } catch (const FormDescriptionError& e) {
    throw FormLoadError(name_ + ": the form description is malformed at line " + std::to_string(e.Line()) + ": " +
                        e.what());
  }
  Bind(handlers_);
  for (const std::string& control : handlers_.Controls()) {
    if (control == kFormItself) continue;
    bool described = false;
    std::vector<const ElementDescription*> pending{&description_};
    while (!pending.empty() && !described) {
      const ElementDescription* element = pending.back();
      pending.pop_back();
      for (const auto& child : element->children) {
        described = described || child.name == control;
        pending.push_back(&child);
      }
    }
    if (!described) throw FormLoadError(name_ + ": a handler is named for " + control + ", which the form does not have");
  }

  try {
    font_ = description_.Font().value_or(kDefaultFont);
    back_color_ = static_cast<COLORREF>(description_.Integer("backcolor", static_cast<long>(GetSysColor(COLOR_BTNFACE))));
    back_brush_.Reset(CreateSolidBrush(back_color_));

    window_ = CreateFormWindow(*this, description_.Text("caption"));
    if (!window_)
      throw FormLoadError(name_ + ": the window could not be made (error " + std::to_string(GetLastError()) + ")");
    BuildMenus();
    if (const auto size = description_.Size()) SetClientSize(window_, size->first, size->second);
    if (const auto position = description_.Position())
      SetWindowPos(window_, nullptr, position->first, position->second, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    BuildControls(description_, POINT{0, 0}, nullptr);
    ApplyTabOrder();
    ReportHostedControls();
  } catch (const FormDescriptionError& e) {
    throw FormLoadError(name_ + ": the form description is malformed at line " + std::to_string(e.Line()) + ": " +
                        e.what());
  }

  EventArgs args;
  Raise(kFormItself, std::nullopt, "Load", args);
}

void Form::BuildControls(const ElementDescription& element, POINT origin, HostedControlHolder* holder) {
  for (const auto& child : element.children) {
    if (child.kind == kMenuKind) continue;
    const ControlKind* kind = nullptr;
    for (const auto& row : kControlKinds)
      if (child.kind == row.kind) kind = &row;
    std::unique_ptr<Control> control;
    if (kind) {
      control = kind->make(*this, child, origin);
    } else if (auto factory = HostedControlFactoryFor(child.kind)) {
      control = std::make_unique<HostedControlHolder>(*this, child, origin, std::move(factory), holder);
    } else {
      throw FormLoadError(name_ + ": no control of kind '" + child.kind + "' can be made (" + child.name + ", line " +
                          std::to_string(child.line) + ")");
    }
    Control& made = *controls_.emplace_back(std::move(control));
    made.Create(window_);
    if (child.Has("tooltip") && made.Window() && !tooltips_.Add(window_, made.Window(), child.Text("tooltip")))
      throw FormLoadError(name_ + ": the tooltip of " + made.Path() + " could not be made");
    // The elements a control holds (the controls in a frame) are controls of the form too, placed
    // relative to it.
    if (!child.children.empty())
      BuildControls(child, POINT{made.Bounds().left, made.Bounds().top}, dynamic_cast<HostedControlHolder*>(&made));
  }
}

void Form::ReportHostedControls() {
  // Each once per form and run of the program: the form is loaded afresh every time the program returns to it.
  static std::set<std::pair<std::string, const HostedControlReport*>> reported;
  for (const HostedControlReport& report : kHostedControlReports) {
    std::string listed;
    for (const auto& control : controls_)
      if (auto* hosted = dynamic_cast<const HostedControlHolder*>(control.get()))
        if (const std::string& reason = (hosted->*report.reason)(); !reason.empty())
          listed += "\n" + hosted->Path() + ": " + reason;
    if (listed.empty() || !reported.emplace(name_, &report).second) continue;
    MsgBox(name_ + report.heading + listed, MB_ICONEXCLAMATION | MB_OK, name_);
  }
}

void Form::BuildMenus() {
  bool any = false;
  for (const auto& child : description_.children) any = any || child.kind == kMenuKind;
  if (!any) return;
  // The bar (and the menus inserted into it) is the form's to destroy until the window holds it.
  HMENU bar = CreateMenu();
  if (!bar) throw FormLoadError(name_ + ": the menu bar could not be made");
  try {
    AddMenus(description_, bar);
    if (!SetMenu(window_, bar)) throw FormLoadError(name_ + ": the menu bar could not be attached");
  } catch (...) {
    menus_.clear();
    DestroyMenu(bar);
    throw;
  }
  menu_bar_ = bar;
}

void Form::AddMenus(const ElementDescription& element, HMENU parent) {
  for (const auto& child : element.children) {
    if (child.kind != kMenuKind) continue;
    bool has_entries = false;
    for (const auto& entry : child.children) has_entries = has_entries || entry.kind == kMenuKind;
    HMENU submenu = has_entries ? CreatePopupMenu() : nullptr;
    if (has_entries && !submenu) throw FormLoadError(name_ + ": the menu " + child.name + " could not be made");
    try {
      menus_.push_back(std::make_unique<Menu>(*this, child, parent, next_menu_command_++, submenu));
    } catch (...) {
      // Not inserted into its parent: nothing else would destroy it.
      if (submenu) DestroyMenu(submenu);
      throw;
    }
    if (submenu) AddMenus(child, submenu);
  }
}

void Form::ApplyTabOrder() {
  std::vector<Control*> order;
  for (const auto& control : controls_) order.push_back(control.get());
  std::stable_sort(order.begin(), order.end(),
                   [](const Control* a, const Control* b) { return a->TabIndex() < b->TabIndex(); });
  // The windows' order follows the tab order, as the dialog functions of the system expect.
  HWND previous = HWND_TOP;
  for (Control* control : order) {
    HWND window = control->Window();
    if (!window || GetParent(window) != window_) continue;
    SetWindowPos(window, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = window;
  }
}

void Form::DestroyWindowAndControls() {
  tearing_down_ = true;
  last_focus_ = nullptr;
  // Controls first, while the form's window still holds them (hosted controls leave their container).
  tooltips_.Destroy();
  while (!controls_.empty()) controls_.pop_back();
  menus_.clear();
  if (window_ && IsWindow(window_)) DestroyWindow(window_);  // destroys the menu bar with it
  window_ = nullptr;
  menu_bar_ = nullptr;
}

void Form::Show() {
  if (!window_) return;
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  if (!FocusedControl() || !FocusedControl()->HasFocus()) {
    Control* first = last_focus_ ? last_focus_ : FirstInTabOrder();
    if (first) first->SetFocus();
  }
}

void Form::Hide() {
  if (window_) ShowWindow(window_, SW_HIDE);
}

bool Form::Visible() const { return window_ && IsWindowVisible(window_); }

std::string Form::Caption() const { return WindowText(window_); }

void Form::SetCaption(std::string_view caption) { SetWindowText(window_, caption); }

void Form::Unload() { Forms::Unload(*this); }

Control* Form::Find(std::string_view name, std::optional<int> index) const {
  for (const auto& control : controls_)
    if (Matches(control->Name(), control->Index(), name, index)) return control.get();
  return nullptr;
}

Menu* Form::FindMenu(std::string_view name, std::optional<int> index) const {
  for (const auto& menu : menus_)
    if (Matches(menu->Name(), menu->Index(), name, index)) return menu.get();
  return nullptr;
}

void Form::MissingControl(std::string_view name, std::optional<int> index, const char* kind) const {
  throw std::logic_error(name_ + " has no " + kind + " named " + Described(name, index));
}

Label& Form::LabelNamed(std::string_view name, std::optional<int> index) { return Get<Label>(name, index); }
TextBox& Form::TextBoxNamed(std::string_view name, std::optional<int> index) { return Get<TextBox>(name, index); }
ListBox& Form::ListBoxNamed(std::string_view name, std::optional<int> index) { return Get<ListBox>(name, index); }
CommandButton& Form::ButtonNamed(std::string_view name, std::optional<int> index) {
  return Get<CommandButton>(name, index);
}
PictureBox& Form::PictureNamed(std::string_view name, std::optional<int> index) { return Get<PictureBox>(name, index); }
HostedControlHolder& Form::Hosted(std::string_view name, std::optional<int> index) {
  return Get<HostedControlHolder>(name, index);
}
Menu& Form::MenuNamed(std::string_view name, std::optional<int> index) {
  if (Menu* menu = FindMenu(name, index)) return *menu;
  MissingControl(name, index, "menu");
}

std::string Form::ToolTipOf(const Control& control) const {
  return control.Window() ? tooltips_.TextOf(window_, control.Window()) : std::string();
}

Control* Form::ControlOfWindow(HWND window) const {
  // A control placed inside another (a check button in a frame) lies in its holder's window too: the
  // window belongs to the innermost control that owns it.
  Control* found = nullptr;
  for (const auto& control : controls_)
    if (control->Owns(window) && (!found || found->Owns(control->Window()))) found = control.get();
  return found;
}

Control* Form::FocusedControl() const {
  HWND focus = GetFocus();
  if (Control* focused = focus ? ControlOfWindow(focus) : nullptr) return focused;
  return last_focus_;
}

Control* Form::FirstInTabOrder() const {
  Control* first = nullptr;
  for (const auto& control : controls_)
    if (control->TabStop() && control->Visible() && control->Window() && IsWindowEnabled(control->Window()) &&
        (!first || control->TabIndex() < first->TabIndex()))
      first = control.get();
  return first;
}

bool Form::TabToNext(bool backwards) {
  std::vector<Control*> order;
  for (const auto& control : controls_)
    if (control->TabStop() && control->Visible() && control->Window() && IsWindowEnabled(control->Window()))
      order.push_back(control.get());
  if (order.empty()) return false;
  std::stable_sort(order.begin(), order.end(),
                   [](const Control* a, const Control* b) { return a->TabIndex() < b->TabIndex(); });
  HWND focus = GetFocus();
  Control* current = focus ? ControlOfWindow(focus) : nullptr;
  auto at = std::find(order.begin(), order.end(), current);
  std::size_t next = 0;
  if (at == order.end()) {
    next = backwards ? order.size() - 1 : 0;
  } else {
    const std::size_t position = static_cast<std::size_t>(at - order.begin());
    next = backwards ? (position + order.size() - 1) % order.size() : (position + 1) % order.size();
  }
  order[next]->SetFocus();
  return true;
}

bool Form::Raise(std::string_view control, std::optional<int> index, std::string_view event, EventArgs& args) {
  if (unloaded_) return false;
  const EventTable::Handler* handler = handlers_.Find(control, event);
  if (!handler) return false;
  Forms::HandlerScope scope;
  args.index = index;
  try {
    (*handler)(*this, args);
  } catch (const std::exception& e) {
    MsgBox(std::string(control) + "_" + std::string(event) + ": " + e.what(), MB_ICONHAND | MB_OK, name_);
  }
  return true;
}

LRESULT Form::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND: {
      if (lparam != 0) {
        if (Control* control = ControlOfWindow(reinterpret_cast<HWND>(lparam))) control->OnCommand(HIWORD(wparam));
        return 0;
      }
      if (HIWORD(wparam) == 0) {
        for (const auto& menu : menus_) {
          if (menu->Command() != LOWORD(wparam) || menu->HasSubmenu()) continue;
          EventArgs args;
          Raise(menu->Name(), menu->Index(), "Click", args);
          break;
        }
      }
      return 0;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      HDC dc = reinterpret_cast<HDC>(wparam);
      if (Control* control = ControlOfWindow(reinterpret_cast<HWND>(lparam)))
        if (HBRUSH brush = control->OnColor(dc)) return reinterpret_cast<LRESULT>(brush);
      if (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN) {
        // Labels and buttons stand on the form's colour.
        SetBkColor(dc, back_color_);
        return reinterpret_cast<LRESULT>(back_brush_.Get());
      }
      break;
    }
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window_, &client);
      FillRect(reinterpret_cast<HDC>(wparam), &client, back_brush_.Get());
      return 1;
    }
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) {
        if (HWND focus = GetFocus())
          if (Control* control = ControlOfWindow(focus)) last_focus_ = control;
        return 0;
      }
      break;
    case WM_SETFOCUS:
      // The form passes the focus on to its control that had it last, or the first in tab order.
      if (!tearing_down_) {
        Control* target = last_focus_ ? last_focus_ : FirstInTabOrder();
        if (target && target->Window() && IsWindowVisible(target->Window())) {
          target->SetFocus();
          return 0;
        }
      }
      break;
    case WM_CLOSE: {
      Forms::HandlerScope scope;
      Forms::Unload(*this);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcA(window_, message, wparam, lparam);
}

}  // namespace korvane::forms
