#include "printer/PagePlacement.h"

namespace korvane::printer {

PagePlan PlaceOnPages(const PrintedDocument& document, int page_height,
                      const std::function<CellSize(const PrintFont&)>& cell_of) {
  PagePlan plan;
  int top = 0;
  for (const PrintedLine& line : document.lines) {
    const CellSize cell = cell_of(line.font);
    if (cell.width <= 0 || cell.height <= 0) return PagePlan{-1, {}};
    // A line that would pass the foot goes to the next page; a page always takes at least one line.
    if (plan.pages == 0 || (top > 0 && top + cell.height > page_height)) {
      ++plan.pages;
      top = 0;
    }
    for (const PrintedRun& run : line.runs) {
      if (run.text.empty()) continue;
      plan.runs.push_back(PlacedRun{plan.pages - 1, (run.column - 1) * cell.width, top, cell.width, line.font, run.text});
    }
    top += cell.height;
  }
  return plan;
}

}  // namespace korvane::printer
