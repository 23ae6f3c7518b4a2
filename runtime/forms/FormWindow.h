// The window class of forms: a top-level window whose messages go to its Form.
#pragma once

#include <windows.h>

#include <string>

namespace korvane::forms {

class Form;

// Makes the (hidden) window of a form; null on failure.
HWND CreateFormWindow(Form& form, const std::string& caption);
// Sizes a form's window so that its client area (under its menu bar) has this size.
void SetClientSize(HWND window, int width, int height);

}  // namespace korvane::forms
