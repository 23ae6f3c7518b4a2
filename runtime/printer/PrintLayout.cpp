#include "printer/PrintLayout.h"

#include <algorithm>

namespace korvane::printer {

std::string PrintedLine::Text() const {
  std::string out;
  for (const PrintedRun& run : runs) {
    const std::size_t start = static_cast<std::size_t>(run.column - 1);
    if (out.size() < start) out.resize(start, ' ');
    out.replace(start, std::min(run.text.size(), out.size() - start), run.text);
  }
  return out;
}

void PrintLayout::SetFont(const PrintFont& font) { font_ = font; }

PrintedLine& PrintLayout::OpenLine() {
  if (!line_open_) {
    document_.lines.push_back(PrintedLine{font_, {}});
    line_open_ = true;
    next_column_ = 1;
  }
  return document_.lines.back();
}

void PrintLayout::PrintAt(int column, std::string_view text) {
  if (column < 1) column = 1;
  OpenLine();
  if (column < next_column_) {
    EndLine();
    OpenLine();
  }
  next_column_ = column;
  Print(text);
}

void PrintLayout::Print(std::string_view text) {
  PrintedLine& line = OpenLine();
  if (!text.empty()) line.runs.push_back(PrintedRun{next_column_, std::string(text)});
  next_column_ += static_cast<int>(text.size());
}

void PrintLayout::EndLine() {
  OpenLine();
  line_open_ = false;
  next_column_ = 1;
}

PrintedDocument PrintLayout::EndDocument() {
  if (line_open_) EndLine();
  PrintedDocument done = std::move(document_);
  document_ = PrintedDocument{};
  return done;
}

}  // namespace korvane::printer
