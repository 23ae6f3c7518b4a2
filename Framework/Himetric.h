// Conversion between HIMETRIC (0.01 mm) and pixels at the screen resolution, read once.
#pragma once
#include <windows.h>

// One axis at a given resolution (dots per inch). Rounded to nearest; negative values round like
// positive ones; the product is taken in 64 bits.
LONG HimetricToPixelsAt(LONG himetric, int dotsPerInch);
LONG PixelsToHimetricAt(LONG pixels, int dotsPerInch);

// Both axes at the screen's horizontal (x) and vertical (y) resolution.
void HimetricToPixels(const SIZEL* himetric, SIZEL* pixels);
void PixelsToHimetric(const SIZEL* pixels, SIZEL* himetric);

// The cached screen resolution.
int ScreenDotsPerInchX();
int ScreenDotsPerInchY();
