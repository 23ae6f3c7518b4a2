// The built-in glyph strips of the check box and the option button are drawn in key colours that
// stand for system colours; at paint time the strip is redrawn with the system's colours in their
// place, so that the glyphs follow the user's colour scheme.
#pragma once
#include <windows.h>

namespace plyx {

// One key colour of the strips (0x00RRGGBB, as the colour table holds it) and the system colour
// (COLOR_ index) drawn in its place.
struct GlyphKeyColor {
    DWORD key;
    int systemColor;
};

// The replacements in force: under the old window look the light and dark 3D edges take the
// shadow and frame colours. Decided on first use and then kept.
const GlyphKeyColor* GlyphKeyColors(int* count);

// A bitmap compatible with `dc` holding `strip` with every key colour of its colour table replaced
// by its system colour, drawn under `palette` (the default palette when null). Null on failure; the
// caller deletes it.
HBITMAP CreateSystemColoredStrip(HDC dc, HBITMAP strip, HPALETTE palette);

} // namespace plyx
