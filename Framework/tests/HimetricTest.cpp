#include "Himetric.h"

#include <gtest/gtest.h>

namespace {

TEST(Himetric, PairsAtNinetySixDotsPerInch)
{
    struct Case { LONG himetric; LONG pixels; } toPixels[] = {
        {2540, 96}, {1, 0}, {0, 0}, {-2540, -96}, {-1, 0}, {13, 0}, {14, 1}, {-14, -1}, {MAXLONG, 81164736}};
    for (const Case& c : toPixels)
        EXPECT_EQ(HimetricToPixelsAt(c.himetric, 96), c.pixels) << c.himetric;
    struct Back { LONG pixels; LONG himetric; } toHimetric[] = {
        {96, 2540}, {1, 26}, {-1, -26}, {100, 2646}, {-100, -2646}, {50, 1323}};
    for (const Back& c : toHimetric)
        EXPECT_EQ(PixelsToHimetricAt(c.pixels, 96), c.himetric) << c.pixels;
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
