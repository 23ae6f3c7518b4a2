#include "items/ItemRecord.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "items/ItemTable.h"

namespace korvane {
namespace {

TEST(FitToWidthTest, LeftAlignsPadsAndCuts) {
  struct Case {
    const char* text;
    std::size_t width;
    const char* fitted;
  };
  const Case cases[] = {
      {"OPEN", 15, "OPEN           "},
      {"5", 2, "5 "},
      {"12.5", 8, "12.5    "},
      {"1234.5678", 8, "1234.567"},  // cut on the right
      {"", 6, "      "},
      {"123456", 6, "123456"},
      {"  Washer", 10, "  Washer  "},  // leading blanks are the text's own
  };
  for (const Case& c : cases) EXPECT_EQ(FitToWidth(c.text, c.width), c.fitted) << c.text << "/" << c.width;
}

TEST(FieldTextTest, FixedFieldsAlwaysHoldTheirWidthAndVariableOnesTheirText) {
  ItemRecord record;
  EXPECT_EQ(record.Cost, "        ");
  EXPECT_EQ(record.Receipts, "");
  record.Cost = "1234.5678";
  EXPECT_EQ(record.Cost, "1234.567");
  record.ItemPrice1 = "1234.5678";
  EXPECT_EQ(record.ItemPrice1, "1234.5678");

  // A field taken from another keeps its own width.
  record.Category = record.ItemPrice1;
  EXPECT_EQ(record.Category, "12");
  record.Receipts = record.Cost;
  EXPECT_EQ(record.Receipts, "1234.567");

  record.Description.Empty();
  EXPECT_EQ(record.Description, std::string(30, ' '));
}

TEST(ItemFieldsTest, RecordAndTableFollowTheFieldTable) {
  const ItemRecord record;
  auto table = std::make_unique<ItemTableColumns>();
  const std::size_t widths[kItemFieldCount] = {0, 15, 30, 2, 8, 6, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  for (int i = 0; i < kItemFieldCount; ++i) {
    const ItemField field = kAllItemFields[i];
    EXPECT_EQ(kItemFields[i].field, field);
    EXPECT_EQ(kItemFields[i].width, widths[i]) << kItemFields[i].name;
    EXPECT_EQ(record.Field(field).Width(), widths[i]) << kItemFields[i].name;
    EXPECT_EQ(table->Column(field).Width(), widths[i]) << kItemFields[i].name;
  }
  EXPECT_EQ(&record.Field(ItemField::SoldYear), &record.SoldYear);
  EXPECT_EQ(&table->Column(ItemField::Quantity), &table->QuantityArr);
}

TEST(ItemTableTest, RowsOneTo15000AreTheOnlyRows) {
  auto table = std::make_unique<ItemTableColumns>();
  table->CostArr(1) = "1";
  table->CostArr(15000) = "15000";
  EXPECT_EQ(table->CostArr(15000), "15000   ");
  for (int row : {0, -1, 15001, 32767}) {
    EXPECT_THROW(table->CostArr(row), std::out_of_range) << row;
    EXPECT_THROW(table->EmptyRow(row), std::out_of_range) << row;
    EXPECT_THROW(table->CopyRowFrom(row, ItemRecord{}), std::out_of_range) << row;
  }
  EXPECT_FALSE(ItemTableColumns::HasRow(0));
  EXPECT_TRUE(ItemTableColumns::HasRow(1));
  EXPECT_TRUE(ItemTableColumns::HasRow(15000));
  EXPECT_FALSE(ItemTableColumns::HasRow(15001));
}

TEST(ItemTableTest, RowsCopyToAndFromRecordsAndEmptyToBlanks) {
  auto table = std::make_unique<ItemTableColumns>();
  ItemRecord record;
  for (ItemField field : kAllItemFields) record.Field(field) = kItemFields[static_cast<int>(field)].name;
  table->CopyRowFrom(7, record);
  EXPECT_EQ(table->ItemNumberArr(7), "ItemNumber     ");
  EXPECT_EQ(table->CategoryArr(7), "Ca");
  EXPECT_EQ(table->SoldMonthArr(7), "SoldMonth");

  ItemRecord back;
  table->CopyRowTo(7, back);
  for (ItemField field : kAllItemFields) EXPECT_EQ(back.Field(field), record.Field(field).str());

  table->EmptyRow(7);
  EXPECT_EQ(table->LineNoArr(7), "");
  EXPECT_EQ(table->DescriptionArr(7), std::string(30, ' '));
  EXPECT_EQ(table->ReorderArr(7), "      ");
  EXPECT_EQ(table->SoldMonthArr(7), "");
}

}  // namespace
}  // namespace korvane
