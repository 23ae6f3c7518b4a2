// The text of a window as a std::string, read and set whole.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace korvane::forms {

std::string WindowText(HWND window);
void SetWindowText(HWND window, std::string_view text);

}  // namespace korvane::forms
