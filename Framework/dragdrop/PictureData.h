// Pictures as drag-and-drop data: which clipboard format a picture object travels as, rendering it
// into a storage medium for a drop target, and making a picture object of a foreign medium.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

// The picture a VARIANT holds (an object answering IPicture); false when it holds none.
bool PictureOf(const VARIANT& value, IPicture** picture);

// Checks the pairing of a picture with a format; format 0 becomes the picture's own format. S_OK with
// `error` 0 when they suit, S_OK with the drag-and-drop error number when not, or the failure to read
// the picture's type.
HRESULT PictureClipFormat(IPicture* picture, CLIPFORMAT* format, int* error);

// The picture rendered as the format: copies of its handles (a bitmap, its palette, a packed DIB, a
// metafile picture or an enhanced metafile) that the receiver owns.
HRESULT RenderPicture(IPicture* picture, CLIPFORMAT format, STGMEDIUM* medium);

// A picture object made of a medium of the format got from `source` (which is asked for a palette to
// go with a bitmap); the handles the picture takes over are cleared from the medium.
HRESULT PictureFromMedium(IDataObject* source, CLIPFORMAT format, STGMEDIUM& medium, IPictureDisp** picture);
