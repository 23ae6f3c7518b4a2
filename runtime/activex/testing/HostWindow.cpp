#include "HostWindow.h"

#include <algorithm>
#include <fstream>

namespace korvane::activex::testing {

namespace {

const char kHostClass[] = "KorvaneControlHostWindow";

bool RegisterHostClass()
{
    WNDCLASSA existing;
    if (GetClassInfoA(GetModuleHandleA(nullptr), kHostClass, &existing))
        return true;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kHostClass;
    return RegisterClassA(&windowClass) != 0;
}

} // namespace

HostWindow::HostWindow(int width, int height, const char* title)
{
    RegisterHostClass();
    RECT frame = {0, 0, width, height};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
    AdjustWindowRect(&frame, style, FALSE);
    window_ = CreateWindowExA(0, kHostClass, title, style, 40, 40, frame.right - frame.left, frame.bottom - frame.top,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window_) {
        ShowWindow(window_, SW_SHOW);
        UpdateWindow(window_);
    }
}

HostWindow::~HostWindow()
{
    if (window_)
        DestroyWindow(window_);
}

void PumpMessages(std::chrono::milliseconds duration)
{
    PumpUntil([] { return false; }, duration);
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (done() || std::chrono::steady_clock::now() >= end)
            break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return done();
}

COLORREF Picture::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return CLR_INVALID;
    const size_t at = (static_cast<size_t>(y) * width + x) * 3;
    return RGB(rgb[at], rgb[at + 1], rgb[at + 2]);
}

Picture CaptureClientArea(HWND window)
{
    Picture picture;
    RECT client;
    if (!GetClientRect(window, &client))
        return picture;
    picture.width = client.right;
    picture.height = client.bottom;
    HDC source = GetDC(window);
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;  // rows top down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, picture.width, picture.height, source, 0, 0, SRCCOPY);
        GdiFlush();
        const auto* pixels = static_cast<const std::uint8_t*>(bits);
        picture.rgb.resize(static_cast<size_t>(picture.width) * picture.height * 3);
        for (size_t i = 0; i < static_cast<size_t>(picture.width) * picture.height; ++i) {
            picture.rgb[i * 3] = pixels[i * 4 + 2];
            picture.rgb[i * 3 + 1] = pixels[i * 4 + 1];
            picture.rgb[i * 3 + 2] = pixels[i * 4];
        }
        SelectObject(memory, previous);
    }
    if (bitmap)
        DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, source);
    return picture;
}

namespace {

std::uint32_t Crc32(const std::uint8_t* data, size_t size, std::uint32_t crc = 0)
{
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const char type[4], const std::vector<std::uint8_t>& data)
{
    PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
    std::vector<std::uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    PutBigEndian(out, Crc32(typed.data(), typed.size()));
}

} // namespace

bool WritePng(const std::string& path, const Picture& picture)
{
    if (picture.width <= 0 || picture.height <= 0)
        return false;
    // Scanlines with filter byte 0, in a zlib stream of stored deflate blocks.
    std::vector<std::uint8_t> raw;
    const size_t row = static_cast<size_t>(picture.width) * 3;
    for (int y = 0; y < picture.height; ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), picture.rgb.begin() + y * row, picture.rgb.begin() + (y + 1) * row);
    }
    std::vector<std::uint8_t> zlib = {0x78, 0x01};
    for (size_t at = 0; at < raw.size() || raw.empty(); at += 65535) {
        const size_t length = std::min<size_t>(65535, raw.size() - at);
        zlib.push_back(at + length >= raw.size() ? 1 : 0);
        zlib.push_back(static_cast<std::uint8_t>(length));
        zlib.push_back(static_cast<std::uint8_t>(length >> 8));
        zlib.push_back(static_cast<std::uint8_t>(~length));
        zlib.push_back(static_cast<std::uint8_t>(~length >> 8));
        zlib.insert(zlib.end(), raw.begin() + at, raw.begin() + at + length);
        if (raw.empty())
            break;
    }
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBigEndian(zlib, (b << 16) | a);

    std::vector<std::uint8_t> header;
    PutBigEndian(header, static_cast<std::uint32_t>(picture.width));
    PutBigEndian(header, static_cast<std::uint32_t>(picture.height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, no interlace
    std::vector<std::uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", zlib);
    PutChunk(file, "IEND", {});
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    return static_cast<bool>(out);
}

} // namespace korvane::activex::testing
