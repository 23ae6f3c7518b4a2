// The work of the Debug Inventory tool, free of Windows: finding the first line of the item file that
// holds a comma or a double quote, and writing the file back with that field replaced.
//
// Every other reader splits the item file at commas and takes double quotes as delimiters, so such a
// character shifts or cuts every later field. The tool reads the file line by line instead, so it sees
// each field whole: the scan looks at every whole line, the slot number's included, so that whatever
// the other readers would stumble over is found; the save takes the slot number as the field that the
// other readers take from its line (from a line that holds a comma or a quote, the number text of its
// value, so that the line comes out clean) and the 15 other lines whole, the fixed fields cut or padded
// to their width. An item cut short by the end of the file is read with its missing lines empty, so the
// save writes it back whole and the file becomes readable again; empty lines after the last whole item
// are dropped instead, since they are no item.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "items/ItemFile.h"
#include "items/ItemRecord.h"
#include "items/ItemTable.h"

namespace korvane {

// "Y" in the tool's terms: the scan found a comma or quote in this field, and the next save takes the
// field from its correction box.
struct HitFlags {
  bool producttHit = false;
  bool ItemDescrippHit = false;
  bool categoryyHit = false;
  bool costtHit = false;
  bool quantityyHit = false;
  bool reorderrHit = false;
  bool itemprice11Hit = false;
  bool ReceiptssHit = false;
  bool WriteoffssHit = false;
  bool TransouttHit = false;
  bool TransinnHit = false;
  bool SoldDayyHit = false;
  bool SoldWeekkHit = false;
  bool SoldMonthhHit = false;
  bool SoldYearrHit = false;
};

// A scanned field with its correction box and the label beside the box.
struct ScannedField {
  ItemField field;
  const char* box;
  const char* label;
  bool HitFlags::*hit;
};

// The 15 scanned fields in file order (the slot number is not scanned).
inline constexpr std::array<ScannedField, 15> kScannedFields = {{
    {ItemField::ItemNumber, "Text3", "Item#", &HitFlags::producttHit},
    {ItemField::Description, "Text6", "Description", &HitFlags::ItemDescrippHit},
    {ItemField::Category, "Text4", "Cat. #", &HitFlags::categoryyHit},
    {ItemField::Cost, "Text5", "Cost", &HitFlags::costtHit},
    {ItemField::Quantity, "Text7", "Stock", &HitFlags::quantityyHit},
    {ItemField::Reorder, "Text2", "Reorder", &HitFlags::reorderrHit},
    {ItemField::ItemPrice1, "Text10", "Price 1", &HitFlags::itemprice11Hit},
    {ItemField::Receipts, "Text13", "Receipts.", &HitFlags::ReceiptssHit},
    {ItemField::Writeoffs, "Text23", "Write Offs", &HitFlags::WriteoffssHit},
    {ItemField::Transout, "Text24", "Trans. Out", &HitFlags::TransouttHit},
    {ItemField::Transin, "Text15", "Trans. In", &HitFlags::TransinnHit},
    {ItemField::SoldDay, "Text1", "Sold Day", &HitFlags::SoldDayyHit},
    {ItemField::SoldWeek, "Text11", " Sold Week", &HitFlags::SoldWeekkHit},
    {ItemField::SoldMonth, "Text12", "Sold Month", &HitFlags::SoldMonthhHit},
    {ItemField::SoldYear, "Text14", "Sold Year", &HitFlags::SoldYearrHit},
}};

// Where a scan stopped.
struct ScanHit {
  std::string lineNo;       // the slot number of the item, as the save writes it
  const ScannedField* field = nullptr;  // nullptr: the slot number's own line
  std::string value;        // the whole line, a fixed field padded to at least its width
};

enum class [[nodiscard]] ScanOutcome {
  Complete,        // no line holds a comma or a double quote, and the file is whole items
  Hit,             // stopped at the first line that holds one
  LastItemShort,   // clean, but the file ends inside an item (`hit.lineNo` is its slot number)
  TooManyItems,    // clean as far as the table holds, but the file has more items
  CannotOpen,      // the item file is missing
};

// The message of a scan that found a file ending inside an item: the save writes that item whole.
inline constexpr char kLastItemShortText[] =
    "Error Condition Exists, the last item of Item.dat has fewer than 16 lines; Click to Save writes it "
    "whole, or drops the empty lines after the last whole item.";

enum class [[nodiscard]] SaveOutcome {
  Saved,
  Refused,         // a correction box still holds a comma or a quote; nothing written
  ItemFileUnreadable,  // missing; nothing written
  TooManyItems,    // more items than the table holds; nothing written
  CannotWrite,     // the rewrite failed; the item file is as it was
};

class DebugInventory {
 public:
  explicit DebugInventory(std::string itemFile = kItemFileName) : itemFile_(std::move(itemFile)) {}

  // Counts the items of the file into CounterMax (0 for a missing file).
  void CountItems();

  // Reads the file from its start and stops at the first whole line, in file order, that holds a comma
  // or a double quote: the hit flag of its field is set (the slot number's line has none) and `hit` says
  // where. Each clean item whose slot number ends in a character of value 0 is handed to `listed` by its
  // first 4 characters, blank-padded (10, 20, 30 ...). A clean file that the other readers still refuse
  // is not Complete: LastItemShort or TooManyItems says what is wrong.
  ScanOutcome Scan(const std::function<void(const std::string&)>& listed, ScanHit& hit);

  // Reads the whole file into the item table and writes it back. In the item where the last scan
  // stopped, when its slot number still has the numeric value of `slot`, each field whose hit flag is
  // set is taken from its box: `boxPasses` checks the box first (a refusal ends the save at once,
  // nothing written, every flag kept), `boxText` gives its text. The item is found by its place in the
  // file, so of two items with one slot number the one the user was shown is corrected. After a save
  // every hit flag is cleared and the table emptied.
  SaveOutcome Save(const std::string& slot, const std::function<bool(const ScannedField&)>& boxPasses,
                   const std::function<std::string(const ScannedField&)>& boxText);

  // The exit: both counters back to 0.
  void ResetCounters() { counters_ = WindowCounters{}; }

  bool HitFlag(const ScannedField& field) const { return flags_.*(field.hit); }
  const WindowCounters& Counters() const { return counters_; }

 private:
  std::string itemFile_;
  HitFlags flags_;
  int hitItem_ = 0;  // the place in the file (from 1) of the item where the last scan stopped
  WindowCounters counters_;
};

}  // namespace korvane
