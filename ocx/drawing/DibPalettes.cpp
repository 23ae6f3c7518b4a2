#include "DibPalettes.h"

#include "GdiScopes.h"
#include "PictureHolder.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {
constexpr DWORD InfoHeaderSize = sizeof(BITMAPINFOHEADER);
constexpr DWORD CoreHeaderSize = sizeof(BITMAPCOREHEADER);
constexpr WORD LogicalPaletteVersion = 0x300;

UINT ColorsForBitCount(WORD bitCount)
{
    switch (bitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

WORD BitsForDepth(const BITMAP& bitmap)
{
    const int depth = bitmap.bmPlanes * bitmap.bmBitsPixel;
    if (depth <= 1)
        return 1;
    if (depth <= 4)
        return 4;
    if (depth <= 8)
        return 8;
    return 24;
}

// A locked global block, unlocked at the end.
class LockedGlobal {
public:
    explicit LockedGlobal(HGLOBAL block) : block_(block), data_(block ? GlobalLock(block) : nullptr) {}
    ~LockedGlobal()
    {
        if (data_ != nullptr)
            GlobalUnlock(block_);
    }
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;
    BYTE* Data() const { return static_cast<BYTE*>(data_); }
    SIZE_T Size() const { return block_ ? GlobalSize(block_) : 0; }

private:
    HGLOBAL block_;
    void* data_;
};

// A screen context for reading pixels, released at the end.
class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc()
    {
        if (dc_ != nullptr)
            ReleaseDC(nullptr, dc_);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

UINT PaletteEntryCount(HPALETTE palette)
{
    WORD count = 0;
    if (palette == nullptr || GetObjectA(palette, sizeof(count), &count) == 0)
        return 0;
    return count;
}

HPALETTE CreatePaletteOf(const std::vector<PALETTEENTRY>& entries)
{
    if (entries.empty())
        return nullptr;
    std::vector<BYTE> block(sizeof(LOGPALETTE) + entries.size() * sizeof(PALETTEENTRY));
    LOGPALETTE* logical = reinterpret_cast<LOGPALETTE*>(block.data());
    logical->palVersion = LogicalPaletteVersion;
    logical->palNumEntries = static_cast<WORD>(entries.size());
    std::memcpy(logical->palPalEntry, entries.data(), entries.size() * sizeof(PALETTEENTRY));
    return CreatePalette(logical);
}

// A packed DIB block of the header, a colour table of `colors` entries and the pixel rows.
HGLOBAL AllocatePackedDib(const BITMAPINFOHEADER& header, UINT colors)
{
    const SIZE_T size = InfoHeaderSize + colors * sizeof(RGBQUAD) +
                        SIZE_T(DibRowStride(header.biWidth, header.biBitCount)) * header.biHeight;
    return GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
}

BITMAPINFOHEADER InfoHeaderFor(LONG width, LONG height, WORD bits)
{
    BITMAPINFOHEADER header = {};
    header.biSize = InfoHeaderSize;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = bits;
    header.biCompression = BI_RGB;
    header.biSizeImage = DibRowStride(width, bits) * DWORD(height);
    return header;
}

// Rewrites palette-index pixels of 1, 4 or 8 bits through `map`.
void RemapIndices(BYTE* pixels, const BITMAPINFOHEADER& header, const BYTE (&map)[256])
{
    const WORD bits = header.biBitCount;
    const DWORD stride = DibRowStride(header.biWidth, bits);
    const LONG rows = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    const int perByte = 8 / bits;
    const BYTE mask = static_cast<BYTE>((1 << bits) - 1);
    for (LONG y = 0; y < rows; ++y) {
        BYTE* row = pixels + SIZE_T(stride) * y;
        for (LONG x = 0; x < header.biWidth; ++x) {
            BYTE& byte = row[x / perByte];
            const int shift = 8 - bits * (x % perByte + 1);
            const BYTE index = static_cast<BYTE>((byte >> shift) & mask);
            const BYTE mapped = static_cast<BYTE>(map[index] & mask);
            byte = static_cast<BYTE>((byte & ~(mask << shift)) | (mapped << shift));
        }
    }
}
} // namespace

DWORD DibRowStride(LONG width, WORD bitsPerPixel)
{
    return ((DWORD(width) * bitsPerPixel + 31) / 32) * 4;
}

UINT DibColorCount(const void* header)
{
    const DWORD size = *static_cast<const DWORD*>(header);
    if (size == CoreHeaderSize)
        return ColorsForBitCount(static_cast<const BITMAPCOREHEADER*>(header)->bcBitCount);
    const BITMAPINFOHEADER* info = static_cast<const BITMAPINFOHEADER*>(header);
    if (info->biClrUsed != 0)
        return info->biClrUsed;
    return ColorsForBitCount(info->biBitCount);
}

UINT DibColorTableSize(const void* header)
{
    const DWORD size = *static_cast<const DWORD*>(header);
    return DibColorCount(header) * (size == CoreHeaderSize ? sizeof(RGBTRIPLE) : sizeof(RGBQUAD));
}

HGLOBAL BitmapToPackedDib(HBITMAP bitmap, HPALETTE palette, WORD bitsPerPixel)
{
    BITMAP description;
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof(description), &description) == 0)
        return nullptr;
    const WORD bits = bitsPerPixel != 0 ? bitsPerPixel : BitsForDepth(description);
    const BITMAPINFOHEADER header = InfoHeaderFor(description.bmWidth, description.bmHeight, bits);
    const UINT colors = ColorsForBitCount(bits);
    HGLOBAL block = AllocatePackedDib(header, colors);
    if (block == nullptr)
        return nullptr;
    bool read = false;
    {
        LockedGlobal locked(block);
        ScreenDc screen;
        if (locked.Data() != nullptr && screen.Get() != nullptr) {
            std::memcpy(locked.Data(), &header, sizeof(header));
            SelectedPalette selected(
                screen.Get(), palette != nullptr ? palette : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)));
            read = GetDIBits(screen.Get(), bitmap, 0, description.bmHeight,
                             locked.Data() + InfoHeaderSize + colors * sizeof(RGBQUAD),
                             reinterpret_cast<BITMAPINFO*>(locked.Data()), DIB_RGB_COLORS) != 0;
        }
    }
    if (!read) {
        GlobalFree(block);
        return nullptr;
    }
    return block;
}

HGLOBAL BitmapToPaletteDib(HBITMAP bitmap, HPALETTE palette)
{
    if (palette == nullptr)
        palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    const UINT entries = std::min(PaletteEntryCount(palette), 256u);
    BITMAP description;
    if (bitmap == nullptr || entries == 0 || GetObjectA(bitmap, sizeof(description), &description) == 0)
        return nullptr;

    // The pixels as colours first; each colour is then looked up in the palette.
    HGLOBAL colorDib = BitmapToPackedDib(bitmap, palette, 32);
    if (colorDib == nullptr)
        return nullptr;
    const WORD bits = entries <= 16 ? 4 : 8;
    BITMAPINFOHEADER header = InfoHeaderFor(description.bmWidth, description.bmHeight, bits);
    header.biClrUsed = entries;
    HGLOBAL block = AllocatePackedDib(header, entries);
    bool made = false;
    if (block != nullptr) {
        LockedGlobal source(colorDib);
        LockedGlobal target(block);
        PALETTEENTRY paletteEntries[256];
        if (source.Data() != nullptr && target.Data() != nullptr &&
            GetPaletteEntries(palette, 0, entries, paletteEntries) == entries) {
            std::memcpy(target.Data(), &header, sizeof(header));
            RGBQUAD* table = reinterpret_cast<RGBQUAD*>(target.Data() + InfoHeaderSize);
            for (UINT i = 0; i < entries; ++i)
                table[i] = {paletteEntries[i].peBlue, paletteEntries[i].peGreen, paletteEntries[i].peRed, 0};
            const BYTE* colorRows = source.Data() + InfoHeaderSize;
            BYTE* indexRows = target.Data() + InfoHeaderSize + entries * sizeof(RGBQUAD);
            const DWORD colorStride = DibRowStride(header.biWidth, 32);
            const DWORD indexStride = DibRowStride(header.biWidth, bits);
            COLORREF lastColor = CLR_INVALID;
            UINT lastIndex = 0;
            for (LONG y = 0; y < header.biHeight; ++y) {
                const RGBQUAD* colors = reinterpret_cast<const RGBQUAD*>(colorRows + SIZE_T(colorStride) * y);
                BYTE* row = indexRows + SIZE_T(indexStride) * y;
                for (LONG x = 0; x < header.biWidth; ++x) {
                    const COLORREF color = RGB(colors[x].rgbRed, colors[x].rgbGreen, colors[x].rgbBlue);
                    if (color != lastColor) {
                        lastIndex = GetNearestPaletteIndex(palette, color);
                        if (lastIndex >= entries)
                            lastIndex = 0;
                        lastColor = color;
                    }
                    if (bits == 8)
                        row[x] = static_cast<BYTE>(lastIndex);
                    else if (x % 2 == 0)
                        row[x / 2] = static_cast<BYTE>(lastIndex << 4);
                    else
                        row[x / 2] |= static_cast<BYTE>(lastIndex);
                }
            }
            made = true;
        }
    }
    GlobalFree(colorDib);
    if (!made && block != nullptr) {
        GlobalFree(block);
        return nullptr;
    }
    return block;
}

bool ReadDibHeader(HGLOBAL packedDib, BITMAPINFOHEADER* header)
{
    LockedGlobal locked(packedDib);
    if (locked.Data() == nullptr || locked.Size() < sizeof(DWORD))
        return false;
    const DWORD size = *reinterpret_cast<const DWORD*>(locked.Data());
    // A core header is shorter than an info header: only its own 12 bytes are read.
    if (size == CoreHeaderSize && locked.Size() >= CoreHeaderSize) {
        const BITMAPCOREHEADER* core = reinterpret_cast<const BITMAPCOREHEADER*>(locked.Data());
        *header = {};
        header->biSize = CoreHeaderSize;
        header->biWidth = core->bcWidth;
        header->biHeight = core->bcHeight;
        header->biPlanes = core->bcPlanes;
        header->biBitCount = core->bcBitCount;
        header->biCompression = BI_RGB;
        header->biSizeImage = DibRowStride(header->biWidth, header->biBitCount) * DWORD(header->biHeight);
        header->biClrUsed = ColorsForBitCount(core->bcBitCount);
        return true;
    }
    if (size < InfoHeaderSize || locked.Size() < InfoHeaderSize)
        return false;
    std::memcpy(header, locked.Data(), InfoHeaderSize);
    if (header->biSizeImage == 0) {
        const LONG rows = header->biHeight < 0 ? -header->biHeight : header->biHeight;
        header->biSizeImage = DibRowStride(header->biWidth, header->biBitCount) * DWORD(rows);
    }
    if (header->biClrUsed == 0)
        header->biClrUsed = DibColorCount(header);
    return true;
}

HPALETTE CreateDibPalette(const BITMAPINFOHEADER* header)
{
    if (header == nullptr || header->biSize != InfoHeaderSize)
        return nullptr;
    const UINT colors = std::min(DibColorCount(header), 256u);
    std::vector<PALETTEENTRY> entries;
    if (colors != 0) {
        const RGBQUAD* table = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(header) + header->biSize);
        for (UINT i = 0; i < colors; ++i)
            entries.push_back({table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0});
    } else if (header->biBitCount == 24) {
        for (UINT i = 0; i < 256; ++i)
            entries.push_back({static_cast<BYTE>(32 * (i % 8)), static_cast<BYTE>(32 * ((i / 8) % 8)),
                               static_cast<BYTE>(64 * (i / 64)), 0});
    }
    return CreatePaletteOf(entries);
}

HBITMAP BitmapToDibSection(HBITMAP bitmap, HDC dc, DibInfo* info, HPALETTE* palette)
{
    if (info == nullptr)
        return nullptr;
    HGLOBAL packed = BitmapToPackedDib(bitmap, palette != nullptr ? *palette : nullptr, 0);
    if (packed == nullptr)
        return nullptr;
    HBITMAP section = nullptr;
    {
        LockedGlobal locked(packed);
        if (locked.Data() != nullptr) {
            const BITMAPINFOHEADER* header = reinterpret_cast<const BITMAPINFOHEADER*>(locked.Data());
            const UINT tableSize = DibColorTableSize(header);
            std::memset(info, 0, sizeof(*info));
            std::memcpy(info, locked.Data(), InfoHeaderSize + tableSize);
            void* bits = nullptr;
            section = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(info), DIB_RGB_COLORS, &bits, nullptr, 0);
            if (section != nullptr && bits != nullptr) {
                GdiFlush();
                std::memcpy(bits, locked.Data() + InfoHeaderSize + tableSize, header->biSizeImage);
                if (palette != nullptr && *palette == nullptr)
                    *palette = CreateDibPalette(header);
            }
        }
    }
    GlobalFree(packed);
    return section;
}

bool CopyDcBitmap(HDC target, HDC source, const RECT* rect, BOOL stretch)
{
    if (target == nullptr || source == nullptr || rect == nullptr)
        return false;
    // The bitmap must not be selected while its bits are read: a 1 x 1 stand-in takes its place.
    GdiObject<HBITMAP> standIn(CreateCompatibleBitmap(source, 1, 1));
    if (!standIn)
        return false;
    HBITMAP bitmap = static_cast<HBITMAP>(SelectObject(source, standIn.Get()));
    if (bitmap == nullptr || bitmap == HGDI_ERROR)
        return false;
    BITMAP description;
    bool copied = false;
    if (GetObjectA(bitmap, sizeof(description), &description) != 0) {
        DibInfo info = {};
        info.header = InfoHeaderFor(description.bmWidth, description.bmHeight,
                                    static_cast<WORD>(description.bmPlanes * description.bmBitsPixel));
        // Room for a full colour table at every depth; at 8 bits it starts as the system palette.
        if (info.header.biBitCount == 8) {
            PALETTEENTRY system[256];
            const UINT got = GetSystemPaletteEntries(source, 0, 256, system);
            for (UINT i = 0; i < got && i < 256; ++i)
                info.colors[i] = {system[i].peBlue, system[i].peGreen, system[i].peRed, 0};
        }
        std::vector<BYTE> pixels(info.header.biSizeImage);
        if (!pixels.empty() &&
            GetDIBits(source, bitmap, 0, description.bmHeight, pixels.data(),
                      reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) != 0) {
            SelectObject(source, bitmap);
            const int width = stretch ? rect->right - rect->left : description.bmWidth;
            const int height = stretch ? rect->bottom - rect->top : description.bmHeight;
            copied = StretchDIBits(target, rect->left, rect->top, width, height, 0, 0, description.bmWidth,
                                   description.bmHeight, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
                                   DIB_RGB_COLORS, SRCCOPY) != 0;
        }
    }
    SelectObject(source, bitmap);
    return copied;
}

int MatchPictureToSystemPalette(HDC dc, PictureHolder* holder)
{
    if (dc == nullptr || holder == nullptr || holder->GetType() != BitmapPicture)
        return 0;
    IPicture* picture = holder->Picture();
    OLE_HANDLE bitmapHandle = 0;
    OLE_HANDLE paletteHandle = 0;
    if (FAILED(picture->get_Handle(&bitmapHandle)) || FAILED(picture->get_hPal(&paletteHandle)) ||
        bitmapHandle == 0 || paletteHandle == 0)
        return 0;
    HBITMAP bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(bitmapHandle));
    HPALETTE pictures = reinterpret_cast<HPALETTE>(static_cast<UINT_PTR>(paletteHandle));

    DibInfo info;
    HPALETTE given = pictures;
    GdiObject<HBITMAP> section(BitmapToDibSection(bitmap, dc, &info, &given));
    if (!section)
        return 0;

    const int systemSize = GetDeviceCaps(dc, SIZEPALETTE);
    std::vector<PALETTEENTRY> systemEntries(systemSize > 0 ? std::min(systemSize, 256) : 0);
    if (systemEntries.empty() ||
        GetSystemPaletteEntries(dc, 0, static_cast<UINT>(systemEntries.size()), systemEntries.data()) == 0)
        return 0;
    GdiObject<HPALETTE> systemPalette(CreatePaletteOf(systemEntries));
    if (!systemPalette)
        return 0;

    // Each entry of the section's colour table is matched in the picture's palette, the pixels are
    // renumbered to match and the table becomes the palette's entries.
    int remapped = 0;
    const UINT tableColors = std::min(DibColorCount(&info.header), 256u);
    if (tableColors != 0 && info.header.biBitCount <= 8) {
        const UINT paletteColors = std::min(PaletteEntryCount(pictures), 1u << info.header.biBitCount);
        PALETTEENTRY entries[256];
        if (paletteColors == 0 || GetPaletteEntries(pictures, 0, paletteColors, entries) != paletteColors)
            return 0;
        BYTE map[256] = {};
        for (UINT i = 0; i < tableColors; ++i) {
            const UINT nearest = GetNearestPaletteIndex(
                pictures, RGB(info.colors[i].rgbRed, info.colors[i].rgbGreen, info.colors[i].rgbBlue));
            map[i] = static_cast<BYTE>(nearest < paletteColors ? nearest : 0);
        }
        DIBSECTION sectionInfo;
        if (GetObjectA(section.Get(), sizeof(sectionInfo), &sectionInfo) == 0 || sectionInfo.dsBm.bmBits == nullptr)
            return 0;
        GdiFlush();
        RemapIndices(static_cast<BYTE*>(sectionInfo.dsBm.bmBits), info.header, map);
        RGBQUAD table[256];
        for (UINT i = 0; i < paletteColors; ++i)
            table[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
        MemoryDc sectionDc(dc);
        SelectedObject selected(sectionDc.Get(), section.Get());
        remapped = static_cast<int>(SetDIBColorTable(sectionDc.Get(), 0, paletteColors, table));
    }

    // The picture's bitmap drawn again through the system palette on a display-compatible bitmap.
    BITMAP description;
    GetObjectA(section.Get(), sizeof(description), &description);
    GdiObject<HBITMAP> matched(CreateCompatibleBitmap(dc, description.bmWidth, description.bmHeight));
    if (!matched)
        return 0;
    {
        MemoryDc sourceDc(dc);
        MemoryDc targetDc(dc);
        if (!sourceDc || !targetDc)
            return 0;
        SelectedObject sourceBitmap(sourceDc.Get(), section.Get());
        SelectedObject targetBitmap(targetDc.Get(), matched.Get());
        SelectedPalette palette(targetDc.Get(), systemPalette.Get());
        if (!BitBlt(targetDc.Get(), 0, 0, description.bmWidth, description.bmHeight, sourceDc.Get(), 0, 0, SRCCOPY))
            return 0;
    }
    if (given != pictures)
        DeleteObject(given);
    if (!holder->SetBitmap(matched.Get(), systemPalette.Get(), TRUE))
        return 0;
    matched.Detach();
    systemPalette.Detach();
    return remapped;
}
