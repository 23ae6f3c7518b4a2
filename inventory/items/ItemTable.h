// The item table: the whole item file in memory, as 16 parallel columns with rows 1 to 15,000.
//
// Row i of all 16 columns is item i of the file. The columns of the fixed fields fit what is put into
// them, like the record's fields. Every access checks its row: a row outside 1..15,000 throws
// std::out_of_range (the table's checked subscript, like std::vector::at). The item file routines
// (ItemFile.h) check the row themselves before they touch the table and report a file of more than
// 15,000 items as a status instead, so they never throw.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "items/ItemRecord.h"

namespace korvane {

class ItemColumn {
 public:
  explicit ItemColumn(std::size_t width);

  // The cell of a row; throws std::out_of_range outside 1..15,000.
  FieldText& operator()(int row);
  const FieldText& operator()(int row) const;

  std::size_t Width() const { return width_; }

 private:
  std::size_t width_;
  std::vector<FieldText> cells_;
};

class ItemTableColumns {
 public:
  static constexpr int kFirstRow = 1;
  static constexpr int kLastRow = 15000;
  static bool HasRow(int row) { return row >= kFirstRow && row <= kLastRow; }

  ItemTableColumns();
  ItemTableColumns(const ItemTableColumns&) = delete;
  ItemTableColumns& operator=(const ItemTableColumns&) = delete;

  ItemColumn LineNoArr{0};
  ItemColumn ItemNumberArr{15};
  ItemColumn DescriptionArr{30};
  ItemColumn CategoryArr{2};
  ItemColumn CostArr{8};
  ItemColumn QuantityArr{6};
  ItemColumn ReorderArr{6};
  ItemColumn ItemPrice1Arr{0};
  ItemColumn ReceiptsArr{0};
  ItemColumn WriteoffsArr{0};
  ItemColumn TransoutArr{0};
  ItemColumn TransinArr{0};
  ItemColumn SoldDayArr{0};
  ItemColumn SoldWeekArr{0};
  ItemColumn SoldMonthArr{0};
  ItemColumn SoldYearArr{0};

  ItemColumn& Column(ItemField field);
  const ItemColumn& Column(ItemField field) const;

  // All 16 fields of a row to and from a record (checked like every access).
  void CopyRowFrom(int row, const ItemRecord& record);
  void CopyRowTo(int row, ItemRecord& record) const;

  // Empty text in every field of a row (blanks in the fixed fields), or of every row.
  void EmptyRow(int row);
  void EmptyAll();
};

// The first of rows 1 to `count` whose slot number has the numeric value `slot` and whose item number is
// `itemNumber` (compared as fitted to its 15 characters), or 0 when there is none: how a window finds the
// one item the user chose in a fresh read of the file, since slot numbers can repeat.
int FindItemRow(const ItemTableColumns& table, int count, double slot, std::string_view itemNumber);

// The one table of the program; each window that loads it owns its contents while it works on them.
extern ItemTableColumns ItemTable;

// The two counters that each data window keeps of its own: the row being read, written or edited, and
// the number of items loaded. Signed 16-bit, as the windows hold them.
struct WindowCounters {
  std::int16_t indexx = 0;
  std::int16_t CounterMax = 0;
};

}  // namespace korvane
