#include "forms/FormDescription.h"

#include <cerrno>
#include <cmath>
#include <string>
#include <cstdlib>

namespace korvane::forms {

FormDescriptionError::FormDescriptionError(int line, const std::string& message)
    : std::runtime_error("form description, line " + std::to_string(line) + ": " + message), line_(line) {}

namespace {

struct Token {
  enum class Kind { Word, Text, Number, Open, Close, EndOfLine, End };
  Kind kind;
  std::string text;
  double number = 0;
  int line = 0;
};

bool IsWordChar(char c) {
  return c != '{' && c != '}' && c != '"' && c != '#' && c != ' ' && c != '\t' && c != '\r' && c != '\n';
}

std::optional<double> ParseNumber(const std::string& word) {
  if (word.empty()) return std::nullopt;
  const char* begin = word.c_str();
  char* end = nullptr;
  errno = 0;
  double value;
  const bool hex = word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X');
  if (hex) {
    value = static_cast<double>(std::strtoul(begin + 2, &end, 16));
  } else {
    if (!(word[0] == '-' || word[0] == '+' || word[0] == '.' || (word[0] >= '0' && word[0] <= '9'))) return std::nullopt;
    value = std::strtod(begin, &end);
  }
  if (errno != 0 || end != begin + word.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

class Tokenizer {
 public:
  explicit Tokenizer(std::string_view text) : text_(text) {}

  Token Next() {
    for (;;) {
      if (pos_ >= text_.size()) return {Token::Kind::End, {}, 0, line_};
      const char c = text_[pos_];
      if (c == ' ' || c == '\t' || c == '\r') { ++pos_; continue; }
      if (c == '#') {
        while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
        continue;
      }
      if (c == '\n') { ++pos_; return {Token::Kind::EndOfLine, {}, 0, line_++}; }
      if (c == '{') { ++pos_; return {Token::Kind::Open, "{", 0, line_}; }
      if (c == '}') { ++pos_; return {Token::Kind::Close, "}", 0, line_}; }
      if (c == '"') return QuotedText();
      const std::size_t start = pos_;
      while (pos_ < text_.size() && IsWordChar(text_[pos_])) ++pos_;
      std::string word(text_.substr(start, pos_ - start));
      if (auto number = ParseNumber(word)) return {Token::Kind::Number, word, *number, line_};
      return {Token::Kind::Word, word, 0, line_};
    }
  }

 private:
  Token QuotedText() {
    const int line = line_;
    ++pos_;
    std::string out;
    while (pos_ < text_.size()) {
      const char c = text_[pos_++];
      if (c == '"') return {Token::Kind::Text, out, 0, line};
      if (c == '\n') break;
      if (c == '\\' && pos_ < text_.size() && (text_[pos_] == '"' || text_[pos_] == '\\')) {
        out += text_[pos_++];
        continue;
      }
      out += c;
    }
    throw FormDescriptionError(line, "a quoted text is not closed on its line");
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

class Parser {
 public:
  explicit Parser(std::string_view text) : tokens_(text) { Advance(); }

  ElementDescription ParseTop() {
    SkipEndsOfLine();
    if (current_.kind != Token::Kind::Word || current_.text != "form")
      throw FormDescriptionError(current_.line, "a description begins with `form <name> {`");
    ElementDescription form = ParseElement();
    SkipEndsOfLine();
    if (current_.kind != Token::Kind::End)
      throw FormDescriptionError(current_.line, "text after the end of the form");
    return form;
  }

 private:
  void Advance() { current_ = tokens_.Next(); }
  void SkipEndsOfLine() {
    while (current_.kind == Token::Kind::EndOfLine) Advance();
  }

  // Elements nest this deep at most: a form's frames and menus are a few levels, and the parser and
  // the forms built from its result recurse once per level.
  static constexpr int kDeepestNesting = 32;

  // At `kind name [index N] {`.
  ElementDescription ParseElement() {
    if (depth_ == kDeepestNesting)
      throw FormDescriptionError(current_.line, "elements nest more than " + std::to_string(kDeepestNesting) +
                                                    " levels deep");
    ++depth_;
    struct Leave {
      int& depth;
      ~Leave() { --depth; }
    } leave{depth_};
    ElementDescription element;
    element.kind = current_.text;
    element.line = current_.line;
    Advance();
    if (current_.kind != Token::Kind::Word)
      throw FormDescriptionError(current_.line, "`" + element.kind + "` needs a name");
    element.name = current_.text;
    Advance();
    if (current_.kind == Token::Kind::Word && current_.text == "index") {
      Advance();
      if (current_.kind != Token::Kind::Number || current_.number != std::floor(current_.number) ||
          current_.number < 0 || current_.number > 32767)
        throw FormDescriptionError(current_.line, "an index is a whole number from 0 to 32767");
      element.index = static_cast<int>(current_.number);
      Advance();
    }
    if (current_.kind != Token::Kind::Open)
      throw FormDescriptionError(current_.line, "`{` expected after `" + element.kind + " " + element.name + "`");
    Advance();
    ParseBody(element);
    return element;
  }

  void ParseBody(ElementDescription& element) {
    for (;;) {
      SkipEndsOfLine();
      if (current_.kind == Token::Kind::Close) { Advance(); return; }
      if (current_.kind == Token::Kind::End)
        throw FormDescriptionError(element.line, "`" + element.name + "` is not closed with `}`");
      if (current_.kind != Token::Kind::Word)
        throw FormDescriptionError(current_.line, "a property name or an element expected");
      // A word followed on its line by a name and `{` (or `index`) is a nested element.
      if (StartsElement()) {
        element.children.push_back(ParseElement());
        continue;
      }
      DescriptionProperty property;
      property.name = current_.text;
      property.line = current_.line;
      Advance();
      while (current_.kind == Token::Kind::Word || current_.kind == Token::Kind::Text ||
             current_.kind == Token::Kind::Number) {
        DescriptionValue value;
        value.kind = current_.kind == Token::Kind::Word   ? DescriptionValue::Kind::Word
                     : current_.kind == Token::Kind::Text ? DescriptionValue::Kind::Text
                                                           : DescriptionValue::Kind::Number;
        value.text = current_.text;
        value.number = current_.number;
        property.values.push_back(std::move(value));
        Advance();
      }
      if (current_.kind == Token::Kind::Open)
        throw FormDescriptionError(current_.line, "`{` after the property `" + property.name + "`");
      element.properties.push_back(std::move(property));
    }
  }

  // One token of look-ahead is not enough to tell `textbox Text38 {` from `caption Word`; the
  // kinds of element are a closed set, which settles it.
  bool StartsElement() const {
    static const char* const kinds[] = {"form", "menu", "label", "textbox", "listbox", "button", "picturebox", "activex"};
    for (const char* kind : kinds)
      if (current_.text == kind) return true;
    return false;
  }

  Tokenizer tokens_;
  Token current_{};
  int depth_ = 0;
};

[[noreturn]] void Malformed(const DescriptionProperty& p, const std::string& what) {
  throw FormDescriptionError(p.line, "`" + p.name + "` " + what);
}

long WholeNumber(const DescriptionProperty& p, const DescriptionValue& v) {
  if (v.kind != DescriptionValue::Kind::Number || v.number != std::floor(v.number) || std::fabs(v.number) > 2147483647.0)
    Malformed(p, "takes whole numbers");
  return static_cast<long>(v.number);
}

}  // namespace

const DescriptionProperty* ElementDescription::Find(std::string_view property) const {
  for (const auto& p : properties)
    if (p.name == property) return &p;
  return nullptr;
}

std::string ElementDescription::Text(std::string_view property, const std::string& fallback) const {
  const DescriptionProperty* p = Find(property);
  if (!p) return fallback;
  if (p->values.size() != 1 || p->values[0].kind != DescriptionValue::Kind::Text) Malformed(*p, "takes one quoted text");
  return p->values[0].text;
}

long ElementDescription::Integer(std::string_view property, long fallback) const {
  const DescriptionProperty* p = Find(property);
  if (!p) return fallback;
  if (p->values.size() != 1) Malformed(*p, "takes one whole number");
  return WholeNumber(*p, p->values[0]);
}

std::optional<RectDescription> ElementDescription::Rect() const {
  const DescriptionProperty* p = Find("rect");
  if (!p) return std::nullopt;
  if (p->values.size() != 4) Malformed(*p, "takes left, top, width and height");
  RectDescription r{static_cast<int>(WholeNumber(*p, p->values[0])), static_cast<int>(WholeNumber(*p, p->values[1])),
                    static_cast<int>(WholeNumber(*p, p->values[2])), static_cast<int>(WholeNumber(*p, p->values[3]))};
  if (r.width < 0 || r.height < 0) Malformed(*p, "has a negative width or height");
  return r;
}

std::optional<std::pair<int, int>> ElementDescription::Size() const {
  const DescriptionProperty* p = Find("size");
  if (!p) return std::nullopt;
  if (p->values.size() != 2) Malformed(*p, "takes a width and a height");
  const std::pair<int, int> size{static_cast<int>(WholeNumber(*p, p->values[0])), static_cast<int>(WholeNumber(*p, p->values[1]))};
  if (size.first < 0 || size.second < 0) Malformed(*p, "has a negative width or height");
  return size;
}

std::optional<std::pair<int, int>> ElementDescription::Position() const {
  const DescriptionProperty* p = Find("position");
  if (!p) return std::nullopt;
  if (p->values.size() != 2) Malformed(*p, "takes a left and a top");
  return std::pair<int, int>{static_cast<int>(WholeNumber(*p, p->values[0])), static_cast<int>(WholeNumber(*p, p->values[1]))};
}

std::optional<FontDescription> ElementDescription::Font() const {
  const DescriptionProperty* p = Find("font");
  if (!p) return std::nullopt;
  if (p->values.size() < 2 || p->values[0].kind != DescriptionValue::Kind::Text ||
      p->values[1].kind != DescriptionValue::Kind::Number || p->values[1].number <= 0 || p->values[1].number > 500)
    Malformed(*p, "takes a quoted font name and a size in points");
  FontDescription font{p->values[0].text, p->values[1].number};
  for (std::size_t i = 2; i < p->values.size(); ++i) {
    if (p->values[i].text == "bold") font.bold = true;
    else if (p->values[i].text == "italic") font.italic = true;
    else Malformed(*p, "knows only the styles bold and italic");
  }
  return font;
}

ElementDescription ParseFormDescription(std::string_view text) {
  return Parser(text).ParseTop();
}

}  // namespace korvane::forms
