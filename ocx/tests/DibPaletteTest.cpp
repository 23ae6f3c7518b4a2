// Packed DIBs, DIB sections, palettes, the dither pattern and copying a memory context's bitmap.
#include "DibPalettes.h"
#include "DrawingCanvas.h"
#include "PictureHolder.h"
#include "PictureRendering.h"
#include "PictureTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
constexpr COLORREF Paper = RGB(10, 20, 30);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Green = RGB(0, 255, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);

BITMAPINFOHEADER InfoHeader(LONG width, LONG height, WORD bits)
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = bits;
    return header;
}

HPALETTE ThreeColourPalette()
{
    struct {
        LOGPALETTE header;
        PALETTEENTRY more[2];
    } block = {{0x300, 3, {{255, 0, 0, 0}}}, {{0, 255, 0, 0}, {0, 0, 255, 0}}};
    return CreatePalette(&block.header);
}

// A packed DIB block holding exactly `bytes`.
HGLOBAL GlobalOf(const void* bytes, SIZE_T size)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    memcpy(GlobalLock(block), bytes, size);
    GlobalUnlock(block);
    return block;
}

struct LockedDib {
    explicit LockedDib(HGLOBAL block) : block(block), data(static_cast<BYTE*>(GlobalLock(block))) {}
    ~LockedDib()
    {
        GlobalUnlock(block);
        GlobalFree(block);
    }
    const BITMAPINFOHEADER* Header() const { return reinterpret_cast<const BITMAPINFOHEADER*>(data); }
    const RGBQUAD* Table() const { return reinterpret_cast<const RGBQUAD*>(data + sizeof(BITMAPINFOHEADER)); }
    const BYTE* Pixels() const { return data + sizeof(BITMAPINFOHEADER) + DibColorTableSize(data); }
    HGLOBAL block;
    BYTE* data;
};
} // namespace

TEST(DibCountTest, ColourCountsAndTableSizes)
{
    struct Case {
        bool core;
        WORD bits;
        DWORD used;
        UINT colors;
        UINT tableBytes;
    };
    const Case cases[] = {
        {true, 1, 0, 2, 6},      {true, 4, 0, 16, 48},   {true, 8, 0, 256, 768}, {true, 24, 0, 0, 0},
        {false, 1, 0, 2, 8},     {false, 4, 0, 16, 64},  {false, 8, 0, 256, 1024}, {false, 24, 0, 0, 0},
        {false, 8, 20, 20, 80},  {false, 24, 5, 5, 20},  {false, 32, 0, 0, 0},
    };
    for (const Case& c : cases) {
        if (c.core) {
            BITMAPCOREHEADER header = {sizeof(BITMAPCOREHEADER), 4, 4, 1, c.bits};
            EXPECT_EQ(DibColorCount(&header), c.colors) << "core " << c.bits;
            EXPECT_EQ(DibColorTableSize(&header), c.tableBytes) << "core " << c.bits;
        } else {
            BITMAPINFOHEADER header = InfoHeader(4, 4, c.bits);
            header.biClrUsed = c.used;
            EXPECT_EQ(DibColorCount(&header), c.colors) << "info " << c.bits << " used " << c.used;
            EXPECT_EQ(DibColorTableSize(&header), c.tableBytes) << "info " << c.bits;
        }
    }
    EXPECT_EQ(DibRowStride(3, 24), 12u);
    EXPECT_EQ(DibRowStride(33, 1), 8u);
    EXPECT_EQ(DibRowStride(5, 4), 4u);
}

TEST(PackedDibTest, BitsFollowTheBitmapAndThePixelsComeThrough)
{
    HBITMAP bitmap = MakeBitmap(3, 2, [](int x, int y) { return y == 0 ? (x == 0 ? Red : Green) : Blue; });
    {
        LockedDib dib(BitmapToPackedDib(bitmap, nullptr, 0));
        ASSERT_NE(dib.data, nullptr);
        EXPECT_EQ(dib.Header()->biBitCount, 24);
        EXPECT_EQ(dib.Header()->biWidth, 3);
        EXPECT_EQ(dib.Header()->biHeight, 2);
        // Bottom-up rows of blue, green, red bytes: the first stored row is the bitmap's last.
        const BYTE* bottom = dib.Pixels();
        const BYTE* top = bottom + DibRowStride(3, 24);
        EXPECT_EQ(bottom[0], 255);  // blue
        EXPECT_EQ(top[2], 255);     // red at (0, 0)
        EXPECT_EQ(top[4], 255);     // green at (1, 0)
    }
    {
        LockedDib dib(BitmapToPackedDib(bitmap, nullptr, 8));
        ASSERT_NE(dib.data, nullptr);
        EXPECT_EQ(dib.Header()->biBitCount, 8);
        const RGBQUAD red = dib.Table()[dib.Pixels()[DibRowStride(3, 8)]];
        EXPECT_EQ(RGB(red.rgbRed, red.rgbGreen, red.rgbBlue), Red);
    }
    HBITMAP mono = CreateBitmap(9, 3, 1, 1, nullptr);
    {
        LockedDib dib(BitmapToPackedDib(mono, nullptr, 0));
        ASSERT_NE(dib.data, nullptr);
        EXPECT_EQ(dib.Header()->biBitCount, 1);
    }
    EXPECT_EQ(BitmapToPackedDib(nullptr, nullptr, 0), nullptr);
    DeleteObject(mono);
    DeleteObject(bitmap);
}

TEST(PackedDibTest, PaletteDibHoldsIndicesIntoThePalette)
{
    HPALETTE palette = ThreeColourPalette();
    const COLORREF colours[3] = {Red, Green, Blue};
    HBITMAP bitmap = MakeBitmap(5, 1, [&](int x, int) { return colours[(x * 2) % 3]; });
    {
        LockedDib dib(BitmapToPaletteDib(bitmap, palette));
        ASSERT_NE(dib.data, nullptr);
        EXPECT_EQ(dib.Header()->biBitCount, 4);
        EXPECT_EQ(dib.Header()->biClrUsed, 3u);
        EXPECT_EQ(dib.Table()[1].rgbGreen, 255);
        EXPECT_EQ(dib.Table()[2].rgbBlue, 255);
        const BYTE* row = dib.Pixels();
        const int expected[5] = {0, 2, 1, 0, 2};
        for (int x = 0; x < 5; ++x) {
            const int index = x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F;
            EXPECT_EQ(index, expected[x]) << x;
        }
    }
    // A palette of more than 16 entries gives bytes.
    {
        LockedDib dib(BitmapToPaletteDib(bitmap, nullptr));
        ASSERT_NE(dib.data, nullptr);
        EXPECT_EQ(dib.Header()->biBitCount, 8);
        const RGBQUAD first = dib.Table()[dib.Pixels()[0]];
        EXPECT_EQ(RGB(first.rgbRed, first.rgbGreen, first.rgbBlue), Red);
    }
    DeleteObject(bitmap);
    DeleteObject(palette);
}

TEST(DibHeaderTest, ReadFillsSizesAndReadsNoMoreThanACoreHeader)
{
    const BITMAPINFOHEADER info = InfoHeader(10, 3, 8);
    std::vector<BYTE> bytes(sizeof(info) + 256 * 4 + 12 * 3);
    memcpy(bytes.data(), &info, sizeof(info));
    HGLOBAL block = GlobalOf(bytes.data(), bytes.size());
    BITMAPINFOHEADER read = {};
    ASSERT_TRUE(ReadDibHeader(block, &read));
    EXPECT_EQ(read.biSizeImage, 36u);
    EXPECT_EQ(read.biClrUsed, 256u);
    GlobalFree(block);

    // A one-pixel 24-bit DIB with a core header is 16 bytes: shorter than an info header.
    struct {
        BITMAPCOREHEADER header;
        BYTE pixel[4];
    } core = {{sizeof(BITMAPCOREHEADER), 1, 1, 1, 24}, {1, 2, 3, 0}};
    block = GlobalOf(&core, sizeof(core));
    ASSERT_TRUE(ReadDibHeader(block, &read));
    EXPECT_EQ(read.biSize, sizeof(BITMAPCOREHEADER));
    EXPECT_EQ(read.biWidth, 1);
    EXPECT_EQ(read.biBitCount, 24);
    EXPECT_EQ(read.biSizeImage, 4u);
    EXPECT_EQ(read.biClrUsed, 0u);
    GlobalFree(block);

    const DWORD notADib[2] = {20, 0};
    block = GlobalOf(notADib, sizeof(notADib));
    EXPECT_FALSE(ReadDibHeader(block, &read));
    GlobalFree(block);
}

TEST(DibPaletteTest, PaletteFromTheColourTableOrTheColourCube)
{
    DibInfo info = {};
    info.header = InfoHeader(2, 2, 4);
    info.header.biClrUsed = 3;
    info.colors[0] = {0, 0, 255, 0};
    info.colors[2] = {9, 8, 7, 0};
    HPALETTE table = CreateDibPalette(&info.header);
    ASSERT_NE(table, nullptr);
    PALETTEENTRY entries[256];
    ASSERT_EQ(GetPaletteEntries(table, 0, 256, entries), 3u);
    EXPECT_EQ(entries[0].peRed, 255);
    EXPECT_EQ(entries[2].peRed, 7);
    EXPECT_EQ(entries[2].peBlue, 9);
    DeleteObject(table);

    info.header.biBitCount = 24;
    info.header.biClrUsed = 0;
    HPALETTE cube = CreateDibPalette(&info.header);
    ASSERT_NE(cube, nullptr);
    ASSERT_EQ(GetPaletteEntries(cube, 0, 256, entries), 256u);
    EXPECT_EQ(entries[9].peRed, 32);
    EXPECT_EQ(entries[9].peGreen, 32);
    EXPECT_EQ(entries[9].peBlue, 0);
    EXPECT_EQ(entries[200].peRed, 0);
    EXPECT_EQ(entries[200].peGreen, 32);
    EXPECT_EQ(entries[200].peBlue, 192);
    EXPECT_EQ(entries[255].peRed, 224);
    DeleteObject(cube);

    info.header.biBitCount = 32;
    EXPECT_EQ(CreateDibPalette(&info.header), nullptr);
    BITMAPCOREHEADER core = {sizeof(BITMAPCOREHEADER), 2, 2, 1, 8};
    EXPECT_EQ(CreateDibPalette(reinterpret_cast<BITMAPINFOHEADER*>(&core)), nullptr);
}

TEST(DibSectionTest, SectionCarriesThePixelsAndMakesAPaletteWhenNoneIsGiven)
{
    HBITMAP bitmap = MakeBitmap(4, 4, [](int x, int) { return x < 2 ? Red : Blue; });
    DrawingCanvas canvas(4, 4, Paper);
    DibInfo info;
    HPALETTE palette = nullptr;
    HBITMAP section = BitmapToDibSection(bitmap, canvas.Dc(), &info, &palette);
    ASSERT_NE(section, nullptr);
    EXPECT_EQ(info.header.biWidth, 4);
    EXPECT_EQ(info.header.biBitCount, 24);
    EXPECT_EQ(BitmapPixel(section, 0, 0), Red);
    EXPECT_EQ(BitmapPixel(section, 3, 3), Blue);
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), 256u);
    DeleteObject(palette);
    DeleteObject(section);

    // A palette given is used, not replaced.
    HPALETTE given = ThreeColourPalette();
    HPALETTE inOut = given;
    section = BitmapToDibSection(bitmap, canvas.Dc(), &info, &inOut);
    ASSERT_NE(section, nullptr);
    EXPECT_EQ(inOut, given);
    DeleteObject(section);
    DeleteObject(given);
    DeleteObject(bitmap);
}

TEST(DitherBitmapTest, CheckerboardOfEightByEight)
{
    HBITMAP dither = CreateDitherBitmap();
    ASSERT_NE(dither, nullptr);
    BITMAP description;
    ASSERT_NE(GetObjectA(dither, sizeof(description), &description), 0);
    EXPECT_EQ(description.bmWidth, 8);
    EXPECT_EQ(description.bmHeight, 8);
    EXPECT_EQ(description.bmBitsPixel, 1);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(BitmapPixel(dither, x, y) == BitmapPixel(dither, 0, 0), (x + y) % 2 == 0) << x << "," << y;
    EXPECT_NE(BitmapPixel(dither, 0, 0), BitmapPixel(dither, 1, 0));
    DeleteObject(dither);
}

TEST(CopyDcBitmapTest, CopiesAtItsOwnSizeOrStretched)
{
    HBITMAP bitmap = MakeBitmap(10, 10, [](int x, int) { return x < 5 ? Red : Green; });
    HDC source = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(source, bitmap);
    const DWORD before = GdiObjectCount();
    {
        DrawingCanvas canvas(40, 40, Paper);
        const RECT rect = {5, 5, 35, 25};
        ASSERT_TRUE(CopyDcBitmap(canvas.Dc(), source, &rect, FALSE));
        EXPECT_EQ(canvas.CountPixels({5, 5, 10, 15}, Red), 50);
        EXPECT_EQ(canvas.CountPixels({10, 5, 15, 15}, Green), 50);
        EXPECT_EQ(canvas.Pixel(15, 5), Paper);
        EXPECT_EQ(canvas.Pixel(5, 15), Paper);
    }
    {
        DrawingCanvas canvas(40, 40, Paper);
        const RECT rect = {0, 0, 40, 20};
        ASSERT_TRUE(CopyDcBitmap(canvas.Dc(), source, &rect, TRUE));
        EXPECT_EQ(canvas.CountPixels({0, 0, 20, 20}, Red), 400);
        EXPECT_EQ(canvas.CountPixels({20, 0, 40, 20}, Green), 400);
        EXPECT_EQ(canvas.Pixel(0, 20), Paper);
    }
    EXPECT_EQ(GdiObjectCount(), before);
    // The source keeps its bitmap selected.
    EXPECT_EQ(GetCurrentObject(source, OBJ_BITMAP), bitmap);
    SelectObject(source, old);
    DeleteObject(bitmap);

    // A monochrome bitmap copies in black and white.
    HBITMAP mono = CreateBitmap(16, 1, 1, 1, nullptr);
    old = SelectObject(source, mono);
    PatBlt(source, 0, 0, 8, 1, WHITENESS);
    PatBlt(source, 8, 0, 8, 1, BLACKNESS);
    DrawingCanvas canvas(20, 4, Paper);
    const RECT rect = {0, 0, 16, 1};
    ASSERT_TRUE(CopyDcBitmap(canvas.Dc(), source, &rect, FALSE));
    EXPECT_EQ(canvas.Pixel(2, 0), RGB(255, 255, 255));
    EXPECT_EQ(canvas.Pixel(12, 0), RGB(0, 0, 0));
    EXPECT_EQ(canvas.Pixel(17, 0), Paper);
    SelectObject(source, old);
    DeleteObject(mono);
    DeleteDC(source);
}

TEST(SystemPaletteMatchTest, PictureWithoutAPaletteIsLeftAlone)
{
    PictureHolder holder;
    ASSERT_TRUE(holder.SetBitmap(MakeBitmap(4, 4, [](int, int) { return Red; }), nullptr, TRUE));
    IPicture* before = holder.Picture();
    DrawingCanvas canvas(4, 4, Paper);
    EXPECT_EQ(MatchPictureToSystemPalette(canvas.Dc(), &holder), 0);
    EXPECT_EQ(holder.Picture(), before);
    PictureHolder empty;
    EXPECT_EQ(MatchPictureToSystemPalette(canvas.Dc(), &empty), 0);
    EXPECT_EQ(empty.GetType(), NoPicture);
}
