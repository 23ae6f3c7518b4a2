// The printer's page layout, free of Windows: text placed at 1-based character columns on lines, with
// font changes between them. The layout records the whole document; the printer hands the record to
// the real printer when the document ends, and tests read it line by line and column by column.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvane::printer {

struct PrintFont {
  std::string name = "Courier New";
  double points = 10;
  bool operator==(const PrintFont& o) const { return name == o.name && points == o.points; }
};

// One run of text on a line, starting at a 1-based column.
struct PrintedRun {
  int column = 1;
  std::string text;
};

struct PrintedLine {
  PrintFont font;  // the font the line is printed in (the font current when the line was begun)
  std::vector<PrintedRun> runs;

  // The line as the characters of its cells, blanks between the runs.
  std::string Text() const;
};

struct PrintedDocument {
  std::vector<PrintedLine> lines;
};

class PrintLayout {
 public:
  void SetFont(const PrintFont& font);
  const PrintFont& Font() const { return font_; }

  // Moves the print position to `column` (1-based) of the current line, or of the next line when the
  // position is already past that column; then prints `text` there. The line stays open.
  void PrintAt(int column, std::string_view text);
  // Prints `text` at the print position; the line stays open.
  void Print(std::string_view text);
  // Ends the current line (an empty line when nothing was printed on it).
  void EndLine();

  // Ends the document: an open line is ended, and the finished document is handed over; the layout
  // starts afresh.
  PrintedDocument EndDocument();

  const PrintedDocument& Document() const { return document_; }

 private:
  PrintedLine& OpenLine();

  PrintFont font_;
  PrintedDocument document_;
  bool line_open_ = false;
  int next_column_ = 1;  // the 1-based column of the print position on the open line
};

}  // namespace korvane::printer
