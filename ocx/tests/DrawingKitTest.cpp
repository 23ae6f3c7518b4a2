// The drawing kit on 32-bit memory canvases: colours and schemes, bevels, edges and outlines, 3D
// captions and their placement, unit conversions; every routine leaves no GDI object behind and the
// context's selections as it found them.
#include "Bevels.h"
#include "ColorScheme.h"
#include "DrawingCanvas.h"
#include "Himetric.h"
#include "TextEffects.h"
#include "UnitConversions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Grey = RGB(128, 128, 128);
constexpr COLORREF LightGrey = RGB(192, 192, 192);
constexpr COLORREF Paper = RGB(10, 20, 30);
constexpr COLORREF Dark = RGB(0, 0, 160);
constexpr COLORREF Light = RGB(250, 250, 100);
constexpr COLORREF Ink = RGB(200, 0, 0);

// A scheme of the caller's own colours (any mode but 0 and 1).
ColorScheme CustomScheme(COLORREF face, COLORREF shadow, COLORREF highlight, COLORREF frame)
{
    return ColorScheme(2, face, shadow, highlight, frame, FALSE, 7);
}

HFONT MakeFont(int points)
{
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    return CreateFontA(height, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, "Arial");
}

// What a context has selected and set, to compare before and after a routine.
struct DcState {
    HGDIOBJ pen, brush, font;
    COLORREF text, back;
    int mode;
    bool operator==(const DcState& other) const
    {
        return pen == other.pen && brush == other.brush && font == other.font && text == other.text &&
               back == other.back && mode == other.mode;
    }
};
DcState StateOf(HDC dc)
{
    return {GetCurrentObject(dc, OBJ_PEN), GetCurrentObject(dc, OBJ_BRUSH), GetCurrentObject(dc, OBJ_FONT),
            GetTextColor(dc), GetBkColor(dc), GetBkMode(dc)};
}
} // namespace

TEST(GdiObjectCountTest, SeesAnObjectMadeAndDeleted)
{
    const DWORD before = GdiObjectCount();
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    ASSERT_NE(pen, nullptr);
    EXPECT_EQ(GdiObjectCount(), before + 1);
    DeleteObject(pen);
    EXPECT_EQ(GdiObjectCount(), before);
}

TEST(OleColorTest, SystemColoursAreLookedUpAndOthersPassThrough)
{
    struct Case {
        OLE_COLOR given;
        COLORREF expected;
    };
    const Case cases[] = {
        {0x8000000F, GetSysColor(COLOR_BTNFACE)},
        {0x80000010, GetSysColor(COLOR_BTNSHADOW)},
        {0x80000014, GetSysColor(COLOR_BTNHIGHLIGHT)},
        {0x80000005, GetSysColor(COLOR_WINDOW)},
        {0x00FF0000, 0x00FF0000},
        {0x000000FF, 0x000000FF},
        {0x01000005, 0x01000005},  // a palette index stays a palette index
        {0x02102030, 0x02102030},  // a palette-relative colour stays as it is
    };
    for (const Case& c : cases)
        EXPECT_EQ(OleColorToColorRef(c.given), c.expected) << std::hex << c.given;
}

TEST(ColorSchemeTest, ModesChooseTheirColours)
{
    ColorScheme fixed(0, 1, 2, 3, 4, FALSE, 0);
    EXPECT_EQ(fixed.ButtonFaceColor(), LightGrey);
    EXPECT_EQ(fixed.ButtonShadowColor(), Grey);
    EXPECT_EQ(fixed.ButtonHighlightColor(), White);
    EXPECT_EQ(fixed.WindowFrameColor(), Black);
    EXPECT_EQ(fixed.LightTextColor(), White);
    EXPECT_EQ(fixed.DarkTextColor(), Grey);
    ColorScheme fixedBlack(0, 1, 2, 3, 4, TRUE, 0);
    EXPECT_EQ(fixedBlack.DarkTextColor(), Black);

    ColorScheme system = ColorScheme::SystemScheme();
    EXPECT_EQ(system.Mode(), 1);
    EXPECT_EQ(system.ButtonFaceColor(), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(system.ButtonShadowColor(), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(system.ButtonHighlightColor(), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(system.WindowFrameColor(), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(system.DarkTextColor(), system.ButtonShadowColor());
    EXPECT_EQ(system.LightTextColor(), system.ButtonHighlightColor());

    ColorScheme custom = CustomScheme(RGB(1, 1, 1), RGB(2, 2, 2), RGB(3, 3, 3), RGB(4, 4, 4));
    EXPECT_EQ(custom.ButtonFaceColor(), RGB(1, 1, 1));
    EXPECT_EQ(custom.ButtonShadowColor(), RGB(2, 2, 2));
    EXPECT_EQ(custom.ButtonHighlightColor(), RGB(3, 3, 3));
    EXPECT_EQ(custom.WindowFrameColor(), RGB(4, 4, 4));
    EXPECT_EQ(custom.DarkTextColor(), RGB(2, 2, 2));
    EXPECT_EQ(custom.LightTextColor(), RGB(3, 3, 3));
    EXPECT_EQ(custom.UserValue(), 7);
}

TEST(ColorSchemeTest, StockColoursGiveStockObjectsAndOthersAreMadeOnce)
{
    ColorScheme stock(0, 0, 0, 0, 0, FALSE, 0);
    EXPECT_EQ(stock.HighlightPen(), GetStockObject(WHITE_PEN));
    EXPECT_EQ(stock.FramePen(), GetStockObject(BLACK_PEN));
    EXPECT_EQ(stock.FaceBrush(), GetStockObject(LTGRAY_BRUSH));
    EXPECT_EQ(stock.ShadowBrush(), GetStockObject(DKGRAY_BRUSH));
    EXPECT_EQ(stock.HighlightBrush(), GetStockObject(WHITE_BRUSH));
    ColorScheme blackFace = CustomScheme(Black, Grey, White, Black);
    EXPECT_EQ(blackFace.FaceBrush(), GetStockObject(BLACK_BRUSH));

    const DWORD before = GdiObjectCount();
    {
        ColorScheme custom = CustomScheme(RGB(1, 1, 1), RGB(2, 2, 2), RGB(3, 3, 3), RGB(4, 4, 4));
        HPEN shadow = custom.ShadowPen();
        ASSERT_NE(shadow, nullptr);
        EXPECT_EQ(custom.ShadowPen(), shadow);
        LOGPEN pen;
        ASSERT_EQ(GetObjectA(shadow, sizeof(pen), &pen), int(sizeof(pen)));
        EXPECT_EQ(pen.lopnColor, RGB(2, 2, 2));
        EXPECT_EQ(pen.lopnWidth.x, 1);
        HBRUSH face = custom.FaceBrush();
        EXPECT_EQ(custom.FaceBrush(), face);
        LOGBRUSH brush;
        ASSERT_NE(GetObjectA(face, sizeof(brush), &brush), 0);
        EXPECT_EQ(brush.lbColor, RGB(1, 1, 1));
        custom.HighlightPen();
        custom.FramePen();
        custom.ShadowBrush();
        custom.HighlightBrush();
        EXPECT_EQ(GdiObjectCount(), before + 6);
    }
    // The scheme deleted everything it made, and no stock object was deleted.
    EXPECT_EQ(GdiObjectCount(), before);
    EXPECT_NE(GetObjectType(GetStockObject(WHITE_PEN)), 0u);
}

TEST(RectangleTest, InsetRectSidesMovesOnlyTheFlaggedSides)
{
    RECT rect = {10, 20, 110, 220};
    EXPECT_EQ(InsetRectSides(&rect, 3, TRUE, FALSE, TRUE, FALSE), &rect);
    EXPECT_EQ(rect.left, 13);
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.right, 107);
    EXPECT_EQ(rect.bottom, 220);
    InsetRectSides(&rect, -5, TRUE, TRUE, TRUE, TRUE);
    EXPECT_EQ(rect.left, 8);
    EXPECT_EQ(rect.top, 15);
    EXPECT_EQ(rect.right, 112);
    EXPECT_EQ(rect.bottom, 225);
}

TEST(RectangleTest, PlaceTextRectByEachAlignment)
{
    struct Case {
        int alignment;
        RECT expected;
    };
    // A 40 x 12 box in (0, 0, 101, 31).
    const Case cases[] = {
        {0, {0, 0, 40, 12}},    {1, {0, 9, 40, 21}},    {2, {0, 19, 40, 31}},
        {3, {61, 0, 101, 12}},  {4, {61, 9, 101, 21}},  {5, {61, 19, 101, 31}},
        {6, {30, 0, 70, 12}},   {7, {30, 9, 70, 21}},   {8, {30, 19, 70, 31}},
        {9, {0, 0, 101, 31}},   {-1, {0, 0, 101, 31}},  {DT_CENTER | DT_WORDBREAK, {0, 0, 101, 31}},
    };
    for (const Case& c : cases) {
        RECT rect = {0, 0, 101, 31};
        PlaceTextRect(&rect, 40, 12, c.alignment);
        EXPECT_TRUE(EqualRect(&rect, &c.expected))
            << "alignment " << c.alignment << ": " << rect.left << "," << rect.top << "," << rect.right << ","
            << rect.bottom;
    }
    // Centring truncates towards zero with negative coordinates too.
    RECT negative = {-31, -21, 0, 0};
    PlaceTextRect(&negative, 5, 5, 7);
    EXPECT_EQ(negative.left, -31 + 15 - 2);
    EXPECT_EQ(negative.top, -21 + 10 - 2);
}

TEST(UnitConversionTest, TwipsAndPixels)
{
    EXPECT_EQ(TwipsToPixelsAt(1440, 96), 96);
    EXPECT_EQ(TwipsToPixelsAt(1440, 120), 120);
    EXPECT_EQ(TwipsToPixelsAt(7, 96), 0);
    EXPECT_EQ(TwipsToPixelsAt(8, 96), 1);
    EXPECT_EQ(PixelsToTwipsAt(96, 96), 1440);
    EXPECT_EQ(PixelsToTwipsAt(10, 120), 120);
    EXPECT_EQ(TwipsToPixelsAt(1440, 0), 96);  // a display that reports nothing counts as 96

    HDC display = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    ASSERT_NE(display, nullptr);
    const int dpiX = GetDeviceCaps(display, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(display, LOGPIXELSY);
    DeleteDC(display);
    EXPECT_EQ(TwipsToPixelsX(1440), TwipsToPixelsAt(1440, dpiX));
    EXPECT_EQ(TwipsToPixelsY(2880), TwipsToPixelsAt(2880, dpiY));
    EXPECT_EQ(PixelsToTwipsX(3), PixelsToTwipsAt(3, dpiX));
    EXPECT_EQ(PixelsToTwipsY(3), PixelsToTwipsAt(3, dpiY));
}

TEST(UnitConversionTest, HimetricAxesFollowTheFramework)
{
    const LONG pixels = MulDiv(2540, ScreenDotsPerInchX(), 2540);
    EXPECT_EQ(HimetricToPixelsX(2540), pixels);
    EXPECT_EQ(HimetricToPixelsY(2540), ScreenDotsPerInchY());
    EXPECT_EQ(PixelsToHimetricX(ScreenDotsPerInchX()), 2540);
    EXPECT_EQ(PixelsToHimetricY(ScreenDotsPerInchY()), 2540);
}

namespace {
// Which rings of a bevel of `width` a pixel of a w x h rectangle at the origin lies in: the colour
// expected there, or Paper outside the bevel.
COLORREF ExpectedBevelPixel(int x, int y, int w, int h, int width, bool raised, COLORREF dark, COLORREF light)
{
    const COLORREF upper = raised ? light : dark;
    const COLORREF lower = raised ? dark : light;
    for (int i = 0; i < width; ++i) {
        const int left = i, top = i, right = w - 1 - i, bottom = h - 1 - i;
        if (x < left || x > right || y < top || y > bottom)
            continue;
        // Ring i: its right column and bottom row are the lower colour, drawn last.
        if (x == right || y == bottom)
            return lower;
        if (x == left || y == top)
            return upper;
    }
    return Paper;
}
} // namespace

TEST(BevelTest, RingsTakeTheirColoursByLook)
{
    struct Case {
        const char* name;
        int width;
        bool raised;
        COLORREF dark, light;
    };
    const Case cases[] = {
        {"raised width 2", 2, true, Dark, Light},
        {"sunken width 2", 2, false, Dark, Light},
        {"raised width 1 stock colours", 1, true, Black, White},
        {"sunken width 3", 3, false, Dark, Light},
    };
    for (const Case& c : cases) {
        DrawingCanvas canvas(10, 10, Paper);
        DrawBevelLines(canvas.Dc(), 0, 0, 10, 10, c.width, c.raised, c.dark, c.light);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x)
                ASSERT_EQ(canvas.Pixel(x, y), ExpectedBevelPixel(x, y, 10, 10, c.width, c.raised, c.dark, c.light))
                    << c.name << " at " << x << "," << y;
    }
}

TEST(BevelTest, WidthTwoRaisedMatchesTheDocumentedPixels)
{
    DrawingCanvas canvas(10, 10, Paper);
    DrawBevelLines(canvas.Dc(), 0, 0, 10, 10, 2, TRUE, Dark, Light);
    for (int k = 2; k < 8; ++k) {
        EXPECT_EQ(canvas.Pixel(0, k), Light);
        EXPECT_EQ(canvas.Pixel(1, k), Light);
        EXPECT_EQ(canvas.Pixel(k, 0), Light);
        EXPECT_EQ(canvas.Pixel(k, 1), Light);
        EXPECT_EQ(canvas.Pixel(9, k), Dark);
        EXPECT_EQ(canvas.Pixel(8, k), Dark);
        EXPECT_EQ(canvas.Pixel(k, 9), Dark);
        EXPECT_EQ(canvas.Pixel(k, 8), Dark);
    }
    EXPECT_EQ(canvas.Pixel(5, 5), Paper);
}

TEST(BevelTest, OleBevelConvertsSystemColours)
{
    DrawingCanvas canvas(12, 12, Paper);
    DrawBevelLinesOle(canvas.Dc(), 1, 1, 11, 11, 1, TRUE, 0x80000010, 0x80000014);
    EXPECT_EQ(canvas.Pixel(1, 5), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.Pixel(10, 5), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.Pixel(0, 0), Paper);
    EXPECT_EQ(canvas.Pixel(11, 11), Paper);
}

TEST(BevelTest, ControlBevelUsesTheSchemeAndDrawsNothingWithoutOne)
{
    ColorScheme scheme = CustomScheme(LightGrey, Dark, Light, Black);
    DrawingCanvas canvas(20, 20, Paper);
    DrawBevel(canvas.Dc(), 0, 0, 20, 20, 2, FALSE, &scheme);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(canvas.Pixel(x, y), ExpectedBevelPixel(x, y, 20, 20, 2, false, Dark, Light)) << x << "," << y;

    DrawingCanvas untouched(20, 20, Paper);
    DrawBevel(untouched.Dc(), 0, 0, 20, 20, 2, TRUE, nullptr);
    DrawBevel(untouched.Dc(), 0, 0, 20, 20, 0, TRUE, &scheme);
    EXPECT_EQ(untouched.CountPixels({0, 0, 20, 20}, Paper), 400);
}

TEST(EdgeTest, InsetEdgeShadesLeftAndTopOnly)
{
    ColorScheme scheme = CustomScheme(LightGrey, Dark, Light, Black);
    DrawingCanvas canvas(10, 10, Paper);
    DrawInsetEdge(canvas.Dc(), 0, 0, 10, 10, 2, &scheme);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool shaded = x < 2 || y < 2;
            ASSERT_EQ(canvas.Pixel(x, y), shaded ? Dark : Paper) << x << "," << y;
        }
    // Without a scheme, the system's shadow colour.
    DrawingCanvas system(10, 10, Paper);
    DrawInsetEdge(system.Dc(), 0, 0, 10, 10, 1, nullptr);
    EXPECT_EQ(system.Pixel(0, 9), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(system.Pixel(9, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(system.Pixel(1, 1), Paper);
}

TEST(EdgeTest, OutlineIsOnePixelWithOptionalRoundedCorners)
{
    const COLORREF frame = RGB(0, 90, 0);
    const COLORREF face = RGB(180, 180, 0);
    for (BOOL rounded : {FALSE, TRUE}) {
        ColorScheme scheme = CustomScheme(face, Dark, Light, frame);
        DrawingCanvas canvas(12, 8, Paper);
        DrawOutline(canvas.Dc(), 1, 1, 11, 7, rounded, &scheme);
        const COLORREF corner = rounded ? face : frame;
        EXPECT_EQ(canvas.Pixel(1, 1), corner);
        EXPECT_EQ(canvas.Pixel(10, 1), corner);
        EXPECT_EQ(canvas.Pixel(1, 6), corner);
        EXPECT_EQ(canvas.Pixel(10, 6), corner);
        EXPECT_EQ(canvas.Pixel(5, 1), frame);
        EXPECT_EQ(canvas.Pixel(5, 6), frame);
        EXPECT_EQ(canvas.Pixel(1, 3), frame);
        EXPECT_EQ(canvas.Pixel(10, 3), frame);
        EXPECT_EQ(canvas.Pixel(5, 3), Paper);
        EXPECT_EQ(canvas.Pixel(0, 0), Paper);
        EXPECT_EQ(canvas.Pixel(11, 7), Paper);
    }
}

namespace {
// The glyph pixels of a text drawn plainly at the box's top left.
std::vector<bool> GlyphMask(HFONT font, const char* text, int width, int height)
{
    DrawingCanvas canvas(width, height, Paper);
    TextEffectRequest request = {canvas.Dc(), text, 0, 0, width, height, qvNoneFont3D, qvLeftTop, 0, font,
                                 Ink, 0, Dark, Light, FALSE};
    Draw3DText(&request);
    std::vector<bool> mask(width * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            mask[y * width + x] = canvas.Pixel(x, y) == Ink;
    return mask;
}

struct InkPass {
    COLORREF color;
    int offset;
};

// The picture the passes make when each paints the glyph moved by its offset.
COLORREF Composite(const std::vector<bool>& mask, int width, int height, int x, int y,
                   const std::vector<InkPass>& passes)
{
    COLORREF result = Paper;
    for (const InkPass& pass : passes) {
        const int gx = x - pass.offset, gy = y - pass.offset;
        if (gx >= 0 && gy >= 0 && gx < width && gy < height && mask[gy * width + gx])
            result = pass.color;
    }
    return result;
}
} // namespace

TEST(TextEffectTest, EachEffectDrawsItsPassesAtTheirOffsets)
{
    HFONT font = MakeFont(14);
    ASSERT_NE(font, nullptr);
    const int width = 60, height = 40;
    const std::vector<bool> mask = GlyphMask(font, "Hg", width, height);
    ASSERT_GT(std::count(mask.begin(), mask.end(), true), 20);

    int shadow = 0;
    {
        DrawingCanvas probe(4, 4, Paper);
        HGDIOBJ old = SelectObject(probe.Dc(), font);
        shadow = DropShadowOffset(probe.Dc());
        SelectObject(probe.Dc(), old);
    }
    EXPECT_EQ(shadow, 2);

    struct Case {
        short effect;
        std::vector<InkPass> passes;
    };
    const Case cases[] = {
        {qvNoneFont3D, {{Ink, 0}}},
        {qvRaisedLight, {{Light, 0}, {Ink, 1}}},
        {qvRaisedHeavy, {{Light, 0}, {Dark, 2}, {Ink, 1}}},
        {qvInsetLight, {{Light, 1}, {Ink, 0}}},
        {qvInsetHeavy, {{Dark, 0}, {Light, 2}, {Ink, 1}}},
        {qvDropShadow, {{Dark, shadow}, {Ink, 0}}},
    };
    for (const Case& c : cases) {
        DrawingCanvas canvas(width, height, Paper);
        const DcState before = StateOf(canvas.Dc());
        const DWORD objects = GdiObjectCount();
        TextEffectRequest request = {canvas.Dc(), "Hg", 0, 0, width, height, c.effect, qvLeftTop, 0, font,
                                     Ink, 0, Dark, Light, FALSE};
        Draw3DText(&request);
        EXPECT_EQ(GdiObjectCount(), objects);
        EXPECT_TRUE(StateOf(canvas.Dc()) == before) << "effect " << c.effect;
        int wrong = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (canvas.Pixel(x, y) != Composite(mask, width, height, x, y, c.passes))
                    ++wrong;
        EXPECT_EQ(wrong, 0) << "effect " << c.effect;
    }
    DeleteObject(font);
}

TEST(TextEffectTest, DropShadowGrowsOnePixelPerStartedTenPoints)
{
    struct Case {
        int points;
        int offset;
    };
    const Case cases[] = {{8, 1}, {10, 1}, {14, 2}, {24, 3}, {36, 4}};
    DrawingCanvas canvas(4, 4, Paper);
    for (const Case& c : cases) {
        HFONT font = MakeFont(c.points);
        HGDIOBJ old = SelectObject(canvas.Dc(), font);
        EXPECT_EQ(DropShadowOffset(canvas.Dc()), c.offset) << c.points << " points";
        SelectObject(canvas.Dc(), old);
        DeleteObject(font);
    }
}

TEST(TextEffectTest, AlignmentPlacesTheBoxAndRewritesTheRequest)
{
    HFONT font = MakeFont(10);
    DrawingCanvas canvas(101, 31, Paper);
    HGDIOBJ old = SelectObject(canvas.Dc(), font);
    RECT measured = {0, 0, 101, 31};
    DrawTextA(canvas.Dc(), "Save", -1, &measured, DT_CALCRECT);
    SelectObject(canvas.Dc(), old);
    const int w = measured.right - measured.left, h = measured.bottom - measured.top;

    TextEffectRequest request = {canvas.Dc(), "Save", 0, 0, 101, 31, qvNoneFont3D, qvCenterMiddle, 0, font,
                                 Ink, 0, Dark, Light, FALSE};
    Draw3DText(&request);
    EXPECT_EQ(request.left, 50 - w / 2);
    EXPECT_EQ(request.top, 15 - h / 2);
    EXPECT_EQ(request.right, request.left + w);
    EXPECT_EQ(request.bottom, request.top + h);
    // Everything drawn lies inside the placed box.
    const RECT box = {request.left, request.top, request.right, request.bottom};
    EXPECT_GT(canvas.CountPixels(box, Ink), 0);
    EXPECT_EQ(canvas.CountPixels({0, 0, 101, 31}, Ink), canvas.CountPixels(box, Ink));

    // DrawText flags in place of an alignment: the box is not moved.
    TextEffectRequest flags = {canvas.Dc(), "Save", 5, 6, 90, 25, qvNoneFont3D,
                               static_cast<short>(DT_SINGLELINE | DT_CENTER | DT_VCENTER), 0, font, Ink, 0,
                               Dark, Light, FALSE};
    Draw3DText(&flags);
    EXPECT_EQ(flags.left, 5);
    EXPECT_EQ(flags.top, 6);
    EXPECT_EQ(flags.right, 90);
    EXPECT_EQ(flags.bottom, 25);
    DeleteObject(font);
}

TEST(TextEffectTest, OpaqueFillsTheBoxWithTheConvertedBackColour)
{
    HFONT font = MakeFont(10);
    DrawingCanvas canvas(80, 30, Paper);
    TextEffectRequest request = {canvas.Dc(), "Ok", 0, 0, 80, 30, qvRaisedLight, qvLeftTop, 1, font,
                                 Ink, 0x8000000F, Dark, Light, FALSE};
    Draw3DText(&request);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    // The first pass fills its own box; the text box's top left pixel is background, not Paper.
    EXPECT_EQ(canvas.Pixel(request.left, request.bottom - 1), face);
    EXPECT_EQ(canvas.Pixel(79, 29), Paper);
    DeleteObject(font);
}

TEST(TextEffectTest, NullTextDrawsNothingAndDisabledTextIsGreyed)
{
    HFONT font = MakeFont(12);
    DrawingCanvas canvas(80, 30, Paper);
    TextEffectRequest none = {canvas.Dc(), nullptr, 0, 0, 80, 30, qvRaisedLight, qvLeftTop, 0, font,
                              Ink, 0, Dark, Light, FALSE};
    Draw3DText(&none);
    EXPECT_EQ(canvas.CountPixels({0, 0, 80, 30}, Paper), 80 * 30);

    TextEffectRequest disabled = {canvas.Dc(), "Off", 0, 0, 80, 30, qvNoneFont3D, qvLeftTop, 0, font,
                                  Ink, 0, Dark, Light, TRUE};
    // The system keeps the grey pattern brush of its first grey string for the rest of the process.
    {
        DrawingCanvas warmUp(80, 30, Paper);
        TextEffectRequest first = disabled;
        first.dc = warmUp.Dc();
        Draw3DText(&first);
    }
    const DcState before = StateOf(canvas.Dc());
    const DWORD objects = GdiObjectCount();
    Draw3DText(&disabled);
    EXPECT_EQ(GdiObjectCount(), objects);
    EXPECT_TRUE(StateOf(canvas.Dc()) == before);
    // Greyed text is drawn, but never in the text colour.
    EXPECT_LT(canvas.CountPixels({0, 0, 80, 30}, Paper), 80 * 30);
    EXPECT_EQ(canvas.CountPixels({0, 0, 80, 30}, Ink), 0);
    DeleteObject(font);
}

TEST(DrawingStateTest, EveryRoutineLeavesTheContextAndTheObjectCountAsItFoundThem)
{
    ColorScheme scheme = CustomScheme(RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9), RGB(10, 11, 12));
    // Objects the scheme makes on first use are the scheme's own; make them before counting.
    scheme.ShadowPen();
    scheme.HighlightPen();
    scheme.FramePen();
    HFONT font = MakeFont(12);
    struct Case {
        const char* name;
        std::function<void(HDC)> draw;
    };
    const Case cases[] = {
        {"DrawBevelLines", [](HDC dc) { DrawBevelLines(dc, 0, 0, 30, 30, 3, TRUE, Dark, Light); }},
        {"DrawBevelLines stock", [](HDC dc) { DrawBevelLines(dc, 0, 0, 30, 30, 3, FALSE, Black, White); }},
        {"DrawBevelLinesOle", [](HDC dc) { DrawBevelLinesOle(dc, 0, 0, 30, 30, 2, TRUE, 0x80000010, Light); }},
        {"DrawBevel", [&](HDC dc) { DrawBevel(dc, 0, 0, 30, 30, 2, TRUE, &scheme); }},
        {"DrawInsetEdge", [&](HDC dc) { DrawInsetEdge(dc, 0, 0, 30, 30, 2, &scheme); }},
        {"DrawInsetEdge system", [](HDC dc) { DrawInsetEdge(dc, 0, 0, 30, 30, 2, nullptr); }},
        {"DrawOutline", [&](HDC dc) { DrawOutline(dc, 0, 0, 30, 30, TRUE, &scheme); }},
        {"DrawOutline system", [](HDC dc) { DrawOutline(dc, 0, 0, 30, 30, TRUE, nullptr); }},
        {"Draw3DText", [&](HDC dc) {
             TextEffectRequest request = {dc, "Abc", 0, 0, 30, 30, qvInsetHeavy, qvCenterMiddle, 1, font,
                                          Ink, 0x80000005, Dark, Light, FALSE};
             Draw3DText(&request);
         }},
    };
    for (const Case& c : cases) {
        DrawingCanvas canvas(30, 30, Paper);
        SetTextColor(canvas.Dc(), RGB(1, 1, 1));
        SetBkColor(canvas.Dc(), RGB(2, 2, 2));
        const DcState before = StateOf(canvas.Dc());
        const DWORD objects = GdiObjectCount();
        c.draw(canvas.Dc());
        EXPECT_EQ(GdiObjectCount(), objects) << c.name;
        EXPECT_TRUE(StateOf(canvas.Dc()) == before) << c.name;
        EXPECT_LT(canvas.CountPixels({0, 0, 30, 30}, Paper), 900) << c.name << " drew nothing";
    }
    DeleteObject(font);
}

TEST(DrawingSampleTest, SampleOfLooksIsSavedForViewing)
{
    DrawingCanvas canvas(360, 150, GetSysColor(COLOR_BTNFACE));
    ColorScheme scheme = ColorScheme::SystemScheme();
    HFONT font = MakeFont(14);
    const short effects[] = {qvNoneFont3D, qvRaisedLight, qvRaisedHeavy, qvInsetLight, qvInsetHeavy, qvDropShadow};
    for (int i = 0; i < 6; ++i) {
        const int left = 10 + (i % 3) * 115, top = 10 + (i / 3) * 65;
        DrawOutline(canvas.Dc(), left, top, left + 105, top + 55, TRUE, &scheme);
        DrawBevel(canvas.Dc(), left + 1, top + 1, left + 104, top + 54, 2, i % 2 == 0, &scheme);
        TextEffectRequest request = {canvas.Dc(), "Plyx", left + 4, top + 4, left + 101, top + 51, effects[i],
                                     qvCenterMiddle, 0, font, RGB(0, 0, 128), 0, scheme.DarkTextColor(),
                                     scheme.LightTextColor(), FALSE};
        Draw3DText(&request);
    }
    DeleteObject(font);
    EXPECT_TRUE(canvas.SavePng("drawing-looks.png"));
}

namespace {
// An 8-bit canvas whose colour table holds only the colours given: a device where most colours
// are shown by their nearest match.
struct PaletteCanvas {
    PaletteCanvas(int width, int height, std::initializer_list<COLORREF> colors)
    {
        struct {
            BITMAPINFOHEADER header;
            RGBQUAD table[256];
        } info = {};
        info.header.biSize = sizeof(BITMAPINFOHEADER);
        info.header.biWidth = width;
        info.header.biHeight = -height;
        info.header.biPlanes = 1;
        info.header.biBitCount = 8;
        info.header.biClrUsed = static_cast<DWORD>(colors.size());
        int i = 0;
        for (COLORREF c : colors)
            info.table[i++] = {GetBValue(c), GetGValue(c), GetRValue(c), 0};
        dc = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        bitmap = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
        old = SelectObject(dc, bitmap);
        // Index 0, the first colour, everywhere.
        memset(bits, 0, ((width + 3) & ~3) * height);
    }
    ~PaletteCanvas()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};
} // namespace

TEST(BevelTest, PaletteDevicesGetTheSameRingsFromBrushes)
{
    const COLORREF nearDark = RGB(0, 0, 150);
    PaletteCanvas canvas(12, 12, {Paper, Light, nearDark});
    // The shadow colour is not on this device: the bevel takes the brush path.
    ASSERT_NE(GetNearestColor(canvas.dc, Dark), Dark);
    ColorScheme scheme = CustomScheme(LightGrey, Dark, Light, Black);
    for (BOOL raised : {TRUE, FALSE}) {
        DrawBevel(canvas.dc, 0, 0, 12, 12, 2, raised, &scheme);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x) {
                const COLORREF expected = ExpectedBevelPixel(x, y, 12, 12, 2, raised, nearDark, Light);
                ASSERT_EQ(GetPixel(canvas.dc, x, y), expected) << (raised ? "raised " : "sunken ") << x << "," << y;
            }
    }
}

TEST(BevelTest, ItemFrameSurroundsADialogItem)
{
    HWND dialog = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(dialog, nullptr);
    HWND item = CreateWindowExA(0, "STATIC", "", WS_CHILD, 20, 30, 40, 20, dialog, reinterpret_cast<HMENU>(5),
                                nullptr, nullptr);
    ASSERT_NE(item, nullptr);
    DrawingCanvas canvas(100, 80, Paper);
    // Outer ring 1 raised, gap 1, inner ring 2 sunken: the item (20, 30, 60, 50) widened by 4.
    DrawItemFrame(canvas.Dc(), dialog, 5, 1, 1, 2, TRUE, FALSE, Dark, Light);
    EXPECT_EQ(canvas.Pixel(16, 40), Light);   // outer, left
    EXPECT_EQ(canvas.Pixel(63, 40), Dark);    // outer, right
    EXPECT_EQ(canvas.Pixel(17, 40), Paper);   // gap
    EXPECT_EQ(canvas.Pixel(18, 40), Dark);    // inner sunken, left
    EXPECT_EQ(canvas.Pixel(19, 40), Dark);
    EXPECT_EQ(canvas.Pixel(60, 40), Light);   // inner sunken, right
    EXPECT_EQ(canvas.Pixel(40, 51), Light);   // inner sunken, bottom
    EXPECT_EQ(canvas.Pixel(40, 53), Dark);    // outer raised, bottom
    EXPECT_EQ(canvas.Pixel(40, 54), Paper);
    EXPECT_EQ(canvas.Pixel(40, 40), Paper);   // the item itself
    EXPECT_EQ(canvas.Pixel(15, 40), Paper);

    DrawingCanvas none(100, 80, Paper);
    DrawItemFrame(none.Dc(), dialog, 6, 1, 1, 2, TRUE, FALSE, Dark, Light);
    EXPECT_EQ(none.CountPixels({0, 0, 100, 80}, Paper), 8000);
    DestroyWindow(dialog);
}
