// The colours of one paint and the pens and brushes made from them. A scheme is made at the start
// of a paint and destroyed at its end; it deletes every pen and brush that it created and never
// stores a stock object.
#pragma once
#include <windows.h>
#include <ocidl.h>

#include "GdiScopes.h"

// An OLE colour as a COLORREF: a value with the high bit set names a system colour (its low 24 bits
// are the COLOR_ index); any other value is already a COLORREF.
COLORREF OleColorToColorRef(OLE_COLOR color);

enum ColorSchemeMode : short {
    FixedStandardColors = 0,  // light grey face, grey shadow, white highlight, black frame
    SystemColors = 1,         // the system's button colours
    // any other value: the colours handed to the constructor
};

class ColorScheme {
public:
    ColorScheme(short mode, COLORREF face, COLORREF shadow, COLORREF highlight, COLORREF frame,
                BOOL blackShadow, LONG userValue);
    ~ColorScheme() = default;
    ColorScheme(const ColorScheme&) = delete;
    ColorScheme& operator=(const ColorScheme&) = delete;

    // The scheme every control paints with: the system's button colours.
    static ColorScheme SystemScheme();

    short Mode() const { return mode_; }
    COLORREF ButtonFaceColor() const { return face_; }
    COLORREF ButtonShadowColor() const { return shadow_; }
    COLORREF ButtonHighlightColor() const { return highlight_; }
    COLORREF WindowFrameColor() const { return frame_; }
    COLORREF DarkTextColor() const { return darkText_; }
    COLORREF LightTextColor() const { return lightText_; }
    LONG UserValue() const { return userValue_; }

    // Solid pens of width 1 and solid brushes in the scheme's colours: stock objects for the stock
    // colours, otherwise made on the first request and kept until the scheme is destroyed.
    HPEN ShadowPen() { return PenFor(shadow_, shadowPen_); }
    HPEN HighlightPen() { return PenFor(highlight_, highlightPen_); }
    HPEN FramePen() { return PenFor(frame_, framePen_); }
    HBRUSH FaceBrush() { return BrushFor(face_, faceBrush_); }
    HBRUSH ShadowBrush() { return BrushFor(shadow_, shadowBrush_); }
    HBRUSH HighlightBrush() { return BrushFor(highlight_, highlightBrush_); }

private:
    static HPEN PenFor(COLORREF color, GdiObject<HPEN>& cache);
    static HBRUSH BrushFor(COLORREF color, GdiObject<HBRUSH>& cache);

    short mode_;
    COLORREF face_;
    COLORREF shadow_;
    COLORREF highlight_;
    COLORREF frame_;
    COLORREF darkText_;
    COLORREF lightText_;
    LONG userValue_;
    GdiObject<HPEN> shadowPen_;
    GdiObject<HPEN> highlightPen_;
    GdiObject<HPEN> framePen_;
    GdiObject<HBRUSH> faceBrush_;
    GdiObject<HBRUSH> shadowBrush_;
    GdiObject<HBRUSH> highlightBrush_;
};
