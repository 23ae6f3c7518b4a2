#include "items/MasterListLine.h"

#include <array>

#include "items/NumberText.h"

namespace korvane {
namespace {

// One piece of the line: the blanks that lead to it, the field, and the pattern it is shown under; a
// piece without a pattern is the field's text as it stands, whole or cut to its first `cut` characters.
struct LinePiece {
  std::size_t blanksBefore;
  ItemField field;
  const char* pattern;
  std::size_t cut;  // 0: whole
};

constexpr std::array<LinePiece, 16> kLinePieces = {{
    {0, ItemField::LineNo, "0000", 0},
    {2, ItemField::Category, nullptr, 0},
    {3, ItemField::ItemNumber, nullptr, 0},
    {3, ItemField::Description, nullptr, 26},
    {2, ItemField::Cost, "0000.00", 0},
    {2, ItemField::ItemPrice1, "0000.00", 0},
    {3, ItemField::Quantity, "0000", 0},
    {3, ItemField::Reorder, "000", 0},
    {3, ItemField::SoldDay, "0000", 0},
    {2, ItemField::SoldWeek, "00000", 0},
    {2, ItemField::SoldMonth, "00000", 0},
    {2, ItemField::SoldYear, "00000", 0},
    {2, ItemField::Receipts, "00000", 0},
    {2, ItemField::Transin, "0000", 0},
    {2, ItemField::Transout, "0000", 0},
    {2, ItemField::Writeoffs, "0000", 0},
}};

struct ViewWidth {
  ItemField field;
  std::size_t width;
};

constexpr std::array<ViewWidth, 8> kCounterViewWidths = {{
    {ItemField::Receipts, 4},
    {ItemField::Writeoffs, 4},
    {ItemField::Transout, 4},
    {ItemField::Transin, 4},
    {ItemField::SoldDay, 6},
    {ItemField::SoldWeek, 6},
    {ItemField::SoldMonth, 6},
    {ItemField::SoldYear, 6},
}};

}  // namespace

std::string MasterListLine(const ItemRecord& item) {
  std::string line;
  for (const LinePiece& piece : kLinePieces) {
    line.append(piece.blanksBefore, ' ');
    const std::string& text = item.Field(piece.field).str();
    if (piece.pattern) {
      line += ApplyNumberPattern(text, piece.pattern);
    } else if (piece.cut) {
      line += text.substr(0, piece.cut);
    } else {
      line += text;
    }
  }
  return FitToWidth(line, kMasterListLineWidth);
}

void FitCountersForView(ItemRecord& item) {
  for (const ViewWidth& view : kCounterViewWidths) {
    FieldText& counter = item.Field(view.field);
    counter = FitToWidth(counter.str(), view.width);
  }
}

std::string CategoryListLine(std::string_view code) { return FitToWidth(code, 2) + "  "; }

bool HasNoCommaQuote(std::string_view text) { return text.find_first_of(",\"") == std::string_view::npos; }

}  // namespace korvane
