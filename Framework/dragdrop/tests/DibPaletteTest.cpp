// The palettes made for device-independent bitmaps on palette-based screens.
#include "DibBlockCases.h"
#include "DibPalette.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

RGBQUAD Quad(COLORREF colour)
{
    return RGBQUAD{GetBValue(colour), GetGValue(colour), GetRValue(colour), 0};
}

COLORREF Colour(const PALETTEENTRY& entry)
{
    return RGB(entry.peRed, entry.peGreen, entry.peBlue);
}

TEST(DibPalette, AFewStandardColoursNeedNoPalette)
{
    const RGBQUAD table[] = {Quad(0x000000), Quad(0xFFFFFF), Quad(0x0000FF), Quad(0xC0C0C0)};
    PALETTEENTRY entries[256];
    EXPECT_EQ(0u, DibPaletteEntries(table, 4, 256, entries));
}

TEST(DibPalette, TableColoursComeFirstThenTheMissingStandardColours)
{
    // Black twice (a standard colour: kept once), an own colour twice (kept twice), white.
    const RGBQUAD table[] = {Quad(0x000000), Quad(0x123456), Quad(0x000000), Quad(0x123456), Quad(0xFFFFFF)};
    PALETTEENTRY entries[256];
    const UINT used = DibPaletteEntries(table, 5, 256, entries);
    ASSERT_EQ(4u + 14u, used);
    EXPECT_EQ(COLORREF(0x000000), Colour(entries[0]));
    EXPECT_EQ(COLORREF(0x123456), Colour(entries[1]));
    EXPECT_EQ(COLORREF(0x123456), Colour(entries[2]));
    EXPECT_EQ(COLORREF(0xFFFFFF), Colour(entries[3]));
    // The standard colours not in the table follow in their own order.
    EXPECT_EQ(COLORREF(0x000080), Colour(entries[4]));
    EXPECT_EQ(COLORREF(0xFFFF00), Colour(entries[17]));
    EXPECT_EQ(0, entries[4].peFlags);
}

TEST(DibPalette, ThePaletteStopsAtTheScreensSize)
{
    std::vector<RGBQUAD> table;
    for (int i = 0; i < 20; ++i)
        table.push_back(Quad(RGB(i + 1, 2, 3)));
    PALETTEENTRY entries[16];
    EXPECT_EQ(16u, DibPaletteEntries(table.data(), 20, 16, entries));
    EXPECT_EQ(RGB(16, 2, 3), Colour(entries[15]));
}

TEST(DibPalette, CoreHeaderTriplesAreReadAsColours)
{
    struct {
        BITMAPCOREHEADER header;
        RGBTRIPLE colours[2];
    } dib{{sizeof(BITMAPCOREHEADER), 1, 1, 1, 1}, {{0x10, 0x20, 0x30}, {0xFF, 0xFF, 0xFF}}};
    RGBQUAD table[256];
    ASSERT_EQ(2u, DibColourTable(reinterpret_cast<const BITMAPINFO*>(&dib), sizeof dib, table));
    EXPECT_EQ(0x10, table[0].rgbBlue);
    EXPECT_EQ(0x30, table[0].rgbRed);
    // A table the DIB's size cannot hold is not read.
    EXPECT_EQ(0u, DibColourTable(reinterpret_cast<const BITMAPINFO*>(&dib), sizeof dib.header + 3, table));
}

// Memory whose last committed byte is followed by a page that cannot be read: a block placed at its
// end faults on the first byte read past it.
class GuardedPage {
public:
    GuardedPage()
    {
        SYSTEM_INFO system{};
        GetSystemInfo(&system);
        page_ = system.dwPageSize;
        reach_ = 3 * 1024 * 1024;
        const SIZE_T committed = (reach_ + page_ - 1) / page_ * page_;
        base_ = static_cast<BYTE*>(VirtualAlloc(nullptr, committed + page_, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        if (base_ != nullptr && !VirtualProtect(base_ + committed, page_, PAGE_NOACCESS, &old)) {
            VirtualFree(base_, 0, MEM_RELEASE);
            base_ = nullptr;
        }
        end_ = base_ != nullptr ? base_ + committed : nullptr;
    }
    ~GuardedPage()
    {
        if (base_ != nullptr)
            VirtualFree(base_, 0, MEM_RELEASE);
    }
    bool Ready() const { return base_ != nullptr; }
    // The bytes copied so that they end where the unreadable page begins.
    const void* AtTheEnd(const std::string& bytes)
    {
        BYTE* start = end_ - bytes.size();
        std::memcpy(start, bytes.data(), bytes.size());
        return start;
    }
    SIZE_T Reach() const { return reach_; }

private:
    BYTE* base_ = nullptr;
    BYTE* end_ = nullptr;
    SIZE_T page_ = 0;
    SIZE_T reach_ = 0;
};

TEST(DibPalette, APackedDibIsTakenOnlyWhenItLiesWholeInItsBlock)
{
    GuardedPage guarded;
    ASSERT_TRUE(guarded.Ready());
    for (const DibBlockCase& dib : DibBlockCases()) {
        SCOPED_TRACE(dib.what);
        ASSERT_LE(dib.block.size(), guarded.Reach());
        EXPECT_EQ(dib.bitsOffset, PackedDibBitsOffset(guarded.AtTheEnd(dib.block), dib.block.size()));
    }
}

TEST(DibPalette, HalftoneHasTheSystemColoursThenTheColourCube)
{
    const PALETTEENTRY* entries = HalftoneEntries();
    EXPECT_EQ(GetSysColor(0), Colour(entries[0]));
    EXPECT_EQ(GetSysColor(19), Colour(entries[38]));
    EXPECT_EQ(RGB(0, 0, 0), Colour(entries[40]));
    EXPECT_EQ(RGB(0, 0, 51), Colour(entries[41]));
    EXPECT_EQ(RGB(51, 0, 0), Colour(entries[40 + 36]));
    EXPECT_EQ(RGB(255, 255, 255), Colour(entries[255]));
}

} // namespace
