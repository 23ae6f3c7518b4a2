#include "items/ItemRecord.h"

namespace korvane {
namespace {

using RecordMember = FieldText ItemRecord::*;

// The record's members in field order.
constexpr std::array<RecordMember, kItemFieldCount> kRecordMembers = {
    &ItemRecord::LineNo,     &ItemRecord::ItemNumber, &ItemRecord::Description, &ItemRecord::Category,
    &ItemRecord::Cost,       &ItemRecord::Quantity,   &ItemRecord::Reorder,     &ItemRecord::ItemPrice1,
    &ItemRecord::Receipts,   &ItemRecord::Writeoffs,  &ItemRecord::Transout,    &ItemRecord::Transin,
    &ItemRecord::SoldDay,    &ItemRecord::SoldWeek,   &ItemRecord::SoldMonth,   &ItemRecord::SoldYear,
};

}  // namespace

const std::array<ItemFieldInfo, kItemFieldCount> kItemFields = {{
    {ItemField::LineNo, "LineNo", 0},
    {ItemField::ItemNumber, "ItemNumber", 15},
    {ItemField::Description, "Description", 30},
    {ItemField::Category, "Category", 2},
    {ItemField::Cost, "Cost", 8},
    {ItemField::Quantity, "Quantity", 6},
    {ItemField::Reorder, "Reorder", 6},
    {ItemField::ItemPrice1, "ItemPrice1", 0},
    {ItemField::Receipts, "Receipts", 0},
    {ItemField::Writeoffs, "Writeoffs", 0},
    {ItemField::Transout, "Transout", 0},
    {ItemField::Transin, "Transin", 0},
    {ItemField::SoldDay, "SoldDay", 0},
    {ItemField::SoldWeek, "SoldWeek", 0},
    {ItemField::SoldMonth, "SoldMonth", 0},
    {ItemField::SoldYear, "SoldYear", 0},
}};

ItemRecord ItemRec;

std::string FitToWidth(std::string_view text, std::size_t width) {
  std::string fitted(text.substr(0, width));
  fitted.resize(width, ' ');
  return fitted;
}

FieldText& ItemRecord::Field(ItemField field) { return this->*kRecordMembers[static_cast<int>(field)]; }

const FieldText& ItemRecord::Field(ItemField field) const {
  return this->*kRecordMembers[static_cast<int>(field)];
}

}  // namespace korvane
