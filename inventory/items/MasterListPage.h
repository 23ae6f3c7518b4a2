// The behaviour of the master list window, free of Windows: the list of every item, the list of the
// category codes, and the edit row of boxes under them, with which the user adds an item, changes one
// and blanks one out.
//
// The window hands each of its events to this page and lets it work the window's controls through
// MasterListControls. Line i of the item list (counted from 0) always shows row i + 1 of the item
// table, so a click on a line finds its item there.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "items/CategoryList.h"
#include "items/ItemFile.h"
#include "items/ItemTable.h"

namespace korvane {

// The boxes of the edit row, in the order in which the lists' rebuild empties them.
enum class EditBox {
  Text2,   // slot number under "0000", shown only
  Text4,   // Category
  Text3,   // ItemNumber
  Text6,   // Description
  Text5,   // Cost
  Text10,  // ItemPrice1
  Text7,   // Quantity
  Text8,   // Reorder
  Text9,   // SoldDay
  Text11,  // SoldWeek
  Text12,  // SoldMonth
  Text14,  // SoldYear
  Text13,  // Receipts
  Text15,  // Transin
  Text16,  // slot number of the item being edited, as plain number text
  Text24,  // Transout
  Text23,  // Writeoffs
};

inline constexpr int kEditBoxCount = 17;

inline constexpr std::array<EditBox, kEditBoxCount> kEditBoxesInRebuildOrder = {
    EditBox::Text2,  EditBox::Text4,  EditBox::Text3,  EditBox::Text6,  EditBox::Text5,  EditBox::Text10,
    EditBox::Text7,  EditBox::Text8,  EditBox::Text9,  EditBox::Text11, EditBox::Text12, EditBox::Text14,
    EditBox::Text13, EditBox::Text15, EditBox::Text16, EditBox::Text24, EditBox::Text23,
};

// The control name of a box ("Text4").
const char* EditBoxName(EditBox box);

enum class MasterList {
  List1,  // the items
  List2,  // the category codes
};

// What the page does with the window's controls.
class MasterListControls {
 public:
  virtual ~MasterListControls() = default;
  virtual std::string Text(EditBox box) = 0;
  virtual void SetText(EditBox box, const std::string& text) = 0;
  virtual void FocusBox(EditBox box) = 0;
  // The box passes when it holds neither a comma nor a double quote; otherwise the user is told
  // (kCommaQuoteErrorText), the box gets the focus, and the answer is false.
  virtual bool CheckNoCommaQuote(EditBox box) = 0;
  virtual void ClearList(MasterList list) = 0;
  virtual void AddLine(MasterList list, const std::string& line) = 0;
  virtual int SelectedLine(MasterList list) = 0;  // -1 when none is selected
  virtual std::string CurrentLine(MasterList list) = 0;  // empty when none is selected
  // What a list is given at the end of a save, a blanking, a refresh or a screen sort: the focus.
  virtual void FocusList(MasterList list) = 0;
  virtual void ShowItemFileError() = 0;  // the message box for an item file that cannot be read
  // Any other message box of the program (critical, OK only): the others of ItemFile.h.
  virtual void ShowMessage(const char* text) = 0;
};

inline constexpr char kAddModeOn = 'Y';
inline constexpr char kAddModeOff = ' ';

class MasterListPage {
 public:
  explicit MasterListPage(MasterListControls& controls, std::string itemFile = kItemFileName,
                          std::string categoryFile = kCategoryFileName);

  // The window's load, after the window has started its reminder and is shown: both lists filled from the
  // files, the table from the item file.
  void FormLoad();
  void List1Click();
  void List2MouseDown();
  void AddEntryClick();
  void SaveButtonClick();
  void DeleteEntryClick();
  void RefreshClick();
  void SortMasterListClick();
  // The window's exit: add mode ends.
  void ExitClick();

  const WindowCounters& Counters() const { return counters_; }
  char AddModeFlag() const { return addModeFlag_; }

 private:
  enum class Rebuild { Full, Short };
  void RebuildMasterLists(Rebuild form);

  // The lists' shared steps: the category list from the category file, and the item list with the table
  // from the item file, each item's counters fitted for the view or kept whole. Both answer the file's
  // status; the item list sets CounterMax to the number of items listed.
  enum class CounterView { FittedForView, Whole };
  ItemFileStatus FillCategoryList();
  ItemFileStatus FillItemList(CounterView counters);
  // Both, the category list first; a list that cannot be read gets its own message (the category list's
  // kCategoryListErrorText), and the item list is not filled without the category list.
  void FillBothLists(CounterView counters);
  void EmptyEditRow();

  // The slot number that Add proposes: above CounterMax and above every slot of the item file.
  int NextSlotNumber();

  // The two ways of Save; false when the save was abandoned (its message shown, nothing written).
  bool AppendNewItem(double slot);
  bool ReplaceChosenItem(double slot);

  // The item that Save and Delete act on: the one whose fields the last click put into the edit row, as
  // long as the row shows it (the slot box holds its slot number). Slot numbers can repeat, so its item
  // number goes with it; later fills of the table (a category choice) do not change which item it is.
  struct ChosenItem {
    double slot;
    std::string itemNumber;
  };
  std::optional<ChosenItem> ChosenItemOfSlot(double slot) const;

  // Reads the item file afresh into a table of its own, finds the chosen item there (the first item of
  // its slot and item number) and lets `change` alter that row alone; the file is then rewritten with
  // every other item as read. False, with nothing written, when the file cannot be read or written back,
  // when the item is no longer in it (each with its message), or when `change` refused (having shown its
  // own). The window's table is left alone, so that after a false answer it still matches the lists.
  using RowChange = std::function<bool(ItemTableColumns& table, int row)>;
  bool RewriteWithChosenItemChanged(const ChosenItem& chosen, const RowChange& change);

  MasterListControls& controls_;
  std::string itemFile_;
  std::string categoryFile_;
  WindowCounters counters_;
  char addModeFlag_ = kAddModeOff;
  std::string categoryCode_;    // the code last put into the category list
  std::string chosenCategory_;  // the category chosen in the category list
  std::optional<ChosenItem> chosen_;  // the item the edit row was filled from, none once it is emptied
};

}  // namespace korvane
