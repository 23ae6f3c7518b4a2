// The item file "Item.dat": its reading and writing item by item and as a whole.
//
// The file is plain single-byte text with exactly one field per line, 16 lines per item in field order,
// no header and no trailer; lines are written with CR LF. Fixed fields are written at their full width,
// variable fields unchanged, a reset counter as an empty line. It is read by the field reader's rules
// (FieldReader.h), and the end of the file is tested only between items.
//
// The item file is always used through handle 1. Every routine here that opens it closes handle 1 first,
// so a handle left open by an earlier failure never blocks the next use, and leaves handle 1 closed when
// it returns, whether it succeeded or not.
//
// No routine here throws; each answers an ItemFileStatus, which the caller must look at: after a failed
// LoadItemTable the table is not a copy of the file, and rewriting the file from it would lose items.
#pragma once

#include <functional>
#include <string>

#include "items/ItemRecord.h"
#include "items/ItemTable.h"

namespace korvane {

inline constexpr char kItemFileName[] = "Item.dat";
inline constexpr int kItemFileHandle = 1;

enum class [[nodiscard]] ItemFileStatus {
  Ok,
  CannotOpen,      // the file is missing or cannot be opened
  EndsInsideItem,  // a field was asked for past the end: the last item is cut short
  TooManyItems,    // more items than the table's 15,000 rows, or a row outside 1..15,000
  CannotWrite,     // writing, flushing or replacing the file failed; the old file is as it was
  HandleNotOpen,   // handle 1 is not open in the direction asked for
  CommaOrQuote,    // a line holds a comma or a double quote, which the field reader splits or cuts at
};

// The message that the windows show for a file that cannot be read, and the title of every message box
// of the program, for the window layer that shows them.
inline constexpr char kItemFileErrorText[] = "Error Condition Exists, goto (Debug Inventory) to correct.";
inline constexpr char kErrorConditionTitle[] = "Error Condition Query";

// The messages of the two failures that the Debug Inventory tool cannot mend: a write that failed (the
// file is sound and as it was), and a file of more items than the item table holds.
inline constexpr char kItemFileNotSavedText[] =
    "Error Condition Exists, Item.dat could not be saved; it is as it was before.";
inline constexpr char kItemFileTooLongText[] =
    "Error Condition Exists, Item.dat holds more items than the program can hold (15,000).";

// The message of a change that was to act on one chosen item, when that item can no longer be found in
// the item file as it was chosen (the file changed under the window): nothing is written.
inline constexpr char kItemGoneText[] =
    "Error Condition Exists, the item chosen is no longer in Item.dat as it was shown; nothing was saved.";

// The message for a failed status: kItemFileNotSavedText for CannotWrite, kItemFileTooLongText for
// TooManyItems, kItemFileErrorText for every other.
const char* ItemFileMessage(ItemFileStatus status);

// Reads the next 16 fields from handle 1 into the record (by default the shared ItemRec), fitting the
// fixed fields. EndsInsideItem when the file ends inside the item.
ItemFileStatus ReadItemFields(ItemRecord& target = ItemRec);

// The same into a row of the table. TooManyItems, and nothing read, for a row outside 1..15,000.
ItemFileStatus ReadItemFields(int row, ItemTableColumns& table = ItemTable);

// Writes the 16 fields of a table row to handle 1 (open for output or append), one line each.
ItemFileStatus WriteItemFields(int row, const ItemTableColumns& table = ItemTable);

// Fills the table from the item file and sets the window's CounterMax to the number of items read
// (indexx is 0 afterwards). On failure CounterMax is 0 and the table holds what was read up to the
// failure; a file of more than 15,000 items answers TooManyItems with rows 1 to 15,000 filled and
// nothing written beyond them.
ItemFileStatus LoadItemTable(WindowCounters& counters, ItemTableColumns& table = ItemTable,
                             const std::string& itemFile = kItemFileName);

// Writes rows 1 to CounterMax of the table as the new item file, in row order. The rows are written to a
// temporary file beside the item file (its name with ".tmp" added), which replaces the item file only
// when every line has been written and flushed to the disk. On failure the item file is left whole as
// it was, the temporary file is removed, and CannotWrite is answered (TooManyItems, and nothing written,
// for a CounterMax above 15,000).
ItemFileStatus RewriteItemFile(const WindowCounters& counters, const ItemTableColumns& table = ItemTable,
                               const std::string& itemFile = kItemFileName);

// Adds one item at the end of the item file, 16 lines after the lines already there, which keep their
// text (a last line that lacks its line end gets one, so the new item starts on a line of its own). The
// file is written as a whole through a temporary file, like RewriteItemFile, so a failed write leaves the
// item file as it was: CannotOpen for a missing item file, CannotWrite for a failed write.
ItemFileStatus AppendItemToFile(const ItemRecord& item, const std::string& itemFile = kItemFileName);

// The reading check that a window does when it loads: reads the whole item file once into ItemRec to
// prove it readable. CannotOpen for a missing file, EndsInsideItem for a file whose field count is not a
// multiple of 16, TooManyItems for a file of more items than the table holds (every window that checks
// the file loads it into the table afterwards). A comma or a quote that adds or merges fields passes
// when the shift leaves a multiple of 16. The window turns any status but Ok into the message box
// kItemFileErrorText.
ItemFileStatus CheckItemFileReadable(const std::string& itemFile = kItemFileName);

// The check before a window writes the item file anew from what the field reader read of it: Ok when no
// line of the file holds a comma or a double quote (looked for in the whole lines, as the Debug
// Inventory tool looks), CommaOrQuote otherwise. The reader ends a quote-led field at the next quote and
// splits at commas, so such a file read in and written back would keep the cut fields for good, also
// where the shift leaves a multiple of 16 lines and the load passes; it is left to the Debug Inventory
// tool, and nothing is written. CannotOpen for a missing file.
ItemFileStatus CheckItemFileLinesClean(const std::string& itemFile = kItemFileName);

// Reads the item file from its start item by item into ItemRec and hands each item to `visit`, which
// answers false to stop the reading there. At most as many items as the table holds are read: an item
// file that has more items than that and is read past them answers TooManyItems. A file that ends
// inside an item answers EndsInsideItem, though the items before it were visited.
ItemFileStatus ForEachItem(const std::function<bool(const ItemRecord&)>& visit,
                           const std::string& itemFile = kItemFileName);

}  // namespace korvane
