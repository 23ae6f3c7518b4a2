#include "DibPalette.h"

#include "Module.h"

namespace {

// The 16 standard colours, as 0x00BBGGRR.
constexpr COLORREF StandardColours[16] = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

bool IsStandardColour(COLORREF colour)
{
    for (COLORREF standard : StandardColours) {
        if (standard == colour)
            return true;
    }
    return false;
}

COLORREF EntryColour(const PALETTEENTRY& entry)
{
    return RGB(entry.peRed, entry.peGreen, entry.peBlue);
}

bool Holds(const PALETTEENTRY* entries, UINT count, COLORREF colour)
{
    for (UINT i = 0; i < count; ++i) {
        if (EntryColour(entries[i]) == colour)
            return true;
    }
    return false;
}

HPALETTE CreatePaletteOf(const PALETTEENTRY* entries, UINT count)
{
    const SIZE_T size = sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * count;
    auto* logical = static_cast<LOGPALETTE*>(Module::Allocate(size));
    if (logical == nullptr)
        return nullptr;
    logical->palVersion = 0x300;
    logical->palNumEntries = static_cast<WORD>(count);
    for (UINT i = 0; i < count; ++i)
        logical->palPalEntry[i] = entries[i];
    HPALETTE palette = CreatePalette(logical);
    Module::Free(logical);
    return palette;
}

} // namespace

const ScreenFacts& Screen()
{
    static const ScreenFacts facts = [] {
        ScreenFacts read{1, 0, 24};
        HDC screen = GetDC(nullptr);
        if (screen != nullptr) {
            read.planes = GetDeviceCaps(screen, PLANES);
            read.bitsPerPixel = GetDeviceCaps(screen, BITSPIXEL);
            read.paletteSize = (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) ? GetDeviceCaps(screen, SIZEPALETTE) : 0;
            ReleaseDC(nullptr, screen);
        }
        return read;
    }();
    return facts;
}

UINT DibPaletteEntries(const RGBQUAD* table, UINT count, UINT room, PALETTEENTRY* entries)
{
    UINT used = 0;
    bool allStandard = true;
    for (UINT i = 0; i < count && used < room; ++i) {
        const COLORREF colour = RGB(table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue);
        const bool standard = IsStandardColour(colour);
        allStandard = allStandard && standard;
        if (standard && Holds(entries, used, colour))
            continue;
        entries[used++] = PALETTEENTRY{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    }
    if (count <= 16 && allStandard)
        return 0;
    for (COLORREF standard : StandardColours) {
        if (used >= room)
            break;
        if (!Holds(entries, used, standard))
            entries[used++] = PALETTEENTRY{GetRValue(standard), GetGValue(standard), GetBValue(standard), 0};
    }
    return used;
}

UINT DibColourCount(const BITMAPINFOHEADER& header, UINT* entrySize)
{
    auto byBitCount = [](WORD bits) -> UINT { return bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0; };
    if (header.biSize == sizeof(BITMAPCOREHEADER)) {
        *entrySize = sizeof(RGBTRIPLE);
        return byBitCount(reinterpret_cast<const BITMAPCOREHEADER&>(header).bcBitCount);
    }
    *entrySize = sizeof(RGBQUAD);
    return header.biClrUsed != 0 ? header.biClrUsed : byBitCount(header.biBitCount);
}

UINT DibColourTable(const BITMAPINFO* info, SIZE_T size, RGBQUAD* table)
{
    const BITMAPINFOHEADER& header = info->bmiHeader;
    UINT entrySize = 0;
    UINT count = DibColourCount(header, &entrySize);
    // A table longer than a palette can be, or longer than the DIB, is not read.
    if (count > 256 || SIZE_T(header.biSize) + SIZE_T(count) * entrySize > size)
        return 0;
    if (entrySize == sizeof(RGBTRIPLE)) {
        const auto* core = reinterpret_cast<const BITMAPCOREINFO*>(info);
        for (UINT i = 0; i < count; ++i)
            table[i] = RGBQUAD{core->bmciColors[i].rgbtBlue, core->bmciColors[i].rgbtGreen, core->bmciColors[i].rgbtRed, 0};
        return count;
    }
    const auto* colours = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(info) + header.biSize);
    for (UINT i = 0; i < count; ++i)
        table[i] = colours[i];
    return count;
}

HPALETTE PaletteFromDib(const BITMAPINFO* info, SIZE_T size)
{
    RGBQUAD table[256];
    const UINT count = DibColourTable(info, size, table);
    if (count == 0)
        return CreatePaletteOf(HalftoneEntries(), 256);
    const UINT room = Screen().paletteSize > 0 ? static_cast<UINT>(Screen().paletteSize) : 256;
    PALETTEENTRY* entries = static_cast<PALETTEENTRY*>(Module::Allocate(sizeof(PALETTEENTRY) * room));
    if (entries == nullptr)
        return nullptr;
    const UINT used = DibPaletteEntries(table, count, room, entries);
    HPALETTE palette = used > 0 ? CreatePaletteOf(entries, used) : nullptr;
    Module::Free(entries);
    return palette;
}

const PALETTEENTRY* HalftoneEntries()
{
    static const struct Entries {
        PALETTEENTRY entries[256];
    } halftone = [] {
        Entries made{};
        UINT next = 0;
        HDC screen = GetDC(nullptr);
        for (int index = 0; index < 20; ++index) {
            const COLORREF colour = GetSysColor(index);
            const COLORREF nearest = screen != nullptr ? GetNearestColor(screen, colour) : colour;
            made.entries[next++] = PALETTEENTRY{GetRValue(colour), GetGValue(colour), GetBValue(colour), 0};
            made.entries[next++] = PALETTEENTRY{GetRValue(nearest), GetGValue(nearest), GetBValue(nearest), 0};
        }
        if (screen != nullptr)
            ReleaseDC(nullptr, screen);
        for (int red = 0; red < 6; ++red)
            for (int green = 0; green < 6; ++green)
                for (int blue = 0; blue < 6; ++blue)
                    made.entries[next++] = PALETTEENTRY{BYTE(red * 51), BYTE(green * 51), BYTE(blue * 51), 0};
        return made;
    }();
    return halftone.entries;
}
