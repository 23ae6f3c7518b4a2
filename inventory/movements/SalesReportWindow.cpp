#include "movements/SalesReportWindow.h"

#include "movements/ReportOutput.h"
#include "movements/SalesReport.h"

namespace korvane {

void Form12::Bind(forms::EventTable& on) {
  ReportWindow::Bind(on);
  on("cmdPrint", "Click", &Form12::cmdPrint_Click);
  on("cmdScreen", "Click", &Form12::cmdScreen_Click);
}

void Form12::cmdPrint_Click() { PrintReport(&BuildSalesPrintout); }

// The list is not emptied: each click adds the whole report again below what it holds.
void Form12::cmdScreen_Click() { AddReportLines(ListBoxNamed("List1"), &BuildSalesScreenList); }

}  // namespace korvane
