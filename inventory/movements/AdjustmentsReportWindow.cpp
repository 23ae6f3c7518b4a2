#include "movements/AdjustmentsReportWindow.h"

#include "movements/AdjustmentsReport.h"
#include "movements/ReportOutput.h"

namespace korvane {

void Form41::Bind(forms::EventTable& on) {
  ReportWindow::Bind(on);
  on("cmdPrint", "Click", &Form41::cmdPrint_Click);
  on("cmdScreen", "Click", &Form41::cmdScreen_Click);
}

void Form41::cmdPrint_Click() { PrintReport(&BuildAdjustmentsPrintout); }

// The list is emptied first, also when the report cannot be made: no old lines pass for the file's.
void Form41::cmdScreen_Click() {
  forms::ListBox& list = ListBoxNamed("List1");
  list.Clear();
  AddReportLines(list, &BuildAdjustmentsScreenList);
}

}  // namespace korvane
