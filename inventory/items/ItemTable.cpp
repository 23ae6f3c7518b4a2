#include "items/ItemTable.h"

#include <stdexcept>
#include <string>

#include "items/NumberText.h"

namespace korvane {
namespace {

using TableMember = ItemColumn ItemTableColumns::*;

// The table's columns in field order.
constexpr std::array<TableMember, kItemFieldCount> kTableMembers = {
    &ItemTableColumns::LineNoArr,     &ItemTableColumns::ItemNumberArr, &ItemTableColumns::DescriptionArr,
    &ItemTableColumns::CategoryArr,   &ItemTableColumns::CostArr,       &ItemTableColumns::QuantityArr,
    &ItemTableColumns::ReorderArr,    &ItemTableColumns::ItemPrice1Arr, &ItemTableColumns::ReceiptsArr,
    &ItemTableColumns::WriteoffsArr,  &ItemTableColumns::TransoutArr,   &ItemTableColumns::TransinArr,
    &ItemTableColumns::SoldDayArr,    &ItemTableColumns::SoldWeekArr,   &ItemTableColumns::SoldMonthArr,
    &ItemTableColumns::SoldYearArr,
};

[[noreturn]] void ThrowRowOutOfRange(int row) {
  throw std::out_of_range("item table row " + std::to_string(row) + " outside 1.." +
                          std::to_string(ItemTableColumns::kLastRow));
}

}  // namespace

ItemTableColumns ItemTable;

ItemColumn::ItemColumn(std::size_t width)
    : width_(width), cells_(ItemTableColumns::kLastRow, FieldText(width)) {}

FieldText& ItemColumn::operator()(int row) {
  if (!ItemTableColumns::HasRow(row)) ThrowRowOutOfRange(row);
  return cells_[static_cast<std::size_t>(row - ItemTableColumns::kFirstRow)];
}

const FieldText& ItemColumn::operator()(int row) const {
  if (!ItemTableColumns::HasRow(row)) ThrowRowOutOfRange(row);
  return cells_[static_cast<std::size_t>(row - ItemTableColumns::kFirstRow)];
}

ItemTableColumns::ItemTableColumns() = default;

ItemColumn& ItemTableColumns::Column(ItemField field) {
  return this->*kTableMembers[static_cast<int>(field)];
}

const ItemColumn& ItemTableColumns::Column(ItemField field) const {
  return this->*kTableMembers[static_cast<int>(field)];
}

void ItemTableColumns::CopyRowFrom(int row, const ItemRecord& record) {
  if (!HasRow(row)) ThrowRowOutOfRange(row);
  for (ItemField field : kAllItemFields) Column(field)(row) = record.Field(field);
}

void ItemTableColumns::CopyRowTo(int row, ItemRecord& record) const {
  if (!HasRow(row)) ThrowRowOutOfRange(row);
  for (ItemField field : kAllItemFields) record.Field(field) = Column(field)(row);
}

void ItemTableColumns::EmptyRow(int row) {
  if (!HasRow(row)) ThrowRowOutOfRange(row);
  for (ItemField field : kAllItemFields) Column(field)(row).Empty();
}

void ItemTableColumns::EmptyAll() {
  for (int row = kFirstRow; row <= kLastRow; ++row) EmptyRow(row);
}

int FindItemRow(const ItemTableColumns& table, int count, double slot, std::string_view itemNumber) {
  const std::string fitted = FitToWidth(itemNumber, table.ItemNumberArr.Width());
  for (int row = ItemTableColumns::kFirstRow; row <= count && ItemTableColumns::HasRow(row); ++row) {
    if (table.ItemNumberArr(row) == fitted && NumberFromText(table.LineNoArr(row)) == slot) return row;
  }
  return 0;
}

}  // namespace korvane
