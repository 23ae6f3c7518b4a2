// The item record: one stock item of the item file, 16 text fields in a fixed order.
//
// Six fields are fixed-width text: whatever is put into one is left-aligned, padded with blanks on the
// right and cut on the right to the field's width, so they always hold exactly that width. The other ten
// hold their text unchanged. Numbers are kept as number text (NumberText.h); a counter that has been
// reset holds empty text.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace korvane {

// Left-aligns the text in `width` characters: padded with blanks on the right, or cut on the right.
std::string FitToWidth(std::string_view text, std::size_t width);

// The text of one field. A width of 0 is a variable field, which keeps its text unchanged; any other
// width is a fixed field, which fits every text put into it to that width. Assigning one field to another
// takes the other's text and keeps this field's own width.
class FieldText {
 public:
  explicit FieldText(std::size_t width = 0) : width_(width), text_(width, ' ') {}
  FieldText(const FieldText&) = default;

  FieldText& operator=(std::string_view text) {
    if (width_ == 0) {
      text_.assign(text.data(), text.size());
    } else {
      text_ = FitToWidth(text, width_);
    }
    return *this;
  }
  FieldText& operator=(const FieldText& other) { return *this = std::string_view(other.text_); }

  // Empty text: blanks for a fixed field.
  void Empty() { *this = std::string_view(); }

  const std::string& str() const { return text_; }
  operator const std::string&() const { return text_; }
  operator std::string_view() const { return text_; }
  std::size_t Width() const { return width_; }

  friend bool operator==(const FieldText& a, std::string_view b) { return a.text_ == b; }
  friend bool operator!=(const FieldText& a, std::string_view b) { return a.text_ != b; }

 private:
  std::size_t width_;
  std::string text_;
};

// The 16 fields in the order of the item file's lines and of the item table's columns.
enum class ItemField {
  LineNo,
  ItemNumber,
  Description,
  Category,
  Cost,
  Quantity,
  Reorder,
  ItemPrice1,
  Receipts,
  Writeoffs,
  Transout,
  Transin,
  SoldDay,
  SoldWeek,
  SoldMonth,
  SoldYear,
};

inline constexpr int kItemFieldCount = 16;

struct ItemFieldInfo {
  ItemField field;
  const char* name;
  std::size_t width;  // 0: variable text
};

// One row per field, in field order.
extern const std::array<ItemFieldInfo, kItemFieldCount> kItemFields;

inline constexpr std::array<ItemField, kItemFieldCount> kAllItemFields = {
    ItemField::LineNo,     ItemField::ItemNumber, ItemField::Description, ItemField::Category,
    ItemField::Cost,       ItemField::Quantity,   ItemField::Reorder,     ItemField::ItemPrice1,
    ItemField::Receipts,   ItemField::Writeoffs,  ItemField::Transout,    ItemField::Transin,
    ItemField::SoldDay,    ItemField::SoldWeek,   ItemField::SoldMonth,   ItemField::SoldYear,
};

inline std::size_t FieldWidth(ItemField field) { return kItemFields[static_cast<int>(field)].width; }

struct ItemRecord {
  FieldText LineNo{0};        // slot number of the item, stays with its slot for life
  FieldText ItemNumber{15};   // "OPEN" marks a free slot
  FieldText Description{30};
  FieldText Category{2};      // compared with the category list by numeric value
  FieldText Cost{8};
  FieldText Quantity{6};      // on hand
  FieldText Reorder{6};       // reorder point
  FieldText ItemPrice1{0};
  FieldText Receipts{0};
  FieldText Writeoffs{0};
  FieldText Transout{0};
  FieldText Transin{0};
  FieldText SoldDay{0};
  FieldText SoldWeek{0};
  FieldText SoldMonth{0};
  FieldText SoldYear{0};

  FieldText& Field(ItemField field);
  const FieldText& Field(ItemField field) const;
};

// The one shared record that readers fill item by item: scratch space between one read and the next.
extern ItemRecord ItemRec;

}  // namespace korvane
