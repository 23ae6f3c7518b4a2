// Conversions between the screen's pixels and the units of the OLE interfaces (HIMETRIC, 0.01 mm) and
// of the extender (twips, 1/1440 inch), at the screen's logical pixels per inch.
#pragma once

#include <windows.h>

namespace korvane::activex {

struct ScreenDensity {
    int x = 96;
    int y = 96;
    static ScreenDensity OfScreen();
};

long PixelsToHimetric(long pixels, int dpi);
long HimetricToPixels(long himetric, int dpi);
float PixelsToTwips(long pixels, int dpi);
long TwipsToPixels(double twips, int dpi);

} // namespace korvane::activex
