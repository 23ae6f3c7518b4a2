// A transparent blit of one bitmap: pixels of the mask colour leave the target's background
// showing. Made and destroyed within one render; the bitmap and palette are borrowed.
#pragma once
#include <windows.h>

#include "GdiScopes.h"

class MaskedBitmap {
public:
    MaskedBitmap(HBITMAP bitmap, HPALETTE palette) : bitmap_(bitmap), palette_(palette) {}
    MaskedBitmap(const MaskedBitmap&) = delete;
    MaskedBitmap& operator=(const MaskedBitmap&) = delete;

    // Draws the source rectangle stretched to the destination one. Where the target is not a memory
    // context the work is done off-screen on a copy of the background: backgroundDc's pixels when
    // given, else backgroundBrush when given, else the target's own pixels. `invert` draws the
    // picture's colours inverted.
    bool Draw(HDC dc, int xDest, int yDest, int wDest, int hDest, int xSrc, int ySrc, int wSrc,
              int hSrc, COLORREF maskColor, HBRUSH backgroundBrush, HDC backgroundDc, BOOL invert);

private:
    // The monochrome mask of (wDest, hDest): 1 exactly where the stretched frame has the mask colour.
    bool BuildMask(HDC dc, int wDest, int hDest, int xSrc, int ySrc, int wSrc, int hSrc,
                   COLORREF maskColor);

    HBITMAP bitmap_;
    HPALETTE palette_;
    GdiObject<HBITMAP> mask_;
};
