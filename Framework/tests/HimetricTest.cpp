#include "Himetric.h"

#include <gtest/gtest.h>

namespace {

// pixels = (himetric * dpi + 1270) / 2540 and himetric = (pixels * 2540 + dpi / 2) / dpi, the
// division truncating toward zero: negative values are offset by the same half as positive ones.
TEST(Himetric, PairsAtNinetySixDotsPerInch)
{
    struct Case { LONG himetric; LONG pixels; } toPixels[] = {
        {2540, 96}, {1, 0}, {0, 0}, {13, 0}, {14, 1}, {1270, 48},
        {-1, 0}, {-14, 0}, {-39, 0}, {-40, -1}, {-1270, -47}, {-2540, -95}, {-2553, -95}, {-2554, -96},
        {MAXLONG, 81164736}, {-MAXLONG - 1, -81164735}};
    for (const Case& c : toPixels)
        EXPECT_EQ(HimetricToPixelsAt(c.himetric, 96), c.pixels) << c.himetric;
    struct Back { LONG pixels; LONG himetric; } toHimetric[] = {
        {96, 2540}, {1, 26}, {100, 2646}, {50, 1323}, {0, 0},
        {-1, -25}, {-96, -2539}, {-100, -2645}, {-50, -1322}};
    for (const Back& c : toHimetric)
        EXPECT_EQ(PixelsToHimetricAt(c.pixels, 96), c.himetric) << c.pixels;
    // Beyond what 32 bits hold, the result is clamped.
    EXPECT_EQ(PixelsToHimetricAt(MAXLONG, 96), MAXLONG);
    EXPECT_EQ(PixelsToHimetricAt(-MAXLONG - 1, 96), -MAXLONG - 1);
    // Other resolutions follow the same rule.
    EXPECT_EQ(HimetricToPixelsAt(2540, 120), 120);
    EXPECT_EQ(HimetricToPixelsAt(-1270, 120), -59);
    EXPECT_EQ(PixelsToHimetricAt(-1, 120), -20);
}

TEST(Himetric, ScreenConversionUsesTheScreenResolution)
{
    const SIZEL himetric = {2540, 5080};
    SIZEL pixels = {};
    HimetricToPixels(&himetric, &pixels);
    EXPECT_EQ(pixels.cx, ScreenDotsPerInchX());
    EXPECT_EQ(pixels.cy, 2 * ScreenDotsPerInchY());
    SIZEL back = {};
    PixelsToHimetric(&pixels, &back);
    EXPECT_EQ(back.cx, 2540);
    EXPECT_EQ(back.cy, 5080);
}

} // namespace
