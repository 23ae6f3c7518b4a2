#include "HostWindow.h"

#include "forms/testing/PngFile.h"

#include <algorithm>

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

namespace {

// The pixels of the top left `width` x `height` of a device context.
Picture CopyPixels(HDC source, int width, int height)
{
    Picture picture;
    picture.width = width;
    picture.height = height;
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
    if (picture.rgb.empty())
        return {};
    return picture;
}

} // namespace

Picture CaptureClientArea(HWND window)
{
    RECT client;
    if (!GetClientRect(window, &client))
        return {};
    HDC source = GetDC(window);
    Picture picture = CopyPixels(source, client.right, client.bottom);
    ReleaseDC(window, source);
    return picture;
}

Picture PixelsOfBitmap(HBITMAP bitmap)
{
    BITMAP size = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof size, &size))
        return {};
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    Picture picture = CopyPixels(memory, size.bmWidth, size.bmHeight);
    SelectObject(memory, previous);
    DeleteDC(memory);
    return picture;
}

Ink InkOf(const Picture& picture, int margin, COLORREF face)
{
    Ink ink;
    for (int y = margin; y < picture.height - margin; ++y)
        for (int x = margin; x < picture.width - margin; ++x) {
            const COLORREF pixel = picture.At(x, y);
            if (pixel == face)
                continue;
            ++ink.count;
            ink.colors.insert(pixel);
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
        }
    return ink;
}

bool WritePng(const std::string& path, const Picture& picture)
{
    return forms::testing::WritePng(path, picture.width, picture.height, picture.rgb);
}

} // namespace korvane::activex::testing
