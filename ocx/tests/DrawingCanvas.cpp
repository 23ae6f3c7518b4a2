#include "DrawingCanvas.h"

#include <cstdio>
#include <vector>

DrawingCanvas::DrawingCanvas(int width, int height, COLORREF background) : width_(width), height_(height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<DWORD*>(bits);
    if (dc_ != nullptr && bitmap_ != nullptr)
        oldBitmap_ = SelectObject(dc_, bitmap_);
    Fill(background);
}

DrawingCanvas::~DrawingCanvas()
{
    if (oldBitmap_ != nullptr)
        SelectObject(dc_, oldBitmap_);
    if (bitmap_ != nullptr)
        DeleteObject(bitmap_);
    if (dc_ != nullptr)
        DeleteDC(dc_);
}

void DrawingCanvas::Fill(COLORREF color)
{
    if (bits_ == nullptr)
        return;
    GdiFlush();
    const DWORD pixel = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    for (int i = 0; i < width_ * height_; ++i)
        bits_[i] = pixel;
}

COLORREF DrawingCanvas::Pixel(int x, int y) const
{
    if (bits_ == nullptr || x < 0 || y < 0 || x >= width_ || y >= height_)
        return CLR_INVALID;
    GdiFlush();
    const DWORD pixel = bits_[y * width_ + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

int DrawingCanvas::CountPixels(const RECT& area, COLORREF color) const
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (Pixel(x, y) == color)
                ++count;
    return count;
}

namespace {
DWORD Crc32(const unsigned char* data, size_t size, DWORD crc = 0)
{
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void PutBigEndian(std::vector<unsigned char>& out, DWORD value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>(value >> shift));
}

void PutChunk(std::vector<unsigned char>& out, const char* type, const std::vector<unsigned char>& data)
{
    PutBigEndian(out, static_cast<DWORD>(data.size()));
    std::vector<unsigned char> typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    PutBigEndian(out, Crc32(typed.data(), typed.size()));
}
} // namespace

bool DrawingCanvas::SavePng(const std::string& path) const
{
    std::vector<unsigned char> raw;
    for (int y = 0; y < height_; ++y) {
        raw.push_back(0);  // no filter
        for (int x = 0; x < width_; ++x) {
            const COLORREF color = Pixel(x, y);
            raw.push_back(GetRValue(color));
            raw.push_back(GetGValue(color));
            raw.push_back(GetBValue(color));
        }
    }
    // zlib stream of stored blocks.
    std::vector<unsigned char> zlib = {0x78, 0x01};
    DWORD a = 1, b = 0;
    for (unsigned char byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    for (size_t offset = 0; offset < raw.size() || offset == 0; offset += 65535) {
        const size_t length = raw.size() - offset < 65535 ? raw.size() - offset : 65535;
        zlib.push_back(offset + length >= raw.size() ? 1 : 0);
        zlib.push_back(static_cast<unsigned char>(length & 0xFF));
        zlib.push_back(static_cast<unsigned char>(length >> 8));
        zlib.push_back(static_cast<unsigned char>(~length & 0xFF));
        zlib.push_back(static_cast<unsigned char>((~length >> 8) & 0xFF));
        zlib.insert(zlib.end(), raw.begin() + offset, raw.begin() + offset + length);
        if (raw.empty())
            break;
    }
    PutBigEndian(zlib, (b << 16) | a);

    std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<unsigned char> header;
    PutBigEndian(header, static_cast<DWORD>(width_));
    PutBigEndian(header, static_cast<DWORD>(height_));
    header.insert(header.end(), {8, 2, 0, 0, 0});
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", zlib);
    PutChunk(png, "IEND", {});
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && written;
}

DWORD GdiObjectCount()
{
    const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported != 0)
        return reported;
    // Wine keeps GDI handles in one table of 16-bit slots and accepts a handle without its
    // generation word, so every live object answers for its slot number.
    DWORD live = 0;
    for (ULONG_PTR slot = 1; slot <= 0xFFFF; ++slot)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0)
            ++live;
    return live;
}
