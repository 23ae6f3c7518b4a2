// The viewer's window: the page's title in the caption and its text in a read-only box that fills it.
#pragma once

#include "HelpPage.h"

#include <windows.h>

namespace korvane::help {

// The window class name, by which tests and the program find a viewer's window.
inline constexpr char kHelpViewerClass[] = "KorvaneHelpViewer";

// Creates and shows the window; null when it cannot be made.
HWND ShowHelpViewerWindow(HINSTANCE instance, const HelpPage& page, int show);

} // namespace korvane::help
