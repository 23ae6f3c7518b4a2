// Captions with 3D effects (raised, inset, drop shadow) placed by one of nine alignments, and the
// rectangle helpers they use.
#pragma once
#include <windows.h>
#include <ocidl.h>

// Constants_Font3D.
enum Font3DEffect : short {
    qvNoneFont3D = 0,
    qvRaisedLight = 1,
    qvRaisedHeavy = 2,
    qvInsetLight = 3,
    qvInsetHeavy = 4,
    qvDropShadow = 5,
};

// Constants_Alignment: the nine caption placements, then the picture placements beside a caption.
enum CaptionAlignment : short {
    qvLeftTop = 0,
    qvLeftMiddle = 1,
    qvLeftBottom = 2,
    qvRightTop = 3,
    qvRightMiddle = 4,
    qvRightBottom = 5,
    qvCenterTop = 6,
    qvCenterMiddle = 7,
    qvCenterBottom = 8,
    qvLeftOfCaption = 9,
    qvRightOfCaption = 10,
    qvTopOfCaption = 11,
    qvBottomOfCaption = 12,
};

// The argument block of Draw3DText.
struct TextEffectRequest {
    HDC dc;
    const char* text;         // ANSI, NUL-terminated
    LONG left, top, right, bottom;  // device units; rewritten to the placed text box
    short effect;             // Font3DEffect
    short alignment;          // CaptionAlignment 0..8, or else DrawText flags for a box placed already
    LONG opaque;              // non-zero: the background is filled with backColor
    HFONT font;               // may be null: the context's font
    COLORREF textColor;
    OLE_COLOR backColor;
    COLORREF darkColor;       // the scheme's DarkTextColor as passed by the caller
    COLORREF lightColor;      // the scheme's LightTextColor as passed by the caller
    BOOL disabled;
};

// Adds `amount` to the left and top and subtracts it from the right and bottom, each side only when
// its flag is non-zero (a negative amount widens). Returns the rectangle.
RECT* InsetRectSides(RECT* rect, int amount, BOOL left, BOOL top, BOOL right, BOOL bottom);

// Moves `rect` to a box of width x height inside it, placed by `alignment` (0..8); other values
// leave it as it is.
RECT* PlaceTextRect(RECT* rect, int width, int height, int alignment);

// The DrawText flags of an alignment 0..8; any other value is taken as the flags themselves.
UINT AlignmentTextFlags(int alignment);

// The drop shadow's offset in pixels for the font selected in `dc`: one pixel per started ten points.
int DropShadowOffset(HDC dc);

// Draws the caption with its effect and rewrites the request's rectangle to the placed text box.
// The context's font, text and background colours and background mode are put back. Returns the
// result of the last restoring call.
int Draw3DText(TextEffectRequest* request);
