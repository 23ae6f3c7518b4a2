#include "movements/CounterReset.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "files/SequentialFiles.h"
#include "files/tests/TempFolder.h"
#include "items/tests/ItemFileFixtures.h"
#include "movements/tests/MovementFixtures.h"

namespace korvane {
namespace {

using testing::ItemFileBytes;
using testing::ReadBytes;
using testing::SmallItemFile;
using testing::TempFolder;
using testing::WriteBytes;

constexpr long kChecked = -1;  // a checked button at run time
constexpr long kUnchecked = 0;

class CounterResetTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteBytes(ItemFile(), ItemFileBytes(SmallItemFile())); }
  void TearDown() override {
    files::FailWritesAfterLinesForTesting(-1);
    files::CloseAllFiles();
  }
  std::string ItemFile() const { return folder_.File("Item.dat"); }

  ResetOutcome Press(const ResetButton& button, long value = kChecked) {
    return PressResetButton(button, value, counters_, ItemFile());
  }

  TempFolder folder_;
  WindowCounters counters_;
};

TEST_F(CounterResetTest, ZeroAdjustmentsEmptiesTheFourAdjustmentCountersOfEveryItem) {
  const ResetOutcome outcome = Press(kZeroAdjustmentsButton);
  EXPECT_EQ(outcome.status, ItemFileStatus::Ok);
  EXPECT_TRUE(outcome.lightIndicator);
  EXPECT_EQ(counters_.CounterMax, 4);
  // Empty lines, not "0"; quantities, sold counters, item order and count as they were.
  const std::string expected =
      testing::SmallItemFileWithEmptied({ItemField::Receipts, ItemField::Writeoffs, ItemField::Transout, ItemField::Transin});
  EXPECT_EQ(ReadBytes(ItemFile()), expected);
  EXPECT_NE(expected.find("0012  \r\n"), std::string::npos);  // the stored quantity keeps its zeros

  // A second press writes the same file again.
  EXPECT_EQ(Press(kZeroAdjustmentsButton).status, ItemFileStatus::Ok);
  EXPECT_EQ(ReadBytes(ItemFile()), expected);
}

TEST_F(CounterResetTest, NoResetWritesAFileWhoseFieldsTheReaderCuts) {
  std::vector<ResetButton> buttons = {kZeroAdjustmentsButton};
  buttons.insert(buttons.end(), kSalesPeriodButtons.begin(), kSalesPeriodButtons.end());
  for (const testing::FileTheReaderCuts& file : testing::FilesTheReaderCuts()) {
    for (const ResetButton& button : buttons) {
      SCOPED_TRACE(std::string(file.what) + ", " + button.button);
      WriteBytes(ItemFile(), file.bytes);
      const ResetOutcome outcome = Press(button);
      EXPECT_EQ(outcome.status, ItemFileStatus::CommaOrQuote);
      EXPECT_FALSE(outcome.lightIndicator);
      EXPECT_TRUE(ReadBytes(ItemFile()) == file.bytes);
    }
  }
}

TEST_F(CounterResetTest, EachSalesPeriodEmptiesOnlyItsOwnCounter) {
  const ItemField own[] = {ItemField::SoldDay, ItemField::SoldWeek, ItemField::SoldMonth, ItemField::SoldYear};
  for (std::size_t period = 0; period < kSalesPeriodButtons.size(); ++period) {
    SCOPED_TRACE(kSalesPeriodButtons[period].button);
    WriteBytes(ItemFile(), ItemFileBytes(SmallItemFile()));
    ASSERT_EQ(Press(kSalesPeriodButtons[period]).status, ItemFileStatus::Ok);
    EXPECT_EQ(ReadBytes(ItemFile()), testing::SmallItemFileWithEmptied({own[period]}));
    ASSERT_EQ(Press(kSalesPeriodButtons[period]).status, ItemFileStatus::Ok);  // twice is as once
    EXPECT_EQ(ReadBytes(ItemFile()), testing::SmallItemFileWithEmptied({own[period]}));
  }
}

TEST_F(CounterResetTest, ALargerFileKeepsEveryOtherLine) {
  const std::string original = testing::WellFormedItemFile(300);
  WriteBytes(ItemFile(), original);
  ASSERT_EQ(Press(kSalesPeriodButtons[1]).status, ItemFileStatus::Ok);
  const std::string after = ReadBytes(ItemFile());
  // Line by line: only line 14 of each item (the week's sales) is empty now.
  std::size_t a = 0, b = 0;
  for (int line = 0; line < 300 * kItemFieldCount; ++line) {
    const std::size_t aEnd = original.find("\r\n", a), bEnd = after.find("\r\n", b);
    ASSERT_NE(bEnd, std::string::npos) << "line " << line;
    const std::string was = original.substr(a, aEnd - a), now = after.substr(b, bEnd - b);
    if (line % kItemFieldCount == static_cast<int>(ItemField::SoldWeek)) {
      EXPECT_EQ(now, "") << "line " << line;
    } else {
      EXPECT_EQ(now, was) << "line " << line;
    }
    a = aEnd + 2;
    b = bEnd + 2;
  }
  EXPECT_EQ(b, after.size());
}

TEST_F(CounterResetTest, AnEmptyItemFileStaysEmpty) {
  WriteBytes(ItemFile(), "");
  const ResetOutcome outcome = Press(kZeroAdjustmentsButton);
  EXPECT_EQ(outcome.status, ItemFileStatus::Ok);
  EXPECT_EQ(counters_.CounterMax, 0);
  EXPECT_TRUE(std::filesystem::exists(ItemFile()));
  EXPECT_EQ(ReadBytes(ItemFile()), "");
}

TEST_F(CounterResetTest, TheIndicatorIsLitByTheButtonsValueAtThePressOrAlwaysForTheYear) {
  struct Case {
    const ResetButton* button;
    long value;
    bool lit;
  };
  const Case cases[] = {
      {&kZeroAdjustmentsButton, kChecked, true},   {&kZeroAdjustmentsButton, kUnchecked, false},
      {&kZeroAdjustmentsButton, 1, true},          // checked as a stored value reads
      {&kSalesPeriodButtons[0], kChecked, true},   {&kSalesPeriodButtons[0], kUnchecked, false},
      {&kSalesPeriodButtons[1], kUnchecked, false}, {&kSalesPeriodButtons[2], kUnchecked, false},
      {&kSalesPeriodButtons[3], kChecked, true},   {&kSalesPeriodButtons[3], kUnchecked, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.button->button) + " reading " + std::to_string(c.value));
    const ResetOutcome outcome = Press(*c.button, c.value);
    EXPECT_EQ(outcome.status, ItemFileStatus::Ok);
    EXPECT_EQ(outcome.lightIndicator, c.lit);
  }
}

TEST_F(CounterResetTest, AFileThatCannotBeReadIsNotWrittenAndLightsNothing) {
  // An earlier reset filled the table; the file then loses its last lines.
  ASSERT_EQ(Press(kZeroAdjustmentsButton).status, ItemFileStatus::Ok);
  const std::string cut = ItemFileBytes(SmallItemFile()) + "5\r\nLAST\r\n";
  WriteBytes(ItemFile(), cut);
  ResetOutcome outcome = Press(kZeroAdjustmentsButton);
  EXPECT_EQ(outcome.status, ItemFileStatus::EndsInsideItem);
  EXPECT_FALSE(outcome.lightIndicator);
  EXPECT_EQ(ReadBytes(ItemFile()), cut);
  EXPECT_FALSE(std::filesystem::exists(ItemFile() + ".tmp"));

  std::filesystem::remove(ItemFile());
  outcome = Press(kSalesPeriodButtons[3]);  // the year lights on every press, but not on this one
  EXPECT_EQ(outcome.status, ItemFileStatus::CannotOpen);
  EXPECT_FALSE(outcome.lightIndicator);
  EXPECT_FALSE(std::filesystem::exists(ItemFile()));  // no empty file is made
}

TEST_F(CounterResetTest, AFileThatCannotBeWrittenIsLeftWhole) {
  const std::string original = ItemFileBytes(SmallItemFile());
  files::FailWritesAfterLinesForTesting(kItemFieldCount + 5);  // inside the second item
  const ResetOutcome outcome = Press(kSalesPeriodButtons[3]);
  EXPECT_EQ(outcome.status, ItemFileStatus::CannotWrite);
  EXPECT_FALSE(outcome.lightIndicator);
  EXPECT_EQ(ReadBytes(ItemFile()), original);
  EXPECT_FALSE(std::filesystem::exists(ItemFile() + ".tmp"));
  EXPECT_FALSE(files::IsFileOpen(kItemFileHandle));
}

}  // namespace
}  // namespace korvane
