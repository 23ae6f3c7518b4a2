#include "items/MasterListPage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

#include "files/SequentialFiles.h"
#include "files/tests/TempFolder.h"
#include "items/MasterListLine.h"
#include "items/tests/ItemFileFixtures.h"
#include "movements/tests/MovementFixtures.h"

namespace korvane {
namespace {

using testing::FieldOf;
using testing::ItemFields;
using testing::ItemFileBytes;
using testing::ReadBytes;
using testing::SmallItemFile;
using testing::TempFolder;
using testing::WriteBytes;

// The window's controls as the page sees them.
class WindowOfTheTest : public MasterListControls {
 public:
  std::map<EditBox, std::string> texts;
  std::vector<std::string> list1, list2;
  int list1Selected = -1;
  int list2Selected = -1;
  std::optional<EditBox> focusedBox;
  std::optional<MasterList> focusedList;
  int itemFileErrors = 0;
  int commaQuoteErrors = 0;
  std::vector<std::string> messages;  // every message but the item-file one

  std::string Text(EditBox box) override { return texts[box]; }
  void SetText(EditBox box, const std::string& text) override { texts[box] = text; }
  void FocusBox(EditBox box) override {
    focusedBox = box;
    focusedList.reset();
  }
  bool CheckNoCommaQuote(EditBox box) override {
    if (HasNoCommaQuote(texts[box])) return true;
    ++commaQuoteErrors;
    FocusBox(box);
    return false;
  }
  void ClearList(MasterList list) override {
    Lines(list).clear();
    (list == MasterList::List1 ? list1Selected : list2Selected) = -1;
  }
  void AddLine(MasterList list, const std::string& line) override { Lines(list).push_back(line); }
  int SelectedLine(MasterList list) override { return list == MasterList::List1 ? list1Selected : list2Selected; }
  std::string CurrentLine(MasterList list) override {
    const int line = SelectedLine(list);
    return line >= 0 ? Lines(list).at(line) : "";
  }
  void FocusList(MasterList list) override {
    focusedList = list;
    focusedBox.reset();
  }
  void ShowItemFileError() override { ++itemFileErrors; }
  void ShowMessage(const char* text) override {
    if (std::string_view(text) == kItemFileErrorText) {
      ++itemFileErrors;
    } else {
      messages.push_back(text);
    }
  }

  std::vector<std::string>& Lines(MasterList list) { return list == MasterList::List1 ? list1 : list2; }
};

class MasterListPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteItems(SmallItemFile());
    WriteBytes(categoryFile_, "12\r\n5\r\n");
  }
  void TearDown() override {
    files::FailWritesAfterLinesForTesting(-1);
    files::CloseAllFiles();
  }

  void WriteItems(const std::vector<ItemFields>& items) { WriteBytes(itemFile_, ItemFileBytes(items)); }
  std::string ItemFileNow() { return ReadBytes(itemFile_); }

  void ClickLine(int line) {
    window_.list1Selected = line;
    page_.List1Click();
  }
  void ChooseCategoryLine(int line) {
    window_.list2Selected = line;
    page_.List2MouseDown();
  }
  void Type(EditBox box, const std::string& text) { window_.texts[box] = text; }

  // Slot 5 of the small item file saved right after Add: "OPEN" in the number and description, every
  // number box read as 0.
  static ItemFields NewItemAsAddLeftIt() {
    return {"5", "OPEN", "OPEN", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"};
  }

  static ItemFields Blanked(const ItemFields& item) {
    return {item[0], "OPEN", "", item[3], "", "", "", "", "", "", "", "", "", "", "", ""};
  }

  void ExpectEmptyEditRow() {
    for (EditBox box : kEditBoxesInRebuildOrder) EXPECT_EQ(window_.texts[box], "") << EditBoxName(box);
  }

  TempFolder folder_;
  std::string itemFile_ = folder_.File("Item.dat");
  std::string categoryFile_ = folder_.File("Item.Txt");
  WindowOfTheTest window_;
  MasterListPage page_{window_, itemFile_, categoryFile_};
};

TEST_F(MasterListPageTest, TheLoadListsEveryItemWithItsCountersFittedAndTheCategoryCodes) {
  WriteBytes(categoryFile_, "12\r\n5\r\n123\r\n");
  page_.FormLoad();
  EXPECT_EQ(window_.list2, (std::vector<std::string>{"12  ", "5   ", "12  "}));
  ASSERT_EQ(window_.list1.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    ItemRecord item;
    for (ItemField field : kAllItemFields) item.Field(field) = SmallItemFile()[i][static_cast<int>(field)];
    FitCountersForView(item);
    EXPECT_EQ(window_.list1[i], MasterListLine(item)) << i;
  }
  EXPECT_EQ(page_.Counters().CounterMax, 4);
  EXPECT_EQ(ItemTable.ReceiptsArr(2), "    ");
  EXPECT_EQ(ItemTable.SoldYearArr(1), "40    ");
  EXPECT_EQ(window_.itemFileErrors, 0);
}

TEST_F(MasterListPageTest, TheLoadReportsAFileItCannotReadAndKeepsTheLinesReadSoFar) {
  struct Case {
    const char* name;
    std::function<void()> spoil;
    std::size_t lines;
    bool categoryList;  // the file that is blamed
  };
  const Case cases[] = {
      {"no category list", [this] { std::remove(categoryFile_.c_str()); }, 0, true},
      {"no item file", [this] { std::remove(itemFile_.c_str()); }, 0, false},
      {"cut short",
       [this] { WriteBytes(itemFile_, ItemFileBytes(SmallItemFile()) + "5\r\nLAST\r\n"); }, 4, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    window_ = WindowOfTheTest{};
    c.spoil();
    page_.FormLoad();
    // Each file is blamed in its own message.
    EXPECT_EQ(window_.itemFileErrors, c.categoryList ? 0 : 1);
    EXPECT_EQ(window_.messages, c.categoryList ? std::vector<std::string>{kCategoryListErrorText}
                                               : std::vector<std::string>{});
    EXPECT_EQ(window_.list1.size(), c.lines);
  }
}

TEST_F(MasterListPageTest, AClickFillsTheBoxesFromTheRowOfTheLine) {
  page_.FormLoad();
  ClickLine(0);
  EXPECT_EQ(window_.texts[EditBox::Text2], "0001");
  EXPECT_EQ(window_.texts[EditBox::Text16], "1");
  EXPECT_EQ(window_.texts[EditBox::Text3], "ABC-100        ");
  EXPECT_EQ(window_.texts[EditBox::Text5], "1.25");
  EXPECT_EQ(window_.texts[EditBox::Text10], "2.50");
  EXPECT_EQ(window_.texts[EditBox::Text7], "10    ");
  EXPECT_EQ(window_.texts[EditBox::Text13], "7   ");    // receipts as the load fitted them
  EXPECT_EQ(window_.texts[EditBox::Text14], "40    ");  // sold this year
  EXPECT_EQ(window_.focusedBox, EditBox::Text4);

  ClickLine(3);
  EXPECT_EQ(window_.texts[EditBox::Text16], "4");
  EXPECT_EQ(window_.texts[EditBox::Text4], "12");
  EXPECT_EQ(window_.texts[EditBox::Text10], "0.60");
}

TEST_F(MasterListPageTest, AClickWithNothingListedFillsNothing) {
  WriteBytes(itemFile_, "");
  page_.FormLoad();
  page_.RefreshClick();
  ClickLine(-1);
  ExpectEmptyEditRow();
  EXPECT_EQ(window_.itemFileErrors, 0);
}

TEST_F(MasterListPageTest, ChoosingACategoryListsItsItemsByTheCodesTextAndClicksFindThem) {
  std::vector<ItemFields> items = SmallItemFile();
  FieldOf(items[2], ItemField::Category) = "05";
  WriteItems(items);
  page_.FormLoad();
  ChooseCategoryLine(1);  // "5   "
  ASSERT_EQ(window_.list1.size(), 2u);
  EXPECT_EQ(window_.list1[1].substr(0, 4), "0002");
  ClickLine(1);
  EXPECT_EQ(window_.texts[EditBox::Text16], "2");
  EXPECT_EQ(page_.Counters().CounterMax, 4);  // as the load left it
}

TEST_F(MasterListPageTest, AddProposesTheNextSlotNumberWithOpenInTheNumberAndDescription) {
  page_.FormLoad();
  ClickLine(0);
  page_.AddEntryClick();
  EXPECT_EQ(page_.AddModeFlag(), kAddModeOn);
  for (EditBox box : kEditBoxesInRebuildOrder) {
    const char* expected = box == EditBox::Text3 || box == EditBox::Text6 ? "OPEN" : box == EditBox::Text16 ? "5" : "";
    EXPECT_EQ(window_.texts[box], expected) << EditBoxName(box);
  }
  EXPECT_EQ(window_.focusedBox, EditBox::Text4);
}

TEST_F(MasterListPageTest, AddProposesASlotAboveEverySlotOfTheFileEvenAfterAScreenSortListedFewer) {
  std::vector<ItemFields> items = SmallItemFile();
  FieldOf(items[3], ItemField::LineNo) = "9";
  WriteItems(items);
  page_.FormLoad();
  page_.SortMasterListClick();
  ASSERT_EQ(page_.Counters().CounterMax, 3);  // the free slot has no listed category
  page_.AddEntryClick();
  EXPECT_EQ(window_.texts[EditBox::Text16], "10");
}

TEST_F(MasterListPageTest, SavingANewItemRightAfterAddAppendsSixteenLinesAndRebuilds) {
  const std::string before = ItemFileNow();
  page_.FormLoad();
  page_.AddEntryClick();
  page_.SaveButtonClick();
  const ItemFields added = NewItemAsAddLeftIt();
  EXPECT_EQ(ItemFileNow(), before + ItemFileBytes({added}));
  EXPECT_EQ(page_.AddModeFlag(), kAddModeOff);
  EXPECT_EQ(page_.Counters().CounterMax, 5);
  ASSERT_EQ(window_.list1.size(), 5u);
  EXPECT_EQ(window_.list2.size(), 2u);
  ExpectEmptyEditRow();
  EXPECT_EQ(window_.focusedList, MasterList::List1);
  EXPECT_EQ(window_.itemFileErrors + window_.commaQuoteErrors, 0);
}

TEST_F(MasterListPageTest, ANewItemsBoxesAreStoredAsTheirNumbersAndTextsAsTyped) {
  const std::string before = ItemFileNow();
  page_.FormLoad();
  page_.AddEntryClick();
  Type(EditBox::Text4, "07");
  Type(EditBox::Text3, "lower-case-number-cut");
  Type(EditBox::Text6, "  Washer");
  Type(EditBox::Text5, "12.50");
  Type(EditBox::Text10, "12.50");
  Type(EditBox::Text7, "12abc");
  Type(EditBox::Text8, "abc");
  Type(EditBox::Text9, " 1 2");
  Type(EditBox::Text13, "-3");
  page_.SaveButtonClick();
  const ItemFields added = {"5",  "lower-case-numb", "  Washer", "7", "12.5", "12", "0", "12.5",
                            "-3", "0",              "0",        "0", "12",   "0",  "0", "0"};
  EXPECT_EQ(ItemFileNow(), before + ItemFileBytes({added}));
}

TEST_F(MasterListPageTest, ACategoryOf123IsStoredAs12) {
  const std::string before = ItemFileNow();
  page_.FormLoad();
  page_.AddEntryClick();
  Type(EditBox::Text4, "123");
  page_.SaveButtonClick();
  ItemFields added = NewItemAsAddLeftIt();
  FieldOf(added, ItemField::Category) = "12";
  EXPECT_EQ(ItemFileNow(), before + ItemFileBytes({added}));
}

TEST_F(MasterListPageTest, ACommaOrQuoteRefusesTheSaveAndFocusesTheFirstOffendingBox) {
  struct Case {
    const char* name;
    bool newItem;
    std::vector<std::pair<EditBox, const char*>> typed;
    EditBox focused;
  };
  const Case cases[] = {
      {"comma in a new description", true, {{EditBox::Text6, "Nuts, bolts"}}, EditBox::Text6},
      // A new item is checked in the order of the screen, a changed one in the order of the file.
      {"new item: quotes in category and number", true, {{EditBox::Text4, "\"5"}, {EditBox::Text3, "A\"B"}},
       EditBox::Text4},
      {"changed item: quotes in number and receipts", false, {{EditBox::Text13, "\"7"}, {EditBox::Text3, "A\"B"}},
       EditBox::Text3},
      {"changed item: quote in category after the description", false, {{EditBox::Text4, "5\""}}, EditBox::Text4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteItems(SmallItemFile());
    window_ = WindowOfTheTest{};
    const std::string before = ItemFileNow();
    page_.FormLoad();
    ClickLine(0);
    if (c.newItem) page_.AddEntryClick();
    for (const auto& [box, text] : c.typed) Type(box, text);
    page_.SaveButtonClick();
    EXPECT_EQ(window_.commaQuoteErrors, 1);
    EXPECT_EQ(window_.focusedBox, c.focused);
    EXPECT_EQ(ItemFileNow(), before);
    EXPECT_EQ(page_.AddModeFlag(), c.newItem ? kAddModeOn : kAddModeOff);
    EXPECT_EQ(window_.texts[c.typed[0].first], c.typed[0].second);  // the boxes keep their text
    page_.RefreshClick();
  }
}

TEST_F(MasterListPageTest, TheSameSaveAfterTheCommaIsRemovedAppendsTheItem) {
  const std::string before = ItemFileNow();
  page_.FormLoad();
  page_.AddEntryClick();
  Type(EditBox::Text6, "Nuts, bolts");
  page_.SaveButtonClick();
  ASSERT_EQ(ItemFileNow(), before);
  Type(EditBox::Text6, "Nuts and bolts");
  page_.SaveButtonClick();
  ItemFields added = NewItemAsAddLeftIt();
  FieldOf(added, ItemField::Description) = "Nuts and bolts";
  EXPECT_EQ(ItemFileNow(), before + ItemFileBytes({added}));
}

TEST_F(MasterListPageTest, ANewItemWhoseWriteFailsLeavesTheFileAsItWasAndAddModeOn) {
  const std::string before = ItemFileNow();
  page_.FormLoad();
  page_.AddEntryClick();
  files::FailWritesAfterLinesForTesting(4 * 16 + 7);  // inside the new item
  page_.SaveButtonClick();
  files::FailWritesAfterLinesForTesting(-1);
  EXPECT_EQ(window_.messages, std::vector<std::string>{kItemFileNotSavedText});
  EXPECT_EQ(ItemFileNow(), before);
  EXPECT_EQ(page_.AddModeFlag(), kAddModeOn);
  EXPECT_EQ(window_.texts[EditBox::Text16], "5");
  page_.SaveButtonClick();  // the same save again, now that the disk takes it
  const ItemFields added = NewItemAsAddLeftIt();
  EXPECT_EQ(ItemFileNow(), before + ItemFileBytes({added}));
}

// A new item goes after the lines already in the file, so it is refused, the file untouched, when those
// lines are not whole items that the readers take through: after an item cut short its lines would
// become the missing fields of that item, and past the table's last row nothing would read the file.
TEST_F(MasterListPageTest, ANewItemIsNotAppendedToAFileThatCannotBeReadThrough) {
  const std::string tooLong = testing::WellFormedItemFile(ItemTableColumns::kLastRow + 1);
  const std::string full = testing::WellFormedItemFile(ItemTableColumns::kLastRow);
  struct Case {
    const char* what;
    std::string bytes;
    int loadErrors;  // the load's own message
  };
  const Case cases[] = {
      {"an item cut short", ItemFileBytes(SmallItemFile()) + "5\r\nLAST\r\n", 1},
      {"one item more than the table holds", tooLong, 1},
      {"as many items as the table holds", full, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(itemFile_, c.bytes);
    window_ = WindowOfTheTest{};
    page_.FormLoad();
    ASSERT_EQ(window_.itemFileErrors, c.loadErrors);
    page_.AddEntryClick();
    Type(EditBox::Text3, "NEW-1");
    page_.SaveButtonClick();
    EXPECT_EQ(window_.itemFileErrors, c.loadErrors + 1);
    EXPECT_TRUE(window_.messages.empty());
    EXPECT_TRUE(ItemFileNow() == c.bytes);
    EXPECT_EQ(page_.AddModeFlag(), kAddModeOn);
    EXPECT_EQ(window_.texts[EditBox::Text3], "NEW-1");
  }
  // Once the file is whole again, the same Save appends the item.
  WriteItems(SmallItemFile());
  window_.texts[EditBox::Text16] = "5";
  page_.SaveButtonClick();
  ItemFields added = NewItemAsAddLeftIt();
  FieldOf(added, ItemField::ItemNumber) = "NEW-1";
  EXPECT_EQ(ItemFileNow(), ItemFileBytes(SmallItemFile()) + ItemFileBytes({added}));
}

TEST_F(MasterListPageTest, ANewItemGoesOnALineOfItsOwnAfterALastLineWithoutItsEnd) {
  std::vector<ItemFields> items = SmallItemFile();
  FieldOf(items[3], ItemField::SoldYear) = "8";
  std::string bytes = ItemFileBytes(items);
  bytes.resize(bytes.size() - 2);  // the last counter's CR LF
  WriteBytes(itemFile_, bytes);
  page_.FormLoad();
  page_.AddEntryClick();
  page_.SaveButtonClick();
  const ItemFields added = NewItemAsAddLeftIt();
  EXPECT_EQ(ItemFileNow(), ItemFileBytes(items) + ItemFileBytes({added}));
}

TEST_F(MasterListPageTest, SavingAChangedItemReplacesItAloneAndKeepsTheOtherItemOfItsSlot) {
  std::vector<ItemFields> items = SmallItemFile();
  items.push_back(items[1]);  // slot 2 twice
  FieldOf(items[4], ItemField::ItemNumber) = "DUP";
  WriteItems(items);
  page_.FormLoad();
  ClickLine(1);
  Type(EditBox::Text5, "12.50");
  Type(EditBox::Text10, "12.50");
  Type(EditBox::Text6, "Flat washer M10");
  page_.SaveButtonClick();
  // The boxes of slot 2 as the click filled them, with the counters fitted and empty ones read as 0.
  std::vector<ItemFields> expected = items;
  expected[1] = {"2", "AB", "Flat washer M10", "5", "12.50", "10", "20", "12.5",
                 "0", "2",  "0",               "4", "1",     "1",  "1",  "1"};
  EXPECT_EQ(ItemFileNow(), ItemFileBytes(expected));
  EXPECT_TRUE(window_.messages.empty());
  EXPECT_EQ(page_.Counters().CounterMax, 5);
  EXPECT_EQ(window_.list1.size(), 5u);
}

// A Save or Delete whose item cannot be found as it was chosen writes nothing and tells the user; the
// boxes keep what was typed and the table still matches the lists.
TEST_F(MasterListPageTest, ASaveOrDeleteOfAnItemNoLongerInTheFileWritesNothingAndKeepsTheListsInStep) {
  struct Case {
    const char* what;
    std::function<void(std::vector<ItemFields>&)> changeUnderTheWindow;
    const char* slotBox;  // nullptr: as the click filled it
  };
  const Case cases[] = {
      {"its item number changed", [](auto& items) { FieldOf(items[1], ItemField::ItemNumber) = "AB-RENAMED"; },
       nullptr},
      {"its slot number changed", [](auto& items) { FieldOf(items[1], ItemField::LineNo) = "9"; }, nullptr},
      {"the item file emptied", [](auto& items) { items.clear(); }, nullptr},
      // Save alone: a Delete without a selected row of the slot box's number does nothing and says nothing.
      {"a slot box of no chosen item", [](auto&) {}, "77"},
  };
  for (const bool deleting : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(deleting ? "Delete: " : "Save: ") + c.what);
      if (deleting && c.slotBox) continue;
      WriteItems(SmallItemFile());
      window_ = WindowOfTheTest{};
      page_.FormLoad();
      ClickLine(1);
      std::vector<ItemFields> changed = SmallItemFile();
      c.changeUnderTheWindow(changed);
      WriteItems(changed);
      const std::string before = ItemFileNow();
      if (c.slotBox) Type(EditBox::Text16, c.slotBox);
      Type(EditBox::Text6, "Flat washer M10");
      if (deleting) {
        page_.DeleteEntryClick();
      } else {
        page_.SaveButtonClick();
      }
      EXPECT_EQ(ItemFileNow(), before);
      EXPECT_EQ(window_.messages, std::vector<std::string>{kItemGoneText});
      EXPECT_EQ(window_.itemFileErrors, 0);
      EXPECT_EQ(window_.texts[EditBox::Text6], "Flat washer M10");
      EXPECT_EQ(window_.list1.size(), 4u);
      ClickLine(3);
      EXPECT_EQ(window_.texts[EditBox::Text16], "4");
      EXPECT_EQ(window_.texts[EditBox::Text3], FitToWidth("XY-7", 15));
    }
  }
}

// A category choice refills the table but leaves the edit row: Save still stores it over the item it
// came from, while Delete, whose selected row now holds another slot, blanks nothing.
TEST_F(MasterListPageTest, AfterACategoryChoiceSaveKeepsToTheClickedItemAndDeleteToTheSelectedRow) {
  for (const bool deleting : {false, true}) {
    SCOPED_TRACE(deleting ? "Delete" : "Save");
    WriteItems(SmallItemFile());
    window_ = WindowOfTheTest{};
    page_.FormLoad();
    ClickLine(1);           // slot 2
    ChooseCategoryLine(0);  // "12": slot 4 alone
    Type(EditBox::Text6, "Flat washer M10");
    std::vector<ItemFields> expected = SmallItemFile();
    if (deleting) {
      page_.DeleteEntryClick();
    } else {
      page_.SaveButtonClick();
      FieldOf(expected[1], ItemField::Description) = "Flat washer M10";
      // The number boxes as the click filled them: the cost as shown, the rest as numbers.
      FieldOf(expected[1], ItemField::Cost) = "0.05";
      FieldOf(expected[1], ItemField::ItemPrice1) = "0.1";
      for (ItemField counter : {ItemField::Receipts, ItemField::Transout}) FieldOf(expected[1], counter) = "0";
    }
    EXPECT_EQ(ItemFileNow(), ItemFileBytes(expected));
    EXPECT_TRUE(window_.messages.empty());
  }
}

TEST_F(MasterListPageTest, SavingWithAnEmptySlotBoxWritesNothingAndEndsAddMode) {
  const std::string before = ItemFileNow();
  page_.FormLoad();
  page_.AddEntryClick();
  Type(EditBox::Text16, "");
  Type(EditBox::Text6, "comma, not looked at");
  page_.SaveButtonClick();
  EXPECT_EQ(ItemFileNow(), before);
  EXPECT_EQ(page_.AddModeFlag(), kAddModeOff);
  EXPECT_EQ(window_.commaQuoteErrors, 0);
  ExpectEmptyEditRow();
  EXPECT_EQ(window_.list1.size(), 4u);
}

TEST_F(MasterListPageTest, ASaveThatCannotReadTheFileTellsTheUserAndKeepsTheBoxes) {
  page_.FormLoad();
  ClickLine(0);
  WriteBytes(itemFile_, ItemFileBytes(SmallItemFile()) + "5\r\n");
  const std::string before = ItemFileNow();
  page_.SaveButtonClick();
  EXPECT_EQ(window_.itemFileErrors, 1);
  EXPECT_EQ(ItemFileNow(), before);
  EXPECT_EQ(window_.texts[EditBox::Text16], "1");
}

// After a Save or Delete that wrote nothing, a click on a line still finds the item of that line, and
// the boxes, the selection and add mode are as the user left them.
TEST_F(MasterListPageTest, ASaveOrDeleteThatWritesNothingKeepsTheTableInStepWithTheLists) {
  struct Case {
    const char* what;
    bool deleting;
    const char* description;  // typed into Text6
    long failWritesAfter;
    std::vector<std::string> messages;
    int itemFileErrors;
    int commaQuoteErrors;
  };
  const Case cases[] = {
      {"a save whose write fails", false, "Changed", 10, {kItemFileNotSavedText}, 0, 0},
      {"a save refused for a comma", false, "Nuts, bolts", -1, {}, 0, 1},
      {"a delete whose write fails", true, "", 10, {kItemFileNotSavedText}, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteItems(SmallItemFile());
    window_ = WindowOfTheTest{};
    const std::string before = ItemFileNow();
    page_.FormLoad();
    ChooseCategoryLine(1);  // category 5: slots 1 and 2, in lines 0 and 1
    ClickLine(1);
    Type(EditBox::Text6, c.description);
    files::FailWritesAfterLinesForTesting(c.failWritesAfter);
    if (c.deleting) {
      page_.DeleteEntryClick();
    } else {
      page_.SaveButtonClick();
    }
    files::FailWritesAfterLinesForTesting(-1);
    EXPECT_EQ(ItemFileNow(), before);
    EXPECT_EQ(window_.messages, c.messages);
    EXPECT_EQ(window_.itemFileErrors, c.itemFileErrors);
    EXPECT_EQ(window_.commaQuoteErrors, c.commaQuoteErrors);
    EXPECT_EQ(window_.list1.size(), 2u);
    EXPECT_EQ(window_.texts[EditBox::Text6], c.description);

    // The same Delete again now acts on the item that the boxes show.
    page_.DeleteEntryClick();
    std::vector<ItemFields> expected = SmallItemFile();
    expected[1] = Blanked(expected[1]);
    EXPECT_EQ(ItemFileNow(), ItemFileBytes(expected));
    WriteItems(SmallItemFile());
    page_.FormLoad();
    ChooseCategoryLine(1);
    ClickLine(0);
    EXPECT_EQ(window_.texts[EditBox::Text16], "1");
    EXPECT_EQ(window_.texts[EditBox::Text3], FitToWidth("ABC-100", 15));
  }
}

TEST_F(MasterListPageTest, DeleteBlanksTheSelectedItemAndKeepsItsSlotAndCategory) {
  std::vector<ItemFields> items = SmallItemFile();
  FieldOf(items[0], ItemField::Receipts) = "123456";  // longer than the view keeps
  WriteItems(items);
  page_.FormLoad();
  page_.AddEntryClick();
  ClickLine(1);
  page_.DeleteEntryClick();
  std::vector<ItemFields> expected = items;
  expected[1] = Blanked(items[1]);
  EXPECT_EQ(ItemFileNow(), ItemFileBytes(expected));
  EXPECT_EQ(window_.list1[1].substr(0, 26), "0002  5    OPEN           ");
  EXPECT_EQ(page_.AddModeFlag(), kAddModeOn);  // the short rebuild leaves add mode as it was
  EXPECT_EQ(window_.focusedList, MasterList::List1);
}

TEST_F(MasterListPageTest, SaveAndDeleteWriteNoFileWhoseFieldsTheReaderCuts) {
  for (const testing::FileTheReaderCuts& file : testing::FilesTheReaderCuts()) {
    for (const bool deleting : {false, true}) {
      SCOPED_TRACE(std::string(file.what) + (deleting ? ", Delete" : ", Save"));
      WriteBytes(itemFile_, file.bytes);
      window_ = WindowOfTheTest{};
      page_.FormLoad();
      ClickLine(0);
      Type(EditBox::Text6, "Hex bolt M8 x 45");
      if (deleting) {
        page_.DeleteEntryClick();
      } else {
        page_.SaveButtonClick();
      }
      EXPECT_EQ(window_.itemFileErrors, 1);
      EXPECT_TRUE(ItemFileNow() == file.bytes);
    }
  }
}

TEST_F(MasterListPageTest, SaveAndDeleteActOnlyOnTheClickedItemOfASlotThatRepeats) {
  // Slot 2 twice; and the last item again, number and slot alike, which only its first copy answers.
  std::vector<ItemFields> items = SmallItemFile();
  FieldOf(items[3], ItemField::LineNo) = "2";
  items.push_back(items[3]);
  FieldOf(items[4], ItemField::Description) = "Second copy";
  struct Case {
    int clicked;  // the line, also the item of the file
    int changed;
    ItemFields saved;  // the clicked item's boxes as Save stores them, the description typed over
  };
  const Case cases[] = {
      {1, 1, {"2", "AB", "Changed", "5", "0.05", "10", "20", "0.1", "0", "2", "0", "4", "1", "1", "1", "1"}},
      {3, 3, {"2", "XY-7", "Changed", "12", "0.30", "12", "5", "0.6", "0", "0", "0", "0", "0", "0", "0", "0"}},
      {4, 3, {"2", "XY-7", "Changed", "12", "0.30", "12", "5", "0.6", "0", "0", "0", "0", "0", "0", "0", "0"}},
  };
  for (const bool deleting : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(deleting ? "Delete" : "Save") + " of line " + std::to_string(c.clicked));
      WriteItems(items);
      window_ = WindowOfTheTest{};
      page_.FormLoad();
      ClickLine(c.clicked);
      Type(EditBox::Text6, "Changed");
      if (deleting) {
        page_.DeleteEntryClick();
      } else {
        page_.SaveButtonClick();
      }
      std::vector<ItemFields> expected = items;
      expected[c.changed] = deleting ? Blanked(items[c.changed]) : c.saved;
      EXPECT_EQ(ItemFileNow(), ItemFileBytes(expected));
      EXPECT_TRUE(window_.messages.empty());
      EXPECT_EQ(window_.itemFileErrors, 0);
    }
  }
}

TEST_F(MasterListPageTest, DeleteAfterACategoryChoiceOrAScreenSortKeepsEveryOtherItem) {
  for (const bool sorted : {false, true}) {
    SCOPED_TRACE(sorted ? "screen sort" : "category choice");
    WriteItems(SmallItemFile());
    page_.FormLoad();
    if (sorted) {
      page_.SortMasterListClick();  // lists 12 then 5: item 4, item 1, item 2
      ClickLine(2);
    } else {
      ChooseCategoryLine(1);
      ClickLine(1);
    }
    ASSERT_EQ(window_.texts[EditBox::Text16], "2");
    page_.DeleteEntryClick();
    std::vector<ItemFields> expected = SmallItemFile();
    expected[1] = Blanked(expected[1]);
    EXPECT_EQ(ItemFileNow(), ItemFileBytes(expected));
  }
}

TEST_F(MasterListPageTest, DeleteWithoutASelectedItemChangesNothing) {
  const std::string before = ItemFileNow();
  page_.FormLoad();
  page_.SaveButtonClick();  // with an empty slot box: the lists and boxes rebuilt, nothing written
  page_.DeleteEntryClick();
  EXPECT_EQ(ItemFileNow(), before);
  EXPECT_EQ(window_.itemFileErrors, 0);
  EXPECT_EQ(window_.focusedList, MasterList::List1);

  ClickLine(0);
  page_.RefreshClick();
  page_.DeleteEntryClick();
  EXPECT_EQ(ItemFileNow(), before);
}

TEST_F(MasterListPageTest, RefreshListsEveryItemAgainAndEndsAddMode) {
  page_.FormLoad();
  ChooseCategoryLine(0);
  ASSERT_EQ(window_.list1.size(), 1u);
  page_.AddEntryClick();
  page_.RefreshClick();
  EXPECT_EQ(window_.list1.size(), 4u);
  EXPECT_EQ(window_.list2, (std::vector<std::string>{"12  ", "5   "}));
  EXPECT_EQ(page_.AddModeFlag(), kAddModeOff);
  EXPECT_EQ(page_.Counters().CounterMax, 4);
  EXPECT_EQ(ItemTable.ReceiptsArr(2), "    ");  // fitted, as the load keeps them
  ExpectEmptyEditRow();
  EXPECT_EQ(window_.focusedList, MasterList::List2);
}

TEST_F(MasterListPageTest, ScreenSortGroupsTheItemsByTheCodesOrderByNumericValue) {
  std::vector<ItemFields> items = SmallItemFile();
  FieldOf(items[2], ItemField::Category) = "7";
  WriteItems(items);
  WriteBytes(categoryFile_, "12\r\n05\r\n07\r\n5\r\n");
  page_.FormLoad();
  page_.AddEntryClick();
  page_.SortMasterListClick();
  std::vector<std::string> slots;
  for (const std::string& line : window_.list1) slots.push_back(line.substr(0, 4));
  // 12, then 5 (under 05), then 7, then 5 again: an item under two equal codes is listed twice.
  EXPECT_EQ(slots, (std::vector<std::string>{"0004", "0001", "0002", "0003", "0001", "0002"}));
  EXPECT_EQ(page_.Counters().CounterMax, 6);
  EXPECT_EQ(ItemTable.LineNoArr(4), "3");
  EXPECT_EQ(ItemTable.SoldYearArr(2), "40");  // counters whole
  EXPECT_EQ(page_.AddModeFlag(), kAddModeOff);
  EXPECT_EQ(window_.focusedList, MasterList::List2);
  ExpectEmptyEditRow();
}

TEST_F(MasterListPageTest, AnEmptyCategoryListShowsEveryItemOnRefreshAndNothingOnScreenSort) {
  WriteBytes(categoryFile_, "");
  page_.FormLoad();
  page_.RefreshClick();
  EXPECT_EQ(window_.list1.size(), 4u);
  EXPECT_TRUE(window_.list2.empty());
  page_.SortMasterListClick();
  EXPECT_TRUE(window_.list1.empty());
  EXPECT_EQ(page_.Counters().CounterMax, 0);
  EXPECT_EQ(window_.itemFileErrors, 0);
}

TEST_F(MasterListPageTest, RefreshAndScreenSortWithoutTheCategoryListBlameTheCategoryList) {
  page_.FormLoad();
  std::remove(categoryFile_.c_str());
  for (const bool sorting : {false, true}) {
    SCOPED_TRACE(sorting ? "screen sort" : "refresh");
    window_.messages.clear();
    if (sorting) {
      page_.SortMasterListClick();
    } else {
      page_.RefreshClick();
    }
    EXPECT_EQ(window_.messages, std::vector<std::string>{kCategoryListErrorText});
    EXPECT_EQ(window_.itemFileErrors, 0);
    EXPECT_TRUE(window_.list2.empty());
  }
}

TEST_F(MasterListPageTest, ExitEndsAddMode) {
  page_.FormLoad();
  page_.AddEntryClick();
  page_.ExitClick();
  EXPECT_EQ(page_.AddModeFlag(), kAddModeOff);
}

}  // namespace
}  // namespace korvane
