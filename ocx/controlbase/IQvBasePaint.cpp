// The scaffolding every control's paint routine stands on: drawing off-screen over a copy of the real
// background (so that a transparent control shows what lies under it), the background fill, the
// update region kept for clipping, and the rectangle the control draws in.
#include "IQvBase.h"

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

HDC IQvBase::BeginOffscreenPaint(bool direct, HDC target)
{
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
    COLORREF color = 0;
    if (FAILED(OleTranslateColor(block_.backColor, nullptr, &color)))
        return;
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
