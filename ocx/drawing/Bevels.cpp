#include "Bevels.h"

#include "ColorScheme.h"
#include "GdiScopes.h"

namespace {
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);

// The rings themselves, in two pens that the caller owns.
void DrawRings(HDC dc, int left, int top, int right, int bottom, int width, BOOL raised,
               HPEN darkPen, HPEN lightPen)
{
    const int lastX = right - 1;
    const int lastY = bottom - 1;
    SelectedObject pen(dc, raised ? lightPen : darkPen);
    for (int i = 0; i < width; ++i) {
        MoveToEx(dc, left + i, lastY - i, nullptr);
        LineTo(dc, left + i, top + i);
        LineTo(dc, lastX - i, top + i);
    }
    SelectObject(dc, raised ? darkPen : lightPen);
    for (int i = 0; i < width; ++i) {
        MoveToEx(dc, left + i, lastY - i, nullptr);
        LineTo(dc, lastX - i, lastY - i);
        LineTo(dc, lastX - i, top + i - 1);
    }
}

void FillPixelRect(HDC dc, int left, int top, int right, int bottom, HBRUSH brush)
{
    const RECT rect = {left, top, right, bottom};
    FillRect(dc, &rect, brush);
}

// A scheme of the caller's, or the system colours for the length of one call.
class SchemeOrSystem {
public:
    explicit SchemeOrSystem(ColorScheme* given)
    {
        if (given != nullptr)
            scheme_ = given;
        else
            scheme_ = new ColorScheme(ColorScheme::SystemScheme());
        owned_ = given == nullptr;
    }
    ~SchemeOrSystem()
    {
        if (owned_)
            delete scheme_;
    }
    SchemeOrSystem(const SchemeOrSystem&) = delete;
    SchemeOrSystem& operator=(const SchemeOrSystem&) = delete;
    ColorScheme* operator->() const { return scheme_; }

private:
    ColorScheme* scheme_;
    bool owned_;
};
} // namespace

void DrawBevelLines(HDC dc, int left, int top, int right, int bottom, int width, BOOL raised,
                    COLORREF darkColor, COLORREF lightColor)
{
    GdiObject<HPEN> madeDark;
    GdiObject<HPEN> madeLight;
    HPEN darkPen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    HPEN lightPen = static_cast<HPEN>(GetStockObject(WHITE_PEN));
    if (darkColor != Black) {
        madeDark.Reset(CreatePen(PS_SOLID, 1, darkColor));
        darkPen = madeDark.Get();
    }
    if (lightColor != White) {
        madeLight.Reset(CreatePen(PS_SOLID, 1, lightColor));
        lightPen = madeLight.Get();
    }
    if (darkPen == nullptr || lightPen == nullptr)
        return;
    DrawRings(dc, left, top, right, bottom, width, raised, darkPen, lightPen);
}

void DrawBevelLinesOle(HDC dc, int left, int top, int right, int bottom, int width, BOOL raised,
                       OLE_COLOR darkColor, OLE_COLOR lightColor)
{
    GdiObject<HPEN> darkPen(CreatePen(PS_SOLID, 1, OleColorToColorRef(darkColor)));
    GdiObject<HPEN> lightPen(CreatePen(PS_SOLID, 1, OleColorToColorRef(lightColor)));
    if (!darkPen || !lightPen)
        return;
    DrawRings(dc, left, top, right, bottom, width, raised, darkPen.Get(), lightPen.Get());
}

void DrawBevel(HDC dc, int left, int top, int right, int bottom, int width, BOOL raised,
               ColorScheme* scheme)
{
    if (width < 1 || scheme == nullptr)
        return;
    const COLORREF highlight = scheme->ButtonHighlightColor();
    const COLORREF shadow = scheme->ButtonShadowColor();
    if (GetNearestColor(dc, highlight) == highlight && GetNearestColor(dc, shadow) == shadow) {
        DrawBevelLinesOle(dc, left, top, right, bottom, width, raised, shadow, highlight);
        return;
    }
    // Palette devices: brushes dither or match where a pen of an unavailable colour would not.
    HBRUSH upper = raised ? scheme->HighlightBrush() : scheme->ShadowBrush();
    HBRUSH lower = raised ? scheme->ShadowBrush() : scheme->HighlightBrush();
    if (upper == nullptr || lower == nullptr)
        return;
    for (int i = 0; i < width; ++i) {
        FillPixelRect(dc, left + i, top, left + i + 1, bottom - i - 1, upper);
        FillPixelRect(dc, left + i, top + i, right - i - 1, top + i + 1, upper);
    }
    for (int i = 0; i < width; ++i) {
        FillPixelRect(dc, right - i - 1, top + i, right - i, bottom, lower);
        FillPixelRect(dc, left + i, bottom - i - 1, right, bottom - i, lower);
    }
}

void DrawInsetEdge(HDC dc, int left, int top, int right, int bottom, int width, ColorScheme* scheme)
{
    SchemeOrSystem colors(scheme);
    HPEN shadowPen = colors->ShadowPen();
    if (shadowPen == nullptr)
        return;
    SelectedObject pen(dc, shadowPen);
    for (int i = 0; i < width; ++i) {
        MoveToEx(dc, left + i, bottom - 1, nullptr);
        LineTo(dc, left + i, top + i);
        LineTo(dc, right, top + i);
    }
}

void DrawOutline(HDC dc, int left, int top, int right, int bottom, BOOL rounded, ColorScheme* scheme)
{
    SchemeOrSystem colors(scheme);
    HPEN framePen = colors->FramePen();
    if (framePen == nullptr)
        return;
    const int lastX = right - 1;
    const int lastY = bottom - 1;
    {
        SelectedObject pen(dc, framePen);
        MoveToEx(dc, left, top, nullptr);
        LineTo(dc, left, lastY);
        LineTo(dc, lastX, lastY);
        LineTo(dc, lastX, top);
        LineTo(dc, left, top);
    }
    if (rounded) {
        const COLORREF face = colors->ButtonFaceColor();
        SetPixel(dc, left, top, face);
        SetPixel(dc, left, lastY, face);
        SetPixel(dc, lastX, lastY, face);
        SetPixel(dc, lastX, top, face);
    }
}

void DrawItemFrame(HDC dc, HWND dialog, int itemId, int outerWidth, int gap, int innerWidth,
                   BOOL outerRaised, BOOL innerRaised, COLORREF darkColor, COLORREF lightColor)
{
    HWND item = GetDlgItem(dialog, itemId);
    if (item == nullptr)
        return;
    RECT rect;
    if (!GetWindowRect(item, &rect))
        return;
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&rect), 2);
    InflateRect(&rect, outerWidth + gap + innerWidth, outerWidth + gap + innerWidth);
    if (outerWidth > 0) {
        DrawBevelLines(dc, rect.left, rect.top, rect.right, rect.bottom, outerWidth, outerRaised,
                       darkColor, lightColor);
        InflateRect(&rect, -outerWidth, -outerWidth);
    }
    InflateRect(&rect, -gap, -gap);
    if (innerWidth > 0)
        DrawBevelLines(dc, rect.left, rect.top, rect.right, rect.bottom, innerWidth, innerRaised,
                       darkColor, lightColor);
}
