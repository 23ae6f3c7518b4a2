// Message boxes: a text, a style (the Windows MB_ values: 16 is the critical icon with only OK), a title,
// and optionally a help file with a context that the help key (F1) opens while the box is shown.
#pragma once

#include <string>
#include <string_view>

namespace korvane::forms {

// Shows a modal message box over the active window and answers the button chosen (IDOK, IDCANCEL, ...).
// An empty title shows the program's name. When the help file cannot be opened (it is missing, or the
// system has no help viewer), the help key only beeps.
int MsgBox(std::string_view text, unsigned style = 0, std::string_view title = {}, std::string_view help_file = {},
           unsigned long help_context = 0);

struct MessageBoxRequest {
  std::string text;
  unsigned style = 0;
  std::string title;  // as shown (the program's name when none was given)
  std::string help_file;
  unsigned long help_context = 0;
};

// Test seam beside the message box: an observer told of every box before it is shown, and of every press
// of the help key in it with whether the help viewer could be started.
class MessageBoxObserver {
 public:
  virtual ~MessageBoxObserver() = default;
  virtual void Showing(const MessageBoxRequest& request) = 0;
  virtual void HelpRequested(const MessageBoxRequest& request, bool help_shown) = 0;
};
void SetMessageBoxObserverForTesting(MessageBoxObserver* observer);

}  // namespace korvane::forms
