// The sales and inventory report, free of Windows: for every item in category order the quantities sold
// this day, week, month and year and the quantity on hand, printed with column totals of the four sold
// quantities, or listed on the screen.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "items/ItemRecord.h"
#include "movements/ReportItems.h"
#include "printer/PrintLayout.h"

namespace korvane {

// A field's number as the print-out shows it: rounded half away from zero to a whole number without
// leading zeros, and nothing for 0. An empty text gives empty text, a text that is not a number is shown
// unchanged.
std::string WholeNumberOrNothing(std::string_view fieldText);

// The print-out from items already read: blank lines, the title with the date, the column heads and a
// ruler, then each item of each category with a ruler under it, and the totals of the sold quantities.
printer::PrintedDocument SalesPrintout(const std::vector<std::string>& codes, const std::vector<ItemRecord>& items,
                                       const std::string& date);

// The on-screen line of one item, 160 characters wide.
std::string SalesScreenLine(const ItemRecord& item);

// The print-out and the screen lines from the files; both walk the items in category order. On a status
// other than Ok nothing is put out.
ReportStatus BuildSalesPrintout(printer::PrintedDocument& document, const std::string& date,
                                const ReportFiles& files = {});
ReportStatus BuildSalesScreenList(std::vector<std::string>& lines, const ReportFiles& files = {});

}  // namespace korvane
