#include "ButtonFace.h"

#include "Bevels.h"
#include "ButtonLayout.h"
#include "ColorScheme.h"
#include "GdiScopes.h"
#include "TextEffects.h"

namespace plyx {

namespace {

constexpr COLORREF LightGrey = RGB(0xC0, 0xC0, 0xC0);

void FrameIn(HDC dc, const RECT& rect, COLORREF color)
{
    GdiObject<HBRUSH> brush(CreateSolidBrush(color));
    if (brush)
        FrameRect(dc, &rect, brush.Get());
}

} // namespace

void DrawButtonCaption(HDC dc, const CaptionDrawing& caption)
{
    RECT clip = caption.area;
    RECT box = caption.textBox;
    if (caption.drawnDown) {
        OffsetRect(&clip, 1, 1);
        OffsetRect(&box, 1, 1);
    }
    SavedDcState saved(dc);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    ColorScheme scheme = ColorScheme::SystemScheme();
    TextEffectRequest request = {};
    request.dc = dc;
    request.text = caption.text;
    request.left = box.left;
    request.top = box.top;
    request.right = box.right;
    request.bottom = box.bottom;
    request.alignment = static_cast<short>(caption.flags);
    request.opaque = 0;
    request.font = caption.font;
    request.backColor = caption.backColor;
    if (!caption.greyed) {
        request.effect = caption.effect;
        request.textColor = OleColorToColorRef(caption.foreColor);
        request.darkColor = scheme.ButtonShadowColor();
        request.lightColor = scheme.ButtonHighlightColor();
        Draw3DText(&request);
        return;
    }
    const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
    if (grey == 0 || grey == LightGrey) {
        // The system's own greyed text, where the grey text colour would not show on the face.
        SelectedObject font(dc, caption.font);
        GrayStringA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(caption.text), 0, box.left, box.top,
                    box.right - box.left, box.bottom - box.top);
        return;
    }
    request.effect = qvInsetLight;
    request.textColor = grey;
    request.darkColor = scheme.ButtonShadowColor();
    request.lightColor = RGB(255, 255, 255);
    Draw3DText(&request);
}

void DrawFocusFrame(HDC dc, const RECT& rect, OLE_COLOR foreColor, OLE_COLOR backColor)
{
    FrameIn(dc, rect, RGB(0, 0, 0));
    const COLORREF oldText = SetTextColor(dc, OleColorToColorRef(foreColor));
    const COLORREF oldBack = SetBkColor(dc, OleColorToColorRef(backColor));
    DrawFocusRect(dc, &rect);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
}

void DrawButtonBorders(HDC dc, RECT rect, const BorderDrawing& border)
{
    ColorScheme scheme = ColorScheme::SystemScheme();
    const BYTE look = border.look;
    if (border.focused || border.isDefault) {
        if (look == LookBeveled)
            DrawOutline(dc, rect.left, rect.top, rect.right, rect.bottom, border.roundedCorners, &scheme);
        else if (look == LookFlat)
            FrameIn(dc, rect, RGB(0, 0, 0));
        if (look == LookBeveled || look == LookFlat)
            InflateRect(&rect, -1, -1);
    }
    if (border.designMode && (look == LookActive || look == LookBorderless))
        DrawFocusFrame(dc, rect, border.foreColor, border.backColor);
    if (look == LookBeveled && border.outline) {
        DrawOutline(dc, rect.left, rect.top, rect.right, rect.bottom, border.roundedCorners && !border.focused,
                    &scheme);
        InflateRect(&rect, -1, -1);
    }
    if (look == LookActive) {
        if (border.highlighted || !border.drawnUp)
            DrawEdge(dc, &rect, border.drawnUp ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
        return;
    }
    if (border.drawnUp) {
        if (look == LookBeveled)
            DrawBevel(dc, rect.left, rect.top, rect.right, rect.bottom, border.bevelWidth, TRUE, &scheme);
        else if (look == LookFlat)
            DrawEdge(dc, &rect, EDGE_RAISED, BF_RECT);
        return;
    }
    if (look == LookBeveled || look == LookBorderless) {
        const int lines = border.bevelWidth <= 2 ? 1 : border.bevelWidth - 1;
        DrawInsetEdge(dc, rect.left, rect.top, rect.right, rect.bottom, lines, &scheme);
    } else if (look == LookFlat) {
        if (border.command)
            FrameIn(dc, rect, GetSysColor(COLOR_BTNSHADOW));
        else
            DrawEdge(dc, &rect, EDGE_SUNKEN, BF_RECT);
    }
}

} // namespace plyx
