#include "UnitConversions.h"

#include "Himetric.h"

namespace {
constexpr LONG TwipsPerInch = 1440;

int DisplayDotsPerInch(int axis)
{
    int dotsPerInch = 0;
    if (HDC display = CreateICA("DISPLAY", nullptr, nullptr, nullptr)) {
        dotsPerInch = GetDeviceCaps(display, axis);
        DeleteDC(display);
    }
    return dotsPerInch > 0 ? dotsPerInch : 96;
}

LONG TwipsPerPixel(int dotsPerInch)
{
    if (dotsPerInch <= 0)
        dotsPerInch = 96;
    const LONG k = TwipsPerInch / dotsPerInch;
    // Beyond 1440 dots per inch a pixel is smaller than a twip; one twip a pixel is the finest step.
    return k > 0 ? k : 1;
}

// One axis of a two-axis conversion, the other axis passed as 0.
LONG HimetricAxis(void (*convert)(const SIZEL*, SIZEL*), LONG value, bool horizontal)
{
    const SIZEL in = {horizontal ? value : 0, horizontal ? 0 : value};
    SIZEL out = {0, 0};
    convert(&in, &out);
    return horizontal ? out.cx : out.cy;
}
} // namespace

LONG PixelsToTwipsAt(LONG pixels, int dotsPerInch)
{
    return pixels * TwipsPerPixel(dotsPerInch);
}

LONG TwipsToPixelsAt(LONG twips, int dotsPerInch)
{
    const LONG k = TwipsPerPixel(dotsPerInch);
    return (twips + k / 2) / k;
}

LONG PixelsToTwipsX(LONG pixels) { return PixelsToTwipsAt(pixels, DisplayDotsPerInch(LOGPIXELSX)); }
LONG PixelsToTwipsY(LONG pixels) { return PixelsToTwipsAt(pixels, DisplayDotsPerInch(LOGPIXELSY)); }
LONG TwipsToPixelsX(LONG twips) { return TwipsToPixelsAt(twips, DisplayDotsPerInch(LOGPIXELSX)); }
LONG TwipsToPixelsY(LONG twips) { return TwipsToPixelsAt(twips, DisplayDotsPerInch(LOGPIXELSY)); }

LONG HimetricToPixelsX(LONG himetric) { return HimetricAxis(HimetricToPixels, himetric, true); }
LONG HimetricToPixelsY(LONG himetric) { return HimetricAxis(HimetricToPixels, himetric, false); }
LONG PixelsToHimetricX(LONG pixels) { return HimetricAxis(PixelsToHimetric, pixels, true); }
LONG PixelsToHimetricY(LONG pixels) { return HimetricAxis(PixelsToHimetric, pixels, false); }
