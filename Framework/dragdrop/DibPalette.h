// Palettes for device-independent bitmaps on palette-based screens: the palette a DIB's colour table
// asks for, the default halftone palette and the screen facts they depend on.
#pragma once
#include <windows.h>

// The screen's facts, read once per process.
struct ScreenFacts {
    int planes;
    int paletteSize;     // 0 on a screen without a palette
    int bitsPerPixel;
    bool PaletteBased() const { return paletteSize != 0; }
};
const ScreenFacts& Screen();

// The entries of the palette for a colour table of `count` colours (0x00BBGGRR... as RGBQUADs), for a
// palette of at most `room` entries: the table's colours in order, less repeats of the 16 standard
// colours, then the standard colours still missing while there is room. Returns the number of
// entries written to `entries` (which holds `room`), or 0 when no palette is needed: a table of at
// most 16 colours, all of them standard colours.
UINT DibPaletteEntries(const RGBQUAD* table, UINT count, UINT room, PALETTEENTRY* entries);

// The number of colour-table entries of a DIB header and the size of one: a core header's 3-byte
// triples by its bit count, else biClrUsed or, when that is 0, the bit count's number in RGBQUADs.
UINT DibColourCount(const BITMAPINFOHEADER& header, UINT* entrySize);

// Where the pixel rows of a packed DIB of `size` bytes begin, after its header, colour masks and
// colour table; 0 when the block is not a whole DIB: a header that is neither the 12-byte core header
// nor at least 40 bytes, sizes it cannot have, or a colour table or rows (width x |height| x bit count,
// the stated image size when compressed) that do not lie inside the block. Nothing outside the block
// is read.
SIZE_T PackedDibBitsOffset(const void* block, SIZE_T size);

// The colour table of a packed DIB as RGBQUADs (a core header's triples widened); the number of
// entries, 0 when it has none. `table` holds 256.
UINT DibColourTable(const BITMAPINFO* info, SIZE_T size, RGBQUAD* table);

// The palette for a packed DIB on this screen: the halftone palette's copy when it has no colour table;
// null when it needs none.
HPALETTE PaletteFromDib(const BITMAPINFO* info, SIZE_T size);

// The default halftone palette's 256 entries: the 20 system colours, each followed by its nearest
// screen colour, then the 6 x 6 x 6 colour cube (red outermost). Made once per process and kept.
const PALETTEENTRY* HalftoneEntries();
