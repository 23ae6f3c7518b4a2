#include "forms/WindowText.h"

namespace korvane::forms {

std::string WindowText(HWND window) {
  if (!window) return {};
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(window, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

void SetWindowText(HWND window, std::string_view text) {
  if (window) SetWindowTextA(window, std::string(text).c_str());
}

}  // namespace korvane::forms
