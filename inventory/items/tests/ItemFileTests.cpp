#include "items/ItemFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "files/SequentialFiles.h"
#include "files/tests/TempFolder.h"
#include "items/NumberText.h"
#include "items/tests/ItemFileFixtures.h"
#include "movements/tests/MovementFixtures.h"

namespace korvane {
namespace {

using korvane::testing::ReadBytes;
using korvane::testing::TempFolder;
using korvane::testing::WellFormedItem;
using korvane::testing::WellFormedItemFile;
using korvane::testing::WriteBytes;

std::string Lines(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text += std::string(line) + "\r\n";
  return text;
}

class ItemFileTest : public ::testing::Test {
 protected:
  void TearDown() override {
    files::FailWritesAfterLinesForTesting(-1);
    files::CloseAllFiles();
  }

  std::string ItemFile() const { return folder_.File("Item.dat"); }

  TempFolder folder_;
  std::unique_ptr<ItemTableColumns> table_ = std::make_unique<ItemTableColumns>();
  WindowCounters counters_;
};

TEST_F(ItemFileTest, AWellFormedFileLoadedAndRewrittenIsByteIdentical) {
  const std::string original = WellFormedItemFile(40);
  WriteBytes(ItemFile(), original);

  ASSERT_EQ(LoadItemTable(counters_, *table_, ItemFile()), ItemFileStatus::Ok);
  EXPECT_EQ(counters_.CounterMax, 40);
  EXPECT_EQ(counters_.indexx, 0);
  EXPECT_EQ(table_->ItemNumberArr(11), "OPEN           ");
  EXPECT_EQ(table_->CostArr(11), "        ");
  EXPECT_EQ(table_->ReceiptsArr(11), "");

  ASSERT_EQ(RewriteItemFile(counters_, *table_, ItemFile()), ItemFileStatus::Ok);
  EXPECT_EQ(ReadBytes(ItemFile()), original);
  EXPECT_FALSE(std::filesystem::exists(ItemFile() + ".tmp"));
  EXPECT_FALSE(files::IsFileOpen(kItemFileHandle));
}

TEST_F(ItemFileTest, AFullTableOf15000ItemsRoundTrips) {
  const std::string original = WellFormedItemFile(15000);
  WriteBytes(ItemFile(), original);
  ASSERT_EQ(LoadItemTable(counters_, *table_, ItemFile()), ItemFileStatus::Ok);
  EXPECT_EQ(counters_.CounterMax, 15000);
  EXPECT_EQ(table_->LineNoArr(15000), "15000");
  ASSERT_EQ(RewriteItemFile(counters_, *table_, ItemFile()), ItemFileStatus::Ok);
  EXPECT_EQ(ReadBytes(ItemFile()), original);
}

TEST_F(ItemFileTest, MoreThan15000ItemsAreReportedNeverStored) {
  const std::string tooMany = WellFormedItemFile(15001);
  WriteBytes(ItemFile(), tooMany);
  EXPECT_EQ(LoadItemTable(counters_, *table_, ItemFile()), ItemFileStatus::TooManyItems);
  EXPECT_EQ(counters_.CounterMax, 0);
  EXPECT_EQ(table_->LineNoArr(15000), "15000");
  EXPECT_EQ(CheckItemFileReadable(ItemFile()), ItemFileStatus::TooManyItems);
  EXPECT_FALSE(files::IsFileOpen(kItemFileHandle));

  // A writer cannot go past the table either; the file stays as it was.
  counters_.CounterMax = 15001;
  EXPECT_EQ(RewriteItemFile(counters_, *table_, ItemFile()), ItemFileStatus::TooManyItems);
  EXPECT_EQ(ReadBytes(ItemFile()), tooMany);
}

TEST_F(ItemFileTest, LinesEndedByLfAloneLoadTheSameAndAreRewrittenWithCrLf) {
  WriteBytes(ItemFile(), WellFormedItemFile(12, "\n"));
  ASSERT_EQ(LoadItemTable(counters_, *table_, ItemFile()), ItemFileStatus::Ok);
  EXPECT_EQ(counters_.CounterMax, 12);
  ASSERT_EQ(RewriteItemFile(counters_, *table_, ItemFile()), ItemFileStatus::Ok);
  EXPECT_EQ(ReadBytes(ItemFile()), WellFormedItemFile(12, "\r\n"));
}

TEST_F(ItemFileTest, AnEmptyFileIsZeroItemsAndPassesTheCheck) {
  WriteBytes(ItemFile(), "");
  counters_.CounterMax = 99;
  ASSERT_EQ(LoadItemTable(counters_, *table_, ItemFile()), ItemFileStatus::Ok);
  EXPECT_EQ(counters_.CounterMax, 0);
  EXPECT_EQ(CheckItemFileReadable(ItemFile()), ItemFileStatus::Ok);
  ASSERT_EQ(RewriteItemFile(counters_, *table_, ItemFile()), ItemFileStatus::Ok);
  EXPECT_EQ(ReadBytes(ItemFile()), "");
}

TEST_F(ItemFileTest, AFileOf17LinesFailsTheCheck) {
  const std::string file = WellFormedItem(1) + "2\r\n";
  WriteBytes(ItemFile(), file);
  EXPECT_EQ(CheckItemFileReadable(ItemFile()), ItemFileStatus::EndsInsideItem);
  EXPECT_EQ(LoadItemTable(counters_, *table_, ItemFile()), ItemFileStatus::EndsInsideItem);
  EXPECT_EQ(counters_.CounterMax, 0);
  EXPECT_FALSE(files::IsFileOpen(kItemFileHandle));
}

TEST_F(ItemFileTest, AMissingFileIsReported) {
  EXPECT_EQ(CheckItemFileReadable(ItemFile()), ItemFileStatus::CannotOpen);
  EXPECT_EQ(LoadItemTable(counters_, *table_, ItemFile()), ItemFileStatus::CannotOpen);
}

TEST_F(ItemFileTest, ACommaInADescriptionShiftsEveryLaterField) {
  std::string file = Lines({"1", "AB-1           ", "Nuts, bolts                   ", "5 ", "0.35    ",
                            "240   ", "100   ", "0.75", "1", "2", "3", "4", "5", "6", "7", "8"});
  file += WellFormedItem(2);
  WriteBytes(ItemFile(), file);
  ASSERT_EQ(files::OpenFile(kItemFileHandle, ItemFile(), files::FileMode::Input), files::FileStatus::Ok);

  ItemRecord record;
  ASSERT_EQ(ReadItemFields(record), ItemFileStatus::Ok);
  EXPECT_EQ(record.Description, FitToWidth("Nuts", 30));
  EXPECT_EQ(record.Category, "bo");      // 'bolts', its leading blank dropped, fitted to 2
  EXPECT_EQ(record.Cost, "5       ");    // the category's line
  EXPECT_EQ(record.SoldYear, "7");
  ASSERT_EQ(ReadItemFields(record), ItemFileStatus::Ok);
  EXPECT_EQ(record.LineNo, "8");         // the first item's last field
  EXPECT_EQ(record.ItemNumber, "2              ");

  // The shift leaves one field over at the end: the file now ends inside an item.
  EXPECT_EQ(CheckItemFileReadable(ItemFile()), ItemFileStatus::EndsInsideItem);
}

TEST_F(ItemFileTest, FieldsAreReadAsTheFieldRulesSay) {
  WriteBytes(ItemFile(), Lines({"3", "WASH-1", "  Washer", "5", "1234.5678", "12", "4", "0.5", "", "", "",
                                "9", "1", "2", "3", "4"}));
  ASSERT_EQ(files::OpenFile(kItemFileHandle, ItemFile(), files::FileMode::Input), files::FileStatus::Ok);
  ASSERT_EQ(ReadItemFields(ItemRec), ItemFileStatus::Ok);
  EXPECT_EQ(ItemRec.ItemNumber, "WASH-1         ");
  EXPECT_EQ(ItemRec.Description, FitToWidth("Washer", 30));  // leading blanks are lost
  EXPECT_EQ(ItemRec.Category, "5 ");
  EXPECT_EQ(ItemRec.Cost, "1234.567");                        // cut at 8
  EXPECT_EQ(ItemRec.Receipts, "");                            // three reset counters: three empty fields
  EXPECT_EQ(ItemRec.Writeoffs, "");
  EXPECT_EQ(ItemRec.Transout, "");
  EXPECT_EQ(ItemRec.Transin, "9");
  EXPECT_TRUE(files::AtEndOfFile(kItemFileHandle));
  EXPECT_EQ(ReadItemFields(ItemRec), ItemFileStatus::EndsInsideItem);
}

TEST_F(ItemFileTest, ReadingARowOutsideTheTableReadsNothing) {
  WriteBytes(ItemFile(), WellFormedItem(1));
  ASSERT_EQ(files::OpenFile(kItemFileHandle, ItemFile(), files::FileMode::Input), files::FileStatus::Ok);
  EXPECT_EQ(ReadItemFields(15001, *table_), ItemFileStatus::TooManyItems);
  EXPECT_EQ(ReadItemFields(0, *table_), ItemFileStatus::TooManyItems);
  EXPECT_EQ(files::InputOf(kItemFileHandle)->position, 0u);
  EXPECT_EQ(ReadItemFields(1, *table_), ItemFileStatus::Ok);
  EXPECT_EQ(table_->LineNoArr(1), "1");
}

TEST_F(ItemFileTest, ReadingAndWritingWithoutAnOpenHandleIsReported) {
  ItemRecord record;
  EXPECT_EQ(ReadItemFields(record), ItemFileStatus::HandleNotOpen);
  EXPECT_EQ(WriteItemFields(1, *table_), ItemFileStatus::HandleNotOpen);
}

TEST_F(ItemFileTest, WrittenItemsAreSixteenCrLfLinesWithFixedFieldsAtFullWidth) {
  // A slot blanked as a delete leaves it, appended the way a new item is.
  WriteBytes(ItemFile(), WellFormedItem(1));
  table_->EmptyRow(2);
  table_->LineNoArr(2) = "2";
  table_->ItemNumberArr(2) = "OPEN";
  table_->CategoryArr(2) = "5";
  table_->CostArr(2) = NumberText(1234.5678);
  ASSERT_EQ(files::OpenFile(kItemFileHandle, ItemFile(), files::FileMode::Append), files::FileStatus::Ok);
  ASSERT_EQ(WriteItemFields(2, *table_), ItemFileStatus::Ok);
  ASSERT_EQ(files::CloseFile(kItemFileHandle), files::FileStatus::Ok);
  EXPECT_EQ(ReadBytes(ItemFile()),
            WellFormedItem(1) + Lines({"2", "OPEN           ", "                              ", "5 ", "1234.567",
                                       "      ", "      ", "", "", "", "", "", "", "", "", ""}));
}

TEST_F(ItemFileTest, AHandleLeftOpenByAnEarlierFailureDoesNotBlockTheNextUse) {
  WriteBytes(ItemFile(), WellFormedItemFile(3));
  const std::string other = folder_.File("other.dat");
  ASSERT_EQ(files::OpenFile(kItemFileHandle, other, files::FileMode::Output), files::FileStatus::Ok);
  ASSERT_EQ(LoadItemTable(counters_, *table_, ItemFile()), ItemFileStatus::Ok);
  EXPECT_EQ(counters_.CounterMax, 3);
  ASSERT_EQ(files::OpenFile(kItemFileHandle, other, files::FileMode::Input), files::FileStatus::Ok);
  ASSERT_EQ(RewriteItemFile(counters_, *table_, ItemFile()), ItemFileStatus::Ok);
  ASSERT_EQ(files::OpenFile(kItemFileHandle, other, files::FileMode::Input), files::FileStatus::Ok);
  EXPECT_EQ(CheckItemFileReadable(ItemFile()), ItemFileStatus::Ok);
  EXPECT_EQ(ReadBytes(ItemFile()), WellFormedItemFile(3));
}

TEST_F(ItemFileTest, TheDefaultsAreTheSharedTableAndRecord) {
  // Run in a folder of its own: the routines open the item file by its bare name.
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(folder_.Path());
  WriteBytes(kItemFileName, WellFormedItemFile(2));
  EXPECT_EQ(LoadItemTable(counters_), ItemFileStatus::Ok);
  EXPECT_EQ(counters_.CounterMax, 2);
  EXPECT_EQ(ItemTable.LineNoArr(2), "2");
  ItemTable.QuantityArr(2) = NumberText(NumberFromText(ItemTable.QuantityArr(2)) - 2);
  EXPECT_EQ(RewriteItemFile(counters_), ItemFileStatus::Ok);
  EXPECT_EQ(CheckItemFileReadable(), ItemFileStatus::Ok);
  EXPECT_EQ(ItemRec.LineNo, "2");       // the check reads into the shared record
  EXPECT_EQ(ItemRec.Quantity, "0     ");
  std::filesystem::current_path(previous);
}

// A rewrite that fails part-way, as on a full disk: the old file must stay whole.
TEST_F(ItemFileTest, ARewriteThatFailsHalfWayLeavesTheOldFileWhole) {
  const std::string original = WellFormedItemFile(20);
  WriteBytes(ItemFile(), original);
  ASSERT_EQ(LoadItemTable(counters_, *table_, ItemFile()), ItemFileStatus::Ok);
  for (int row = 1; row <= counters_.CounterMax; ++row) table_->QuantityArr(row) = "0";

  files::FailWritesAfterLinesForTesting(10 * kItemFieldCount + 3);  // inside the eleventh item
  EXPECT_EQ(RewriteItemFile(counters_, *table_, ItemFile()), ItemFileStatus::CannotWrite);
  EXPECT_EQ(ReadBytes(ItemFile()), original);
  EXPECT_FALSE(std::filesystem::exists(ItemFile() + ".tmp"));
  EXPECT_FALSE(files::IsFileOpen(kItemFileHandle));
  EXPECT_EQ(CheckItemFileReadable(ItemFile()), ItemFileStatus::Ok);

  // Once writing works again, the same rewrite goes through.
  files::FailWritesAfterLinesForTesting(-1);
  ASSERT_EQ(RewriteItemFile(counters_, *table_, ItemFile()), ItemFileStatus::Ok);
  ASSERT_EQ(LoadItemTable(counters_, *table_, ItemFile()), ItemFileStatus::Ok);
  EXPECT_EQ(counters_.CounterMax, 20);
  EXPECT_EQ(table_->QuantityArr(20), "0     ");
}

TEST_F(ItemFileTest, ARewriteThatCannotCreateItsTemporaryFileLeavesTheOldFileWhole) {
  const std::string original = WellFormedItemFile(5);
  WriteBytes(ItemFile(), original);
  ASSERT_EQ(LoadItemTable(counters_, *table_, ItemFile()), ItemFileStatus::Ok);
  std::filesystem::create_directories(ItemFile() + ".tmp");  // a folder where the temporary file goes
  EXPECT_EQ(RewriteItemFile(counters_, *table_, ItemFile()), ItemFileStatus::CannotWrite);
  EXPECT_EQ(ReadBytes(ItemFile()), original);
}

TEST_F(ItemFileTest, AStaleTemporaryFileFromACrashIsWrittenOver) {
  WriteBytes(ItemFile(), WellFormedItemFile(5));
  WriteBytes(ItemFile() + ".tmp", "half an item\r\n");
  ASSERT_EQ(LoadItemTable(counters_, *table_, ItemFile()), ItemFileStatus::Ok);
  ASSERT_EQ(RewriteItemFile(counters_, *table_, ItemFile()), ItemFileStatus::Ok);
  EXPECT_EQ(ReadBytes(ItemFile()), WellFormedItemFile(5));
  EXPECT_FALSE(std::filesystem::exists(ItemFile() + ".tmp"));
}

TEST_F(ItemFileTest, ARewriteCreatesAMissingItemFile) {
  table_->LineNoArr(1) = "1";
  counters_.CounterMax = 1;
  ASSERT_EQ(RewriteItemFile(counters_, *table_, ItemFile()), ItemFileStatus::Ok);
  EXPECT_EQ(CheckItemFileReadable(ItemFile()), ItemFileStatus::Ok);
}

TEST_F(ItemFileTest, AnAppendedItemFollowsTheLinesThereAndEveryLineEndsWithCrLf) {
  ItemRecord item;
  for (ItemField field : kAllItemFields) item.Field(field) = "9";
  std::string added;
  for (ItemField field : kAllItemFields) added += item.Field(field).str() + "\r\n";

  WriteBytes(ItemFile(), WellFormedItem(1));
  ASSERT_EQ(AppendItemToFile(item, ItemFile()), ItemFileStatus::Ok);
  EXPECT_EQ(ReadBytes(ItemFile()), WellFormedItem(1) + added);

  // Lines ended by LF alone or CR alone are written back with CR LF.
  WriteBytes(ItemFile(), "1\nA\rB\r\n");
  ASSERT_EQ(AppendItemToFile(item, ItemFile()), ItemFileStatus::Ok);
  EXPECT_EQ(ReadBytes(ItemFile()), "1\r\nA\r\nB\r\n" + added);

  WriteBytes(ItemFile(), "");
  ASSERT_EQ(AppendItemToFile(item, ItemFile()), ItemFileStatus::Ok);
  EXPECT_EQ(ReadBytes(ItemFile()), added);
}

TEST_F(ItemFileTest, AnAppendToAMissingFileOrOneThatFailsHalfWayChangesNothing) {
  ItemRecord item;
  EXPECT_EQ(AppendItemToFile(item, ItemFile()), ItemFileStatus::CannotOpen);
  EXPECT_FALSE(std::filesystem::exists(ItemFile()));

  const std::string before = WellFormedItemFile(3);
  WriteBytes(ItemFile(), before);
  files::FailWritesAfterLinesForTesting(3 * 16 + 5);
  EXPECT_EQ(AppendItemToFile(item, ItemFile()), ItemFileStatus::CannotWrite);
  EXPECT_EQ(ReadBytes(ItemFile()), before);
  EXPECT_FALSE(std::filesystem::exists(ItemFile() + ".tmp"));
}

TEST_F(ItemFileTest, TheLineCheckFindsTheCommasAndQuotesThatTheLoadCheckPasses) {
  WriteBytes(ItemFile(), WellFormedItemFile(30));
  EXPECT_EQ(CheckItemFileLinesClean(ItemFile()), ItemFileStatus::Ok);
  for (const testing::FileTheReaderCuts& file : testing::FilesTheReaderCuts()) {
    SCOPED_TRACE(file.what);
    WriteBytes(ItemFile(), file.bytes);
    EXPECT_EQ(CheckItemFileReadable(ItemFile()), ItemFileStatus::Ok);
    EXPECT_EQ(CheckItemFileLinesClean(ItemFile()), ItemFileStatus::CommaOrQuote);
    EXPECT_FALSE(files::IsFileOpen(kItemFileHandle));
  }
  std::filesystem::remove(ItemFile());
  EXPECT_EQ(CheckItemFileLinesClean(ItemFile()), ItemFileStatus::CannotOpen);
}

}  // namespace
}  // namespace korvane
