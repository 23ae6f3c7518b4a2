#include "ScreenUnits.h"

#include <cmath>

namespace korvane::activex {

ScreenDensity ScreenDensity::OfScreen()
{
    ScreenDensity density;
    HDC screen = GetDC(nullptr);
    if (screen) {
        density.x = GetDeviceCaps(screen, LOGPIXELSX);
        density.y = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    return density;
}

long PixelsToHimetric(long pixels, int dpi) { return MulDiv(pixels, 2540, dpi); }
long HimetricToPixels(long himetric, int dpi) { return MulDiv(himetric, dpi, 2540); }
float PixelsToTwips(long pixels, int dpi) { return static_cast<float>(pixels) * 1440.0f / static_cast<float>(dpi); }
long TwipsToPixels(double twips, int dpi) { return std::lround(twips * dpi / 1440.0); }

} // namespace korvane::activex
