// The program's printer: a font name and size, text placed at 1-based character columns, and the end of
// the document. The page layout (PrintLayout.h) records the document; ending it prints it on the
// system's default printer through GDI, each text at the character cell of its column in the line's font.
//
//   Printer& printer = ThePrinter();
//   printer.PrintLine(" ");
//   printer.SetFontName("courier new");
//   printer.SetFontSize(8);
//   printer.PrintAt(1, title + date);  printer.EndLine();
//   printer.PrintAt(2, category);  printer.PrintAt(6, item_number);  printer.EndLine();
//   printer.EndDoc();
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "printer/PrintLayout.h"

namespace korvane::printer {

// Renders a finished document on a printer device context as one print job: lines at the height of their
// font's cells, texts at the cells of their columns, a new page when a line would pass the page's foot.
// S_OK, or the failure of the first GDI call that failed (the job is then aborted).
HRESULT RenderDocument(HDC printer_dc, const PrintedDocument& document, const std::string& job_name);

// The name of the system's default printer; empty when none is installed.
std::string DefaultPrinterName();

class Printer {
 public:
  void SetFontName(const std::string& name);
  void SetFontSize(double points);
  const std::string& FontName() const { return layout_.Font().name; }
  double FontSize() const { return layout_.Font().points; }

  // Text at a 1-based column of the current line, or of the next line when the print position is past
  // the column; the line stays open.
  void PrintAt(int column, std::string_view text);
  // Text at the print position; the line stays open.
  void Print(std::string_view text);
  // Ends the current line.
  void EndLine();
  // Text at the print position, then the end of the line.
  void PrintLine(std::string_view text);

  // Ends the document and prints it on the default printer. With no printer installed, or when printing
  // fails, a message box says so; the program goes on. True when the document was printed.
  bool EndDoc();

  // Test seam beside the printer: while set, ended documents are added to `sink` instead of being
  // printed. Null prints again.
  static void RecordDocumentsForTesting(std::vector<PrintedDocument>* sink);

 private:
  PrintLayout layout_;
};

// The program's one printer.
Printer& ThePrinter();

}  // namespace korvane::printer
