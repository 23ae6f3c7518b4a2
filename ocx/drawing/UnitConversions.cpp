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

LONG HimetricToPixelsX(LONG himetric)
{
    const SIZEL in = {himetric, 0};
    SIZEL out = {0, 0};
    HimetricToPixels(&in, &out);
    return out.cx;
}

LONG HimetricToPixelsY(LONG himetric)
{
    const SIZEL in = {0, himetric};
    SIZEL out = {0, 0};
    HimetricToPixels(&in, &out);
    return out.cy;
}

LONG PixelsToHimetricX(LONG pixels)
{
    const SIZEL in = {pixels, 0};
    SIZEL out = {0, 0};
    PixelsToHimetric(&in, &out);
    return out.cx;
}

LONG PixelsToHimetricY(LONG pixels)
{
    const SIZEL in = {0, pixels};
    SIZEL out = {0, 0};
    PixelsToHimetric(&in, &out);
    return out.cy;
}
