// The panel's flood bar by pixel: the filled extent of the five types at 0, 37 and 100 percent, the
// ten segments of the segmented look and its gaps, and the percentage text over the bar.
#include "PlyxLibrary.h"

#include <algorithm>
#include <numeric>

namespace frames_test {
namespace {

constexpr COLORREF Blue = RGB(0, 0, 255);

class FloodBar : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(LibraryCanUnload(), S_OK) << "a control outlived its test"; }

    // A panel with the default one-pixel raised bevel, flooding without its percentage.
    static Held<IDispatch> FloodingPanel(LONG type, LONG percent, LONG fillStyle = 0)
    {
        Held<IDispatch> panel = CreateByProgId(L"Plyx.QvPanel");
        if (!panel)
            return panel;
        EXPECT_EQ(As<IPersistStreamInit>(panel.Get(), IID_IPersistStreamInit)->InitNew(), S_OK);
        EXPECT_EQ(PutLong(panel.Get(), L"FloodType", type), S_OK);
        EXPECT_EQ(PutLong(panel.Get(), L"FloodPercent", percent), S_OK);
        EXPECT_EQ(PutLong(panel.Get(), L"FloodFillStyle", fillStyle), S_OK);
        EXPECT_EQ(PutBool(panel.Get(), L"FloodShowPct", false), S_OK);
        EXPECT_EQ(PutLong(panel.Get(), L"FloodColor", 0x00FF0000), S_OK);
        return panel;
    }
};

struct ExtentCase {
    LONG type;
    LONG percent;
    // The filled box inside the 120 x 40 panel's interior (1, 1, 119, 39); empty when nothing fills.
    RECT filled;
};

TEST_F(FloodBar, TheFilledExtentOfEachTypeAt0And37And100Percent)
{
    const ExtentCase cases[] = {
        {1, 0, {0, 0, 0, 0}},      {1, 37, {1, 1, 44, 39}},   {1, 100, {1, 1, 119, 39}},
        {2, 0, {0, 0, 0, 0}},      {2, 37, {75, 1, 119, 39}}, {2, 100, {1, 1, 119, 39}},
        {3, 0, {0, 0, 0, 0}},      {3, 37, {1, 1, 119, 15}},  {3, 100, {1, 1, 119, 39}},
        {4, 0, {0, 0, 0, 0}},      {4, 37, {1, 24, 119, 39}}, {4, 100, {1, 1, 119, 39}},
    };
    for (const ExtentCase& entry : cases) {
        Held<IDispatch> panel = FloodingPanel(entry.type, entry.percent);
        Canvas canvas(120, 40, RGB(0, 0, 0));
        ASSERT_EQ(canvas.Draw(panel.Get()), S_OK);
        canvas.WritePng("flood-" + std::to_string(entry.type) + "-" + std::to_string(entry.percent) + ".png");
        RECT seen = {canvas.Width(), canvas.Height(), 0, 0};
        for (int y = 0; y < canvas.Height(); ++y)
            for (int x = 0; x < canvas.Width(); ++x)
                if (canvas.At(x, y) == Blue) {
                    seen.left = std::min<LONG>(seen.left, x);
                    seen.top = std::min<LONG>(seen.top, y);
                    seen.right = std::max<LONG>(seen.right, x + 1);
                    seen.bottom = std::max<LONG>(seen.bottom, y + 1);
                }
        if (IsRectEmpty(&entry.filled)) {
            EXPECT_GE(seen.left, seen.right) << "type " << entry.type << " at 0% fills nothing";
            continue;
        }
        EXPECT_EQ(seen.left, entry.filled.left) << entry.type << " " << entry.percent;
        EXPECT_EQ(seen.top, entry.filled.top) << entry.type << " " << entry.percent;
        EXPECT_EQ(seen.right, entry.filled.right) << entry.type << " " << entry.percent;
        EXPECT_EQ(seen.bottom, entry.filled.bottom) << entry.type << " " << entry.percent;
        // Solid: every pixel of the box.
        const int area = (seen.right - seen.left) * (seen.bottom - seen.top);
        int blue = 0;
        for (int y = seen.top; y < seen.bottom; ++y)
            for (int x = seen.left; x < seen.right; ++x)
                blue += canvas.At(x, y) == Blue;
        EXPECT_EQ(blue, area) << entry.type << " " << entry.percent;
    }
}

TEST_F(FloodBar, TheWideningCircleGrowsFromTheMiddle)
{
    // Interior 118 x 38: the square of side 38 starts at 1 + (118 - 38) / 2 - 1 = 40.
    const struct {
        LONG percent;
        int width;  // of the blue run through the middle row
    } cases[] = {{0, 0}, {37, 14}, {100, 38}};
    for (const auto& entry : cases) {
        Held<IDispatch> panel = FloodingPanel(5, entry.percent);
        Canvas canvas(120, 40, RGB(0, 0, 0));
        ASSERT_EQ(canvas.Draw(panel.Get()), S_OK);
        canvas.WritePng("flood-5-" + std::to_string(entry.percent) + ".png");
        const std::vector<int> runs = canvas.RunsInRow(20, Blue);
        if (entry.width == 0) {
            EXPECT_TRUE(runs.empty());
            continue;
        }
        ASSERT_EQ(runs.size(), 1u) << entry.percent;
        EXPECT_NEAR(runs[0], entry.width, 1) << entry.percent;
        EXPECT_EQ(canvas.At(59, 20), Blue);
        EXPECT_NE(canvas.At(59, 1), entry.percent == 100 ? RGB(1, 2, 3) : Blue);
        // Round: the corner of its box stays empty.
        EXPECT_NE(canvas.At(40, 1), Blue);
    }
}

struct SegmentCase {
    int width, height;
    LONG type;
    LONG percent;
    std::vector<int> runs;  // along the bar's middle line, from its start
};

TEST_F(FloodBar, SegmentedBarsDrawTenSegmentsWithTheirGaps)
{
    const SegmentCase cases[] = {
        // 118 pixels: 2-pixel gaps, segments of 10.
        {120, 30, 1, 100, {10, 10, 10, 10, 10, 10, 10, 10, 10, 10}},
        {120, 30, 1, 35, {10, 10, 10, 5}},
        {120, 30, 2, 35, {5, 10, 10, 10}},
        // 27 pixels: 1-pixel gaps; the remainder of 8 goes half to the first and half to the last.
        {29, 20, 1, 100, {5, 1, 1, 1, 1, 1, 1, 1, 1, 5}},
        // 17 pixels is too short for segments: drawn solid.
        {19, 20, 1, 100, {17}},
        // A tall narrow bar is measured along its height: segments, though only 14 pixels wide.
        {16, 120, 3, 100, {10, 10, 10, 10, 10, 10, 10, 10, 10, 10}},
        {16, 120, 4, 35, {5, 10, 10, 10}},
    };
    for (const SegmentCase& entry : cases) {
        Held<IDispatch> panel = FloodingPanel(entry.type, entry.percent, 1);
        Canvas canvas(entry.width, entry.height, RGB(0, 0, 0));
        ASSERT_EQ(canvas.Draw(panel.Get()), S_OK);
        canvas.WritePng("flood-segments-" + std::to_string(entry.width) + "x" + std::to_string(entry.height) + "-" +
                        std::to_string(entry.type) + "-" + std::to_string(entry.percent) + ".png");
        const bool vertical = entry.type >= 3;
        const std::vector<int> runs = vertical ? canvas.RunsInColumn(entry.width / 2, Blue)
                                               : canvas.RunsInRow(entry.height / 2, Blue);
        EXPECT_EQ(runs, entry.runs) << entry.width << "x" << entry.height << " type " << entry.type << " at "
                                    << entry.percent;
    }
}

TEST_F(FloodBar, AtFullTheSegmentsAndGapsFillTheInteriorExactly)
{
    Held<IDispatch> panel = FloodingPanel(1, 100, 1);
    Canvas canvas(100, 30, RGB(0, 0, 0));
    ASSERT_EQ(canvas.Draw(panel.Get()), S_OK);
    const std::vector<int> runs = canvas.RunsInRow(15, Blue);
    ASSERT_EQ(runs.size(), 10u);
    // 98 pixels: ten segments and nine gaps of two.
    EXPECT_EQ(std::accumulate(runs.begin(), runs.end(), 0) + 9 * 2, 98);
    EXPECT_EQ(canvas.At(1, 15), Blue);
    EXPECT_EQ(canvas.At(98, 15), Blue);
}

TEST_F(FloodBar, ThePercentageIsCentredInTheForeColourOverTheBar)
{
    Held<IDispatch> panel = FloodingPanel(1, 50);
    ASSERT_EQ(PutBool(panel.Get(), L"FloodShowPct", true), S_OK);
    ASSERT_EQ(PutLong(panel.Get(), L"ForeColor", 0x0000FF), S_OK);
    ASSERT_EQ(PutLong(panel.Get(), L"FontSize", 12), S_OK);
    Canvas canvas(160, 40, RGB(0, 0, 0));
    ASSERT_EQ(canvas.Draw(panel.Get()), S_OK);
    canvas.WritePng("flood-percentage.png");
    int left = canvas.Width(), right = -1, top = canvas.Height(), bottom = -1;
    int overBar = 0;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) {
            const COLORREF color = canvas.At(x, y);
            if (GetRValue(color) >= 160 && GetGValue(color) < 90 && GetBValue(color) < 90) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                overBar += x < 80;
            }
        }
    ASSERT_LT(left, right) << "no percentage drawn";
    EXPECT_LE(std::abs((left + right) - 160), 4) << "centred across";
    EXPECT_LE(std::abs((top + bottom) - 40), 4) << "centred down";
    EXPECT_GT(overBar, 0) << "the text shows over the filled half";
    // The bar goes on under the text's box where no glyph is: the half is filled up to 80.
    EXPECT_EQ(canvas.At(79, 2), Blue);
    EXPECT_NE(canvas.At(81, 2), Blue);
}

TEST_F(FloodBar, InDesignModeTheBarIsNotDrawnAndItsPercentIsUnavailable)
{
    // Design mode needs a container that says so; the panel alone runs. Its percent reads at run time.
    Held<IDispatch> panel = FloodingPanel(1, 37);
    HRESULT hr = E_FAIL;
    EXPECT_EQ(GetLong(panel.Get(), L"FloodPercent", &hr), 37);
    EXPECT_EQ(hr, S_OK);
}

} // namespace
} // namespace frames_test
