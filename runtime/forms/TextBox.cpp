#include "forms/TextBox.h"

#include "forms/Form.h"
#include "forms/WindowText.h"

namespace korvane::forms {

namespace {
constexpr int kEnter = 13;
}

TextBox::TextBox(Form& owner, const ElementDescription& element, POINT origin)
    : Control(owner, element, origin), read_only_(element.Has("readonly")) {}

void TextBox::Create(HWND parent) {
  CreateControlWindow(parent, "EDIT", ES_LEFT | ES_AUTOHSCROLL | (read_only_ ? ES_READONLY : 0), WS_EX_CLIENTEDGE,
                      element_.Text("text"));
}

std::string TextBox::Text() const { return WindowText(Window()); }

void TextBox::SetText(std::string_view text) { SetWindowText(Window(), text); }

void TextBox::SetReadOnly(bool read_only) {
  read_only_ = read_only;
  if (Window()) SendMessageA(Window(), EM_SETREADONLY, read_only ? TRUE : FALSE, 0);
}

LRESULT TextBox::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != WM_CHAR) return DefaultMessage(message, wparam, lparam);
  EventArgs args;
  args.keyAscii = static_cast<unsigned char>(wparam);
  Raise("KeyPress", args);
  // The handler may have unloaded the form or destroyed the box; then the character goes nowhere.
  if (Owner().Unloaded() || !Window()) return 0;
  const int key = args.keyAscii & 0xFF;
  if (key == 0 || key == kEnter) return 0;
  return DefaultMessage(message, static_cast<WPARAM>(key), lparam);
}

}  // namespace korvane::forms
