// The 3D caption of the drawing kit for code that also sees the type library's enumerations (whose
// constants share the kit's names): one call with the caption's box placed already.
#pragma once
#include <windows.h>
#include <ocidl.h>

struct CaptionTextRequest {
    HDC dc;
    const char* text;
    RECT box;           // rewritten to the drawn text's box
    short effect;       // the 3D effect (Font3D)
    UINT flags;         // DrawText flags for the box
    HFONT font;         // null: the context's font
    COLORREF textColor;
    OLE_COLOR backColor;
    COLORREF darkColor;
    COLORREF lightColor;
};

// The effect the kit names "inset light".
constexpr short InsetLightCaption = 3;

void DrawCaptionText(CaptionTextRequest& request);
