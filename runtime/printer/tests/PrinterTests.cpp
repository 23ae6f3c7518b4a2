// The program's printer: a document laid out at character columns, recorded for the test and rendered on
// a real printer where the system has one.
#include <gtest/gtest.h>

#include "forms/testing/FormDriver.h"
#include "printer/Printer.h"

using namespace korvane::printer;
using korvane::forms::testing::FormDriver;

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

