// Where a finished document's texts land on the printer's pages, free of Windows: each line takes the
// height of its font's character cell, each text starts at the cell of its column, and a line that would
// pass the foot of the page starts the next page. The printer measures the cells of each font on its
// device and draws what this places.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "printer/PrintLayout.h"

namespace korvane::printer {

// The character cell of a font on the device, in device units.
struct CellSize {
  int width = 0;
  int height = 0;
};

// One run of text on a page, in device units from the page's top left corner.
struct PlacedRun {
  int page = 0;  // counted from 0
  int x = 0;
  int y = 0;
  int cell_width = 0;  // every character of the text stands in a cell of this width
  PrintFont font;
  std::string text;
};

struct PagePlan {
  int pages = 0;
  std::vector<PlacedRun> runs;  // in document order
};

// Places a document on pages `page_height` units high. `cell_of` gives the cell of a line's font. A font
// without a usable cell (a width or height of 0 or less) fails the plan: it comes back with pages -1.
// A document without lines needs no page.
PagePlan PlaceOnPages(const PrintedDocument& document, int page_height,
                      const std::function<CellSize(const PrintFont&)>& cell_of);

}  // namespace korvane::printer
