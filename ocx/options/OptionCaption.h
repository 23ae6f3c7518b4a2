// The caption of a check box or option button: its text with the 3D effect, grey when disabled, and
// the focus frame around it. Takes a plain description of what to draw and reads no control.
#pragma once
#include <windows.h>
#include <ocidl.h>

namespace plyx {

struct OptionCaptionPaint {
    const char* text;
    RECT textBox;     // where the measured text lies
    RECT clip;        // the caption's rectangle; the text is clipped to it
    UINT flags;       // DrawText flags
    HFONT font;
    short effect;     // Font3D
    OLE_COLOR foreColor;
    OLE_COLOR backColor;
    bool shown;       // false while a blinking caption is hidden
    bool disabledLook;  // disabled at run time
    bool focused;
};

void DrawOptionCaption(HDC dc, const OptionCaptionPaint& caption);

} // namespace plyx
