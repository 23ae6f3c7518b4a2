// Where a check box or option button puts its three parts: the square glyph at one side, then a
// picture and the caption beside it in the order the picture alignment asks. The layout only
// measures text (in the font selected in the context it is given); it draws nothing and reads no
// control, so that a table of cases can check it.
#pragma once
#include <windows.h>

namespace plyx {

// Constants_AlignTo.
enum OptionAlignment : BYTE {
    GlyphLeftTextRight = 0,  // qvTextRight
    GlyphRightTextLeft = 1,  // qvTextLeft
};

// Constants_PictureAlignment.
enum OptionPictureAlignment : BYTE {
    PictureLeftOfCaption = 0,
    PictureRightOfCaption = 1,
    PictureJustified = 2,
};

// The size of a glyph cell when no picture of the user's gives one.
constexpr int BuiltInGlyphSize = 13;
// The gap between glyph, picture and caption.
constexpr int OptionPartGap = 4;

struct OptionLayoutRequest {
    RECT client;              // the control's rectangle
    BYTE alignment;           // OptionAlignment
    BYTE pictureAlignment;    // OptionPictureAlignment
    SIZE glyph;               // the glyph cell
    bool hasPicture;          // a Picture of any drawable type
    bool scaledPicture;       // the Picture is a metafile, laid out as a scalable area
    SIZE picture;             // one frame of the Picture (ignored when scaled)
    const char* caption;      // ANSI; null or empty for none
    bool movingMarquee;       // MarqueeStyle neither none nor blinking
    BYTE marqueeDirection;    // 0, 1 horizontal; 2, 3 vertical
    UINT captionFlags;        // DrawText flags of the caption (OptionCaptionFlags)
};

struct OptionLayoutResult {
    RECT glyph;
    RECT content;   // the area beside the glyph
    RECT picture;   // empty without a picture
    RECT caption;   // the caption's clip (with a moving marquee: the area it moves in)
    RECT text;      // the measured text box
};

// The DrawText flags the caption is drawn with: by marquee direction when the marquee moves, else by
// CaptionStyle (0 one centred line, 1 word-wrapped, others one line centred both ways).
UINT OptionCaptionFlags(bool movingMarquee, BYTE marqueeDirection, BYTE captionStyle);

// Lays the parts out; `dc` holds the caption's font.
OptionLayoutResult LayOutOption(HDC dc, const OptionLayoutRequest& request);

} // namespace plyx
