// Device-independent bitmaps (packed in movable global memory: header, colour table, pixel rows)
// and logical palettes made from them.
#pragma once
#include <windows.h>

class PictureHolder;

// A header with room for the largest colour table.
struct DibInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

// Bytes per pixel row: rows are padded to 32 bits.
DWORD DibRowStride(LONG width, WORD bitsPerPixel);
// Colour-table entries of a DIB header (a 40-byte info header or a 12-byte core header).
UINT DibColorCount(const void* header);
// Bytes of the colour table: 3 an entry after a core header, 4 after an info header.
UINT DibColorTableSize(const void* header);

// A packed DIB of the bitmap's pixels at `bitsPerPixel` (0: 1, 4, 8 or 24 by the bitmap's depth),
// read through `palette` (null: the default palette). Null on failure.
HGLOBAL BitmapToPackedDib(HBITMAP bitmap, HPALETTE palette, WORD bitsPerPixel);
// A packed DIB whose colour table is the palette (at most 256 entries) and whose pixels are indices
// into it: 4 bits for palettes of up to 16 entries, else 8. Null on failure.
HGLOBAL BitmapToPaletteDib(HBITMAP bitmap, HPALETTE palette);
// A DIB section with the bitmap's pixels; `info` receives its header and colour table. When
// `palette` holds null, a palette made from the DIB is returned in it (the caller deletes it).
HBITMAP BitmapToDibSection(HBITMAP bitmap, HDC dc, DibInfo* info, HPALETTE* palette);
// The packed DIB's header as an info header; a zero image size and colour count are filled in.
// A core header's fields are widened (biSize stays 12). False when the block is not a DIB.
bool ReadDibHeader(HGLOBAL packedDib, BITMAPINFOHEADER* header);
// A logical palette of the colour table that follows `header` in memory, or a 256-colour cube for
// a 24-bit DIB without one; null for anything but a 40-byte info header.
HPALETTE CreateDibPalette(const BITMAPINFOHEADER* header);

// Copies the bitmap selected into memory context `source` to `target` at rect's top left, stretched
// to the rectangle when asked, else at its own size.
bool CopyDcBitmap(HDC target, HDC source, const RECT* rect, BOOL stretch);

// Re-creates a bitmap picture with a palette against the system palette of `dc`, so that painting
// it on a palette display needs no colour matching. Returns the number of colour-table entries
// remapped (0 when nothing was done).
int MatchPictureToSystemPalette(HDC dc, PictureHolder* holder);
