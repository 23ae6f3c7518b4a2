// Pixels, twips and HIMETRIC along one axis of the display.
#pragma once
#include <windows.h>

// Through the display's resolution, read on every call (96 when it reports none), with
// k = 1440 / dpi in whole numbers: twips = pixels * k; pixels = (twips + k / 2) / k.
LONG PixelsToTwipsX(LONG pixels);
LONG PixelsToTwipsY(LONG pixels);
LONG TwipsToPixelsX(LONG twips);
LONG TwipsToPixelsY(LONG twips);

// The same rules at a given resolution.
LONG PixelsToTwipsAt(LONG pixels, int dotsPerInch);
LONG TwipsToPixelsAt(LONG twips, int dotsPerInch);

// One axis of the framework's HIMETRIC conversion at the cached screen resolution.
LONG HimetricToPixelsX(LONG himetric);
LONG HimetricToPixelsY(LONG himetric);
LONG PixelsToHimetricX(LONG pixels);
LONG PixelsToHimetricY(LONG pixels);
