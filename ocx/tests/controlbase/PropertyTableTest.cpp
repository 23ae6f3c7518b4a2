// The table walk every class level persists its simple properties with: defaults, loading from a
// property bag and saving to one.
#include "MemoryPropertyBag.h"
#include "PropertyTable.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

#pragma pack(push, 1)
struct SampleBlock {
    BYTE style;
    SHORT delay;
    DWORD color;
    BYTE enabled;
};
#pragma pack(pop)

const PropertyTableRow SampleTable[] = {
    {L"Style", 0, 2, VT_I2, 1},
    {L"Delay", 1, 120, VT_I2, 2},
    {L"Color", 3, 0x8000000F, VT_I4, 4},
    {L"Enabled", 7, 1, VT_BOOL, 1},
    {nullptr, 0, 0, VT_EMPTY, 0},
};

VARIANT TextVariant(const wchar_t* text)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocString(text);
    return value;
}

TEST(PropertyTableTest, DefaultsFillEveryRowAndOnlyItsBytes)
{
    SampleBlock block;
    std::memset(&block, 0xEE, sizeof block);
    SetPropertyDefaults(SampleTable, &block);
    EXPECT_EQ(block.style, 2);
    EXPECT_EQ(block.delay, 120);
    EXPECT_EQ(block.color, 0x8000000Fu);
    EXPECT_EQ(block.enabled, 1);
}

TEST(PropertyTableTest, LoadTakesTheBagsValuesAndDefaultsForTheMissingOnes)
{
    MemoryPropertyBag bag;
    bag.SetLong(L"Delay", 500);
    // A bag may hold a value as text; it is converted to the row's type.
    bag.Set(L"Style", TextVariant(L"4"));
    // Text that is no number leaves the row at its default.
    bag.Set(L"Color", TextVariant(L"blue"));
    SampleBlock block;
    std::memset(&block, 0xEE, sizeof block);
    LoadPropertyTable(SampleTable, &bag, nullptr, &block);
    EXPECT_EQ(block.style, 4);
    EXPECT_EQ(block.delay, 500);
    EXPECT_EQ(block.color, 0x8000000Fu);
    EXPECT_EQ(block.enabled, 1);
}

TEST(PropertyTableTest, SaveLeavesOutDefaultsUnlessAllAreSaved)
{
    SampleBlock block;
    SetPropertyDefaults(SampleTable, &block);
    block.delay = -3;
    block.enabled = 0;

    MemoryPropertyBag some;
    ASSERT_EQ(SavePropertyTable(SampleTable, &some, FALSE, &block), S_OK);
    EXPECT_FALSE(some.Has(L"Style"));
    EXPECT_FALSE(some.Has(L"Color"));
    ASSERT_TRUE(some.Has(L"Delay"));
    ASSERT_TRUE(some.Has(L"Enabled"));

    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I2;
    ASSERT_EQ(some.Read(L"Delay", &value, nullptr), S_OK);
    EXPECT_EQ(value.vt, VT_I2);
    EXPECT_EQ(value.iVal, -3);
    value.vt = VT_BOOL;
    ASSERT_EQ(some.Read(L"Enabled", &value, nullptr), S_OK);
    EXPECT_EQ(value.boolVal, VARIANT_FALSE);

    MemoryPropertyBag all;
    ASSERT_EQ(SavePropertyTable(SampleTable, &all, TRUE, &block), S_OK);
    for (const PropertyTableRow* row = SampleTable; row->name != nullptr; ++row)
        EXPECT_TRUE(all.Has(row->name)) << row->name;
    // A colour with its high bit set reads back whole.
    value.vt = VT_I4;
    ASSERT_EQ(all.Read(L"Color", &value, nullptr), S_OK);
    EXPECT_EQ(static_cast<DWORD>(value.lVal), 0x8000000Fu);
}

TEST(PropertyTableTest, SavedValuesLoadBackUnchanged)
{
    SampleBlock saved = {5, 32767, 0x00C0C0C0, 0};
    MemoryPropertyBag bag;
    ASSERT_EQ(SavePropertyTable(SampleTable, &bag, FALSE, &saved), S_OK);
    SampleBlock loaded;
    std::memset(&loaded, 0, sizeof loaded);
    LoadPropertyTable(SampleTable, &bag, nullptr, &loaded);
    EXPECT_EQ(std::memcmp(&saved, &loaded, sizeof saved), 0);
}

TEST(PropertyTableTest, SaveStopsAtTheFirstFailure)
{
    SampleBlock block;
    SetPropertyDefaults(SampleTable, &block);
    MemoryPropertyBag bag;
    bag.writeAnswer = STG_E_MEDIUMFULL;
    EXPECT_EQ(SavePropertyTable(SampleTable, &bag, TRUE, &block), STG_E_MEDIUMFULL);
    EXPECT_FALSE(bag.Has(L"Style"));
}

TEST(PropertyTableTest, ADefaultCanBeReplacedByName)
{
    PropertyTableRow table[] = {
        {L"ForeColor", 0, 0x80000012, VT_I4, 4},
        {nullptr, 0, 0, VT_EMPTY, 0},
    };
    SetPropertyDefault(table, L"ForeColor", 0x00FF0000);
    DWORD block = 0;
    SetPropertyDefaults(table, &block);
    EXPECT_EQ(block, 0x00FF0000u);
}

} // namespace
