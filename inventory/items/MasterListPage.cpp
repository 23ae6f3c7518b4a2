#include "items/MasterListPage.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "files/SequentialFiles.h"
#include "items/MasterListLine.h"
#include "items/NumberText.h"

namespace korvane {
namespace {

constexpr std::array<const char*, kEditBoxCount> kEditBoxNames = {
    "Text2", "Text4", "Text3", "Text6", "Text5", "Text10", "Text7", "Text8",  "Text9",
    "Text11", "Text12", "Text14", "Text13", "Text15", "Text16", "Text24", "Text23",
};

// How a box's text goes into its field when an item is saved: as typed, or as the number text of its
// numeric value. The cost is kept as typed for an item that is changed, and as a number for a new one.
enum class Stored { AsTyped, AsNumber, CostAsTyped };

struct BoxField {
  EditBox box;
  ItemField field;
  Stored stored;
};

// The boxes that Save takes, in the order of the screen, which a new item is checked in.
constexpr std::array<BoxField, 15> kBoxesInScreenOrder = {{
    {EditBox::Text4, ItemField::Category, Stored::AsNumber},
    {EditBox::Text3, ItemField::ItemNumber, Stored::AsTyped},
    {EditBox::Text6, ItemField::Description, Stored::AsTyped},
    {EditBox::Text5, ItemField::Cost, Stored::CostAsTyped},
    {EditBox::Text10, ItemField::ItemPrice1, Stored::AsNumber},
    {EditBox::Text7, ItemField::Quantity, Stored::AsNumber},
    {EditBox::Text8, ItemField::Reorder, Stored::AsNumber},
    {EditBox::Text9, ItemField::SoldDay, Stored::AsNumber},
    {EditBox::Text11, ItemField::SoldWeek, Stored::AsNumber},
    {EditBox::Text12, ItemField::SoldMonth, Stored::AsNumber},
    {EditBox::Text14, ItemField::SoldYear, Stored::AsNumber},
    {EditBox::Text13, ItemField::Receipts, Stored::AsNumber},
    {EditBox::Text15, ItemField::Transin, Stored::AsNumber},
    {EditBox::Text24, ItemField::Transout, Stored::AsNumber},
    {EditBox::Text23, ItemField::Writeoffs, Stored::AsNumber},
}};

// The box of each field after the slot number, in the order of the file, which a changed item is
// checked in.
const BoxField& BoxOf(ItemField field) {
  return *std::find_if(kBoxesInScreenOrder.begin(), kBoxesInScreenOrder.end(),
                       [field](const BoxField& row) { return row.field == field; });
}

// The boxes that a click on an item fills, in order, with the pattern each shows its field under.
struct ShownField {
  EditBox box;
  ItemField field;
  const char* pattern;  // nullptr: the field's text as the table holds it
};

constexpr std::array<ShownField, 17> kShownFields = {{
    {EditBox::Text2, ItemField::LineNo, "0000"},
    {EditBox::Text4, ItemField::Category, nullptr},
    {EditBox::Text3, ItemField::ItemNumber, nullptr},
    {EditBox::Text6, ItemField::Description, nullptr},
    {EditBox::Text5, ItemField::Cost, "0.00"},
    {EditBox::Text10, ItemField::ItemPrice1, "0.00"},
    {EditBox::Text7, ItemField::Quantity, nullptr},
    {EditBox::Text8, ItemField::Reorder, nullptr},
    {EditBox::Text9, ItemField::SoldDay, nullptr},
    {EditBox::Text11, ItemField::SoldWeek, nullptr},
    {EditBox::Text12, ItemField::SoldMonth, nullptr},
    {EditBox::Text14, ItemField::SoldYear, nullptr},
    {EditBox::Text13, ItemField::Receipts, nullptr},
    {EditBox::Text15, ItemField::Transin, nullptr},
    {EditBox::Text24, ItemField::Transout, nullptr},
    {EditBox::Text23, ItemField::Writeoffs, nullptr},
    {EditBox::Text16, ItemField::LineNo, nullptr},
}};

std::string NumberTextOf(const std::string& text) { return NumberText(NumberFromText(text)); }

enum class SaveKind { NewItem, ChangedItem };

std::string StoredText(const BoxField& row, const std::string& text, SaveKind kind) {
  if (row.stored == Stored::AsTyped) return text;
  if (row.stored == Stored::CostAsTyped && kind == SaveKind::ChangedItem) return text;
  return NumberTextOf(text);
}

}  // namespace

const char* EditBoxName(EditBox box) { return kEditBoxNames[static_cast<int>(box)]; }

MasterListPage::MasterListPage(MasterListControls& controls, std::string itemFile, std::string categoryFile)
    : controls_(controls), itemFile_(std::move(itemFile)), categoryFile_(std::move(categoryFile)) {}

ItemFileStatus MasterListPage::FillCategoryList() {
  std::vector<std::string> codes;
  const ItemFileStatus status = ReadCategoryCodes(codes, categoryFile_);
  for (const std::string& code : codes) {
    categoryCode_ = FitToWidth(code, 2);
    controls_.AddLine(MasterList::List2, CategoryListLine(categoryCode_));
  }
  return status;
}

ItemFileStatus MasterListPage::FillItemList(CounterView counters) {
  counters_.indexx = 1;
  const ItemFileStatus status = ForEachItem(
      [&](const ItemRecord& read) {
        ItemRecord item = read;
        if (counters == CounterView::FittedForView) FitCountersForView(item);
        ItemTable.CopyRowFrom(counters_.indexx, item);
        controls_.AddLine(MasterList::List1, MasterListLine(item));
        ++counters_.indexx;
        return true;
      },
      itemFile_);
  // A file that could not be read through keeps the count of the load: the window shows what it read.
  if (status == ItemFileStatus::Ok) {
    --counters_.indexx;
    counters_.CounterMax = counters_.indexx;
  }
  return status;
}

void MasterListPage::EmptyEditRow() {
  for (EditBox box : kEditBoxesInRebuildOrder) controls_.SetText(box, "");
  chosen_.reset();
}

void MasterListPage::FormLoad() {
  counters_.CounterMax = 0;
  counters_.indexx = 1;
  FillBothLists(CounterView::FittedForView);
}

void MasterListPage::FillBothLists(CounterView counters) {
  if (FillCategoryList() != ItemFileStatus::Ok) {
    controls_.ShowMessage(kCategoryListErrorText);
    return;
  }
  if (FillItemList(counters) != ItemFileStatus::Ok) controls_.ShowItemFileError();
}

void MasterListPage::List1Click() {
  const int ind = controls_.SelectedLine(MasterList::List1);
  if (ind >= 0) counters_.indexx = static_cast<std::int16_t>(ind + 1);
  // A row outside the table (no item listed yet and none selected) fills nothing.
  if (!ItemTableColumns::HasRow(counters_.indexx)) return;
  for (const ShownField& shown : kShownFields) {
    const std::string& text = ItemTable.Column(shown.field)(counters_.indexx).str();
    controls_.SetText(shown.box, shown.pattern ? ApplyNumberPattern(text, shown.pattern) : text);
  }
  chosen_ = ChosenItem{NumberFromText(ItemTable.LineNoArr(counters_.indexx)),
                       ItemTable.ItemNumberArr(counters_.indexx)};
  controls_.FocusBox(EditBox::Text4);
}

void MasterListPage::List2MouseDown() {
  controls_.ClearList(MasterList::List1);
  chosenCategory_ = FitToWidth(controls_.CurrentLine(MasterList::List2).substr(0, 2), 2);
  counters_.indexx = 1;
  // The chosen category is compared as text, blanks included: "5 " and "05" are different choices here.
  const ItemFileStatus status = ForEachItem(
      [&](const ItemRecord& item) {
        ItemTable.CopyRowFrom(counters_.indexx, item);
        if (item.Category.str().substr(0, 2) == chosenCategory_) {
          controls_.AddLine(MasterList::List1, MasterListLine(item));
          ++counters_.indexx;
        }
        return true;
      },
      itemFile_);
  --counters_.indexx;
  if (status != ItemFileStatus::Ok) controls_.ShowItemFileError();
}

int MasterListPage::NextSlotNumber() {
  // A slot number already in the file would make a later change of either item overwrite both; the file
  // can hold slots above CounterMax after a screen sort or a category choice, or after items were dropped.
  double highest = counters_.CounterMax;
  (void)ForEachItem(
      [&highest](const ItemRecord& item) {
        highest = std::max(highest, NumberFromText(item.LineNo));
        return true;
      },
      itemFile_);
  return static_cast<int>(std::min(highest, 1e9)) + 1;
}

void MasterListPage::AddEntryClick() {
  addModeFlag_ = kAddModeOn;
  chosen_.reset();  // the edit row is a new item's now
  for (EditBox box : {EditBox::Text2, EditBox::Text4, EditBox::Text3}) controls_.SetText(box, "");
  controls_.SetText(EditBox::Text6, "OPEN");
  for (EditBox box : {EditBox::Text5, EditBox::Text10, EditBox::Text7, EditBox::Text8, EditBox::Text9,
                      EditBox::Text11, EditBox::Text12, EditBox::Text14, EditBox::Text13, EditBox::Text15,
                      EditBox::Text16, EditBox::Text24, EditBox::Text23}) {
    controls_.SetText(box, "");
  }
  controls_.SetText(EditBox::Text3, "OPEN");
  controls_.SetText(EditBox::Text16, NumberText(NextSlotNumber()));
  controls_.FocusBox(EditBox::Text4);
}

void MasterListPage::SaveButtonClick() {
  // The window's table and counters are left alone until the save has written the file: after a save
  // that wrote nothing, line i of the item list still shows row i + 1, and the selection still holds.
  const double slot = NumberFromText(controls_.Text(EditBox::Text16));
  if (slot != 0) {
    const bool saved = addModeFlag_ == kAddModeOn ? AppendNewItem(slot) : ReplaceChosenItem(slot);
    if (!saved) return;
  }
  RebuildMasterLists(Rebuild::Full);
  controls_.FocusList(MasterList::List1);
}

bool MasterListPage::AppendNewItem(double slot) {
  // The new item's lines go after those already in the file, so those must be whole items that the
  // readers take through to the end, as the load reads them: after an item cut short the new lines
  // would become the missing fields of that item, and past the table's last row no reader would take
  // the file any more. Checked in the file itself, since after a load that failed the window's counts
  // say nothing of it; a file of as many items as the table holds has no room for one more.
  int items = 0;
  const ItemFileStatus readable = ForEachItem(
      [&items](const ItemRecord&) {
        ++items;
        return true;
      },
      itemFile_);
  if (readable != ItemFileStatus::Ok || !ItemTableColumns::HasRow(items + 1)) {
    controls_.ShowItemFileError();
    return false;
  }
  ItemRecord item;
  item.LineNo = NumberText(slot);
  for (const BoxField& box : kBoxesInScreenOrder) {
    if (!controls_.CheckNoCommaQuote(box.box)) return false;
    item.Field(box.field) = StoredText(box, controls_.Text(box.box), SaveKind::NewItem);
  }
  // The new item is added without rewriting the others; a failed write leaves the file as it was.
  const ItemFileStatus status = AppendItemToFile(item, itemFile_);
  if (status != ItemFileStatus::Ok) {
    controls_.ShowMessage(ItemFileMessage(status));
    return false;
  }
  return true;
}

bool MasterListPage::ReplaceChosenItem(double slot) {
  // Only the item that the boxes were filled from takes them: another item of the same slot number
  // keeps its own fields. Without a chosen item of this slot the boxes belong to none of the file's
  // items, and the save is refused with the message, the boxes kept as typed.
  const std::optional<ChosenItem> chosen = ChosenItemOfSlot(slot);
  if (!chosen) {
    controls_.ShowMessage(kItemGoneText);
    return false;
  }
  return RewriteWithChosenItemChanged(*chosen, [this](ItemTableColumns& table, int row) {
    // The slot number keeps the text the file has; the other fields come from the boxes, checked in the
    // order of the file.
    for (ItemField field : kAllItemFields) {
      if (field == ItemField::LineNo) continue;
      const BoxField& box = BoxOf(field);
      if (!controls_.CheckNoCommaQuote(box.box)) return false;
      table.Column(field)(row) = StoredText(box, controls_.Text(box.box), SaveKind::ChangedItem);
    }
    return true;
  });
}

std::optional<MasterListPage::ChosenItem> MasterListPage::ChosenItemOfSlot(double slot) const {
  if (chosen_ && chosen_->slot == slot) return chosen_;
  return std::nullopt;
}

bool MasterListPage::RewriteWithChosenItemChanged(const ChosenItem& chosen, const RowChange& change) {
  // The window's table may not be a copy of the file (a category choice, a screen sort, counters fitted
  // for the view, an abandoned save): the chosen item is found again in a fresh read of the file by its
  // slot and item number, the first such as the lookup finds it, and changed there alone, so that every
  // other item is written back as it stands, one with the same slot number included.
  const auto fresh = std::make_unique<ItemTableColumns>();
  WindowCounters file;
  ItemFileStatus status = LoadItemTable(file, *fresh, itemFile_);
  // Written back from what the field reader read: not when a comma or a quote has cut a field.
  if (status == ItemFileStatus::Ok) status = CheckItemFileLinesClean(itemFile_);
  if (status != ItemFileStatus::Ok) {
    // Whatever keeps the file from being read through, more items than the table holds included, is the
    // Debug Inventory tool's to show.
    controls_.ShowItemFileError();
    return false;
  }
  const int row = FindItemRow(*fresh, file.CounterMax, chosen.slot, chosen.itemNumber);
  if (row == 0) {
    controls_.ShowMessage(kItemGoneText);
    return false;
  }
  if (!change(*fresh, row)) return false;
  status = RewriteItemFile(file, *fresh, itemFile_);
  if (status != ItemFileStatus::Ok) {
    controls_.ShowMessage(ItemFileMessage(status));
    return false;
  }
  return true;
}

void MasterListPage::RebuildMasterLists(Rebuild form) {
  (void)files::CloseFile(kItemFileHandle);
  controls_.ClearList(MasterList::List1);
  EmptyEditRow();
  counters_ = WindowCounters{};
  if (form == Rebuild::Full) {
    addModeFlag_ = kAddModeOff;
    ItemTable.EmptyAll();
  }
  controls_.ClearList(MasterList::List2);
  FillBothLists(CounterView::Whole);
}

void MasterListPage::DeleteEntryClick() {
  // Nothing is blanked, and nothing is said, unless the row that the list last selected still holds the
  // slot box's number and the edit row shows a chosen item of it.
  const double slot = NumberFromText(controls_.Text(EditBox::Text16));
  const bool selected = ItemTableColumns::HasRow(counters_.indexx) &&
                        NumberFromText(ItemTable.LineNoArr(counters_.indexx)) == slot;
  const std::optional<ChosenItem> chosen = selected ? ChosenItemOfSlot(slot) : std::nullopt;
  if (chosen) {
    const bool blanked = RewriteWithChosenItemChanged(*chosen, [slot](ItemTableColumns& table, int row) {
      const std::string category = table.CategoryArr(row);
      table.EmptyRow(row);
      table.LineNoArr(row) = NumberText(slot);
      table.ItemNumberArr(row) = "OPEN";
      table.CategoryArr(row) = category;
      return true;
    });
    if (blanked) RebuildMasterLists(Rebuild::Short);
  }
  controls_.FocusList(MasterList::List1);
}

void MasterListPage::RefreshClick() {
  ItemTable.EmptyAll();
  counters_.CounterMax = 0;
  counters_.indexx = 1;
  EmptyEditRow();
  addModeFlag_ = kAddModeOff;
  controls_.ClearList(MasterList::List1);
  controls_.ClearList(MasterList::List2);
  FillBothLists(CounterView::FittedForView);
  controls_.FocusList(MasterList::List2);
}

void MasterListPage::SortMasterListClick() {
  EmptyEditRow();
  addModeFlag_ = kAddModeOff;
  controls_.ClearList(MasterList::List1);
  controls_.ClearList(MasterList::List2);
  ItemTable.EmptyAll();
  const ItemFileStatus categories = FillCategoryList();
  counters_.CounterMax = 0;
  counters_.indexx = 1;
  std::vector<std::string> codes;
  ItemFileStatus status = categories;
  if (status == ItemFileStatus::Ok) status = ReadCategoryCodes(codes, categoryFile_);
  bool tableFull = false;
  for (const std::string& code : codes) {
    if (status != ItemFileStatus::Ok) break;
    categoryCode_ = FitToWidth(code, 2);
    status = ForEachItem(
        [&](const ItemRecord& item) {
          if (!SameCategoryValue(categoryCode_, item.Category)) return true;
          // An item listed under several codes takes a row each time; the table ends at its last row.
          if (!ItemTableColumns::HasRow(counters_.indexx)) {
            tableFull = true;
            return false;
          }
          ItemTable.CopyRowFrom(counters_.indexx, item);
          controls_.AddLine(MasterList::List1, MasterListLine(item));
          ++counters_.indexx;
          return true;
        },
        itemFile_);
    if (tableFull) status = ItemFileStatus::TooManyItems;
  }
  --counters_.indexx;
  counters_.CounterMax = counters_.indexx;
  (void)files::CloseFile(kItemFileHandle);
  (void)files::CloseFile(kCategoryFileHandle);
  if (categories != ItemFileStatus::Ok) {
    controls_.ShowMessage(kCategoryListErrorText);
  } else if (status != ItemFileStatus::Ok) {
    controls_.ShowItemFileError();
  }
  controls_.FocusList(MasterList::List2);
}

void MasterListPage::ExitClick() { addModeFlag_ = kAddModeOff; }

}  // namespace korvane
