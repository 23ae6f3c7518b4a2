// The frame's border and caption gap and the panel's bevels, outline and border by pixel: each control
// drawn through its view object into a bitmap (also written as a PNG file).
#include "PlyxLibrary.h"

#include <algorithm>

namespace frames_test {
namespace {

constexpr COLORREF Red = RGB(255, 0, 0);

class FramePaint : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(LibraryCanUnload(), S_OK) << "a control outlived its test"; }

    static Held<IDispatch> NewControl(const wchar_t* progId, const wchar_t* caption)
    {
        Held<IDispatch> control = CreateByProgId(progId);
        if (!control)
            return control;
        EXPECT_EQ(As<IPersistStreamInit>(control.Get(), IID_IPersistStreamInit)->InitNew(), S_OK);
        EXPECT_EQ(PutText(control.Get(), L"Caption", caption), S_OK);
        // A pure colour for the text tells its pixels from the border's greys.
        EXPECT_EQ(PutLong(control.Get(), L"ForeColor", 0x0000FF), S_OK);
        return control;
    }

    const COLORREF shadow = SystemColor(COLOR_BTNSHADOW);
    const COLORREF highlight = SystemColor(COLOR_BTNHIGHLIGHT);
    const COLORREF face = SystemColor(COLOR_BTNFACE);
};

constexpr COLORREF Green = RGB(0, 255, 0);

// A picture of a plain green bitmap.
Held<IPictureDisp> GreenPicture(int width, int height)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(Green);
    const RECT all = {0, 0, width, height};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, previous);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    PICTDESC description = {};
    description.cbSizeofstruct = sizeof description;
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = bitmap;
    Held<IPictureDisp> picture;
    EXPECT_EQ(OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, picture.OutVoid()), S_OK);
    return picture;
}

HRESULT PutPicture(IDispatch* control, const wchar_t* member, IPictureDisp* picture)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_DISPATCH;
    value.pdispVal = picture;
    return Put(control, member, value);
}

bool IsText(COLORREF color)
{
    return GetRValue(color) >= 128 && GetGValue(color) < 100 && GetBValue(color) < 100;
}

// The first row from the top (or the bottom) where column x shows `color`.
int FirstRow(const Canvas& canvas, int x, COLORREF color, bool fromBottom)
{
    for (int step = 0; step < canvas.Height(); ++step) {
        const int y = fromBottom ? canvas.Height() - 1 - step : step;
        if (canvas.At(x, y) == color)
            return y;
    }
    return -1;
}

// The gap in the line of row y: the first x inside the corners without `color` and the first x with
// it again after that.
std::pair<int, int> GapIn(const Canvas& canvas, int y, COLORREF color)
{
    int start = -1;
    for (int x = 2; x < canvas.Width() - 2; ++x) {
        const bool line = canvas.At(x, y) == color;
        if (start < 0 && !line)
            start = x;
        else if (start >= 0 && line)
            return {start, x};
    }
    return {start, -1};
}

TEST_F(FramePaint, AnInsetFrameWithoutCaptionHasAnUnbrokenEtchedBorder)
{
    Held<IDispatch> frame = NewControl(L"Plyx.QvFrame", L"");
    Canvas canvas(100, 60, RGB(0, 0, 0));
    ASSERT_EQ(canvas.Draw(frame.Get()), S_OK);
    canvas.WritePng("frame-inset-no-caption.png");
    const struct {
        int x, y;
        COLORREF color;
    } pixels[] = {
        {0, 0, shadow},      {50, 0, shadow},     {99, 0, shadow},   {0, 30, shadow},   {0, 59, shadow},
        {1, 1, highlight},   {50, 1, highlight},  {1, 30, highlight}, {50, 59, highlight}, {99, 30, highlight},
        {50, 58, shadow},    {98, 30, shadow},    {50, 30, face},    {10, 10, face},
    };
    for (const auto& pixel : pixels)
        EXPECT_EQ(canvas.At(pixel.x, pixel.y), pixel.color) << pixel.x << "," << pixel.y;
    EXPECT_EQ(canvas.RunsInRow(0, shadow), std::vector<int>{100});
    // The highlight ring's right side starts on its top row.
    EXPECT_EQ(canvas.RunsInRow(1, highlight), std::vector<int>{99});
}

TEST_F(FramePaint, AMetafileGetsTheSameFrameAndPanel)
{
    for (const wchar_t* progId : {L"Plyx.QvFrame", L"Plyx.QvPanel"}) {
        Held<IDispatch> control = NewControl(progId, L"");
        Canvas direct(100, 60, RGB(0, 0, 0));
        ASSERT_EQ(direct.Draw(control.Get()), S_OK);
        Canvas replayed(100, 60, RGB(0, 0, 0));
        ASSERT_EQ(replayed.DrawThroughMetafile(control.Get()), S_OK);
        replayed.WritePng(std::string("metafile-") + (progId[7] == L'F' ? "frame" : "panel") + ".png");
        // The border's rings and the face between them, pixel for pixel.
        for (const auto& point : {std::make_pair(0, 0), std::make_pair(1, 1), std::make_pair(50, 0),
                                  std::make_pair(99, 30), std::make_pair(98, 30), std::make_pair(50, 59),
                                  std::make_pair(50, 30)})
            EXPECT_EQ(replayed.At(point.first, point.second), direct.At(point.first, point.second))
                << point.first << "," << point.second;
    }
}

TEST_F(FramePaint, ADisabledCaptionIsGreyedAtRunTime)
{
    const COLORREF gray = SystemColor(COLOR_GRAYTEXT);
    if (gray == 0 || gray == RGB(0xC0, 0xC0, 0xC0))
        GTEST_SKIP() << "this display's grey text is drawn by the system's dithering";
    for (const wchar_t* progId : {L"Plyx.QvFrame", L"Plyx.QvPanel"}) {
        Held<IDispatch> control = NewControl(progId, L"Stock");
        ASSERT_EQ(PutBool(control.Get(), L"Enabled", false), S_OK);
        Canvas canvas(120, 60, RGB(0, 0, 0));
        ASSERT_EQ(canvas.Draw(control.Get()), S_OK);
        canvas.WritePng(std::string("disabled-") + (progId[7] == L'F' ? "frame" : "panel") + ".png");
        int text = 0, greyed = 0, white = 0;
        for (int y = 0; y < canvas.Height(); ++y)
            for (int x = 2; x < canvas.Width() - 2; ++x) {
                const COLORREF color = canvas.At(x, y);
                text += IsText(color);
                greyed += color == gray;
                white += y > 2 && y < canvas.Height() - 2 && color == RGB(255, 255, 255);
            }
        // Not in ForeColor: grey, set into the face with a light edge.
        EXPECT_EQ(text, 0);
        EXPECT_GT(greyed, 10);
        EXPECT_GT(white, 0);
    }
}

TEST_F(FramePaint, ARaisedFrameSwapsTheTwoRings)
{
    Held<IDispatch> frame = NewControl(L"Plyx.QvFrame", L"");
    ASSERT_EQ(PutLong(frame.Get(), L"ShadowStyle", 1), S_OK);
    Canvas canvas(100, 60, RGB(0, 0, 0));
    ASSERT_EQ(canvas.Draw(frame.Get()), S_OK);
    canvas.WritePng("frame-raised-no-caption.png");
    const struct {
        int x, y;
        COLORREF color;
    } pixels[] = {
        {0, 0, highlight}, {50, 0, highlight}, {0, 30, highlight}, {1, 1, shadow},   {1, 30, shadow},
        {50, 1, shadow},   {50, 59, shadow},   {99, 30, shadow},   {98, 30, highlight}, {50, 58, highlight},
        {50, 30, face},
    };
    for (const auto& pixel : pixels)
        EXPECT_EQ(canvas.At(pixel.x, pixel.y), pixel.color) << pixel.x << "," << pixel.y;
}

TEST_F(FramePaint, TheCaptionInterruptsTheLineItSitsOnAtEachAlignment)
{
    int gapWidth = -1;
    for (LONG alignment = 0; alignment <= 5; ++alignment) {
        for (LONG style = 0; style <= 1; ++style) {
            Held<IDispatch> frame = NewControl(L"Plyx.QvFrame", L"Stock");
            ASSERT_EQ(PutLong(frame.Get(), L"Alignment", alignment), S_OK);
            ASSERT_EQ(PutLong(frame.Get(), L"ShadowStyle", style), S_OK);
            Canvas canvas(120, 70, RGB(0, 0, 0));
            ASSERT_EQ(canvas.Draw(frame.Get()), S_OK);
            canvas.WritePng("frame-caption-" + std::to_string(alignment) + "-" + std::to_string(style) + ".png");
            const bool bottom = alignment >= 3;
            // The caption's line, found left of the caption where it is whole: the etched line's
            // shadow row, or the raised line's outer row. A line drawn as the highlight pass's path
            // keeps the gap's first pixel and leaves out its last, one pixel later than the others.
            const bool raised = style == 1;
            int row = 0;
            COLORREF lineColor = shadow;
            int late = 0;
            if (!bottom) {
                lineColor = raised ? highlight : shadow;
                row = FirstRow(canvas, 3, lineColor, false);
                late = raised ? 1 : 0;
            } else if (!raised) {
                row = FirstRow(canvas, 3, highlight, true) - 1;
            } else {
                row = FirstRow(canvas, 3, shadow, true);
            }
            ASSERT_GT(row, 2) << "the line moves to the caption's middle";
            ASSERT_LT(row, canvas.Height() - 3);
            const std::pair<int, int> gap = GapIn(canvas, row, lineColor);
            ASSERT_GT(gap.first, 0) << alignment;
            ASSERT_GT(gap.second, gap.first) << alignment;
            // The caption lies in the gap.
            bool captionSeen = false;
            for (int y = 0; y < canvas.Height(); ++y)
                for (int x = gap.first; x < gap.second; ++x)
                    captionSeen = captionSeen || IsText(canvas.At(x, y));
            EXPECT_TRUE(captionSeen) << alignment;
            if (gapWidth < 0)
                gapWidth = gap.second - gap.first;
            EXPECT_EQ(gap.second - gap.first, gapWidth) << "the gap is the caption's width at " << alignment;
            switch (alignment % 3) {
            case 0:
                EXPECT_EQ(gap.first, 5 + late) << alignment;  // 7 pixels in, 2 before the caption
                break;
            case 1:
                EXPECT_EQ(gap.second, 115 + late) << alignment;
                break;
            default:
                EXPECT_LE(std::abs(gap.first + gap.second - 2 * late - 120), 1) << alignment;
                break;
            }
        }
    }
}

TEST_F(FramePaint, AWrappedCaptionsLinesFollowTheFramesAlignment)
{
    const struct {
        LONG alignment;
        int expected;  // -1 the short line starts at the text's left, 1 it ends at its right, 0 centred
    } cases[] = {{0, -1}, {3, -1}, {1, 1}, {4, 1}, {2, 0}, {5, 0}};
    for (const auto& entry : cases) {
        Held<IDispatch> frame = NewControl(L"Plyx.QvFrame", L"MMMMMMMM\r\nii");
        ASSERT_EQ(PutLong(frame.Get(), L"CaptionStyle", 1), S_OK);
        ASSERT_EQ(PutLong(frame.Get(), L"Alignment", entry.alignment), S_OK);
        Canvas canvas(160, 90, RGB(0, 0, 0));
        ASSERT_EQ(canvas.Draw(frame.Get()), S_OK);
        canvas.WritePng("frame-wrapped-" + std::to_string(entry.alignment) + ".png");
        int left = canvas.Width(), right = -1, top = canvas.Height(), bottom = -1;
        for (int y = 0; y < canvas.Height(); ++y)
            for (int x = 0; x < canvas.Width(); ++x)
                if (IsText(canvas.At(x, y))) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        ASSERT_LT(top, bottom) << entry.alignment;
        // The short second line alone fills the lower half of the text.
        int shortLeft = canvas.Width(), shortRight = -1;
        for (int y = (top + bottom) / 2 + 1; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                if (IsText(canvas.At(x, y))) {
                    shortLeft = std::min(shortLeft, x);
                    shortRight = std::max(shortRight, x);
                }
        ASSERT_LE(shortLeft, shortRight) << entry.alignment;
        const int middle = (left + right) / 2;
        if (entry.expected < 0) {
            EXPECT_LE(shortLeft - left, 2) << entry.alignment;
            EXPECT_LT(shortRight, middle) << entry.alignment;
        } else if (entry.expected > 0) {
            EXPECT_LE(right - shortRight, 2) << entry.alignment;
            EXPECT_GT(shortLeft, middle) << entry.alignment;
        } else {
            EXPECT_LE(std::abs((shortLeft + shortRight) / 2 - middle), 2) << entry.alignment;
        }
    }
}

TEST_F(FramePaint, PanelBevelsBorderAndOutlineByPixel)
{
    const struct {
        LONG outer, inner, bevelWidth, borderWidth;
        bool outline;
        struct {
            int x, y;
            int color;  // 0 shadow, 1 highlight, 2 face
        } pixels[6];
    } cases[] = {
        // The default: one raised pixel ring.
        {2, 0, 1, 3, false, {{0, 0, 1}, {0, 20, 1}, {99, 20, 0}, {50, 59, 0}, {1, 1, 2}, {50, 30, 2}}},
        // Raised outside, a 3-pixel border, then an inset ring, each 2 pixels wide.
        {2, 1, 2, 3, false, {{1, 20, 1}, {98, 20, 0}, {3, 20, 2}, {5, 20, 0}, {6, 20, 0}, {93, 20, 1}}},
        // Inset outside only.
        {1, 0, 1, 3, false, {{0, 20, 0}, {50, 0, 0}, {99, 20, 1}, {50, 59, 1}, {1, 20, 2}, {50, 30, 2}}},
        // An outline around a raised ring.
        {2, 0, 1, 3, true, {{1, 20, 1}, {98, 20, 0}, {2, 20, 2}, {50, 58, 0}, {50, 1, 1}, {50, 30, 2}}},
    };
    for (const auto& entry : cases) {
        Held<IDispatch> panel = NewControl(L"Plyx.QvPanel", L"");
        ASSERT_EQ(PutLong(panel.Get(), L"BevelOuter", entry.outer), S_OK);
        ASSERT_EQ(PutLong(panel.Get(), L"BevelInner", entry.inner), S_OK);
        ASSERT_EQ(PutLong(panel.Get(), L"BevelWidth", entry.bevelWidth), S_OK);
        ASSERT_EQ(PutLong(panel.Get(), L"BorderWidth", entry.borderWidth), S_OK);
        ASSERT_EQ(PutBool(panel.Get(), L"Outline", entry.outline), S_OK);
        Canvas canvas(100, 60, RGB(0, 0, 0));
        ASSERT_EQ(canvas.Draw(panel.Get()), S_OK);
        canvas.WritePng("panel-bevels-" + std::to_string(entry.outer) + std::to_string(entry.inner) +
                        std::to_string(entry.bevelWidth) + (entry.outline ? "-outline" : "") + ".png");
        const COLORREF colors[] = {shadow, highlight, face};
        for (const auto& pixel : entry.pixels)
            EXPECT_EQ(canvas.At(pixel.x, pixel.y), colors[pixel.color])
                << pixel.x << "," << pixel.y << " of " << entry.outer << entry.inner << entry.bevelWidth;
        if (entry.outline) {
            const COLORREF frameColor = SystemColor(COLOR_WINDOWFRAME);
            EXPECT_EQ(canvas.At(0, 20), frameColor);
            EXPECT_EQ(canvas.At(50, 59), frameColor);
            // Rounded corners: the corner pixel takes the face colour.
            EXPECT_EQ(canvas.At(0, 0), face);
        }
    }
}

TEST_F(FramePaint, BorderWidthCountsOnlyWithAnInnerBevel)
{
    Held<IDispatch> panel = NewControl(L"Plyx.QvPanel", L"");
    ASSERT_EQ(PutLong(panel.Get(), L"BorderWidth", 10), S_OK);
    ASSERT_EQ(PutLong(panel.Get(), L"FloodType", 1), S_OK);
    ASSERT_EQ(PutLong(panel.Get(), L"FloodPercent", 100), S_OK);
    ASSERT_EQ(PutBool(panel.Get(), L"FloodShowPct", false), S_OK);
    Canvas canvas(100, 40, RGB(0, 0, 0));
    ASSERT_EQ(canvas.Draw(panel.Get()), S_OK);
    // Without an inner bevel the flood fills everything inside the one-pixel ring.
    EXPECT_EQ(canvas.RunsInRow(20, RGB(0, 0, 255)), std::vector<int>{98});
}

TEST_F(FramePaint, TheBackgroundPictureIsDrawnOnePixelInsideTheInterior)
{
    Held<IDispatch> panel = NewControl(L"Plyx.QvPanel", L"");
    Held<IPictureDisp> picture = GreenPicture(4, 4);
    ASSERT_EQ(PutPicture(panel.Get(), L"PictureBackground", picture.Get()), S_OK);
    for (const LONG style : {1L, 2L}) {
        ASSERT_EQ(PutLong(panel.Get(), L"PictureBackgroundStyle", style), S_OK);
        Canvas canvas(100, 60, RGB(0, 0, 0));
        ASSERT_EQ(canvas.Draw(panel.Get()), S_OK);
        canvas.WritePng("panel-background-" + std::to_string(style) + ".png");
        // The interior is (1, 1, 99, 59); stretched or tiled, the picture covers (2, 2, 98, 58).
        EXPECT_EQ(canvas.At(1, 30), face) << style;
        EXPECT_EQ(canvas.At(2, 30), Green) << style;
        EXPECT_EQ(canvas.At(97, 30), Green) << style;
        EXPECT_EQ(canvas.At(98, 30), face) << style;
        EXPECT_EQ(canvas.At(50, 2), Green) << style;
        EXPECT_EQ(canvas.At(50, 57), Green) << style;
        EXPECT_EQ(canvas.At(50, 58), face) << style;
    }
    // Centred: the picture at its own size in the middle.
    ASSERT_EQ(PutLong(panel.Get(), L"PictureBackgroundStyle", 0), S_OK);
    Canvas canvas(100, 60, RGB(0, 0, 0));
    ASSERT_EQ(canvas.Draw(panel.Get()), S_OK);
    EXPECT_EQ(canvas.RunsInRow(30, Green), std::vector<int>{4});
    EXPECT_EQ(canvas.At(50, 30), Green);
    EXPECT_EQ(canvas.At(40, 30), face);
}

TEST_F(FramePaint, TheFramesPictureStandsBesideTheCaptionInTheGap)
{
    Held<IPictureDisp> picture = GreenPicture(16, 16);
    for (const LONG side : {0L, 1L}) {
        Held<IDispatch> frame = NewControl(L"Plyx.QvFrame", L"Stock");
        ASSERT_EQ(PutPicture(frame.Get(), L"Picture", picture.Get()), S_OK);
        ASSERT_EQ(PutLong(frame.Get(), L"PictureAlignment", side), S_OK);
        Canvas canvas(140, 70, RGB(0, 0, 0));
        ASSERT_EQ(canvas.Draw(frame.Get()), S_OK);
        canvas.WritePng("frame-picture-" + std::to_string(side) + ".png");
        // The line runs through the picture's middle: 8 pixels down.
        EXPECT_EQ(FirstRow(canvas, 3, shadow, false), 8) << side;
        const std::vector<int> greenRuns = canvas.RunsInRow(4, Green);
        ASSERT_EQ(greenRuns, std::vector<int>{16}) << side;
        int pictureLeft = 0;
        while (canvas.At(pictureLeft, 4) != Green)
            ++pictureLeft;
        int textLeft = canvas.Width(), textRight = -1;
        for (int y = 0; y < canvas.Height(); ++y)
            for (int x = 0; x < canvas.Width(); ++x)
                if (IsText(canvas.At(x, y))) {
                    textLeft = std::min(textLeft, x);
                    textRight = std::max(textRight, x);
                }
        ASSERT_LT(textLeft, textRight) << side;
        const std::pair<int, int> gap = GapIn(canvas, 8, shadow);
        if (side == 0) {
            // No room left of the caption inside the inset: the picture goes first, the caption after it.
            EXPECT_EQ(pictureLeft, 7);
            EXPECT_GT(textLeft, pictureLeft + 16);
            EXPECT_EQ(gap.first, 5);
        } else {
            EXPECT_EQ(gap.first, 5);
            EXPECT_GT(pictureLeft, textRight);
            EXPECT_EQ(gap.second, pictureLeft + 16 + 2);
        }
    }
}

TEST_F(FramePaint, APictureWiderThanTheFrameLeavesNoRoomForTheCaption)
{
    Held<IPictureDisp> picture = GreenPicture(200, 10);
    Held<IDispatch> frame = NewControl(L"Plyx.QvFrame", L"Stock");
    ASSERT_EQ(PutPicture(frame.Get(), L"Picture", picture.Get()), S_OK);
    Canvas canvas(100, 60, RGB(0, 0, 0));
    ASSERT_EQ(canvas.Draw(frame.Get()), S_OK);
    int text = 0;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            text += IsText(canvas.At(x, y));
    EXPECT_EQ(text, 0);
}

} // namespace
} // namespace frames_test
