// The adjustments / low-stock report, free of Windows: the items that received stock since the counters
// were last zeroed or stand below their reorder point, printed by category in the order of the category
// list, or listed on the screen in file order whatever their category.
#pragma once

#include <string>
#include <vector>

#include "items/ItemRecord.h"
#include "movements/ReportItems.h"
#include "printer/PrintLayout.h"

namespace korvane {

// Whether the report lists the item: receipts above 0, or a quantity strictly below the reorder point.
// Texts that are not numbers read as 0.
bool IsAdjustedOrLowStock(const ItemRecord& item);

// The print-out from items already read: blank lines, the title with the date, the column heads and a
// ruler, then one line per listed item, category by category.
printer::PrintedDocument AdjustmentsPrintout(const std::vector<std::string>& codes,
                                             const std::vector<ItemRecord>& items, const std::string& date);

// The on-screen line of one item, 160 characters wide.
std::string AdjustmentsScreenLine(const ItemRecord& item);

// The print-out and the screen list from the files. On a status other than Ok nothing is put out.
ReportStatus BuildAdjustmentsPrintout(printer::PrintedDocument& document, const std::string& date,
                                      const ReportFiles& files = {});
ReportStatus BuildAdjustmentsScreenList(std::vector<std::string>& lines, const ReportFiles& files = {});

}  // namespace korvane
