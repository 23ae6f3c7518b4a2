#include "GlyphStrip.h"

#include "DefaultButtonLook.h"
#include "DibPalettes.h"
#include "GdiScopes.h"

#include <iterator>
#include <vector>

namespace plyx {

namespace {

// The look the ButtonStyle's default gives for the oldest systems.
constexpr BYTE OldWindowLook = 2;

struct StripInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[16];
};

DWORD TableValue(const RGBQUAD& color)
{
    return (static_cast<DWORD>(color.rgbRed) << 16) | (static_cast<DWORD>(color.rgbGreen) << 8) | color.rgbBlue;
}

RGBQUAD TableEntry(COLORREF color)
{
    RGBQUAD entry = {};
    entry.rgbRed = GetRValue(color);
    entry.rgbGreen = GetGValue(color);
    entry.rgbBlue = GetBValue(color);
    return entry;
}

} // namespace

const GlyphKeyColor* GlyphKeyColors(int* count)
{
    static GlyphKeyColor table[] = {
        {0x0000FF00, COLOR_WINDOWFRAME}, {0x00FFFF00, COLOR_WINDOW},     {0x00808080, COLOR_BTNSHADOW},
        {0x000000FF, COLOR_BTNFACE},     {0x00FFFFFF, COLOR_BTNHIGHLIGHT}, {0x00C0C0C0, COLOR_3DLIGHT},
        {0x00000000, COLOR_3DDKSHADOW},
    };
    static const bool decided = [] {
        if (GetDefaultButtonLook() == OldWindowLook) {
            table[5].systemColor = COLOR_BTNSHADOW;
            table[6].systemColor = COLOR_WINDOWFRAME;
        }
        return true;
    }();
    (void)decided;
    *count = static_cast<int>(std::size(table));
    return table;
}

HBITMAP CreateSystemColoredStrip(HDC dc, HBITMAP strip, HPALETTE palette)
{
    BITMAP shape = {};
    if (strip == nullptr || GetObjectA(strip, sizeof shape, &shape) == 0 || shape.bmWidth <= 0 || shape.bmHeight <= 0)
        return nullptr;
    StripInfo info = {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = shape.bmWidth;
    info.header.biHeight = shape.bmHeight;
    info.header.biPlanes = 1;
    info.header.biBitCount = 4;
    info.header.biCompression = BI_RGB;
    std::vector<BYTE> bits(static_cast<size_t>(DibRowStride(shape.bmWidth, 4)) * shape.bmHeight);
    if (GetDIBits(dc, strip, 0, static_cast<UINT>(shape.bmHeight), bits.data(),
                  reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) == 0)
        return nullptr;

    int keyCount = 0;
    const GlyphKeyColor* keys = GlyphKeyColors(&keyCount);
    for (RGBQUAD& entry : info.colors) {
        const DWORD value = TableValue(entry);
        for (int i = 0; i < keyCount; ++i)
            if (keys[i].key == value) {
                entry = TableEntry(GetSysColor(keys[i].systemColor));
                break;
            }
    }

    GdiObject<HBITMAP> colored(CreateCompatibleBitmap(dc, shape.bmWidth, shape.bmHeight));
    MemoryDc canvas(dc);
    if (!colored || !canvas)
        return nullptr;
    SelectedObject selected(canvas.Get(), colored.Get());
    HPALETTE used = palette != nullptr ? palette : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    HPALETTE previous = SelectPalette(canvas.Get(), used, TRUE);
    RealizePalette(canvas.Get());
    const int drawn = StretchDIBits(canvas.Get(), 0, 0, shape.bmWidth, shape.bmHeight, 0, 0, shape.bmWidth,
                                    shape.bmHeight, bits.data(), reinterpret_cast<BITMAPINFO*>(&info),
                                    DIB_RGB_COLORS, SRCCOPY);
    if (previous != nullptr)
        SelectPalette(canvas.Get(), previous, TRUE);
    selected.Restore();
    if (drawn == 0 || drawn == static_cast<int>(GDI_ERROR))
        return nullptr;
    return colored.Detach();
}

} // namespace plyx
