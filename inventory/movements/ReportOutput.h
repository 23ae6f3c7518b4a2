// How the two report windows put a report out: today's date for its title, the finished print-out on the
// program's printer, and the message for a file that the report could not read.
#pragma once

#include <string>

#include "movements/ReportItems.h"
#include "printer/PrintLayout.h"

namespace korvane {

// Today's date as the title lines show it: mm-dd-yyyy.
std::string TodayAsReportDate();

// Prints the document on the program's printer line by line, each line in its font and each text at its
// column, and ends the document there (the printer says so itself when it cannot print).
void PrintReportDocument(const printer::PrintedDocument& document);

// The message for a report that could not read its files: the item file's message, which sends the user
// to the Debug Inventory tool, or the category list's.
void ShowReportFailure(ReportStatus status);

}  // namespace korvane
