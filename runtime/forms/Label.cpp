#include "forms/Label.h"

#include "forms/WindowText.h"

namespace korvane::forms {

Label::Label(Form& owner, const ElementDescription& element, POINT origin)
    : Control(owner, element, origin) {}

void Label::Create(HWND parent) {
  // A label never takes the focus.
  CreateControlWindow(parent, "STATIC", SS_LEFT, 0, element_.Text("caption"));
  SetWindowLongPtrA(Window(), GWL_STYLE, GetWindowLongPtrA(Window(), GWL_STYLE) & ~WS_TABSTOP);
}

std::string Label::Caption() const { return WindowText(Window()); }

void Label::SetCaption(std::string_view caption) { SetWindowText(Window(), caption); }

}  // namespace korvane::forms
