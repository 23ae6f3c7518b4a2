#include "forms/CommandButton.h"

#include "forms/FormResources.h"
#include "forms/WindowText.h"

namespace korvane::forms {

CommandButton::CommandButton(Form& owner, const ElementDescription& element, POINT origin)
    : Control(owner, element, origin) {}

void CommandButton::Create(HWND parent) {
  picture_ = DescribedPicture(Owner(), element_);
  CreateControlWindow(parent, "BUTTON", BS_PUSHBUTTON | (picture_ ? BS_BITMAP : 0), 0, element_.Text("caption"));
  if (picture_) SendMessageA(Window(), BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_.Get()));
}

std::string CommandButton::Caption() const { return WindowText(Window()); }

void CommandButton::SetCaption(std::string_view caption) { SetWindowText(Window(), caption); }

void CommandButton::OnCommand(WORD notification) {
  if (notification != BN_CLICKED) return;
  EventArgs args;
  Raise("Click", args);
}

}  // namespace korvane::forms
