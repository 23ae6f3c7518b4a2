#include "DibPalette.h"

#include "Module.h"

#include <cstring>

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

SIZE_T PackedDibBitsOffset(const void* block, SIZE_T size)
{
    // All sizes are worked in 64 bits so that no product of a foreign header's fields can wrap.
    const ULONGLONG room = size;
    DWORD headerSize = 0;
    if (room < sizeof headerSize)
        return 0;
    std::memcpy(&headerSize, block, sizeof headerSize);
    ULONGLONG width = 0, height = 0, colours = 0, entrySize = sizeof(RGBQUAD), masks = 0, stated = 0;
    WORD bitCount = 0;
    DWORD compression = BI_RGB;
    if (headerSize == sizeof(BITMAPCOREHEADER)) {
        if (room < headerSize)
            return 0;
        BITMAPCOREHEADER core;
        std::memcpy(&core, block, sizeof core);
        width = core.bcWidth;
        height = core.bcHeight;
        bitCount = core.bcBitCount;
        entrySize = sizeof(RGBTRIPLE);
    } else if (headerSize >= sizeof(BITMAPINFOHEADER) && headerSize <= room) {
        BITMAPINFOHEADER header;
        std::memcpy(&header, block, sizeof header);
        if (header.biWidth <= 0 || header.biHeight == 0)
            return 0;
        width = ULONGLONG(header.biWidth);
        height = header.biHeight < 0 ? ULONGLONG(-LONGLONG(header.biHeight)) : ULONGLONG(header.biHeight);
        bitCount = header.biBitCount;
        compression = header.biCompression;
        colours = header.biClrUsed;
        stated = header.biSizeImage;
        // The three colour masks follow a plain 40-byte header; the later headers hold them.
        if (compression == BI_BITFIELDS && headerSize == sizeof(BITMAPINFOHEADER))
            masks = 3 * sizeof(DWORD);
    } else {
        return 0;
    }
    if (colours == 0)
        colours = bitCount == 1 ? 2 : bitCount == 4 ? 16 : bitCount == 8 ? 256 : 0;
    ULONGLONG rows = 0;
    switch (compression) {
    case BI_RGB:
        if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
            return 0;
        break;
    case BI_BITFIELDS:
        if (bitCount != 16 && bitCount != 32)
            return 0;
        break;
    case BI_RLE8:
    case BI_RLE4:
        if (bitCount != (compression == BI_RLE8 ? 8 : 4) || stated == 0)
            return 0;
        rows = stated;
        break;
    default:
        return 0;
    }
    if (width == 0 || height == 0)
        return 0;
    if (rows == 0) {
        const ULONGLONG stride = (width * bitCount + 31) / 32 * 4;
        if (stride > room || height > room / stride)
            return 0;
        rows = stride * height;
    }
    const ULONGLONG offset = headerSize + masks + colours * entrySize;
    if (offset > room || rows > room - offset)
        return 0;
    return static_cast<SIZE_T>(offset);
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
