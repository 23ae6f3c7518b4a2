// Bevels, pressed edges and outlines: one-pixel rings drawn inside a rectangle. Each routine puts
// back the pen or brush it selected and deletes what it made.
#pragma once
#include <windows.h>
#include <ocidl.h>

class ColorScheme;

// `width` rings inside (left, top, right, bottom): light along the left and top and dark along the
// right and bottom when raised, the other way round when sunken.
void DrawBevelLines(HDC dc, int left, int top, int right, int bottom, int width, BOOL raised,
                    COLORREF darkColor, COLORREF lightColor);
// The same with OLE colours (system colours allowed).
void DrawBevelLinesOle(HDC dc, int left, int top, int right, int bottom, int width, BOOL raised,
                       OLE_COLOR darkColor, OLE_COLOR lightColor);

// The controls' bevel in the scheme's shadow and highlight: lines where the device shows both
// colours as they are, one-pixel brush fills on palette devices. Nothing when width < 1 or no scheme.
void DrawBevel(HDC dc, int left, int top, int right, int bottom, int width, BOOL raised,
               ColorScheme* scheme);

// The pressed look: `width` shadow lines along the left and top edges. A null scheme stands for the
// system colours.
void DrawInsetEdge(HDC dc, int left, int top, int right, int bottom, int width, ColorScheme* scheme);

// A one-pixel rectangle in the frame colour; when rounded, the four corner pixels take the face
// colour. A null scheme stands for the system colours.
void DrawOutline(HDC dc, int left, int top, int right, int bottom, BOOL rounded, ColorScheme* scheme);

// A double bevel around a dialog item: an outer bevel, a gap, then an inner bevel, all outside the
// item's own rectangle. Nothing when the dialog has no such item.
void DrawItemFrame(HDC dc, HWND dialog, int itemId, int outerWidth, int gap, int innerWidth,
                   BOOL outerRaised, BOOL innerRaised, COLORREF darkColor, COLORREF lightColor);
