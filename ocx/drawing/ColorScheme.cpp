#include "ColorScheme.h"

#include <iterator>

namespace {
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Grey = RGB(128, 128, 128);
constexpr COLORREF LightGrey = RGB(192, 192, 192);

struct StockColor {
    COLORREF color;
    int stockObject;
};
// The colours GDI keeps a stock pen for, and those it keeps a stock brush for.
constexpr StockColor StockPens[] = {{Black, BLACK_PEN}, {White, WHITE_PEN}};
constexpr StockColor StockBrushes[] = {
    {Black, BLACK_BRUSH}, {Grey, DKGRAY_BRUSH}, {LightGrey, LTGRAY_BRUSH}, {White, WHITE_BRUSH}};

template <size_t N>
HGDIOBJ StockObjectFor(const StockColor (&table)[N], COLORREF color)
{
    for (const StockColor& row : table)
        if (row.color == color)
            return GetStockObject(row.stockObject);
    return nullptr;
}
} // namespace

COLORREF OleColorToColorRef(OLE_COLOR color)
{
    if (static_cast<LONG>(color) < 0)
        return GetSysColor(static_cast<int>(color & 0x00FFFFFF));
    return color;
}

ColorScheme::ColorScheme(short mode, COLORREF face, COLORREF shadow, COLORREF highlight,
                         COLORREF frame, BOOL blackShadow, LONG userValue)
    : mode_(mode), userValue_(userValue)
{
    switch (mode) {
    case FixedStandardColors:
        face_ = LightGrey;
        shadow_ = Grey;
        highlight_ = White;
        frame_ = Black;
        break;
    case SystemColors:
        face_ = GetSysColor(COLOR_BTNFACE);
        shadow_ = GetSysColor(COLOR_BTNSHADOW);
        highlight_ = GetSysColor(COLOR_BTNHIGHLIGHT);
        frame_ = GetSysColor(COLOR_WINDOWFRAME);
        break;
    default:
        face_ = face;
        shadow_ = shadow;
        highlight_ = highlight;
        frame_ = frame;
        break;
    }
    if (mode == FixedStandardColors) {
        lightText_ = White;
        darkText_ = blackShadow ? Black : Grey;
    } else {
        lightText_ = highlight_;
        darkText_ = shadow_;
    }
}

ColorScheme ColorScheme::SystemScheme()
{
    return ColorScheme(SystemColors, LightGrey, Grey, White, Black, FALSE, 0);
}

HPEN ColorScheme::PenFor(COLORREF color, GdiObject<HPEN>& cache)
{
    if (HGDIOBJ stock = StockObjectFor(StockPens, color))
        return static_cast<HPEN>(stock);
    if (!cache)
        cache.Reset(CreatePen(PS_SOLID, 1, color));
    return cache.Get();
}

HBRUSH ColorScheme::BrushFor(COLORREF color, GdiObject<HBRUSH>& cache)
{
    if (HGDIOBJ stock = StockObjectFor(StockBrushes, color))
        return static_cast<HBRUSH>(stock);
    if (!cache)
        cache.Reset(CreateSolidBrush(color));
    return cache.Get();
}
