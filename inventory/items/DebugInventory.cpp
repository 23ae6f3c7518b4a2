#include "items/DebugInventory.h"

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

// The next whole line of the item file; a line missing at the end of the file reads as empty.
std::string NextLine() {
  std::string line;
  if (ReadWholeLine(kItemFileHandle, line) != ReadStatus::Ok) line.clear();
  return line;
}

// Reads one item line by line into the record: the slot number as the field that the other readers
// take from its line, the other 15 lines whole (the fixed fields fit themselves).
void ReadItemLines(ItemRecord& target) {
  files::InputText slotLine{NextLine()};
  std::string slot;
  if (ReadField(slotLine, slot) != ReadStatus::Ok) slot.clear();
  target.LineNo = slot;
  for (const ScannedField& scanned : kScannedFields) target.Field(scanned.field) = NextLine();
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
      ReadItemLines(ItemRec);
      ++items;
    }
  }
  (void)files::CloseFile(kItemFileHandle);
  counters_.CounterMax = static_cast<std::int16_t>(items);
}

ScanOutcome DebugInventory::Scan(const std::function<void(const std::string&)>& listed, ScanHit& hit) {
  if (!OpenItemFile(itemFile_)) {
    (void)files::CloseFile(kItemFileHandle);
    return ScanOutcome::CannotOpen;
  }
  for (int item = 1; !files::AtEndOfFile(kItemFileHandle); ++item) {
    ReadItemLines(ItemRec);
    for (const ScannedField& scanned : kScannedFields) {
      const std::string& value = ItemRec.Field(scanned.field).str();
      if (HasNoCommaQuote(value)) continue;
      flags_.*(scanned.hit) = true;
      hitItem_ = item;
      hit = ScanHit{ItemRec.LineNo.str(), &scanned, value};
      (void)files::CloseFile(kItemFileHandle);
      return ScanOutcome::Hit;
    }
    if (ListedByTens(ItemRec.LineNo.str())) listed(FitToWidth(ItemRec.LineNo.str(), kListedWidth));
  }
  (void)files::CloseFile(kItemFileHandle);
  return ScanOutcome::Complete;
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
    if (!ItemTableColumns::HasRow(row)) {
      (void)files::CloseFile(kItemFileHandle);
      return SaveOutcome::TooManyItems;
    }
    ReadItemLines(ItemRec);
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
