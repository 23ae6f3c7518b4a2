#include "MaskedBitmap.h"

#include <optional>

namespace {
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);

// Text and background colours and stretch mode of a context, put back at the end.
class SavedColors {
public:
    SavedColors(HDC dc, COLORREF text, COLORREF back)
        : dc_(dc), text_(SetTextColor(dc, text)), back_(SetBkColor(dc, back)),
          stretchMode_(SetStretchBltMode(dc, COLORONCOLOR))
    {
    }
    ~SavedColors()
    {
        SetTextColor(dc_, text_);
        SetBkColor(dc_, back_);
        if (stretchMode_ != 0)
            SetStretchBltMode(dc_, stretchMode_);
    }
    SavedColors(const SavedColors&) = delete;
    SavedColors& operator=(const SavedColors&) = delete;

private:
    HDC dc_;
    COLORREF text_;
    COLORREF back_;
    int stretchMode_;
};
} // namespace

bool MaskedBitmap::BuildMask(HDC dc, int wDest, int hDest, int xSrc, int ySrc, int wSrc, int hSrc,
                             COLORREF maskColor)
{
    MemoryDc sourceDc(dc);
    MemoryDc colorDc(dc);
    MemoryDc maskDc(dc);
    GdiObject<HBITMAP> color(CreateCompatibleBitmap(dc, wDest, hDest));
    GdiObject<HBITMAP> mask(CreateBitmap(wDest, hDest, 1, 1, nullptr));
    if (!sourceDc || !colorDc || !maskDc || !color || !mask)
        return false;
    {
        SelectedObject sourceBitmap(sourceDc.Get(), bitmap_);
        SelectedObject colorBitmap(colorDc.Get(), color.Get());
        SelectedObject maskBitmap(maskDc.Get(), mask.Get());
        SelectedPalette sourcePalette(sourceDc.Get(), palette_);
        SelectedPalette colorPalette(colorDc.Get(), palette_);
        SetStretchBltMode(colorDc.Get(), COLORONCOLOR);
        if (!StretchBlt(colorDc.Get(), 0, 0, wDest, hDest, sourceDc.Get(), xSrc, ySrc, wSrc, hSrc, SRCCOPY))
            return false;
        // Colour to monochrome: the background colour becomes 1, every other colour 0.
        SetBkColor(colorDc.Get(), maskColor);
        SetTextColor(colorDc.Get(), Black);
        if (!BitBlt(maskDc.Get(), 0, 0, wDest, hDest, colorDc.Get(), 0, 0, SRCCOPY))
            return false;
    }
    mask_.Reset(mask.Detach());
    return true;
}

bool MaskedBitmap::Draw(HDC dc, int xDest, int yDest, int wDest, int hDest, int xSrc, int ySrc,
                        int wSrc, int hSrc, COLORREF maskColor, HBRUSH backgroundBrush,
                        HDC backgroundDc, BOOL invert)
{
    if (dc == nullptr || bitmap_ == nullptr || wDest <= 0 || hDest <= 0)
        return false;
    if (!mask_ && !BuildMask(dc, wDest, hDest, xSrc, ySrc, wSrc, hSrc, maskColor))
        return false;

    // A memory context is drawn on directly; any other target gets its result in one copy, so that
    // the three passes never show on the screen.
    const bool direct = GetObjectType(dc) == OBJ_MEMDC;
    MemoryDc offscreenDc(dc);
    GdiObject<HBITMAP> offscreen;
    HDC work = dc;
    int x = xDest;
    int y = yDest;
    std::optional<SelectedObject> offscreenBitmap;
    if (!direct) {
        offscreen.Reset(CreateCompatibleBitmap(dc, wDest, hDest));
        if (!offscreenDc || !offscreen)
            return false;
        offscreenBitmap.emplace(offscreenDc.Get(), offscreen.Get());
        work = offscreenDc.Get();
        x = 0;
        y = 0;
        const RECT all = {0, 0, wDest, hDest};
        if (backgroundDc != nullptr)
            BitBlt(work, 0, 0, wDest, hDest, backgroundDc, xDest, yDest, SRCCOPY);
        else if (backgroundBrush != nullptr)
            FillRect(work, &all, backgroundBrush);
        else
            BitBlt(work, 0, 0, wDest, hDest, dc, xDest, yDest, SRCCOPY);
    }

    MemoryDc sourceDc(dc);
    MemoryDc maskDc(dc);
    if (!sourceDc || !maskDc)
        return false;
    SelectedObject sourceBitmap(sourceDc.Get(), bitmap_);
    SelectedObject maskBitmap(maskDc.Get(), mask_.Get());
    SelectedPalette sourcePalette(sourceDc.Get(), palette_);
    if (invert)
        PatBlt(sourceDc.Get(), xSrc, ySrc, wSrc, hSrc, DSTINVERT);
    bool drawn;
    {
        // Monochrome mask bits 1 become white (kept by AND), 0 black (cleared): the text colour must
        // be black and the background white whatever the caller left in the context.
        SavedColors colors(work, Black, White);
        drawn = StretchBlt(work, x, y, wDest, hDest, sourceDc.Get(), xSrc, ySrc, wSrc, hSrc, SRCINVERT) &&
                BitBlt(work, x, y, wDest, hDest, maskDc.Get(), 0, 0, SRCAND) &&
                StretchBlt(work, x, y, wDest, hDest, sourceDc.Get(), xSrc, ySrc, wSrc, hSrc, SRCINVERT);
    }
    if (invert)
        PatBlt(sourceDc.Get(), xSrc, ySrc, wSrc, hSrc, DSTINVERT);
    if (!direct && drawn)
        drawn = BitBlt(dc, xDest, yDest, wDest, hDest, work, 0, 0, SRCCOPY) != 0;
    return drawn;
}
