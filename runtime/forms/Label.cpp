#include "forms/Label.h"

#include "forms/WindowText.h"

namespace korvane::forms {

Label::Label(Form& owner, const ElementDescription& element, POINT origin) : Control(owner, element, origin) {
  NeverTakesFocus();
}

void Label::Create(HWND parent) {
  CreateControlWindow(parent, "STATIC", SS_LEFT, 0, element_.Text("caption"));
}

std::string Label::Caption() const { return WindowText(Window()); }

void Label::SetCaption(std::string_view caption) { SetWindowText(Window(), caption); }

}  // namespace korvane::forms
