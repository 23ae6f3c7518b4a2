// The scaffolding every control's paint routine stands on: drawing off-screen over a copy of the real
// background (so that a transparent control shows what lies under it), the background fill, the
// update region kept for clipping, and the rectangle the control draws in.
#include "IQvBase.h"

#include "ColorScheme.h"
#include "Himetric.h"
#include "DibPalettes.h"
#include "PictureHolder.h"

#include <vector>

namespace plyx {

BOOL IQvBase::BeforePaint(HDC dc)
{
    if (dc != nullptr || ControlWindow() == nullptr)
        return BrowsableControl::BeforePaint(dc);
    // The window's update region clips the off-screen copy, so that only what is invalid is redrawn.
    DropUpdateRegion();
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (region != nullptr) {
        const int kind = GetUpdateRgn(ControlWindow(), region, FALSE);
        if (kind == NULLREGION || kind == ERROR) {
            DeleteObject(region);
        } else {
            updateRegion_ = region;
            // A design-time container may have scrolled parts of the control; all of it is redrawn.
            if (kind == COMPLEXREGION && DesignMode())
                InvalidateControl(nullptr);
        }
    }
    return BrowsableControl::BeforePaint(dc);
}

void IQvBase::DropUpdateRegion()
{
    if (updateRegion_ != nullptr) {
        DeleteObject(updateRegion_);
        updateRegion_ = nullptr;
    }
}

void IQvBase::GetClientRectangle(RECT* rect)
{
    if ((StateFlags() & StateInPlaceActive) && ControlWindow() != nullptr) {
        SetRect(rect, 0, 0, Extent().cx, Extent().cy);
        return;
    }
    *rect = PositionRect();
    if (IsRectEmpty(rect))
        GetControlRect(rect);
}

void IQvBase::SelectCachedPalette(HDC target)
{
    if (GetDeviceCaps(target, NUMCOLORS) <= 0 || !IsTransparent())
        return;
    // A transparent control draws in the colours of the window that shows through it: the palette of
    // the nearest ancestor that draws its own background, taken once and again after a change.
    if (cachedPalette_ == nullptr || (paintFlags_ & PaintPaletteChanged)) {
        HWND ancestor = ParentWindow();
        while (ancestor != nullptr && (GetWindowLongA(ancestor, GWL_EXSTYLE) & WS_EX_TRANSPARENT))
            ancestor = GetParent(ancestor);
        HDC ancestorDC = ::GetDC(ancestor);
        if (ancestorDC != nullptr) {
            HPALETTE current = static_cast<HPALETTE>(GetCurrentObject(ancestorDC, OBJ_PAL));
            PALETTEENTRY entries[256];
            const UINT count = current != nullptr ? GetPaletteEntries(current, 0, 256, entries) : 0;
            if (count > 0) {
                std::vector<BYTE> memory(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
                auto* description = reinterpret_cast<LOGPALETTE*>(memory.data());
                description->palVersion = 0x300;
                description->palNumEntries = static_cast<WORD>(count);
                CopyMemory(description->palPalEntry, entries, count * sizeof(PALETTEENTRY));
                if (HPALETTE copy = CreatePalette(description)) {
                    if (cachedPalette_ != nullptr)
                        DeleteObject(cachedPalette_);
                    cachedPalette_ = copy;
                }
            }
            ::ReleaseDC(ancestor, ancestorDC);
        }
    }
    if (cachedPalette_ != nullptr) {
        SelectPalette(target, cachedPalette_, TRUE);
        RealizePalette(target);
    }
}

void IQvBase::DropCachedPalette()
{
    if (cachedPalette_ != nullptr) {
        DeleteObject(cachedPalette_);
        cachedPalette_ = nullptr;
    }
}

HRESULT IQvBase::DrawToMetafile(HDC dc, const RECT* bounds)
{
    if (dc == nullptr || bounds == nullptr)
        return E_INVALIDARG;
    HDC screen = ::GetDC(nullptr);
    if (screen == nullptr)
        return E_FAIL;
    // The bitmap has the size the metafile shows the control at, so that it is copied without scaling.
    const int width = bounds->right - bounds->left;
    const int height = bounds->bottom - bounds->top;
    if (width <= 0 || height <= 0)
        return E_INVALIDARG;
    HRESULT hr = E_OUTOFMEMORY;
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ::ReleaseDC(nullptr, screen);
    if (memory != nullptr && bitmap != nullptr) {
        HGDIOBJ replaced = SelectObject(memory, bitmap);
        SetViewportOrgEx(memory, -bounds->left, -bounds->top, nullptr);
        // Through the view, which takes the area to paint from the memory canvas.
        const RECTL drawBounds = {bounds->left, bounds->top, bounds->right, bounds->bottom};
        hr = ViewObjectInterface()->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, memory, &drawBounds,
                                         nullptr, nullptr, 0);
        SetViewportOrgEx(memory, 0, 0, nullptr);
        // A metafile keeps device-independent bitmaps only.
        if (SUCCEEDED(hr) && !CopyDcBitmap(dc, memory, bounds, TRUE))
            hr = E_FAIL;
        SelectObject(memory, replaced);
    }
    if (bitmap != nullptr)
        DeleteObject(bitmap);
    if (memory != nullptr)
        DeleteDC(memory);
    return hr;
}

SIZE IQvBase::GetPictureFrameSize(IPicture* picture, int frames)
{
    SIZE size = {0, 0};
    short type = PICTYPE_NONE;
    if (picture == nullptr || FAILED(picture->get_Type(&type)))
        return size;
    if (type == PICTYPE_ICON) {
        size.cx = GetSystemMetrics(SM_CXICON);
        size.cy = GetSystemMetrics(SM_CYICON);
        return size;
    }
    SIZEL himetric = {};
    if (FAILED(picture->get_Width(&himetric.cx)) || FAILED(picture->get_Height(&himetric.cy)))
        return size;
    SIZEL pixels = {};
    HimetricToPixels(&himetric, &pixels);
    size.cx = pixels.cx;
    size.cy = pixels.cy;
    if (type == PICTYPE_BITMAP && frames > 1)
        size.cx /= frames;
    return size;
}

HDC IQvBase::BeginOffscreenPaint(bool direct, HDC target)
{
    SelectCachedPalette(target);
    if (direct)
        return target;
    const RECT& area = PaintRect();
    const int width = area.right - area.left + 1;
    const int height = area.bottom - area.top + 1;
    offscreenDC_ = CreateCompatibleDC(target);
    if (offscreenDC_ == nullptr)
        return target;
    offscreenBitmap_ = CreateCompatibleBitmap(target, width, height);
    if (offscreenBitmap_ == nullptr) {
        DeleteDC(offscreenDC_);
        offscreenDC_ = nullptr;
        return target;
    }
    replacedBitmap_ = static_cast<HBITMAP>(SelectObject(offscreenDC_, offscreenBitmap_));
    // The memory canvas has the target's coordinates, so that the control draws as it would directly.
    SetViewportOrgEx(offscreenDC_, -area.left, -area.top, nullptr);
    if (updateRegion_ != nullptr) {
        SelectClipRgn(target, updateRegion_);
        DropUpdateRegion();
    }
    // Transparent drawing starts from the real background.
    BitBlt(offscreenDC_, area.left, area.top, width - 1, height - 1, target, area.left, area.top, SRCCOPY);
    return offscreenDC_;
}

void IQvBase::EndOffscreenPaint(bool direct, HDC target)
{
    if (!direct && offscreenDC_ != nullptr) {
        const RECT& area = PaintRect();
        BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, offscreenDC_, area.left,
               area.top, SRCCOPY);
        SelectObject(offscreenDC_, replacedBitmap_);
        DeleteObject(offscreenBitmap_);
        DeleteDC(offscreenDC_);
        offscreenDC_ = nullptr;
        offscreenBitmap_ = nullptr;
        replacedBitmap_ = nullptr;
    }
    DropUpdateRegion();
    paintFlags_ &= ~(PaintedOutsideWmPaint | PaintPaletteChanged);
}

void IQvBase::FillBackground(HDC dc, const RECT& rect)
{
    // Every OLE colour is resolved the one way the drawing kit resolves it (an unknown system colour
    // gives black rather than nothing).
    const COLORREF color = OleColorToColorRef(block_.backColor);
    // A colour the device shows exactly is filled as an opaque empty text, the quickest fill there is.
    if (GetNearestColor(dc, color) == color) {
        const COLORREF previous = SetBkColor(dc, color);
        ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
        SetBkColor(dc, previous);
        return;
    }
    HBRUSH brush = CreateSolidBrush(color);
    if (brush == nullptr)
        return;
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

} // namespace plyx
