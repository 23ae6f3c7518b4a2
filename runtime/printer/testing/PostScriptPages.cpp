#include "printer/testing/PostScriptPages.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <map>

namespace korvane::printer::testing {

namespace {

// The standard names of the printable ASCII characters that are not letters or their own name.
struct NamedCharacter {
  std::string_view name;
  char character;
};
constexpr NamedCharacter kGlyphNames[] = {
    {"space", ' '},        {"exclam", '!'},      {"quotedbl", '"'},    {"numbersign", '#'},
    {"dollar", '$'},       {"percent", '%'},     {"ampersand", '&'},   {"quotesingle", '\''},
    {"quoteright", '\''},  {"parenleft", '('},   {"parenright", ')'},  {"asterisk", '*'},
    {"plus", '+'},         {"comma", ','},       {"hyphen", '-'},      {"minus", '-'},
    {"period", '.'},       {"slash", '/'},       {"zero", '0'},        {"one", '1'},
    {"two", '2'},          {"three", '3'},       {"four", '4'},        {"five", '5'},
    {"six", '6'},          {"seven", '7'},       {"eight", '8'},       {"nine", '9'},
    {"colon", ':'},        {"semicolon", ';'},   {"less", '<'},        {"equal", '='},
    {"greater", '>'},      {"question", '?'},    {"at", '@'},          {"bracketleft", '['},
    {"backslash", '\\'},   {"bracketright", ']'}, {"asciicircum", '^'}, {"underscore", '_'},
    {"grave", '`'},        {"quoteleft", '`'},   {"braceleft", '{'},   {"bar", '|'},
    {"braceright", '}'},   {"asciitilde", '~'},
};

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// A whole decimal integer, sign allowed.
bool ParseInt(std::string_view text, int& value) {
  if (text.empty() || text.size() > 10) return false;
  std::size_t at = (text[0] == '-') ? 1 : 0;
  if (at == text.size()) return false;
  long result = 0;
  for (; at < text.size(); ++at) {
    if (text[at] < '0' || text[at] > '9') return false;
    result = result * 10 + (text[at] - '0');
  }
  value = static_cast<int>(text[0] == '-' ? -result : result);
  return true;
}

// "x y moveto" with whole numbers.
bool ParseMove(std::string_view line, int& x, int& y) {
  if (!EndsWith(line, " moveto")) return false;
  const std::string_view numbers = Trimmed(line.substr(0, line.size() - 7));
  const auto blank = numbers.find(' ');
  if (blank == std::string_view::npos) return false;
  return ParseInt(numbers.substr(0, blank), x) && ParseInt(Trimmed(numbers.substr(blank + 1)), y);
}

}  // namespace

char CharacterOfGlyphName(std::string_view name) {
  if (name.size() == 1 && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z')))
    return name[0];
  for (const NamedCharacter& named : kGlyphNames)
    if (named.name == name) return named.character;
  if (name.size() == 7 && name.substr(0, 3) == "uni") {
    char* end = nullptr;
    const std::string digits(name.substr(3));
    const unsigned long code = std::strtoul(digits.c_str(), &end, 16);
    if (end == digits.c_str() + digits.size() && code >= 0x20 && code < 0x7f) return static_cast<char>(code);
  }
  return '?';
}

std::vector<PostScriptPage> ReadPostScriptPages(std::string_view postscript) {
  std::vector<PostScriptPage> pages;
  int x = 0;
  int y = 0;
  int after_move = 0;
  while (!postscript.empty()) {
    const auto end = postscript.find('\n');
    const std::string_view line = Trimmed(postscript.substr(0, end));
    postscript = end == std::string_view::npos ? std::string_view{} : postscript.substr(end + 1);
    if (line.substr(0, 8) == "%%Page: ") {
      pages.emplace_back();
      continue;
    }
    int move_x = 0;
    int move_y = 0;
    if (ParseMove(line, move_x, move_y)) {
      x = move_x;
      y = move_y;
      after_move = 0;
      continue;
    }
    if (line.size() > 1 && line[0] == '/' && EndsWith(line, " glyphshow")) {
      const std::string_view name = Trimmed(line.substr(1, line.size() - 1 - 10));
      if (!pages.empty()) pages.back().glyphs.push_back(ShownGlyph{x, y, after_move, CharacterOfGlyphName(name)});
      ++after_move;
    }
  }
  return pages;
}

std::vector<PageLine> LinesOfPage(const PostScriptPage& page, int cell_width) {
  if (cell_width <= 0) return {};
  std::map<int, PageLine> by_baseline;
  for (const ShownGlyph& glyph : page.glyphs) {
    const int left = glyph.x + glyph.after_move * cell_width;
    if (left < 0) continue;  // left of the page's first cell: no cell to stand in
    const auto cell = static_cast<std::size_t>(left / cell_width);
    PageLine& line = by_baseline[glyph.y];
    line.baseline = glyph.y;
    if (line.text.size() <= cell) line.text.resize(cell + 1, ' ');
    line.text[cell] = glyph.character;
    if (left % cell_width != 0) ++line.off_cell;
  }
  std::vector<PageLine> lines;
  std::transform(by_baseline.begin(), by_baseline.end(), std::back_inserter(lines),
                 [](const auto& entry) { return entry.second; });
  return lines;
}

}  // namespace korvane::printer::testing
