// A form: one window of the program, built from its description, with its controls, its menus and the
// table of its event handlers. See Forms.h for how forms are reached, loaded and unloaded.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <typeinfo>
#include <utility>
#include <vector>

#include "forms/Control.h"
#include "forms/Events.h"
#include "forms/FormDescription.h"
#include "forms/GdiObjects.h"
#include "forms/ToolTips.h"

namespace korvane::forms {

class CommandButton;
class HostedControlHolder;
class Label;
class ListBox;
class Menu;
class PictureBox;
class TextBox;

// A form that cannot be built: a malformed description, an element kind nobody builds, a handler for a
// control the form does not have, a hosted control that could not be made.
class FormLoadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The handlers of one form, by control name and event name. A form fills it in Bind():
//
//   void Bind(EventTable& on) override {
//     on("Form", "Load", &Form3::Form_Load);
//     on("Text38", "KeyPress", &Form3::Text38_KeyPress);   // void Text38_KeyPress(int& keyAscii)
//     on("List2", "MouseDown", &Form3::List2_MouseDown);   // void List2_MouseDown(const MouseArgs&)
//     on("ribTravelVia", "Click", &Form3::ribTravelVia_Click);  // void ...(const EventArgs& e): e.index
//   }
//
// One handler serves every element of a control array; handlers of other shapes are refused at compile
// time. A handler named for a control the description lacks makes the form fail to load.
class EventTable {
 public:
  using Handler = std::function<void(Form&, EventArgs&)>;

  template <class F>
  void operator()(std::string control, std::string event, void (F::*handler)()) {
    Add(std::move(control), std::move(event), [handler](Form& f, EventArgs&) { (static_cast<F&>(f).*handler)(); });
  }
  template <class F>
  void operator()(std::string control, std::string event, void (F::*handler)(int& key_ascii)) {
    Add(std::move(control), std::move(event),
        [handler](Form& f, EventArgs& a) { (static_cast<F&>(f).*handler)(a.keyAscii); });
  }
  template <class F>
  void operator()(std::string control, std::string event, void (F::*handler)(const MouseArgs&)) {
    Add(std::move(control), std::move(event),
        [handler](Form& f, EventArgs& a) { (static_cast<F&>(f).*handler)(a.mouse); });
  }
  template <class F>
  void operator()(std::string control, std::string event, void (F::*handler)(const EventArgs&)) {
    Add(std::move(control), std::move(event), [handler](Form& f, EventArgs& a) { (static_cast<F&>(f).*handler)(a); });
  }

  const Handler* Find(std::string_view control, std::string_view event) const;
  // The control names the handlers are bound to.
  std::vector<std::string> Controls() const;

 private:
  void Add(std::string control, std::string event, Handler handler);

  std::map<std::pair<std::string, std::string>, Handler, std::less<>> handlers_;
};

class Form {
 public:
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& Name() const { return name_; }
  HWND Window() const { return window_; }

  // Shows the window modeless, without owner, and activates it.
  void Show();
  void Hide();
  bool Visible() const;
  std::string Caption() const;
  void SetCaption(std::string_view caption);
  // Unloads this form (see Forms::Unload).
  void Unload();
  // True from the moment the form is unloaded; the object itself lives until its handlers have returned.
  bool Unloaded() const { return unloaded_; }

  // The form's controls and menus by name (and index within a control array). Get<T> throws
  // std::logic_error naming the form and control when there is no such control of that kind.
  template <class T>
  T& Get(std::string_view name, std::optional<int> index = std::nullopt) {
    if (T* found = dynamic_cast<T*>(Find(name, index))) return *found;
    MissingControl(name, index, typeid(T).name());
  }
  Label& LabelNamed(std::string_view name, std::optional<int> index = std::nullopt);
  TextBox& TextBoxNamed(std::string_view name, std::optional<int> index = std::nullopt);
  ListBox& ListBoxNamed(std::string_view name, std::optional<int> index = std::nullopt);
  CommandButton& ButtonNamed(std::string_view name, std::optional<int> index = std::nullopt);
  PictureBox& PictureNamed(std::string_view name, std::optional<int> index = std::nullopt);
  HostedControlHolder& Hosted(std::string_view name, std::optional<int> index = std::nullopt);
  Menu& MenuNamed(std::string_view name, std::optional<int> index = std::nullopt);

  Control* Find(std::string_view name, std::optional<int> index = std::nullopt) const;
  Menu* FindMenu(std::string_view name, std::optional<int> index = std::nullopt) const;
  const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }
  const std::vector<std::unique_ptr<Menu>>& Menus() const { return menus_; }
  // The control that has (or, while the form is inactive, last had) the keyboard focus; null if none.
  Control* FocusedControl() const;

  // The tooltip of a control; empty when it has none.
  std::string ToolTipOf(const Control& control) const;

  const FontDescription& Font() const { return font_; }
  COLORREF BackColor() const { return back_color_; }

  // Raises an event to the handler bound to (control, event); true when one ran. A handler's exception is
  // reported in a message box and goes no further.
  bool Raise(std::string_view control, std::optional<int> index, std::string_view event, EventArgs& args);

  // --- Used by the runtime. ---
  void Load();                             // builds the window and controls, then raises Form_Load
  void DestroyWindowAndControls();         // the second half of an unload
  void MarkUnloaded() { unloaded_ = true; }
  void AttachWindow(HWND window) { window_ = window; }
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
  // Moves the focus to the next (or previous) control in tab order; true when it moved.
  bool TabToNext(bool backwards);
  void NoteFocus(Control* control) { last_focus_ = control; }
  Control* ControlOfWindow(HWND window) const;
  const ElementDescription& Description() const { return description_; }

 protected:
  // The description is the program's resource named after the form.
  explicit Form(std::string name);
  // The description is given as text (forms made in code, and tests).
  Form(std::string name, std::string description_text);

  // Names the form's handlers; called once while the form loads, before its window is made.
  virtual void Bind(EventTable& on) {}

 private:
  [[noreturn]] void MissingControl(std::string_view name, std::optional<int> index, const char* kind) const;
  void BuildControls(const ElementDescription& element, POINT origin, HostedControlHolder* holder);
  void BuildMenus();
  // Tells the user, once, which hosted controls could not be made (the form works without them) and which
  // could not read their stored settings (they run with their defaults).
  void ReportHostedControls();
  void AddMenus(const ElementDescription& element, HMENU parent);
  void ApplyTabOrder();
  Control* FirstInTabOrder() const;

  std::string name_;
  std::optional<std::string> description_text_;
  ElementDescription description_;
  EventTable handlers_;
  HWND window_ = nullptr;
  HMENU menu_bar_ = nullptr;
  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<std::unique_ptr<Menu>> menus_;
  ToolTips tooltips_;  // controls held by controls, in form coordinates
  FontDescription font_;
  GdiFont gdi_font_;
  COLORREF back_color_ = 0;
  GdiBrush back_brush_;
  Control* last_focus_ = nullptr;
  bool unloaded_ = false;
  bool tearing_down_ = false;
  UINT next_menu_command_ = 100;
};

}  // namespace korvane::forms
