#include "PictureTestSupport.h"

#include <olectl.h>

HBITMAP MakeBitmap(int width, int height, const std::function<COLORREF(int, int)>& color)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr || bits == nullptr)
        return bitmap;
    DWORD* pixels = static_cast<DWORD*>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = color(x, y);
            pixels[y * width + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    return bitmap;
}

COLORREF BitmapPixel(HBITMAP bitmap, int x, int y)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF color = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return color;
}

IPicture* MakePicture(PICTDESC description)
{
    description.cbSizeofstruct = sizeof(description);
    IPicture* picture = nullptr;
    if (FAILED(OleCreatePictureIndirect(&description, IID_IPicture, TRUE, reinterpret_cast<void**>(&picture))))
        return nullptr;
    return picture;
}

IPicture* MakeBitmapPicture(HBITMAP bitmap, HPALETTE palette)
{
    PICTDESC description = {};
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = bitmap;
    description.bmp.hpal = palette;
    return MakePicture(description);
}
