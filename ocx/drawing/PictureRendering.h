// Drawing a picture object into a rectangle: bitmaps (one frame of a strip, stretched or at natural
// size, transparent by a mask colour, dithered or inverted), metafiles, enhanced metafiles and
// icons; and tiling a picture over an area.
#pragma once
#include <windows.h>
#include <ocidl.h>

enum PictureEffect : int {
    PlainPicture = 0,
    DitheredPicture = 1,  // every second pixel white: the pressed or disabled look
    InvertedPicture = 2,
};

// Draws `picture` into destRect (useDestRect) or at cellRect's top left at natural size, moved by
// `offset` pixels right and down; clipped to destRect when asked. A bitmap shows frame `frameIndex`
// of `frameCount` frames laid side by side. The context's clip region and palette are put back.
void RenderPicture(HDC dc, IPicture* picture, const RECT* cellRect, const RECT* destRect, int offset,
                   BOOL useDestRect, BOOL clipToDestRect, BOOL transparent, OLE_COLOR maskColor,
                   int effect, int frameIndex, int frameCount);

// Lays the picture in tiles over areaRect where it meets updateRect; neighbouring tiles overlap by
// one pixel. `width` and `height` size a metafile's tiles (0: the area's size). Enhanced metafiles
// are not tiled.
void TilePicture(HDC dc, IPicture* picture, const RECT* areaRect, const RECT* updateRect, int width,
                 int height, BOOL transparent, OLE_COLOR maskColor);

// The 8 x 8 monochrome checkerboard of the dithered look.
HBITMAP CreateDitherBitmap();
