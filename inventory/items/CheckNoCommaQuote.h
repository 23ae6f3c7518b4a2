// The check that the editing windows run on each of their boxes before they save: the item file is read
// as comma-separated fields, so a comma or a double quote inside a field would shift every later field
// of the file. A box holding either is refused.
#pragma once

#include <string_view>

namespace korvane {

namespace forms {
class TextBox;
}

// The message of a refused box.
inline constexpr char kCommaQuoteErrorText[] = "Error Condition Exists, Remove Quotes or Commas to Correct.";

// Whether a text holds a comma or a double quote anywhere.
inline bool HoldsCommaOrQuote(std::string_view text) { return text.find_first_of(",\"") != std::string_view::npos; }

// True when the box holds neither a comma nor a double quote. Otherwise shows the message (critical,
// OK only, with its help file and context), gives the box the keyboard focus after OK, and answers
// false: the caller abandons its whole save at once. The box's text is never changed.
bool CheckNoCommaQuote(forms::TextBox& box);

}  // namespace korvane
