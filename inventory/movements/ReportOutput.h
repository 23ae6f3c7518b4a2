// How the two report windows put a report out: the print-out, made with today's date, on the program's
// printer; the screen lines into a list box; and instead of either, when the report could not read its
// files, the message that says which.
#pragma once

#include <string>
#include <vector>

#include "forms/ListBox.h"
#include "movements/ReportItems.h"
#include "printer/PrintLayout.h"

namespace korvane {

using PrintoutBuilder = ReportStatus (*)(printer::PrintedDocument& document, const std::string& date,
                                         const ReportFiles& files);
using ScreenListBuilder = ReportStatus (*)(std::vector<std::string>& lines, const ReportFiles& files);

// Today's date as the title lines show it: mm-dd-yyyy.
std::string TodayAsReportDate();

// Builds the print-out from the data folder's files with today's date and prints it on the program's
// printer, each line in its font and each text at its column (the printer says so itself when it cannot
// print); or shows the message for the file that could not be read, and prints nothing.
void PrintReport(PrintoutBuilder build);

// Builds the screen lines from the data folder's files and adds them to the list; or shows the message
// for the file that could not be read, and adds nothing.
void AddReportLines(forms::ListBox& list, ScreenListBuilder build);

// The message for a report that could not read its files: the item file's message, which sends the user
// to the Debug Inventory tool, or the category list's.
void ShowReportFailure(ReportStatus status);

}  // namespace korvane
