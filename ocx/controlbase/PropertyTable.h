// The persistent simple properties of one class level, described by a static table. Each level keeps
// its values in a packed block (the same bytes it writes to a stream); the table says where each
// value lies in the block, its size, its default and its variant type in a property bag. Setting the
// defaults, loading from a property bag and saving to one all walk the table.
#pragma once
#include <windows.h>
#include <ocidl.h>

struct PropertyTableRow {
    const wchar_t* name;  // property-bag name; null ends the table
    DWORD offset;         // byte offset of the value in the level's packed block
    DWORD defaultValue;   // little-endian; the first `size` bytes are used
    VARTYPE vartype;      // VT_I2, VT_I4 or VT_BOOL in the bag
    DWORD size;           // 1, 2 or 4 bytes in the block
};

// Copies every row's default into the block.
void SetPropertyDefaults(const PropertyTableRow* table, void* block);

// Reads every row from the bag; a row the bag does not hold (or cannot give as the row's type) takes
// its default. Never fails.
void LoadPropertyTable(const PropertyTableRow* table, IPropertyBag* bag, IErrorLog* errorLog, void* block);

// Writes every row to the bag; unless saveAll, a row whose value equals its default is left out.
// Stops at the first failure and returns it.
HRESULT SavePropertyTable(const PropertyTableRow* table, IPropertyBag* bag, BOOL saveAll, const void* block);

// The row's value in the block, zero-extended.
DWORD PropertyValueOf(const PropertyTableRow& row, const void* block);
// Replaces the default of the row named `name` (used when an older container's state is converted).
void SetPropertyDefault(PropertyTableRow* table, const wchar_t* name, DWORD defaultValue);
