// Drawing the parts of a push button's face from a plain description: the caption with its 3D effect
// (or greyed), the focus frame and the borders of the four looks. Nothing here reads a control.
#pragma once
#include <windows.h>
#include <ocidl.h>

namespace plyx {

struct CaptionDrawing {
    const char* text;
    RECT area;          // clip
    RECT textBox;       // where the measured text lies
    UINT flags;         // DrawText flags
    short effect;       // Font3D
    HFONT font;
    OLE_COLOR foreColor;
    OLE_COLOR backColor;
    bool drawnDown;     // moves the text by one pixel
    bool greyed;        // disabled at run time
};
void DrawButtonCaption(HDC dc, const CaptionDrawing& caption);

// A black frame with a focus rectangle in the text colour on the back colour.
void DrawFocusFrame(HDC dc, const RECT& rect, OLE_COLOR foreColor, OLE_COLOR backColor);

struct BorderDrawing {
    BYTE look;
    bool command;
    bool drawnUp;
    bool highlighted;
    bool focused;
    bool isDefault;
    bool designMode;
    bool outline;
    bool roundedCorners;
    int bevelWidth;
    OLE_COLOR foreColor;
    OLE_COLOR backColor;
};
void DrawButtonBorders(HDC dc, RECT rect, const BorderDrawing& border);

} // namespace plyx
