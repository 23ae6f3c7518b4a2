#include "items/MasterListLine.h"

#include <gtest/gtest.h>

#include <string>

namespace korvane {
namespace {

ItemRecord Item(const std::array<const char*, kItemFieldCount>& fields) {
  ItemRecord item;
  for (ItemField field : kAllItemFields) item.Field(field) = fields[static_cast<int>(field)];
  return item;
}

std::string Padded(const std::string& text) { return text + std::string(kMasterListLineWidth - text.size(), ' '); }

TEST(MasterListLine, EveryValueThatFitsMakesA139CharacterLineFollowedBy21Blanks) {
  //                   LineNo ItemNumber   Description                      Cat  Cost      Qty   Reorder Price
  const ItemRecord item = Item({"7", "AB-1000", "Hex bolt M8 x 40 zinc plated", "12", "1234.5", "10", "4", "12.5",
                                //  Rec  WOf TOut TIn  SDy  SWk  SMo  SYr
                                "7", "1", "2", "3", "4", "5", "6", "8"});
  const std::string expected = std::string("0007") + "  " + "12" + "   " + "AB-1000        " + "   " +
                               "Hex bolt M8 x 40 zinc plat" + "  " + "1234.50" + "  " + "0012.50" + "   " +
                               "0010" + "   " + "004" + "   " + "0004" + "  " + "00005" + "  " + "00006" + "  " +
                               "00008" + "  " + "00007" + "  " + "0003" + "  " + "0002" + "  " + "0001";
  EXPECT_EQ(expected.size(), 139u);
  EXPECT_EQ(MasterListLine(item), Padded(expected));
}

TEST(MasterListLine, AnEmptyCounterGivesAnEmptyPieceAndTheLaterPiecesMoveLeft) {
  // The category form: counters whole, the empty ones empty.
  const ItemRecord item =
      Item({"1", "ABC-100", "Hex bolt M8 x 40", "5", "1.25", "10", "4", "2.5", "", "", "1", "", "", "3", "9", "40"});
  const std::string expected = std::string("0001") + "  " + "5 " + "   " + "ABC-100        " + "   " +
                               "Hex bolt M8 x 40          " + "  " + "0001.25" + "  " + "0002.50" + "   " + "0010" +
                               "   " + "004" + "   " + "" + "  " + "00003" + "  " + "00009" + "  " + "00040" + "  " +
                               "" + "  " + "" + "  " + "0001" + "  " + "";
  EXPECT_EQ(MasterListLine(item), Padded(expected));
}

TEST(MasterListLine, TheLoadFormFitsTheCountersSoAnEmptyOneShowsItsBlanks) {
  ItemRecord item =
      Item({"2", "AB", "Flat washer M8", "5", "0.05", "10", "20", "0.1", "", "2", "", "4", "1", "1234567", "1", "1"});
  FitCountersForView(item);
  EXPECT_EQ(item.Receipts, "    ");
  EXPECT_EQ(item.Writeoffs, "2   ");
  EXPECT_EQ(item.SoldWeek, "123456");  // cut to 6
  // Blanks are no number and are shown as they stand; a sold counter of 6 digits widens its piece.
  const std::string expected = std::string("0002") + "  " + "5 " + "   " + "AB             " + "   " +
                               "Flat washer M8            " + "  " + "0000.05" + "  " + "0000.10" + "   " + "0010" +
                               "   " + "020" + "   " + "0001" + "  " + "123456" + "  " + "00001" + "  " + "00001" +
                               "  " + "    " + "  " + "0004" + "  " + "    " + "  " + "0002";
  EXPECT_EQ(MasterListLine(item), Padded(expected));
}

TEST(MasterListLine, ALongValueWidensItsPieceAndTheLineIsCutAt160) {
  ItemRecord item = Item({"12345", "X", "", "1", "", "", "", "", "", "", "", "", "", "", "", ""});
  EXPECT_EQ(MasterListLine(item).substr(0, 10), "12345  1  ");
  for (ItemField counter : {ItemField::Receipts, ItemField::Transin, ItemField::Transout, ItemField::Writeoffs,
                            ItemField::SoldDay, ItemField::SoldWeek, ItemField::SoldMonth, ItemField::SoldYear}) {
    item.Field(counter) = "123456789012345";
  }
  EXPECT_EQ(MasterListLine(item).size(), kMasterListLineWidth);
}

TEST(CategoryListLine, KeepsTheFirstTwoCharactersAndAddsTwoBlanks) {
  EXPECT_EQ(CategoryListLine("12"), "12  ");
  EXPECT_EQ(CategoryListLine("5"), "5   ");
  EXPECT_EQ(CategoryListLine("123"), "12  ");
  EXPECT_EQ(CategoryListLine(""), "    ");
}

TEST(HasNoCommaQuote, RefusesACommaOrADoubleQuoteAnywhere) {
  EXPECT_TRUE(HasNoCommaQuote(""));
  EXPECT_TRUE(HasNoCommaQuote("Nuts; bolts 'M8'"));
  EXPECT_FALSE(HasNoCommaQuote("Nuts, bolts"));
  EXPECT_FALSE(HasNoCommaQuote(","));
  EXPECT_FALSE(HasNoCommaQuote("12\" pipe"));
  EXPECT_FALSE(HasNoCommaQuote("\""));
}

}  // namespace
}  // namespace korvane
