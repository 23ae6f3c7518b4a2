// Posting a stock movement: the amount changes the quantity on hand and the kind's counters of the item
// that the lookup found, and the item file is written anew.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "items/ItemFile.h"
#include "items/ItemTable.h"
#include "movements/MovementKind.h"

namespace korvane {

// Posts an amount to one row of the table for each chosen kind. First the quantity on hand, kind by kind
// in MovementKind order: its stored text (blanks included) read as a number, plus or minus the amount,
// written back as number text fitted to the field's 6 characters (so 12.3333 is kept as "12.333"). Then
// each chosen kind's counters: the stored text read as a number plus the amount, written as number text
// at full length. A posted field is always rewritten, an amount of 0 included ("0012" becomes "12", an
// empty counter "0").
// Refused, with the row left as it was, when a new quantity's whole-number part (its sign included), or
// the whole of it when it takes the exponent form, does not fit the 6 characters, or when the amount or
// any result is not a finite number (a number text beyond a double's range reads as the largest double,
// which counts as not finite here): fitting would cut digits that carry the value.
[[nodiscard]] bool PostToRow(int row, const ChosenKinds& kinds, double amount, ItemTableColumns& table = ItemTable);

// The message of a posting refused because a number would not fit or is not finite.
inline constexpr char kPostingOutOfRangeText[] =
    "Error Condition Exists, the new quantity does not fit its 6 characters or a number is out of range; "
    "nothing was saved.";

// The slot that a posting goes to, from the text of the slot box: its numeric value, or none when the box
// holds no text (the lookup found nothing), so that nothing is posted rather than every slot that reads
// as 0.
std::optional<double> PostingSlot(std::string_view slotText);

// The item that the lookup found and a posting goes to: its slot number and its item number. Slot
// numbers can repeat in a file, so the item is found by both, the first such in file order, as the
// lookup finds it.
struct PostedItem {
  double slot = 0;
  std::string itemNumber;
};

enum class PostingRefusal {
  None,
  ItemGone,    // the item is no longer in the file as the lookup found it: nothing written
  OutOfRange,  // PostToRow refused the numbers: nothing written
};

struct [[nodiscard]] PostingResult {
  ItemFileStatus file = ItemFileStatus::Ok;  // a file that could not be read (nothing written) or written
  PostingRefusal refusal = PostingRefusal::None;
};

// The message of a posting that wrote nothing, or nullptr when the file was written.
const char* PostingMessage(const PostingResult& result);

// The whole posting: loads the item file into the table, posts the amount (read as a number from its
// text) to the one item chosen, every other item as it was, and rewrites the file through the
// crash-safe rewrite, also when no item was chosen (nothing posted). When the file cannot be read to its
// end, a line of it holds a comma or a quote (CheckItemFileLinesClean), or the item is no longer in it,
// nothing is written; when it cannot be written it is left as it
// was.
PostingResult PostMovement(const std::optional<PostedItem>& item, const ChosenKinds& kinds,
                           std::string_view amountText, WindowCounters& counters,
                           const std::string& itemFile = kItemFileName);

}  // namespace korvane
