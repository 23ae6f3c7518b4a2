#include "items/DebugInventory.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "files/SequentialFiles.h"
#include "files/tests/TempFolder.h"
#include "items/MasterListLine.h"
#include "items/tests/ItemFileFixtures.h"

namespace korvane {
namespace {

using korvane::testing::ReadBytes;
using korvane::testing::TempFolder;
using korvane::testing::WellFormedItem;
using korvane::testing::WellFormedItemFile;
using korvane::testing::WriteBytes;
using ItemLines = std::array<std::string, kItemFieldCount>;

// An item as its 16 lines, fixed fields at full width; a test changes one line before writing it.
ItemLines CleanItem(const std::string& slot) {
  return {slot, FitToWidth("P-100", 15), FitToWidth("Hex bolt M8", 30), "5 ", FitToWidth("1.5", 8),
          "3     ", "1     ", "2", "7", "", "1", "", "", "4", "9", "40"};
}

std::string Bytes(const std::vector<ItemLines>& items) {
  std::string bytes;
  for (const ItemLines& item : items) {
    for (const std::string& line : item) bytes += line + "\r\n";
  }
  return bytes;
}

const ScannedField& Scanned(ItemField field) {
  for (const ScannedField& scanned : kScannedFields) {
    if (scanned.field == field) return scanned;
  }
  throw std::logic_error("not scanned");
}

class DebugInventoryTest : public ::testing::Test {
 protected:
  void TearDown() override {
    files::FailWritesAfterLinesForTesting(-1);
    files::CloseAllFiles();
  }
  std::string ItemFile() const { return folder_.File("Item.dat"); }

  ScanOutcome Scan() {
    listed_.clear();
    hit_ = ScanHit{};
    return tool_.Scan([this](const std::string& code) { listed_.push_back(code); }, hit_);
  }
  // A save whose boxes hold `corrected` and pass the check when they hold neither a comma nor a quote.
  SaveOutcome Save(const std::string& slot, const std::string& corrected) {
    checked_.clear();
    return tool_.Save(
        slot,
        [&](const ScannedField& field) {
          checked_.push_back(field.box);
          return HasNoCommaQuote(corrected);
        },
        [&](const ScannedField&) { return corrected; });
  }

  TempFolder folder_;
  DebugInventory tool_{ItemFile()};
  std::vector<std::string> listed_;
  std::vector<std::string> checked_;
  ScanHit hit_;
};

TEST_F(DebugInventoryTest, ACleanFileIsCompleteAndListsTheSlotsByTens) {
  WriteBytes(ItemFile(), WellFormedItemFile(35));
  EXPECT_EQ(Scan(), ScanOutcome::Complete);
  EXPECT_EQ(listed_, (std::vector<std::string>{"10  ", "20  ", "30  "}));
  for (const ScannedField& field : kScannedFields) EXPECT_FALSE(tool_.HitFlag(field)) << field.box;
  EXPECT_FALSE(files::IsFileOpen(kItemFileHandle));

  // Scanned again: the same numbers again.
  EXPECT_EQ(Scan(), ScanOutcome::Complete);
  EXPECT_EQ(listed_.size(), 3u);
}

TEST_F(DebugInventoryTest, SlotNumbersThatEndInAZeroValueAreListedByTheirFirstFourCharacters) {
  struct Case {
    const char* slot;
    std::vector<std::string> listed;
  };
  const Case cases[] = {
      {"10", {"10  "}}, {"7", {}}, {"", {"    "}}, {"12340", {"1234"}}, {"7A", {"7A  "}},
  };
  for (const Case& c : cases) {
    WriteBytes(ItemFile(), Bytes({CleanItem(c.slot)}));
    EXPECT_EQ(Scan(), ScanOutcome::Complete) << c.slot;
    EXPECT_EQ(listed_, c.listed) << c.slot;
  }
}

TEST_F(DebugInventoryTest, TheScanStopsAtTheFirstCommaOrQuoteOfEachField) {
  for (std::size_t index = 0; index < kScannedFields.size(); ++index) {
    const ScannedField& field = kScannedFields[index];
    SCOPED_TRACE(field.box);
    DebugInventory tool(ItemFile());
    std::vector<ItemLines> items = {CleanItem("1"), CleanItem("2"), CleanItem("3")};
    const std::string bad = index % 2 ? "A,B" : "\"Q";
    items[1][static_cast<int>(field.field)] = bad;
    items[2][static_cast<int>(field.field)] = "later,one";
    WriteBytes(ItemFile(), Bytes(items));
    ScanHit hit;
    std::vector<std::string> listed;
    ASSERT_EQ(tool.Scan([&](const std::string& code) { listed.push_back(code); }, hit), ScanOutcome::Hit);
    EXPECT_EQ(hit.lineNo, "2");
    EXPECT_EQ(hit.field, &field);
    EXPECT_EQ(hit.value, FieldWidth(field.field) ? FitToWidth(bad, FieldWidth(field.field)) : bad);
    for (const ScannedField& other : kScannedFields) EXPECT_EQ(tool.HitFlag(other), &other == &field) << other.box;
    EXPECT_FALSE(files::IsFileOpen(kItemFileHandle));
  }
}

// The files that every other window refuses are never Complete: each says what is wrong.
TEST_F(DebugInventoryTest, AFileThatTheLoadCheckRefusesIsNeverComplete) {
  const auto withLine = [](ItemField field, const std::string& line) {
    ItemLines item = CleanItem("2");
    item[static_cast<int>(field)] = line;
    return Bytes({CleanItem("1"), item});
  };
  struct Case {
    const char* what;
    std::string bytes;
    ScanOutcome outcome;
    const ScannedField* field;  // of a hit; nullptr for the slot number's line
    std::string value;
  };
  const Case cases[] = {
      {"a comma after the 30th character of a description",
       withLine(ItemField::Description, std::string(30, 'x') + ",tail"), ScanOutcome::Hit,
       &Scanned(ItemField::Description), std::string(30, 'x') + ",tail"},
      {"a comma in the third character of a category", withLine(ItemField::Category, "5 ,x"), ScanOutcome::Hit,
       &Scanned(ItemField::Category), "5 ,x"},
      {"a comma in a slot number", withLine(ItemField::LineNo, "2,5"), ScanOutcome::Hit, nullptr, "2,5"},
      {"a last item cut short", Bytes({CleanItem("1")}) + "2\r\nP-2\r\n", ScanOutcome::LastItemShort, nullptr, ""},
      {"a stray empty line at the end", Bytes({CleanItem("1"), CleanItem("2")}) + "\r\n", ScanOutcome::LastItemShort,
       nullptr, ""},
      {"more items than the table holds", WellFormedItemFile(ItemTableColumns::kLastRow + 1),
       ScanOutcome::TooManyItems, nullptr, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(ItemFile(), c.bytes);
    ASSERT_NE(CheckItemFileReadable(ItemFile()), ItemFileStatus::Ok);
    DebugInventory tool(ItemFile());
    ScanHit hit;
    EXPECT_EQ(tool.Scan([](const std::string&) {}, hit), c.outcome);
    if (c.outcome != ScanOutcome::Hit) continue;
    EXPECT_EQ(hit.field, c.field);
    EXPECT_EQ(hit.value, c.value);
    EXPECT_EQ(hit.lineNo, "2");  // the slot number as the other readers take it
    for (const ScannedField& other : kScannedFields) EXPECT_EQ(tool.HitFlag(other), &other == c.field) << other.box;
  }
}

TEST_F(DebugInventoryTest, TheSaveAfterAHitBeyondAFieldsWidthWritesTheCorrectionFitted) {
  ItemLines item = CleanItem("3");
  item[static_cast<int>(ItemField::Description)] = std::string(30, 'x') + ",tail";
  WriteBytes(ItemFile(), Bytes({item}));
  ASSERT_EQ(Scan(), ScanOutcome::Hit);
  ASSERT_EQ(Save("3", std::string(30, 'y') + " and tail"), SaveOutcome::Saved);
  ItemLines expected = item;
  expected[static_cast<int>(ItemField::Description)] = std::string(30, 'y');
  EXPECT_EQ(ReadBytes(ItemFile()), Bytes({expected}));
  EXPECT_EQ(Scan(), ScanOutcome::Complete);
}

TEST_F(DebugInventoryTest, TheSaveAfterAHitInASlotNumberWritesItAsTheOtherReadersTakeIt) {
  for (const char* line : {"2,5", "\"2", "2\"x"}) {
    SCOPED_TRACE(line);
    ItemLines item = CleanItem(line);
    WriteBytes(ItemFile(), Bytes({CleanItem("1"), item}));
    DebugInventory tool(ItemFile());
    ScanHit hit;
    ASSERT_EQ(tool.Scan([](const std::string&) {}, hit), ScanOutcome::Hit);
    ASSERT_EQ(tool.Save(hit.lineNo, [](const ScannedField&) { return true; }, [](const ScannedField&) { return ""; }),
              SaveOutcome::Saved);
    EXPECT_EQ(ReadBytes(ItemFile()), Bytes({CleanItem("1"), CleanItem("2")}));
  }
}

TEST_F(DebugInventoryTest, EmptyLinesAfterTheLastWholeItemAreDroppedNotMadeAnItem) {
  for (const char* tail : {"\r\n", "\r\n\r\n\r\n", "   \r\n", "\r\n\r"}) {
    SCOPED_TRACE(::testing::PrintToString(std::string(tail)));
    WriteBytes(ItemFile(), WellFormedItemFile(3) + tail);
    DebugInventory tool(ItemFile());
    tool.CountItems();
    EXPECT_EQ(tool.Counters().CounterMax, 3);
    ASSERT_EQ(tool.Save("", [](const ScannedField&) { return true; }, [](const ScannedField&) { return ""; }),
              SaveOutcome::Saved);
    EXPECT_EQ(ReadBytes(ItemFile()), WellFormedItemFile(3));
    EXPECT_EQ(CheckItemFileReadable(ItemFile()), ItemFileStatus::Ok);
  }
}

TEST_F(DebugInventoryTest, TheSaveTakesTheCorrectionIntoTheItemWhereTheScanStopped) {
  std::vector<ItemLines> items = {CleanItem("1"), CleanItem("3"), CleanItem("3")};
  items[1][static_cast<int>(ItemField::Description)] = FitToWidth("Nuts, bolts", 30);
  items[2][static_cast<int>(ItemField::Description)] = FitToWidth("Nuts, bolts", 30);
  WriteBytes(ItemFile(), Bytes(items));
  ASSERT_EQ(Scan(), ScanOutcome::Hit);
  EXPECT_EQ(hit_.value, FitToWidth("Nuts, bolts", 30));

  ASSERT_EQ(Save("3", "Nuts and bolts"), SaveOutcome::Saved);
  EXPECT_EQ(checked_, std::vector<std::string>{"Text6"});
  std::vector<ItemLines> expected = items;
  expected[1][static_cast<int>(ItemField::Description)] = FitToWidth("Nuts and bolts", 30);
  EXPECT_EQ(ReadBytes(ItemFile()), Bytes(expected));
  EXPECT_FALSE(tool_.HitFlag(Scanned(ItemField::Description)));
  EXPECT_EQ(tool_.Counters().CounterMax, 3);

  // The next scan finds the second one, and its correction goes into it, not into the first again.
  ASSERT_EQ(Scan(), ScanOutcome::Hit);
  EXPECT_EQ(hit_.lineNo, "3");
  ASSERT_EQ(Save("03", "Washers"), SaveOutcome::Saved);  // slot numbers compare by value
  expected[2][static_cast<int>(ItemField::Description)] = FitToWidth("Washers", 30);
  EXPECT_EQ(ReadBytes(ItemFile()), Bytes(expected));
  EXPECT_EQ(Scan(), ScanOutcome::Complete);
}

TEST_F(DebugInventoryTest, ARefusedCorrectionWritesNothingAndKeepsTheFlag) {
  std::vector<ItemLines> items = {CleanItem("1"), CleanItem("2")};
  items[1][static_cast<int>(ItemField::SoldYear)] = "4\"0";
  const std::string bytes = Bytes(items);
  WriteBytes(ItemFile(), bytes);
  ASSERT_EQ(Scan(), ScanOutcome::Hit);
  EXPECT_EQ(hit_.field->box, std::string("Text14"));

  EXPECT_EQ(Save("2", "4\"0"), SaveOutcome::Refused);
  EXPECT_EQ(ReadBytes(ItemFile()), bytes);
  EXPECT_TRUE(tool_.HitFlag(Scanned(ItemField::SoldYear)));
  EXPECT_FALSE(files::IsFileOpen(kItemFileHandle));

  ASSERT_EQ(Save("2", "40"), SaveOutcome::Saved);
  items[1][static_cast<int>(ItemField::SoldYear)] = "40";
  EXPECT_EQ(ReadBytes(ItemFile()), Bytes(items));
}

TEST_F(DebugInventoryTest, ASaveWithoutAHitWritesTheItemsBackUnchanged) {
  WriteBytes(ItemFile(), WellFormedItemFile(12));
  ASSERT_EQ(Save("", "ignored"), SaveOutcome::Saved);
  EXPECT_TRUE(checked_.empty());
  EXPECT_EQ(ReadBytes(ItemFile()), WellFormedItemFile(12));
}

TEST_F(DebugInventoryTest, AFailedWriteLeavesTheFileAndTheFlags) {
  std::vector<ItemLines> items = {CleanItem("1")};
  items[0][static_cast<int>(ItemField::ItemNumber)] = "A,1";
  const std::string bytes = Bytes(items);
  WriteBytes(ItemFile(), bytes);
  ASSERT_EQ(Scan(), ScanOutcome::Hit);
  files::FailWritesAfterLinesForTesting(5);
  EXPECT_EQ(Save("1", "A-1"), SaveOutcome::CannotWrite);
  files::FailWritesAfterLinesForTesting(-1);
  EXPECT_EQ(ReadBytes(ItemFile()), bytes);
  EXPECT_TRUE(tool_.HitFlag(Scanned(ItemField::ItemNumber)));
}

TEST_F(DebugInventoryTest, AMissingFileIsReportedAndNotCreated) {
  EXPECT_EQ(Scan(), ScanOutcome::CannotOpen);
  EXPECT_EQ(Save("1", "x"), SaveOutcome::ItemFileUnreadable);
  EXPECT_FALSE(std::filesystem::exists(ItemFile()));
  tool_.CountItems();
  EXPECT_EQ(tool_.Counters().CounterMax, 0);
}

TEST_F(DebugInventoryTest, ASaveOfMoreItemsThanTheTableHoldsWritesNothing) {
  const std::string bytes = WellFormedItemFile(ItemTableColumns::kLastRow + 1);
  WriteBytes(ItemFile(), bytes);
  EXPECT_EQ(Save("", ""), SaveOutcome::TooManyItems);
  EXPECT_TRUE(ReadBytes(ItemFile()) == bytes);
}

TEST_F(DebugInventoryTest, AnItemCutShortIsWrittenBackWhole) {
  const std::string cut = WellFormedItem(1) + "2\r\nP-2\r\nWasher\r\n";
  WriteBytes(ItemFile(), cut);
  tool_.CountItems();
  EXPECT_EQ(tool_.Counters().CounterMax, 2);
  EXPECT_EQ(Scan(), ScanOutcome::LastItemShort);
  EXPECT_EQ(hit_.lineNo, "2");
  ASSERT_EQ(Save("", ""), SaveOutcome::Saved);
  const std::string whole = WellFormedItem(1) + "2\r\n" + FitToWidth("P-2", 15) + "\r\n" + FitToWidth("Washer", 30) +
                            "\r\n  \r\n" + std::string(8, ' ') + "\r\n" + std::string(6, ' ') + "\r\n" +
                            std::string(6, ' ') + "\r\n";
  std::string expected = whole;
  for (int counter = 0; counter < 9; ++counter) expected += "\r\n";  // the price and the eight counters
  EXPECT_EQ(ReadBytes(ItemFile()), expected);
}

TEST_F(DebugInventoryTest, CountsTheItemsOfTheFile) {
  WriteBytes(ItemFile(), WellFormedItemFile(23));
  tool_.CountItems();
  EXPECT_EQ(tool_.Counters().CounterMax, 23);
  EXPECT_FALSE(files::IsFileOpen(kItemFileHandle));
  tool_.ResetCounters();
  EXPECT_EQ(tool_.Counters().CounterMax, 0);
  EXPECT_EQ(tool_.Counters().indexx, 0);
}

}  // namespace
}  // namespace korvane
