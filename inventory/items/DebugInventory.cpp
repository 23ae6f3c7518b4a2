#include "items/DebugInventory.h"

#include <algorithm>
#include <array>

#include "files/SequentialFiles.h"
#include "items/MasterListLine.h"
#include "items/FieldReader.h"
#include "items/NumberText.h"

namespace korvane {
namespace {

constexpr std::size_t kListedWidth = 4;

bool OpenItemFile(const std::string& itemFile) {
  (void)files::CloseFile(kItemFileHandle);
  return files::OpenFile(kItemFileHandle, itemFile, files::FileMode::Input) == files::FileStatus::Ok;
}

// The 16 whole lines of one item, as far as the file holds them.
struct ItemLines {
  std::array<std::string, kItemFieldCount> lines;
  int read = 0;  // fewer than 16 when the file ends inside the item

  bool Whole() const { return read == kItemFieldCount; }
  // Only empty lines (blanks aside) and the end of the file: no item, but the end of the last one.
  bool OnlyEmptyLinesAtTheEnd() const {
    return !Whole() && std::all_of(lines.begin(), lines.begin() + read, [](const std::string& line) {
      return line.find_first_not_of(" \t") == std::string::npos;
    });
  }
};

ItemLines ReadItemLines() {
  ItemLines item;
  for (std::string& line : item.lines) {
    if (ReadWholeLine(kItemFileHandle, line) != ReadStatus::Ok) break;
    ++item.read;
  }
  return item;
}

// The slot number as the other readers take it from its line; from a line that holds a comma or a quote,
// the number text of that slot number's value, which is what the save writes, so that the line comes out
// clean ("2,5" and "2\"x" both give "2").
std::string SlotNumberOf(const std::string& line) {
  files::InputText slotLine{line};
  std::string slot;
  if (ReadField(slotLine, slot) != ReadStatus::Ok) slot.clear();
  return HasNoCommaQuote(line) ? slot : NumberText(NumberFromText(slot));
}

// The record that the save writes: the slot number (SlotNumberOf), the other 15 lines
// whole (the fixed fields fit themselves); a line missing at the end of the file is empty.
void ToRecord(const ItemLines& item, ItemRecord& target) {
  target.LineNo = SlotNumberOf(item.lines[0]);
  for (const ScannedField& scanned : kScannedFields) {
    target.Field(scanned.field) = item.lines[static_cast<int>(scanned.field)];
  }
}

// A line as its box shows it: whole, a fixed field padded to its width.
std::string ShownLine(const std::string& line, std::size_t width) {
  return line.size() >= width ? line : FitToWidth(line, width);
}

// Whether a clean item goes into the progress list: the numeric value of the last character of its
// slot number is 0 (an empty slot number included).
bool ListedByTens(const std::string& lineNo) {
  return NumberFromText(lineNo.empty() ? std::string_view() : std::string_view(lineNo).substr(lineNo.size() - 1)) == 0;
}

}  // namespace

void DebugInventory::CountItems() {
  counters_.indexx = 1;
  int items = 0;
  if (OpenItemFile(itemFile_)) {
    // Counted no further than the table holds, so the 16-bit counter never wraps.
    while (!files::AtEndOfFile(kItemFileHandle) && items <= ItemTableColumns::kLastRow) {
      if (ReadItemLines().OnlyEmptyLinesAtTheEnd()) break;
      ++items;
    }
  }
  (void)files::CloseFile(kItemFileHandle);
  counters_.CounterMax = static_cast<std::int16_t>(items);
}

ScanOutcome DebugInventory::Scan(const std::function<void(const std::string&)>& listed, ScanHit& hit) {
  const auto finish = [](ScanOutcome outcome) {
    (void)files::CloseFile(kItemFileHandle);
    return outcome;
  };
  if (!OpenItemFile(itemFile_)) return finish(ScanOutcome::CannotOpen);
  for (int item = 1; !files::AtEndOfFile(kItemFileHandle); ++item) {
    const ItemLines lines = ReadItemLines();
    if (!ItemTableColumns::HasRow(item) && !lines.OnlyEmptyLinesAtTheEnd()) return finish(ScanOutcome::TooManyItems);
    const std::string slot = SlotNumberOf(lines.lines[0]);
    if (!HasNoCommaQuote(lines.lines[0])) {
      hitItem_ = item;
      hit = ScanHit{slot, nullptr, lines.lines[0]};
      return finish(ScanOutcome::Hit);
    }
    for (const ScannedField& scanned : kScannedFields) {
      const std::string& line = lines.lines[static_cast<int>(scanned.field)];
      if (HasNoCommaQuote(line)) continue;
      flags_.*(scanned.hit) = true;
      hitItem_ = item;
      hit = ScanHit{slot, &scanned, ShownLine(line, FieldWidth(scanned.field))};
      return finish(ScanOutcome::Hit);
    }
    if (!lines.Whole()) {
      hit = ScanHit{slot, nullptr, ""};
      return finish(ScanOutcome::LastItemShort);
    }
    if (ListedByTens(slot)) listed(FitToWidth(slot, kListedWidth));
  }
  return finish(ScanOutcome::Complete);
}

SaveOutcome DebugInventory::Save(const std::string& slot, const std::function<bool(const ScannedField&)>& boxPasses,
                                 const std::function<std::string(const ScannedField&)>& boxText) {
  if (!OpenItemFile(itemFile_)) {
    (void)files::CloseFile(kItemFileHandle);
    return SaveOutcome::ItemFileUnreadable;
  }
  const double slotValue = NumberFromText(slot);
  int row = ItemTableColumns::kFirstRow;
  for (; !files::AtEndOfFile(kItemFileHandle); ++row) {
    const ItemLines lines = ReadItemLines();
    if (lines.OnlyEmptyLinesAtTheEnd()) break;
    if (!ItemTableColumns::HasRow(row)) {
      (void)files::CloseFile(kItemFileHandle);
      return SaveOutcome::TooManyItems;
    }
    ToRecord(lines, ItemRec);
    ItemTable.CopyRowFrom(row, ItemRec);
    if (row != hitItem_ || NumberFromText(ItemRec.LineNo.str()) != slotValue) continue;
    for (const ScannedField& scanned : kScannedFields) {
      if (!(flags_.*(scanned.hit))) continue;
      if (!boxPasses(scanned)) {
        (void)files::CloseFile(kItemFileHandle);
        return SaveOutcome::Refused;
      }
      ItemTable.Column(scanned.field)(row) = boxText(scanned);
    }
  }
  (void)files::CloseFile(kItemFileHandle);
  counters_.CounterMax = static_cast<std::int16_t>(row - 1);
  counters_.indexx = 0;
  const ItemFileStatus written = RewriteItemFile(counters_, ItemTable, itemFile_);
  if (written != ItemFileStatus::Ok) return SaveOutcome::CannotWrite;
  // Only a save that wrote the file clears the flags: one that wrote nothing keeps them all.
  flags_ = HitFlags{};
  hitItem_ = 0;
  ItemTable.EmptyAll();
  return SaveOutcome::Saved;
}

}  // namespace korvane
