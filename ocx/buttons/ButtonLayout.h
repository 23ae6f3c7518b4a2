// Where a push button puts its parts: the inner rectangle its borders leave, the border width that
// AutoSize adds around a picture, the DrawText flags and the placement of the caption, and the
// placement of the picture beside or around it. Plain geometry on rectangles; nothing here reads a
// control or draws.
#pragma once
#include <windows.h>

#include <functional>

namespace plyx {

// The effective looks (Constants_ButtonStyle without qvFollowOS).
enum ButtonLook : BYTE {
    LookFlat = 1,       // qvWin95
    LookBeveled = 2,    // qvWin3X
    LookActive = 3,     // qvActiveBorders
    LookBorderless = 4, // qvBorderless
};

struct ButtonFrame {
    BYTE look;
    bool command;          // a command button (else a ribbon)
    int bevelWidth;
    bool outline;
    bool displayAsDefault; // the container's DisplayAsDefault ambient
};

// The client rectangle less the borders of the look.
RECT InnerRectangle(const RECT& client, const ButtonFrame& frame);

// The border on each side that AutoSize adds to a picture's size.
int AutoSizeBorderWidth(const ButtonFrame& frame, bool drawnUp, bool focusedOrDefault);

// What decides the caption's DrawText flags.
struct CaptionFlagsInput {
    BYTE marqueeStyle;
    BYTE marqueeDirection;
    BYTE captionStyle;
    BYTE alignment;
    bool ribbon;
};
// True when a marquee moves the caption (any style but none and blink).
inline bool MarqueeMoves(BYTE marqueeStyle) { return marqueeStyle != 0 && marqueeStyle != 3; }
UINT CaptionTextFlags(const CaptionFlagsInput& input);

// The caption's two rectangles: the area it is drawn and clipped in, and the measured text box.
struct CaptionPlacement {
    RECT area;
    RECT textBox;
};
// Places a measured caption of `measured` size in `area` by its alignment (0..8). With a moving
// marquee the area narrows to the text across the direction of motion; otherwise it is the part of
// the text box inside the area.
CaptionPlacement PlaceCaption(const RECT& area, SIZE measured, BYTE alignment, BYTE marqueeStyle,
                              BYTE marqueeDirection);

struct PictureLayoutInput {
    RECT inner;
    SIZE picture;          // the picture's size in pixels (one frame of a bitmap strip)
    BYTE pictureAlignment; // 0..12
    BYTE alignment;        // the caption's, 0..8
    bool metafile;
    bool autoSize;         // AutoSize is not 0
    BYTE marqueeStyle;
    BYTE marqueeDirection;
};

struct PictureLayoutResult {
    RECT picture;
    bool captionLaidOutAgain;
};

// Lays the caption out again in another area (the caller measures it) and answers its placement.
using CaptionLayouter = std::function<CaptionPlacement(const RECT& area)>;

// Places the picture in the inner rectangle beside the caption `caption`; when the picture needs the
// caption's room, the caption is laid out again through `layOut` (or emptied when it cannot be shown).
PictureLayoutResult PlacePicture(const PictureLayoutInput& input, CaptionPlacement* caption,
                                 const CaptionLayouter& layOut);

} // namespace plyx
