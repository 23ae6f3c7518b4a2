// Picture holders, rendering of bitmaps (frames, stretching, clipping, mask transparency, dithering,
// inversion), metafiles, icons, and tiling, on 32-bit memory canvases.
#include "ComReference.h"
#include "DrawingCanvas.h"
#include "MaskedBitmap.h"
#include "PictureHolder.h"
#include "PictureRendering.h"
#include "PictureTestSupport.h"

#include <olectl.h>

#include <gtest/gtest.h>

#include <functional>

namespace {
constexpr COLORREF Paper = RGB(10, 20, 30);
constexpr COLORREF Magenta = RGB(255, 0, 255);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF Yellow = RGB(255, 255, 0);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Red = RGB(255, 0, 0);
const COLORREF FrameColors[4] = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200), RGB(200, 200, 0)};

// A strip of four 40 x 20 frames, each of its own colour.
ComReference<IPicture> FrameStrip()
{
    return ComReference<IPicture>(
        MakeBitmapPicture(MakeBitmap(160, 20, [](int x, int) { return FrameColors[x / 40]; })));
}

// 20 x 20: the left half in the mask colour, the right half blue.
ComReference<IPicture> HalfMasked(COLORREF mask)
{
    return ComReference<IPicture>(
        MakeBitmapPicture(MakeBitmap(20, 20, [mask](int x, int) { return x < 10 ? mask : Blue; })));
}

bool SameRect(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}
} // namespace

TEST(PictureHolderTest, HoldsOnePictureAndReportsItsType)
{
    PictureHolder holder;
    EXPECT_EQ(holder.GetType(), NoPicture);
    EXPECT_EQ(holder.GetPictureDisp(), nullptr);

    ASSERT_TRUE(holder.CreateEmpty());
    EXPECT_EQ(holder.GetType(), UninitializedPicture);

    HBITMAP bitmap = MakeBitmap(4, 4, [](int, int) { return Blue; });
    ASSERT_TRUE(holder.SetBitmap(bitmap, nullptr, TRUE));
    EXPECT_EQ(holder.GetType(), BitmapPicture);
    ComReference<IPictureDisp> dispatch(holder.GetPictureDisp());
    ASSERT_TRUE(dispatch);

    PictureHolder other;
    ASSERT_TRUE(other.SetFromDispatch(dispatch.Get()));
    EXPECT_EQ(other.Picture(), holder.Picture());
    EXPECT_EQ(other.GetType(), BitmapPicture);

    // The owning picture deletes its bitmap when the last reference goes.
    dispatch.Reset();
    holder.Release();
    EXPECT_EQ(holder.GetType(), NoPicture);
    EXPECT_NE(GetObjectType(bitmap), 0u);
    other.Release();
    EXPECT_EQ(GetObjectType(bitmap), 0u);

    EXPECT_FALSE(other.SetFromDispatch(nullptr));
    EXPECT_EQ(other.GetType(), NoPicture);
}

TEST(PictureHolderTest, NotOwnedHandlesStayTheCallers)
{
    HBITMAP bitmap = MakeBitmap(4, 4, [](int, int) { return Blue; });
    {
        PictureHolder holder;
        ASSERT_TRUE(holder.SetBitmap(bitmap, nullptr, FALSE));
        // Setting another picture releases the first.
        ASSERT_TRUE(holder.CreateEmpty());
    }
    EXPECT_NE(GetObjectType(bitmap), 0u);
    DeleteObject(bitmap);
}

TEST(PictureHolderTest, ObjectWithoutPictureLeavesTheHolderEmpty)
{
    PictureHolder holder;
    ASSERT_TRUE(holder.CreateEmpty());
    IFont* font = nullptr;
    FONTDESC description = {sizeof(FONTDESC), const_cast<LPOLESTR>(L"Arial"), {80000, 0}, 400, 0, 0, 0, 0};
    ASSERT_TRUE(SUCCEEDED(OleCreateFontIndirect(&description, IID_IFont, reinterpret_cast<void**>(&font))));
    EXPECT_FALSE(holder.SetFromDispatch(font));
    EXPECT_EQ(holder.GetType(), NoPicture);
    font->Release();
}

TEST(RenderPictureTest, OneFrameOfAStripAtNaturalSize)
{
    ComReference<IPicture> strip = FrameStrip();
    ASSERT_TRUE(strip);
    DrawingCanvas canvas(200, 60, Paper);
    const RECT cell = {10, 10, 190, 50};
    RenderPicture(canvas.Dc(), strip.Get(), &cell, nullptr, 0, FALSE, FALSE, FALSE, 0, PlainPicture, 2, 4);
    EXPECT_EQ(canvas.CountPixels({10, 10, 50, 30}, FrameColors[2]), 40 * 20);
    EXPECT_EQ(canvas.Pixel(50, 10), Paper);
    EXPECT_EQ(canvas.Pixel(9, 10), Paper);
    EXPECT_EQ(canvas.Pixel(10, 30), Paper);
}

TEST(RenderPictureTest, StretchOffsetAndFrameWrap)
{
    ComReference<IPicture> strip = FrameStrip();
    DrawingCanvas canvas(120, 60, Paper);
    const RECT cell = {0, 0, 120, 60};
    const RECT dest = {10, 10, 90, 50};
    RenderPicture(canvas.Dc(), strip.Get(), &cell, &dest, 1, TRUE, FALSE, FALSE, 0, PlainPicture, 1, 4);
    EXPECT_EQ(canvas.CountPixels({11, 11, 91, 51}, FrameColors[1]), 80 * 40);
    EXPECT_EQ(canvas.Pixel(10, 10), Paper);
    EXPECT_EQ(canvas.Pixel(91, 30), Paper);

    // A frame past the end of the strip wraps round instead of reading beyond the bitmap.
    DrawingCanvas wrapped(60, 30, Paper);
    RenderPicture(wrapped.Dc(), strip.Get(), &cell, nullptr, 0, FALSE, FALSE, FALSE, 0, PlainPicture, 6, 4);
    EXPECT_EQ(wrapped.CountPixels({0, 0, 40, 20}, FrameColors[2]), 40 * 20);
    // A frame count of 0 counts as 1: the whole strip.
    DrawingCanvas whole(200, 30, Paper);
    RenderPicture(whole.Dc(), strip.Get(), &cell, nullptr, 0, FALSE, FALSE, FALSE, 0, PlainPicture, 0, 0);
    EXPECT_EQ(whole.Pixel(150, 5), FrameColors[3]);
}

TEST(RenderPictureTest, AShrunkPictureKeepsItsColoursWhateverTheStretchModeOfTheTarget)
{
    // Red and green columns drawn at half their width on a canvas left in the blending mode that
    // turns shrunk colour pictures dark.
    ComReference<IPicture> stripes(MakeBitmapPicture(
        MakeBitmap(4, 1, [](int x, int) { return x % 2 == 0 ? RGB(255, 0, 0) : RGB(0, 255, 0); })));
    ASSERT_TRUE(stripes);
    DrawingCanvas canvas(10, 4, Paper);
    SetStretchBltMode(canvas.Dc(), BLACKONWHITE);
    const RECT cell = {0, 0, 10, 4};
    const RECT dest = {0, 0, 2, 1};
    RenderPicture(canvas.Dc(), stripes.Get(), &cell, &dest, 0, TRUE, FALSE, FALSE, 0, PlainPicture, 0, 1);
    for (int x = 0; x < 2; ++x) {
        const COLORREF pixel = canvas.Pixel(x, 0);
        EXPECT_TRUE(pixel == RGB(255, 0, 0) || pixel == RGB(0, 255, 0)) << "pixel " << x << " is " << std::hex << pixel;
    }
    // The target's own mode is put back.
    EXPECT_EQ(GetStretchBltMode(canvas.Dc()), BLACKONWHITE);
}

TEST(RenderPictureTest, ClipsToTheDestinationAndPutsTheClipRegionBack)
{
    ComReference<IPicture> strip = FrameStrip();
    const RECT cell = {0, 0, 200, 60};
    const RECT dest = {0, 0, 20, 10};
    {
        DrawingCanvas canvas(200, 60, Paper);
        RenderPicture(canvas.Dc(), strip.Get(), &cell, &dest, 0, FALSE, TRUE, FALSE, 0, PlainPicture, 0, 1);
        EXPECT_EQ(canvas.CountPixels({0, 0, 200, 60}, FrameColors[0]), 20 * 10);
        HRGN probe = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(GetClipRgn(canvas.Dc(), probe), 0);
        DeleteObject(probe);
    }
    {
        // Within a clip region the context has already: both apply, and the old one comes back.
        DrawingCanvas canvas(200, 60, Paper);
        HRGN old = CreateRectRgn(0, 0, 15, 60);
        SelectClipRgn(canvas.Dc(), old);
        DeleteObject(old);
        RenderPicture(canvas.Dc(), strip.Get(), &cell, &dest, 0, FALSE, TRUE, FALSE, 0, PlainPicture, 0, 1);
        EXPECT_EQ(canvas.CountPixels({0, 0, 200, 60}, FrameColors[0]), 15 * 10);
        HRGN probe = CreateRectRgn(0, 0, 0, 0);
        ASSERT_EQ(GetClipRgn(canvas.Dc(), probe), 1);
        RECT box;
        GetRgnBox(probe, &box);
        EXPECT_TRUE(SameRect(box, {0, 0, 15, 60}));
        DeleteObject(probe);
    }
}

TEST(RenderPictureTest, MaskColourPixelsKeepTheBackground)
{
    struct Case {
        const char* name;
        COLORREF pictureMask;
        OLE_COLOR maskProperty;
    };
    const Case cases[] = {
        {"plain colour", Magenta, Magenta},
        {"system button face", GetSysColor(COLOR_BTNFACE), 0x8000000F},
    };
    for (const Case& c : cases) {
        ComReference<IPicture> picture = HalfMasked(c.pictureMask);
        DrawingCanvas canvas(40, 30, Paper);
        // Colours a caller left in the context must not colour the blit.
        SetTextColor(canvas.Dc(), Red);
        SetBkColor(canvas.Dc(), RGB(0, 255, 0));
        const RECT cell = {5, 5, 25, 25};
        RenderPicture(canvas.Dc(), picture.Get(), &cell, nullptr, 0, FALSE, FALSE, TRUE, c.maskProperty,
                      PlainPicture, 0, 1);
        EXPECT_EQ(canvas.CountPixels({5, 5, 15, 25}, Paper), 10 * 20) << c.name;
        EXPECT_EQ(canvas.CountPixels({15, 5, 25, 25}, Blue), 10 * 20) << c.name;
        EXPECT_EQ(GetTextColor(canvas.Dc()), Red) << c.name;
        EXPECT_EQ(GetBkColor(canvas.Dc()), RGB(0, 255, 0)) << c.name;
    }
}

TEST(RenderPictureTest, InvertedLooks)
{
    const RECT cell = {0, 0, 20, 20};
    {
        ComReference<IPicture> picture(MakeBitmapPicture(MakeBitmap(20, 20, [](int, int) { return Blue; })));
        DrawingCanvas canvas(30, 30, Paper);
        RenderPicture(canvas.Dc(), picture.Get(), &cell, nullptr, 0, FALSE, FALSE, FALSE, 0, InvertedPicture, 0, 1);
        EXPECT_EQ(canvas.CountPixels(cell, Yellow), 400);
    }
    {
        ComReference<IPicture> picture = HalfMasked(Magenta);
        DrawingCanvas canvas(30, 30, Paper);
        RenderPicture(canvas.Dc(), picture.Get(), &cell, nullptr, 0, FALSE, FALSE, TRUE, Magenta, InvertedPicture,
                      0, 1);
        EXPECT_EQ(canvas.CountPixels({0, 0, 10, 20}, Paper), 200);
        EXPECT_EQ(canvas.CountPixels({10, 0, 20, 20}, Yellow), 200);
        // The picture's own bitmap is left as it was.
        OLE_HANDLE handle = 0;
        ASSERT_TRUE(SUCCEEDED(picture->get_Handle(&handle)));
        HBITMAP bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
        EXPECT_EQ(BitmapPixel(bitmap, 15, 5), Blue);
        EXPECT_EQ(BitmapPixel(bitmap, 5, 5), Magenta);
    }
}

TEST(RenderPictureTest, DitherTurnsEverySecondPixelWhiteAndSparesMaskPixels)
{
    const RECT cell = {0, 0, 20, 20};
    ComReference<IPicture> picture = HalfMasked(Magenta);
    {
        DrawingCanvas canvas(20, 20, Paper);
        RenderPicture(canvas.Dc(), picture.Get(), &cell, nullptr, 0, FALSE, FALSE, FALSE, 0, DitheredPicture, 0, 1);
        const bool whiteAtEven = canvas.Pixel(10, 0) == White;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                const bool white = ((x + y) % 2 == 0) == whiteAtEven;
                const COLORREF drawn = x < 10 ? Magenta : Blue;
                ASSERT_EQ(canvas.Pixel(x, y), white ? White : drawn) << x << "," << y;
            }
    }
    {
        DrawingCanvas canvas(20, 20, Paper);
        RenderPicture(canvas.Dc(), picture.Get(), &cell, nullptr, 0, FALSE, FALSE, TRUE, Magenta, DitheredPicture,
                      0, 1);
        EXPECT_EQ(canvas.CountPixels({0, 0, 10, 20}, Paper), 200);
        EXPECT_EQ(canvas.CountPixels({10, 0, 20, 20}, White), 100);
        EXPECT_EQ(canvas.CountPixels({10, 0, 20, 20}, Blue), 100);
    }
}

TEST(RenderPictureTest, MetafileIsPlayedIntoTheCell)
{
    // A metafile in a 100 x 100 window whose left half is red.
    HDC recorder = CreateMetaFileA(nullptr);
    ASSERT_NE(recorder, nullptr);
    SetWindowOrgEx(recorder, 0, 0, nullptr);
    SetWindowExtEx(recorder, 100, 100, nullptr);
    HBRUSH red = CreateSolidBrush(Red);
    SelectObject(recorder, red);
    SelectObject(recorder, GetStockObject(NULL_PEN));
    Rectangle(recorder, 0, 0, 51, 101);
    HMETAFILE metafile = CloseMetaFile(recorder);
    DeleteObject(red);
    ASSERT_NE(metafile, nullptr);
    PICTDESC description = {};
    description.picType = PICTYPE_METAFILE;
    description.wmf.hmeta = metafile;
    description.wmf.xExt = 2540;
    description.wmf.yExt = 2540;
    ComReference<IPicture> wmf(MakePicture(description));
    ASSERT_TRUE(wmf);

    DrawingCanvas canvas(80, 80, Paper);
    const RECT cell = {10, 10, 60, 60};
    RenderPicture(canvas.Dc(), wmf.Get(), &cell, nullptr, 0, FALSE, FALSE, FALSE, 0, PlainPicture, 0, 1);
    EXPECT_EQ(canvas.Pixel(20, 30), Red);
    EXPECT_EQ(canvas.Pixel(50, 30), Paper);
    EXPECT_EQ(canvas.Pixel(5, 5), Paper);
    // The context's mapping is put back.
    POINT origin;
    GetViewportOrgEx(canvas.Dc(), &origin);
    EXPECT_EQ(GetMapMode(canvas.Dc()), MM_TEXT);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
}

TEST(RenderPictureTest, EnhancedMetafileFillsItsCellButIsNeverTiled)
{
    HDC recorder = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(recorder, nullptr);
    HBRUSH red = CreateSolidBrush(Red);
    SelectObject(recorder, red);
    SelectObject(recorder, GetStockObject(NULL_PEN));
    Rectangle(recorder, 0, 0, 101, 101);
    HENHMETAFILE metafile = CloseEnhMetaFile(recorder);
    DeleteObject(red);
    ASSERT_NE(metafile, nullptr);
    PICTDESC description = {};
    description.picType = PICTYPE_ENHMETAFILE;
    description.emf.hemf = metafile;
    ComReference<IPicture> emf(MakePicture(description));
    ASSERT_TRUE(emf);

    DrawingCanvas canvas(80, 80, Paper);
    const RECT cell = {10, 10, 60, 60};
    RenderPicture(canvas.Dc(), emf.Get(), &cell, nullptr, 0, FALSE, FALSE, FALSE, 0, PlainPicture, 0, 1);
    EXPECT_EQ(canvas.Pixel(35, 35), Red);
    EXPECT_EQ(canvas.Pixel(65, 65), Paper);
    EXPECT_EQ(canvas.Pixel(5, 5), Paper);

    DrawingCanvas tiled(80, 80, Paper);
    const RECT area = {0, 0, 80, 80};
    TilePicture(tiled.Dc(), emf.Get(), &area, &area, 0, 0, FALSE, 0);
    EXPECT_EQ(tiled.CountPixels(area, Paper), 80 * 80);
}

TEST(RenderPictureTest, IconAtTheCellsSizeAndEmptyPictureNotAtAll)
{
    HBITMAP colour = MakeBitmap(16, 16, [](int, int) { return Blue; });
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
    ICONINFO iconInfo = {TRUE, 0, 0, mask, colour};
    HICON icon = CreateIconIndirect(&iconInfo);
    DeleteObject(colour);
    DeleteObject(mask);
    ASSERT_NE(icon, nullptr);
    PICTDESC description = {};
    description.picType = PICTYPE_ICON;
    description.icon.hicon = icon;
    ComReference<IPicture> iconPicture(MakePicture(description));
    ASSERT_TRUE(iconPicture);
    {
        DrawingCanvas canvas(40, 40, Paper);
        const RECT cell = {4, 4, 20, 20};
        RenderPicture(canvas.Dc(), iconPicture.Get(), &cell, nullptr, 0, FALSE, FALSE, FALSE, 0, PlainPicture, 0, 1);
        EXPECT_EQ(canvas.CountPixels(cell, Blue), 16 * 16);
        EXPECT_EQ(canvas.Pixel(21, 21), Paper);
    }

    PictureHolder empty;
    ASSERT_TRUE(empty.CreateEmpty());
    DrawingCanvas canvas(20, 20, Paper);
    const RECT cell = {0, 0, 20, 20};
    RenderPicture(canvas.Dc(), empty.Picture(), &cell, &cell, 0, TRUE, TRUE, FALSE, 0, PlainPicture, 0, 1);
    EXPECT_EQ(canvas.CountPixels(cell, Paper), 400);
}

TEST(TilePictureTest, TilesOverlapByOnePixelAndStayInTheArea)
{
    // 33 x 33, blue with a red last column and row: at a step of 32 every red line is covered by the
    // next tile, so none shows inside the 64 x 64 area.
    ComReference<IPicture> picture(MakeBitmapPicture(
        MakeBitmap(33, 33, [](int x, int y) { return x == 32 || y == 32 ? Red : Blue; })));
    DrawingCanvas canvas(100, 100, Paper);
    const RECT area = {10, 10, 74, 74};
    TilePicture(canvas.Dc(), picture.Get(), &area, &area, 0, 0, FALSE, 0);
    EXPECT_EQ(canvas.CountPixels(area, Blue), 64 * 64);
    EXPECT_EQ(canvas.Pixel(74, 40), Paper);
    EXPECT_EQ(canvas.Pixel(40, 74), Paper);
    EXPECT_EQ(canvas.Pixel(9, 9), Paper);
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(canvas.Dc(), probe), 0);
    DeleteObject(probe);
}

TEST(TilePictureTest, OnlyTheUpdateAreaIsPainted)
{
    ComReference<IPicture> picture(MakeBitmapPicture(MakeBitmap(10, 10, [](int, int) { return Blue; })));
    DrawingCanvas canvas(60, 60, Paper);
    const RECT area = {0, 0, 60, 60};
    const RECT update = {20, 20, 35, 30};
    TilePicture(canvas.Dc(), picture.Get(), &area, &update, 0, 0, FALSE, 0);
    EXPECT_EQ(canvas.CountPixels(area, Blue), 15 * 10);
    EXPECT_EQ(canvas.CountPixels(update, Blue), 15 * 10);

    // Areas that do not meet draw nothing; transparency reaches every tile.
    DrawingCanvas apart(60, 60, Paper);
    const RECT elsewhere = {70, 70, 80, 80};
    TilePicture(apart.Dc(), picture.Get(), &area, &elsewhere, 0, 0, FALSE, 0);
    EXPECT_EQ(apart.CountPixels(area, Paper), 3600);

    ComReference<IPicture> masked = HalfMasked(Magenta);
    DrawingCanvas transparent(60, 20, Paper);
    const RECT strip = {0, 0, 38, 19};
    TilePicture(transparent.Dc(), masked.Get(), &strip, &strip, 0, 0, TRUE, Magenta);
    EXPECT_EQ(transparent.CountPixels(strip, Magenta), 0);
    EXPECT_GT(transparent.CountPixels(strip, Paper), 0);
    EXPECT_GT(transparent.CountPixels(strip, Blue), 0);
}

TEST(MaskedBitmapTest, DrawsOntoAMemoryContextDirectly)
{
    HBITMAP bitmap = MakeBitmap(8, 8, [](int x, int y) { return (x + y) % 2 ? Magenta : Blue; });
    DrawingCanvas canvas(20, 20, Paper);
    {
        MaskedBitmap masked(bitmap, nullptr);
        ASSERT_TRUE(masked.Draw(canvas.Dc(), 4, 4, 8, 8, 0, 0, 8, 8, Magenta, nullptr, nullptr, FALSE));
        // The mask is made once: a second draw elsewhere uses it again.
        ASSERT_TRUE(masked.Draw(canvas.Dc(), 12, 12, 8, 8, 0, 0, 8, 8, Magenta, nullptr, nullptr, FALSE));
    }
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const COLORREF expected = (x + y) % 2 ? Paper : Blue;
            ASSERT_EQ(canvas.Pixel(4 + x, 4 + y), expected) << x << "," << y;
            ASSERT_EQ(canvas.Pixel(12 + x, 12 + y), expected) << x << "," << y;
        }
    DeleteObject(bitmap);
}

TEST(PictureLeakTest, RenderingAndTilingLeaveNoObjectBehind)
{
    ComReference<IPicture> strip = FrameStrip();
    ComReference<IPicture> masked = HalfMasked(Magenta);
    struct Case {
        const char* name;
        std::function<void(HDC)> draw;
    };
    const RECT cell = {0, 0, 40, 40};
    const RECT dest = {2, 2, 30, 30};
    const Case cases[] = {
        {"plain", [&](HDC dc) { RenderPicture(dc, strip.Get(), &cell, &dest, 1, TRUE, TRUE, FALSE, 0, 0, 1, 4); }},
        {"masked", [&](HDC dc) { RenderPicture(dc, masked.Get(), &cell, &dest, 0, TRUE, TRUE, TRUE, Magenta, 2, 0, 1); }},
        {"dithered", [&](HDC dc) { RenderPicture(dc, masked.Get(), &cell, nullptr, 0, FALSE, FALSE, TRUE, Magenta, 1, 0, 1); }},
        {"inverted", [&](HDC dc) { RenderPicture(dc, strip.Get(), &cell, nullptr, 0, FALSE, FALSE, FALSE, 0, 2, 3, 4); }},
        {"tiled", [&](HDC dc) { TilePicture(dc, masked.Get(), &cell, &dest, 0, 0, TRUE, Magenta); }},
    };
    for (const Case& c : cases) {
        DrawingCanvas canvas(40, 40, Paper);
        const HGDIOBJ brush = GetCurrentObject(canvas.Dc(), OBJ_BRUSH);
        const HGDIOBJ palette = GetCurrentObject(canvas.Dc(), OBJ_PAL);
        const DWORD before = GdiObjectCount();
        c.draw(canvas.Dc());
        EXPECT_EQ(GdiObjectCount(), before) << c.name;
        EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_BRUSH), brush) << c.name;
        EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_PAL), palette) << c.name;
        EXPECT_LT(canvas.CountPixels(cell, Paper), 1600) << c.name << " drew nothing";
    }
}

TEST(PictureHolderTest, LoadsABitmapResourceOfTheResourceModule)
{
    PictureHolder holder;
    ASSERT_TRUE(holder.LoadBitmapResource(101));
    ASSERT_EQ(holder.GetType(), BitmapPicture);
    DrawingCanvas canvas(10, 10, Paper);
    const RECT cell = {1, 1, 9, 9};
    RenderPicture(canvas.Dc(), holder.Picture(), &cell, nullptr, 0, FALSE, FALSE, FALSE, 0, PlainPicture, 0, 1);
    EXPECT_EQ(canvas.Pixel(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(1, 3), RGB(0, 255, 0));
    EXPECT_EQ(canvas.Pixel(4, 2), Blue);
    EXPECT_EQ(canvas.Pixel(5, 2), Paper);

    // A missing resource leaves the holder empty.
    EXPECT_FALSE(holder.LoadBitmapResource(999));
    EXPECT_EQ(holder.GetType(), NoPicture);
}

TEST(MaskedBitmapTest, OtherTargetsGetTheResultInOneCopyOverTheBackgroundGiven)
{
    // An enhanced-metafile context is not a memory context: the work happens off-screen, over the
    // background brush, and reaches the target in one copy, which is then played onto a canvas.
    HBITMAP bitmap = MakeBitmap(8, 8, [](int x, int) { return x < 4 ? Magenta : Blue; });
    HDC screen = GetDC(nullptr);
    HDC recorder = CreateEnhMetaFileA(screen, nullptr, nullptr, nullptr);
    ReleaseDC(nullptr, screen);
    ASSERT_NE(recorder, nullptr);
    ASSERT_NE(GetObjectType(recorder), static_cast<DWORD>(OBJ_MEMDC));
    HBRUSH background = CreateSolidBrush(Yellow);
    {
        MaskedBitmap masked(bitmap, nullptr);
        EXPECT_TRUE(masked.Draw(recorder, 0, 0, 8, 8, 0, 0, 8, 8, Magenta, background, nullptr, FALSE));
    }
    HENHMETAFILE metafile = CloseEnhMetaFile(recorder);
    ASSERT_NE(metafile, nullptr);
    // Playback may scale the recording by a pixel; the columns next to the middle are left out.
    DrawingCanvas canvas(8, 8, Paper);
    const RECT all = {0, 0, 8, 8};
    PlayEnhMetaFile(canvas.Dc(), metafile, &all);
    EXPECT_EQ(canvas.CountPixels({0, 0, 3, 8}, Yellow), 24);
    EXPECT_EQ(canvas.CountPixels({5, 0, 8, 8}, Blue), 24);
    EXPECT_EQ(canvas.CountPixels(all, Magenta), 0);
    DeleteEnhMetaFile(metafile);
    DeleteObject(background);
    DeleteObject(bitmap);
}
