// Every window that reads the item file or the category list, opened from the main menu's ribbon and
// worked with each file of a small corpus of damaged, odd and missing files: each step either shows the
// message expected of it or none, nothing writes either file, and the window is still there at the end.
// The driver fails a test on any message box it was not told to expect.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "KorvaneWindowsFixture.h"
#include "items/CategoryList.h"
#include "items/DebugInventory.h"
#include "items/ItemFile.h"
#include "items/ItemTable.h"
#include "items/MainMenuWindow.h"
#include "items/tests/ItemFileFixtures.h"

namespace korvane {
namespace {

using testing::FieldOf;
using testing::ItemFields;
using testing::ItemFileBytes;
using testing::SmallItemFile;

// The files of the corpus.
enum class BadFile {
  EmptyItemFile,
  SeventeenLines,     // one whole item and the first line of the next
  UnclosedQuote,      // a description opened by a double quote that no quote closes
  OneItemTooMany,     // one item more than the item table holds
  BinaryBytes,        // NULs and 0xFF bytes between lone CRs: one whole item and five fields
  MegabyteLine,       // the small item file and then one line of a megabyte
  NoCategoryList,     // the small item file, and no category list
  EmptyCategoryList,  // the small item file, and an empty category list
};

const char* NameOf(BadFile file) {
  static const char* const kNames[] = {"EmptyItemFile", "SeventeenLines", "UnclosedQuote",  "OneItemTooMany",
                                       "BinaryBytes",   "MegabyteLine",   "NoCategoryList", "EmptyCategoryList"};
  return kNames[static_cast<int>(file)];
}

constexpr char kCategoryCodes[] = "12\r\n5\r\n";

// The item file of 15,001 items, made once for every case that uses it.
const std::string& OneItemTooManyBytes() {
  static const std::string bytes = testing::WellFormedItemFile(ItemTableColumns::kLastRow + 1);
  return bytes;
}

std::string BinaryItemFileBytes() {
  std::string bytes;
  for (int field = 0; field < 21; ++field) {
    if (field > 0) bytes += '\r';
    bytes += '\0';
    bytes.append(static_cast<std::size_t>(field % 3 + 1), '\xFF');
    bytes += '\0';
  }
  return bytes;
}

std::string MegabyteLineBytes() {
  std::string line;
  while (line.size() < (1u << 20)) line += "Long line without commas or quotes ";
  return ItemFileBytes(SmallItemFile()) + line + "\r\n";
}

// The item file of a case, and its category list (none: no such file).
struct CorpusFiles {
  std::string items;
  std::optional<std::string> categories = std::string(kCategoryCodes);
};

CorpusFiles FilesOf(BadFile file) {
  const std::string small = ItemFileBytes(SmallItemFile());
  switch (file) {
    case BadFile::EmptyItemFile: return {""};
    case BadFile::SeventeenLines: return {ItemFileBytes({SmallItemFile()[0]}) + "2\r\n"};
    case BadFile::UnclosedQuote: {
      std::vector<ItemFields> items = SmallItemFile();
      FieldOf(items[1], ItemField::Description) = "\"Flat washer M8";
      return {ItemFileBytes(items)};
    }
    case BadFile::OneItemTooMany: return {OneItemTooManyBytes()};
    case BadFile::BinaryBytes: return {BinaryItemFileBytes()};
    case BadFile::MegabyteLine: return {MegabyteLineBytes()};
    case BadFile::NoCategoryList: return {small, std::nullopt};
    case BadFile::EmptyCategoryList: return {small, std::string()};
  }
  return {small};
}

// The windows, each with the ribbon of the main menu that opens it.
enum class Window { Form60, Form3, Form2, Form4, Form41, Form12, Form37, Form63 };

struct WindowRow {
  const char* form;
  const char* ribbon;
};

const WindowRow& RowOf(Window window) {
  static const WindowRow kWindows[] = {
      {"Form60", "InventoryReports"}, {"Form3", "InventoryAdjustments"}, {"Form2", "SortInventoryFile"},
      {"Form4", "DebugTool"},         {"Form41", "InvAdjRpt"},           {"Form12", "SalesAndInventory"},
      {"Form37", "ProcessInventory"}, {"Form63", "ZeroSales"},
  };
  return kWindows[static_cast<int>(window)];
}

// What the user does in the window.
enum class Act {
  Open,            // the window's ribbon on the main menu
  AddAndSave,      // master list: Add, then Save of the new item as Add proposed it
  SaveFirstItem,   // master list: the first line clicked, then Save
  DeleteFirstItem, // master list: the first line clicked, then Delete
  LookUpNothing,   // Adjust Inventory: Receipts, then an item number that no item has and Enter
  PostToFirstItem, // Adjust Inventory: Refresh Page, Receipts, Enter on no number (the first item), 5 and
                   // Enter, Save
  Sort,            // sort: the ribbon
  StartDebug,      // Debug Inventory: Start Debug
  Print,           // a report: the print button
  Screen,          // a report: the screen button
  ZeroAdjustments, // the Zero Adjustments button
  ZeroDay,         // the Daily Processing button
};

// What a control shows after a step: its text, or its number of lines.
struct Shows {
  const char* control = nullptr;  // nullptr: nothing looked at
  const char* text = nullptr;     // nullptr: the number of lines instead
  int lines = 0;
};

struct Step {
  Act act;
  const char* message;  // the one message box of the step, or nullptr for none
  Shows shows = {};
};

struct Case {
  Window window;
  BadFile file;
  std::vector<Step> steps;
};

// How a failing case names itself.
void PrintTo(const Case& c, std::ostream* out) { *out << RowOf(c.window).form << " with " << NameOf(c.file); }

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
  return std::string(RowOf(info.param.window).form) + "_" + NameOf(info.param.file);
}

constexpr const char* kNone = nullptr;
const char* const kUnreadable = kItemFileErrorText;
const char* const kTooLong = kItemFileTooLongText;
const char* const kNoList = kCategoryListErrorText;
const char* const kShort = kLastItemShortText;

Shows Lines(const char* list, int lines) { return {list, nullptr, lines}; }
Shows TextOf(const char* control, const char* text) { return {control, text}; }

const std::vector<Case>& Cases() {
  static const std::vector<Case> kCases = {
      // The master list: the load reads both files and lists what it could read; a changed or blanked
      // item is written only into a file that can be read through and whose lines the reader does not
      // cut, and a new item is appended only to a file that can be read through. Add mode, which a
      // refused Save keeps, comes last. (The binary file's first slot reads as 0 in its box, so its Save
      // writes nothing and rebuilds the lists, which finds the file unreadable again.)
      {Window::Form60, BadFile::EmptyItemFile, {{Act::Open, kNone, Lines("List1", 0)}}},
      {Window::Form60, BadFile::SeventeenLines,
       {{Act::Open, kUnreadable, Lines("List1", 1)},
        {Act::SaveFirstItem, kUnreadable},
        {Act::DeleteFirstItem, kUnreadable},
        {Act::AddAndSave, kUnreadable}}},
      {Window::Form60, BadFile::UnclosedQuote,
       {{Act::Open, kNone, Lines("List1", 4)},
        {Act::SaveFirstItem, kUnreadable},
        {Act::DeleteFirstItem, kUnreadable, Lines("List1", 4)}}},
      {Window::Form60, BadFile::OneItemTooMany,
       {{Act::Open, kUnreadable, Lines("List1", ItemTableColumns::kLastRow)},
        {Act::SaveFirstItem, kUnreadable},
        {Act::DeleteFirstItem, kUnreadable},
        {Act::AddAndSave, kUnreadable}}},
      {Window::Form60, BadFile::BinaryBytes,
       {{Act::Open, kUnreadable, Lines("List1", 1)},
        {Act::SaveFirstItem, kUnreadable, Lines("List1", 1)},
        {Act::DeleteFirstItem, kUnreadable},
        {Act::AddAndSave, kUnreadable}}},
      {Window::Form60, BadFile::MegabyteLine,
       {{Act::Open, kUnreadable, Lines("List1", 4)},
        {Act::SaveFirstItem, kUnreadable},
        {Act::DeleteFirstItem, kUnreadable},
        {Act::AddAndSave, kUnreadable}}},
      {Window::Form60, BadFile::NoCategoryList, {{Act::Open, kNoList, Lines("List1", 0)}}},
      {Window::Form60, BadFile::EmptyCategoryList, {{Act::Open, kNone, Lines("List2", 0)}}},

      // Adjust Inventory reads nothing when it opens; the lookup reads up to the item it finds, the
      // posting the whole file.
      {Window::Form3, BadFile::EmptyItemFile,
       {{Act::Open, kNone}, {Act::LookUpNothing, kNone}, {Act::PostToFirstItem, kNone, TextOf("Text16", "")}}},
      {Window::Form3, BadFile::SeventeenLines,
       {{Act::Open, kNone}, {Act::LookUpNothing, kUnreadable}, {Act::PostToFirstItem, kUnreadable}}},
      {Window::Form3, BadFile::UnclosedQuote,
       {{Act::Open, kNone}, {Act::LookUpNothing, kNone}, {Act::PostToFirstItem, kUnreadable}}},
      {Window::Form3, BadFile::OneItemTooMany,
       {{Act::Open, kNone}, {Act::LookUpNothing, kUnreadable}, {Act::PostToFirstItem, kTooLong}}},
      {Window::Form3, BadFile::BinaryBytes,
       {{Act::Open, kNone}, {Act::LookUpNothing, kUnreadable}, {Act::PostToFirstItem, kUnreadable}}},
      {Window::Form3, BadFile::MegabyteLine,
       {{Act::Open, kNone}, {Act::LookUpNothing, kUnreadable}, {Act::PostToFirstItem, kUnreadable}}},
      {Window::Form3, BadFile::NoCategoryList, {{Act::Open, kNone}, {Act::LookUpNothing, kNone}}},
      {Window::Form3, BadFile::EmptyCategoryList, {{Act::Open, kNone}, {Act::LookUpNothing, kNone}}},

      // The sort checks the item file when it opens and reads both files before it writes.
      {Window::Form2, BadFile::EmptyItemFile, {{Act::Open, kNone}, {Act::Sort, kNone, TextOf("Text4", "DONE")}}},
      {Window::Form2, BadFile::SeventeenLines,
       {{Act::Open, kUnreadable}, {Act::Sort, kUnreadable, TextOf("Text4", "")}}},
      {Window::Form2, BadFile::UnclosedQuote, {{Act::Open, kNone}, {Act::Sort, kUnreadable, TextOf("Text4", "")}}},
      {Window::Form2, BadFile::OneItemTooMany, {{Act::Open, kUnreadable}, {Act::Sort, kTooLong, TextOf("Text4", "")}}},
      {Window::Form2, BadFile::BinaryBytes, {{Act::Open, kUnreadable}, {Act::Sort, kUnreadable, TextOf("Text4", "")}}},
      {Window::Form2, BadFile::MegabyteLine,
       {{Act::Open, kUnreadable}, {Act::Sort, kUnreadable, TextOf("Text4", "")}}},
      {Window::Form2, BadFile::NoCategoryList, {{Act::Open, kNone}, {Act::Sort, kNoList, TextOf("Text4", "")}}},
      // Sorted by no code, every item keeps its place: the file is written again as it was.
      {Window::Form2, BadFile::EmptyCategoryList, {{Act::Open, kNone}, {Act::Sort, kNone, TextOf("Text4", "DONE")}}},

      // The Debug Inventory tool's scan reads whole lines, so it sees the quote the others cut; it
      // writes nothing.
      {Window::Form4, BadFile::EmptyItemFile,
       {{Act::Open, kNone}, {Act::StartDebug, kNone, TextOf("Text9", "Complete")}}},
      {Window::Form4, BadFile::SeventeenLines, {{Act::Open, kNone}, {Act::StartDebug, kShort, TextOf("Text9", "ERROR")}}},
      {Window::Form4, BadFile::UnclosedQuote, {{Act::Open, kNone}, {Act::StartDebug, kNone, TextOf("Text16", "2")}}},
      {Window::Form4, BadFile::OneItemTooMany,
       {{Act::Open, kNone}, {Act::StartDebug, kTooLong, TextOf("Text9", "ERROR")}}},
      {Window::Form4, BadFile::BinaryBytes, {{Act::Open, kNone}, {Act::StartDebug, kShort, TextOf("Text9", "ERROR")}}},
      {Window::Form4, BadFile::MegabyteLine, {{Act::Open, kNone}, {Act::StartDebug, kShort, TextOf("Text9", "ERROR")}}},
      {Window::Form4, BadFile::NoCategoryList,
       {{Act::Open, kNone}, {Act::StartDebug, kNone, TextOf("Text9", "Complete")}}},
      {Window::Form4, BadFile::EmptyCategoryList,
       {{Act::Open, kNone}, {Act::StartDebug, kNone, TextOf("Text9", "Complete")}}},

      // The adjustments report: its print-out reads both files, its screen list only the item file.
      {Window::Form41, BadFile::EmptyItemFile,
       {{Act::Open, kNone}, {Act::Print, kNone}, {Act::Screen, kNone, Lines("List1", 0)}}},
      {Window::Form41, BadFile::SeventeenLines,
       {{Act::Open, kUnreadable}, {Act::Print, kUnreadable}, {Act::Screen, kUnreadable, Lines("List1", 0)}}},
      // The reader ends the quoted description at its line end: the reports show the file as it reads.
      {Window::Form41, BadFile::UnclosedQuote,
       {{Act::Open, kNone}, {Act::Print, kNone}, {Act::Screen, kNone, Lines("List1", 2)}}},
      {Window::Form41, BadFile::OneItemTooMany,
       {{Act::Open, kUnreadable}, {Act::Print, kUnreadable}, {Act::Screen, kUnreadable, Lines("List1", 0)}}},
      {Window::Form41, BadFile::BinaryBytes,
       {{Act::Open, kUnreadable}, {Act::Print, kUnreadable}, {Act::Screen, kUnreadable, Lines("List1", 0)}}},
      {Window::Form41, BadFile::MegabyteLine,
       {{Act::Open, kUnreadable}, {Act::Print, kUnreadable}, {Act::Screen, kUnreadable, Lines("List1", 0)}}},
      {Window::Form41, BadFile::NoCategoryList,
       {{Act::Open, kNone}, {Act::Print, kNoList}, {Act::Screen, kNone, Lines("List1", 2)}}},
      {Window::Form41, BadFile::EmptyCategoryList,
       {{Act::Open, kNone}, {Act::Print, kNone}, {Act::Screen, kNone, Lines("List1", 2)}}},

      // The sales report: both outputs go in category order, so both read both files.
      {Window::Form12, BadFile::EmptyItemFile,
       {{Act::Open, kNone}, {Act::Print, kNone}, {Act::Screen, kNone, Lines("List1", 0)}}},
      {Window::Form12, BadFile::SeventeenLines,
       {{Act::Open, kUnreadable}, {Act::Print, kUnreadable}, {Act::Screen, kUnreadable, Lines("List1", 0)}}},
      {Window::Form12, BadFile::UnclosedQuote,
       {{Act::Open, kNone}, {Act::Print, kNone}, {Act::Screen, kNone, Lines("List1", 3)}}},
      {Window::Form12, BadFile::OneItemTooMany,
       {{Act::Open, kUnreadable}, {Act::Print, kUnreadable}, {Act::Screen, kUnreadable, Lines("List1", 0)}}},
      {Window::Form12, BadFile::BinaryBytes,
       {{Act::Open, kUnreadable}, {Act::Print, kUnreadable}, {Act::Screen, kUnreadable, Lines("List1", 0)}}},
      {Window::Form12, BadFile::MegabyteLine,
       {{Act::Open, kUnreadable}, {Act::Print, kUnreadable}, {Act::Screen, kUnreadable, Lines("List1", 0)}}},
      {Window::Form12, BadFile::NoCategoryList,
       {{Act::Open, kNone}, {Act::Print, kNoList}, {Act::Screen, kNoList, Lines("List1", 0)}}},
      {Window::Form12, BadFile::EmptyCategoryList,
       {{Act::Open, kNone}, {Act::Print, kNone}, {Act::Screen, kNone, Lines("List1", 0)}}},

      // The resets check the item file when they open; a press reads it whole before it writes. Neither
      // reads the category list, so with a sound item file they only open.
      {Window::Form37, BadFile::EmptyItemFile, {{Act::Open, kNone}, {Act::ZeroAdjustments, kNone}}},
      {Window::Form37, BadFile::SeventeenLines, {{Act::Open, kUnreadable}, {Act::ZeroAdjustments, kUnreadable}}},
      {Window::Form37, BadFile::UnclosedQuote, {{Act::Open, kNone}, {Act::ZeroAdjustments, kUnreadable}}},
      {Window::Form37, BadFile::OneItemTooMany, {{Act::Open, kUnreadable}, {Act::ZeroAdjustments, kTooLong}}},
      {Window::Form37, BadFile::BinaryBytes, {{Act::Open, kUnreadable}, {Act::ZeroAdjustments, kUnreadable}}},
      {Window::Form37, BadFile::MegabyteLine, {{Act::Open, kUnreadable}, {Act::ZeroAdjustments, kUnreadable}}},
      {Window::Form37, BadFile::NoCategoryList, {{Act::Open, kNone}}},
      {Window::Form37, BadFile::EmptyCategoryList, {{Act::Open, kNone}}},

      {Window::Form63, BadFile::EmptyItemFile, {{Act::Open, kNone}, {Act::ZeroDay, kNone}}},
      {Window::Form63, BadFile::SeventeenLines, {{Act::Open, kUnreadable}, {Act::ZeroDay, kUnreadable}}},
      {Window::Form63, BadFile::UnclosedQuote, {{Act::Open, kNone}, {Act::ZeroDay, kUnreadable}}},
      {Window::Form63, BadFile::OneItemTooMany, {{Act::Open, kUnreadable}, {Act::ZeroDay, kTooLong}}},
      {Window::Form63, BadFile::BinaryBytes, {{Act::Open, kUnreadable}, {Act::ZeroDay, kUnreadable}}},
      {Window::Form63, BadFile::MegabyteLine, {{Act::Open, kUnreadable}, {Act::ZeroDay, kUnreadable}}},
      {Window::Form63, BadFile::NoCategoryList, {{Act::Open, kNone}}},
      {Window::Form63, BadFile::EmptyCategoryList, {{Act::Open, kNone}}},
  };
  return kCases;
}

class BadFileWindow : public testing::KorvaneWindowsTest, public ::testing::WithParamInterface<Case> {
 protected:
  void SetUp() override {
    KorvaneWindowsTest::SetUp();
    // The Debug Inventory ribbon starts the backup batch file first; this one does nothing.
    testing::WriteBytes("c:\\Korvane\\BAKITEMD.BAT", "@rem\r\n");
    files_ = FilesOf(GetParam().file);
    WriteItemFile(files_.items);
    if (files_.categories) {
      testing::WriteBytes(testing::kCategoryFile, *files_.categories);
    } else {
      std::remove(testing::kCategoryFile);
    }
  }

  forms::testing::DrivenForm Window() { return ui_.On(RowOf(GetParam().window).form); }

  void Do(Act act) {
    switch (act) {
      case Act::Open: {
        auto menu = ui_.Show<Form1>();
        menu.Click(RowOf(GetParam().window).ribbon);
        testing::SwitchCapsLockOff();  // the main menu switched it on
        break;
      }
      case Act::AddAndSave: Window().Click("AddEntry").Click("SaveButton"); break;
      case Act::SaveFirstItem: Window().ClickListLine("List1", 0).Click("SaveButton"); break;
      case Act::DeleteFirstItem: Window().ClickListLine("List1", 0).Click("DeleteEntry"); break;
      case Act::LookUpNothing: Window().Click("ItemReceipts").Type("Text38", "ZZ").PressEnter("Text38"); break;
      case Act::PostToFirstItem:
        // From a fresh page, whatever the lookup before left chosen.
        Window().Click("RefreshAdJInv").Click("ItemReceipts").PressEnter("Text38");
        Window().Type("Text36", "5").PressEnter("Text36");
        Window().Click("SaveButton4");
        break;
      case Act::Sort: Window().Click("SortInventoryFile"); break;
      case Act::StartDebug: Window().Click("DebugTool"); break;
      case Act::Print: Window().Click("cmdPrint"); break;
      case Act::Screen: Window().Click("cmdScreen"); break;
      case Act::ZeroAdjustments: Window().Click("ZeroTrans"); break;
      case Act::ZeroDay: Window().Click("DailyProc"); break;
    }
  }

  CorpusFiles files_;
};

TEST_P(BadFileWindow, EachStepShowsItsMessageAndNeitherFileIsWritten) {
  const Case& c = GetParam();
  for (std::size_t i = 0; i < c.steps.size(); ++i) {
    const Step& step = c.steps[i];
    SCOPED_TRACE("step " + std::to_string(i));
    ui_.ForgetMessageBoxes();
    const std::size_t documents = ui_.PrintedDocuments().size();
    if (step.message) ui_.AnswerNextMessageBox(IDOK);
    Do(step.act);
    ASSERT_TRUE(ui_.IsVisible(RowOf(c.window).form));
    if (step.message) {
      ASSERT_EQ(ui_.MessageBoxes().size(), 1u);
      const auto& box = ui_.MessageBoxes()[0];
      EXPECT_EQ(box.text, step.message);
      EXPECT_EQ(box.title, kErrorConditionTitle);
      EXPECT_EQ(box.style, 16u);
      if (step.message == kItemFileErrorText) {
        EXPECT_EQ(box.help_file, "DEMO.HLP");
        EXPECT_EQ(box.help_context, 1000u);
      }
    } else {
      EXPECT_TRUE(ui_.MessageBoxes().empty());
    }
    // A report that could not read its files prints nothing; one that could prints its document.
    if (step.act == Act::Print) {
      EXPECT_EQ(ui_.PrintedDocuments().size(), documents + (step.message ? 0 : 1));
    }
    if (step.shows.control) {
      if (step.shows.text) {
        EXPECT_EQ(Window().Text(step.shows.control), step.shows.text) << step.shows.control;
      } else {
        EXPECT_EQ(Window().Lines(step.shows.control).size(), static_cast<std::size_t>(step.shows.lines))
            << step.shows.control;
      }
    }
    // Compared without printing a megabyte when they differ.
    EXPECT_TRUE(ItemFileNow() == files_.items) << "Item.dat changed";
    if (files_.categories) {
      EXPECT_EQ(testing::ReadBytes(testing::kCategoryFile), *files_.categories);
    } else {
      EXPECT_EQ(GetFileAttributesA(testing::kCategoryFile), INVALID_FILE_ATTRIBUTES) << "Item.Txt was made";
    }
    EXPECT_EQ(GetFileAttributesA("c:\\Korvane\\Item.dat.tmp"), INVALID_FILE_ATTRIBUTES);
  }
}

INSTANTIATE_TEST_SUITE_P(Corpus, BadFileWindow, ::testing::ValuesIn(Cases()), CaseName);

}  // namespace
}  // namespace korvane
