// The text description of one form: its own settings, its controls and its menus, as a tree of
// elements. The description is Windows-free; the forms runtime turns it into windows.
//
//   form Form3 {
//     caption "Adjust Inventory"
//     size 480 320                      # client width and height in pixels
//     font "MS Sans Serif" 8.25 bold
//     textbox Text38 {
//       rect 10 40 150 21               # left top width height, in the form's client area
//       tab 1
//     }
//     label Label1 index 1 { caption "   Input Item Number" }
//     menu helpfiles { caption "&Help"  menu mainprogram { caption "Main Program" } }
//   }
//
// An element is `kind name [index N] { ... }`; inside it each line is a property `name value...` or a
// nested element. Values are words, numbers (decimal, or hexadecimal after 0x) and quoted texts
// (\" and \\ stand for a quote and a backslash; every other character, leading blanks included, is
// kept as written). A property without values is a flag. `#` starts a comment outside quotes.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvane::forms {

struct DescriptionValue {
  enum class Kind { Word, Text, Number };
  Kind kind = Kind::Word;
  std::string text;  // the word, the text, or the number as written
  double number = 0;
};

struct DescriptionProperty {
  std::string name;
  std::vector<DescriptionValue> values;
  int line = 0;
};

struct FontDescription {
  std::string name;
  double points = 0;
  bool bold = false;
  bool italic = false;
};

struct RectDescription {
  int left = 0, top = 0, width = 0, height = 0;
};

class FormDescriptionError : public std::runtime_error {
 public:
  FormDescriptionError(int line, const std::string& message);
  int Line() const { return line_; }

 private:
  int line_;
};

struct ElementDescription {
  std::string kind;
  std::string name;
  std::optional<int> index;  // the element's index in a control array
  std::vector<DescriptionProperty> properties;
  std::vector<ElementDescription> children;
  int line = 0;

  const DescriptionProperty* Find(std::string_view property) const;
  bool Has(std::string_view property) const { return Find(property) != nullptr; }

  // Typed reads; each throws FormDescriptionError naming the line when the property is malformed.
  std::string Text(std::string_view property, const std::string& fallback = {}) const;
  long Integer(std::string_view property, long fallback) const;
  std::optional<RectDescription> Rect() const;
  // Two whole numbers: a form's size (width and height, neither negative) or its position (left and top).
  std::optional<std::pair<int, int>> Size() const;
  std::optional<std::pair<int, int>> Position() const;
  std::optional<FontDescription> Font() const;
};

// Parses one description; its top element must be a `form`.
ElementDescription ParseFormDescription(std::string_view text);

}  // namespace korvane::forms
