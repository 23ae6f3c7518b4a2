// The frame's border: an etched (inset) or raised pair of one-pixel rectangles, interrupted on the
// caption's line between the gap's two ends.
#pragma once
#include <windows.h>

class ColorScheme;

// Constants_ShadowStyle.
enum FrameShadowStyle : BYTE {
    InsetFrameShadow = 0,
    RaisedFrameShadow = 1,
};

struct FrameBorderRequest {
    RECT border;          // the border rectangle (right and bottom exclusive)
    LONG gapStart;        // x of the last line pixel before the gap
    LONG gapEnd;          // x where the line resumes after the gap; equal to gapStart: no gap
    bool captionAtBottom; // the gap is on the bottom line instead of the top one
    BYTE shadowStyle;     // FrameShadowStyle
};

// Draws the border in two passes, the scheme's highlight pen, then its shadow pen.
void DrawFrameBorder(HDC dc, const FrameBorderRequest& request, ColorScheme& scheme);
