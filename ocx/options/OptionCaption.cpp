#include "OptionCaption.h"

#include "ColorScheme.h"
#include "GdiScopes.h"
#include "TextEffects.h"

namespace plyx {

namespace {

struct GrayText {
    const char* text;
    int width;
    int height;
};

BOOL CALLBACK DrawGrayText(HDC dc, LPARAM data, int)
{
    const GrayText* gray = reinterpret_cast<const GrayText*>(data);
    RECT box = {0, 0, gray->width, gray->height};
    DrawTextA(dc, gray->text, -1, &box, DT_SINGLELINE | DT_VCENTER);
    return TRUE;
}

} // namespace

void DrawOptionCaption(HDC dc, const OptionCaptionPaint& caption)
{
    if (caption.text == nullptr || caption.text[0] == '\0')
        return;
    if (caption.shown) {
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, caption.clip.left, caption.clip.top, caption.clip.right, caption.clip.bottom);
        ColorScheme scheme(SystemColors, RGB(192, 192, 192), RGB(128, 128, 128), RGB(255, 255, 255), RGB(0, 0, 0),
                           FALSE, 0);
        TextEffectRequest request = {};
        request.dc = dc;
        request.text = caption.text;
        request.left = caption.textBox.left;
        request.top = caption.textBox.top;
        request.right = caption.textBox.right;
        request.bottom = caption.textBox.bottom;
        request.alignment = static_cast<short>(caption.flags);
        request.font = caption.font;
        request.backColor = caption.backColor;
        request.darkColor = scheme.DarkTextColor();
        request.lightColor = scheme.LightTextColor();
        const COLORREF grayText = GetSysColor(COLOR_GRAYTEXT);
        if (!caption.disabledLook) {
            request.effect = caption.effect;
            request.textColor = OleColorToColorRef(caption.foreColor);
            Draw3DText(&request);
        } else if (grayText == RGB(0, 0, 0) || grayText == RGB(192, 192, 192)) {
            // Grey text would not show on a grey face: the system greys the text itself.
            SelectedObject selected(dc, caption.font);
            GrayText gray = {caption.text, caption.textBox.right - caption.textBox.left,
                             caption.textBox.bottom - caption.textBox.top};
            GrayStringA(dc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), DrawGrayText,
                        reinterpret_cast<LPARAM>(&gray), 0, caption.textBox.left, caption.textBox.top, gray.width,
                        gray.height);
        } else {
            request.effect = qvInsetLight;
            request.textColor = grayText;
            request.lightColor = RGB(255, 255, 255);
            Draw3DText(&request);
        }
        RestoreDC(dc, saved);
    }
    if (caption.focused) {
        RECT focus = caption.clip;
        InflateRect(&focus, 1, 1);
        FrameRect(dc, &focus, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        const COLORREF text = SetTextColor(dc, OleColorToColorRef(caption.foreColor));
        const COLORREF back = SetBkColor(dc, OleColorToColorRef(caption.backColor));
        DrawFocusRect(dc, &focus);
        SetTextColor(dc, text);
        SetBkColor(dc, back);
    }
}

} // namespace plyx
