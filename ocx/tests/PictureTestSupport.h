// Bitmaps and picture objects of known pixels for the picture and DIB tests.
#pragma once
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <functional>

// A 32-bit top-down DIB section whose pixel (x, y) is color(x, y).
HBITMAP MakeBitmap(int width, int height, const std::function<COLORREF(int, int)>& color);
// The colour of pixel (x, y) of a bitmap that is selected nowhere.
COLORREF BitmapPixel(HBITMAP bitmap, int x, int y);
// A picture object of the description (its size is filled in) that owns its handles; null on failure.
IPicture* MakePicture(PICTDESC description);
// A bitmap picture that owns the bitmap; null on failure.
IPicture* MakeBitmapPicture(HBITMAP bitmap, HPALETTE palette = nullptr);
