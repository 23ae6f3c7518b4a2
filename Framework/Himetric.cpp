#include "Himetric.h"

#include "FrameworkLock.h"

namespace {
constexpr LONGLONG HimetricPerInch = 2540;

int g_dpiX = 0;
int g_dpiY = 0;

void ReadScreenResolution()
{
    FrameworkLock::Scope lock;
    if (g_dpiX != 0)
        return;
    int x = 96;
    int y = 96;
    if (HDC screen = GetDC(nullptr)) {
        x = GetDeviceCaps(screen, LOGPIXELSX);
        y = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    // A screen that reports no resolution would divide by zero below.
    g_dpiY = y > 0 ? y : 96;
    g_dpiX = x > 0 ? x : 96;
}

// (value * multiplier + divisor / 2) / divisor, the division truncating toward zero, as the
// conversions have always been defined: a negative value moves by the same half as a positive one
// (at 96 dots per inch -1270 HIMETRIC is -47 pixels). Beyond 32 bits the result is clamped.
LONG ScaleRounded(LONG value, LONGLONG multiplier, LONGLONG divisor)
{
    if (divisor <= 0)
        return 0;
    const LONGLONG scaled = (LONGLONG(value) * multiplier + divisor / 2) / divisor;
    if (scaled > MAXLONG)
        return MAXLONG;
    if (scaled < -LONGLONG(MAXLONG) - 1)
        return -MAXLONG - 1;
    return static_cast<LONG>(scaled);
}
} // namespace

LONG HimetricToPixelsAt(LONG himetric, int dotsPerInch)
{
    return ScaleRounded(himetric, dotsPerInch, HimetricPerInch);
}

LONG PixelsToHimetricAt(LONG pixels, int dotsPerInch)
{
    return ScaleRounded(pixels, HimetricPerInch, dotsPerInch);
}

int ScreenDotsPerInchX()
{
    ReadScreenResolution();
    return g_dpiX;
}

int ScreenDotsPerInchY()
{
    ReadScreenResolution();
    return g_dpiY;
}

void HimetricToPixels(const SIZEL* himetric, SIZEL* pixels)
{
    const LONG cx = HimetricToPixelsAt(himetric->cx, ScreenDotsPerInchX());
    const LONG cy = HimetricToPixelsAt(himetric->cy, ScreenDotsPerInchY());
    pixels->cx = cx;
    pixels->cy = cy;
}

void PixelsToHimetric(const SIZEL* pixels, SIZEL* himetric)
{
    const LONG cx = PixelsToHimetricAt(pixels->cx, ScreenDotsPerInchX());
    const LONG cy = PixelsToHimetricAt(pixels->cy, ScreenDotsPerInchY());
    himetric->cx = cx;
    himetric->cy = cy;
}
