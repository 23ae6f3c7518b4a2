// The program's printer: a document laid out at character columns, recorded for the test and rendered on
// a real printer where the system has one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/testing/FormDriver.h"
#include "printer/Printer.h"
#include "printer/testing/FilePrinter.h"
#include "printer/testing/PostScriptPages.h"

using namespace korvane::printer;
using korvane::forms::testing::FormDriver;
using korvane::printer::testing::FilePrinter;
using korvane::printer::testing::LinesOfPage;
using korvane::printer::testing::PageLine;
using korvane::printer::testing::ReadPostScriptPages;

namespace {

// The opening of a print-out, then two item lines, the way the program's print-outs place them.
void PrintSample(Printer& printer) {
  printer.PrintLine(" ");
  printer.SetFontName("courier new");
  printer.SetFontSize(8);
  printer.PrintLine(" ");
  printer.PrintAt(1, "    PRINT-OUT OF PARTS AS OF 12-10-2026");
  printer.EndLine();
  printer.PrintAt(1, "CAT#");
  printer.PrintAt(5, "|  ITEM #  ");
  printer.PrintAt(21, "| DESCRIPTION ");
  printer.PrintAt(52, "| COST");
  printer.EndLine();
  printer.PrintAt(2, "5 ");
  printer.PrintAt(6, "BOLT-10        ");
  printer.PrintAt(22, "Hex bolt 10 mm with a long nam");  // 30 characters: ends at column 51
  printer.PrintAt(55, "0.25");
  printer.PrintAt(40, "behind");  // behind the print position: a new line
  printer.EndLine();
  printer.EndDoc();
}

TEST(Printer, TheDocumentIsRecordedLineByLineAndColumnByColumn) {
  FormDriver ui;
  PrintSample(ThePrinter());
  ASSERT_EQ(ui.PrintedDocuments().size(), 1u);
  const PrintedDocument& document = ui.PrintedDocuments()[0];
  ASSERT_EQ(document.lines.size(), 6u);
  EXPECT_EQ(document.lines[0].Text(), " ");
  EXPECT_EQ(document.lines[0].font.name, "Courier New") << "the first line is in the printer's own font";
  EXPECT_EQ(document.lines[1].font.name, "courier new");
  EXPECT_EQ(document.lines[1].font.points, 8);
  EXPECT_EQ(document.lines[2].Text(), "    PRINT-OUT OF PARTS AS OF 12-10-2026");
  const std::string heading = document.lines[3].Text();
  EXPECT_EQ(heading.substr(4, 11), "|  ITEM #  ");
  EXPECT_EQ(heading.substr(20, 14), "| DESCRIPTION ");
  EXPECT_EQ(heading.substr(51), "| COST");
  const std::string item = document.lines[4].Text();
  EXPECT_EQ(item.substr(1, 2), "5 ");
  EXPECT_EQ(item.substr(21, 30), "Hex bolt 10 mm with a long nam");
  EXPECT_EQ(item.substr(54), "0.25");
  EXPECT_EQ(document.lines[5].Text(), std::string(39, ' ') + "behind");
}

TEST(Printer, TheDocumentPrintsOnARealPrinter) {
  const std::string name = DefaultPrinterName();
  if (name.empty()) GTEST_SKIP() << "this system has no printer installed, so there is no printer DC to print on";
  HDC dc = CreateDCA(nullptr, name.c_str(), nullptr, nullptr);
  ASSERT_NE(dc, nullptr) << "the default printer " << name << " gives no device context";
  PrintedDocument document;
  {
    FormDriver ui;
    PrintSample(ThePrinter());
    document = ui.PrintedDocuments().at(0);
  }
  EXPECT_EQ(RenderDocument(dc, document, "Korvane printer test"), S_OK);
  DeleteDC(dc);
}

TEST(Printer, APrintOutOnTheDefaultPrinterComesOutLineByLineAndPageByPage) {
  FilePrinter file_printer;
  if (!file_printer.Installed()) {
    if (FilePrinter::ExpectedOnThisSystem()) FAIL() << file_printer.Failure();
    GTEST_SKIP() << "no PostScript printer writing to a file can be set up here: " << file_printer.Failure();
  }
  const auto cell = file_printer.CellOf("courier new", 8);
  ASSERT_GT(cell.width, 0);
  ASSERT_GT(cell.height, 0);
  const int lines_per_page = cell.page_height / cell.height;
  ASSERT_GT(lines_per_page, 2);
  const int line_count = lines_per_page + lines_per_page / 2;  // a page and a half

  FormDriver ui;
  Printer::RecordDocumentsForTesting(nullptr);  // this test wants the real printing path
  Printer printer;
  printer.SetFontName("courier new");
  printer.SetFontSize(8);
  std::vector<std::string> expected;
  for (int i = 1; i <= line_count; ++i) {
    const std::string number = std::to_string(1000 + i).substr(1);
    printer.PrintAt(2, "ITEM-" + number);
    printer.PrintAt(22, "(Hex bolt) #" + number + " | a_b~c");
    printer.PrintAt(55, "0.25");
    printer.EndLine();
    std::string line(58, ' ');
    line.replace(1, 8, "ITEM-" + number);
    line.replace(21, 23, "(Hex bolt) #" + number + " | a_b~c");
    line.replace(54, 4, "0.25");
    expected.push_back(line);
  }
  ASSERT_TRUE(printer.EndDoc());
  EXPECT_TRUE(ui.MessageBoxes().empty());

  const auto pages = ReadPostScriptPages(file_printer.Output());
  ASSERT_EQ(pages.size(), 2u) << "the PostScript written to " << file_printer.OutputPath();
  std::vector<std::string> printed;
  std::vector<std::vector<PageLine>> lines_of_pages;
  for (const auto& page : pages) {
    lines_of_pages.push_back(LinesOfPage(page, cell.width));
    for (const PageLine& line : lines_of_pages.back()) {
      printed.push_back(line.text);
      EXPECT_EQ(line.off_cell, 0) << "a character of \"" << line.text << "\" stands off its cell";
      EXPECT_LT(line.baseline, cell.page_height) << "\"" << line.text << "\" passes the foot of the page";
    }
  }
  EXPECT_EQ(printed, expected);
  ASSERT_EQ(lines_of_pages[0].size(), static_cast<std::size_t>(lines_per_page)) << "the first page is full";
  ASSERT_EQ(lines_of_pages[1].size(), static_cast<std::size_t>(line_count - lines_per_page));
  EXPECT_EQ(lines_of_pages[1][0].baseline, lines_of_pages[0][0].baseline) << "the second page starts at its top";
  for (const auto& lines : lines_of_pages)
    for (std::size_t i = 1; i < lines.size(); ++i)
      EXPECT_EQ(lines[i].baseline - lines[i - 1].baseline, cell.height) << "between \"" << lines[i - 1].text << "\" and the next";
}

TEST(Printer, WithoutAPrinterTheUserIsToldAndTheProgramGoesOn) {
  if (!DefaultPrinterName().empty()) GTEST_SKIP() << "this system has a printer; the message is for systems without";
  FormDriver ui;
  Printer::RecordDocumentsForTesting(nullptr);  // this test wants the real printing path
  ui.AnswerNextMessageBox(IDOK);
  Printer printer;
  printer.PrintAt(3, "x");
  EXPECT_FALSE(printer.EndDoc());
  ASSERT_EQ(ui.MessageBoxes().size(), 1u);
  EXPECT_NE(ui.MessageBoxes()[0].text.find("No printer is installed"), std::string::npos);
  EXPECT_EQ(ui.MessageBoxes()[0].style, static_cast<unsigned>(MB_ICONEXCLAMATION | MB_OK));
}

TEST(Printer, AnEmptyDocumentStartsNoJob) {
  PrintedDocument empty;
  HDC screen = GetDC(nullptr);
  // No StartDoc is attempted, so even a device that cannot print answers success.
  EXPECT_EQ(RenderDocument(screen, empty, "nothing"), S_OK);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(RenderDocument(nullptr, empty, "nothing"), E_INVALIDARG);
}

}  // namespace

