// The panel's layout and paint: background and background picture, outline and bevels, then either
// the flood bar with its percentage or the caption and picture in their positions.
#include "QvPanel.h"

#include "Bevels.h"
#include "ColorScheme.h"
#include "FloodBar.h"
#include "GdiScopes.h"
#include "PaintGeometry.h"
#include "PictureRendering.h"

#include <algorithm>
#include <cstdio>

namespace plyx {

namespace {

constexpr LONG Spacing = 2;

LONG Width(const RECT& rect)
{
    return rect.right - rect.left;
}

LONG Height(const RECT& rect)
{
    return rect.bottom - rect.top;
}

// Positions 0..8: column by the value's third (left, right, centre), row by its remainder (top,
// middle, bottom).
RECT PlaceBox(const RECT& area, LONG width, LONG height, int position)
{
    LONG left = area.left;
    if (position >= 3 && position <= 5)
        left = area.right - width;
    else if (position >= 6)
        left = area.left + (Width(area) - width + 1) / 2;
    LONG top = area.top;
    if (position % 3 == 1)
        top = area.top + (Height(area) - height + 1) / 2;
    else if (position % 3 == 2)
        top = area.bottom - height;
    return RECT{left, top, left + width, top + height};
}

CaptionLines LinesOf(int alignment)
{
    if (alignment >= 3 && alignment <= 5)
        return CaptionLines::Right;
    if (alignment >= 6)
        return CaptionLines::Centre;
    return CaptionLines::Left;
}

} // namespace

void QvPanel::PlaceCaption(HDC dc, const RECT& area)
{
    captionRect_ = textRect_ = {};
    if (Caption().IsEmpty())
        return;
    const SIZE text = MeasureCaption(dc, Width(area), FrameCaptionFlags(LinesOf(block_.alignment)));
    textRect_ = PlaceBox(area, text.cx, text.cy, block_.alignment);
    if (!MarqueeMoves()) {
        IntersectRect(&captionRect_, &textRect_, &area);
        return;
    }
    // A moving caption runs over the whole area, narrowed across its direction to the text.
    captionRect_ = area;
    if (MarqueeMovesSideways()) {
        if (text.cy < Height(area)) {
            captionRect_.top = textRect_.top;
            captionRect_.bottom = textRect_.bottom;
        }
    } else if (text.cx < Width(area)) {
        captionRect_.left = textRect_.left;
        captionRect_.right = textRect_.right;
    }
}

void QvPanel::PlacePicture(const RECT& interior)
{
    pictureRect_ = {};
    const short type = PictureTypeOf(Picture());
    if (!IsDrawable(type))
        return;
    const bool scaled = IsMetafile(type);
    const SIZE size = scaled ? SIZE{Width(interior), Height(interior)} : PictureFrameSize();
    const LONG availableWidth = Width(interior) + 1;
    const LONG availableHeight = Height(interior) + 1;
    const int position = block_.pictureAlignment;
    const bool hasCaption = !IsRectEmpty(&captionRect_);
    const RECT text = textRect_;

    if (!scaled && size.cx > availableWidth && (position == qvLeftOfCaption || position == qvRightOfCaption)) {
        const LONG left = interior.left + (availableWidth - size.cx) / 2;
        const LONG top = interior.top + (availableHeight - size.cy) / 2;
        SetRect(&pictureRect_, left, top, left + size.cx, top + size.cy);
        captionRect_ = textRect_ = {};
        return;
    }
    if (position <= qvCenterBottom) {
        pictureRect_ = PlaceBox(interior, size.cx, size.cy, position);
        return;
    }
    if (scaled) {
        // A metafile fills the interior on the named side of the caption.
        pictureRect_ = interior;
        const bool sideways = position == qvLeftOfCaption || position == qvRightOfCaption;
        if (!hasCaption || (sideways && MarqueeMovesSideways()))
            return;
        const int alignment = block_.alignment;
        switch (position) {
        case qvLeftOfCaption:
            if (alignment <= 2)
                pictureRect_ = {};
            else
                pictureRect_.right = captionRect_.left - Spacing;
            break;
        case qvRightOfCaption:
            if (alignment >= 3 && alignment <= 5)
                pictureRect_ = {};
            else
                pictureRect_.left = captionRect_.right + Spacing;
            break;
        case qvTopOfCaption:
            if (alignment % 3 == 0)
                pictureRect_ = {};
            else
                pictureRect_.bottom = captionRect_.top - Spacing;
            break;
        default:
            if (alignment % 3 == 2)
                pictureRect_ = {};
            else
                pictureRect_.top = captionRect_.bottom + Spacing;
            break;
        }
        return;
    }

    LONG left = interior.left;
    LONG top = interior.top;
    if (position == qvLeftOfCaption || position == qvRightOfCaption) {
        HDC screen = ::GetDC(nullptr);
        if (position == qvLeftOfCaption) {
            if (text.left - size.cx - Spacing < interior.left || MarqueeMovesSideways()) {
                left = interior.left;
                RECT rest = interior;
                rest.left = left + size.cx + Spacing;
                PlaceCaption(screen, rest);
            } else {
                left = text.left - Spacing - size.cx;
            }
        } else {
            if (interior.right < text.right + size.cx + Spacing || MarqueeMovesSideways()) {
                left = interior.right - size.cx;
                RECT rest = interior;
                rest.right = left - Spacing;
                PlaceCaption(screen, rest);
            } else {
                left = text.right + Spacing;
            }
        }
        ::ReleaseDC(nullptr, screen);
        const int row = block_.alignment % 3;
        if (row == 0)
            top = textRect_.top;
        else if (row == 2)
            top = textRect_.bottom - size.cy;
        else
            top = textRect_.top + (Height(textRect_) - size.cy) / 2;
    } else {
        const RECT& around = hasCaption ? captionRect_ : interior;
        left = around.left + (Width(around) - size.cx + 1) / 2;
        HDC screen = ::GetDC(nullptr);
        if (position == qvTopOfCaption) {
            if (text.top - size.cy - Spacing < interior.top) {
                top = interior.top;
                RECT rest = interior;
                rest.top = top + size.cy + Spacing;
                PlaceCaption(screen, rest);
            } else {
                top = text.top - Spacing - size.cy;
            }
        } else {
            if (interior.bottom < text.bottom + size.cy + Spacing) {
                top = interior.bottom - size.cy;
                RECT rest = interior;
                rest.bottom = top - Spacing;
                PlaceCaption(screen, rest);
            } else {
                top = text.bottom + Spacing;
            }
        }
        ::ReleaseDC(nullptr, screen);
    }
    SetRect(&pictureRect_, left, top, left + size.cx, top + size.cy);
}

void QvPanel::LayOut(HDC dc, const RECT& interior)
{
    PlaceCaption(dc, interior);
    PlacePicture(interior);
}

void QvPanel::DrawFlood(HDC dc, const RECT& interior)
{
    const int percent = block_.floodPercent;
    RECT textBox = {};
    char text[8] = {};
    HFONT font = nullptr;
    if (Font() != nullptr)
        Font()->get_hFont(&font);
    SelectedObject selectedFont(dc, font);
    if (block_.floodShowPct != 0) {
        std::snprintf(text, sizeof text, "%u%%", static_cast<unsigned>(percent));
        RECT measured = {0, 0, 0, 0};
        DrawTextA(dc, text, -1, &measured, DT_SINGLELINE | DT_CALCRECT);
        const LONG width = std::min(Width(measured), Width(interior));
        const LONG height = std::min(Height(measured), Height(interior));
        textBox.left = interior.left + (Width(interior) - width) / 2;
        textBox.top = interior.top + (Height(interior) - height) / 2;
        textBox.right = textBox.left + width;
        textBox.bottom = textBox.top + height;
        if (!IsTransparent())
            FillBackground(dc, textBox);
    }

    GdiObject<HBRUSH> brush(CreateSolidBrush(OleColorToColorRef(block_.floodColor)));
    if (brush) {
        const FloodShape shape = FloodShapeOf(interior, block_.floodType, percent, block_.floodFillStyle);
        if (!shape.segments.empty()) {
            for (const RECT& segment : shape.segments)
                FillRect(dc, &segment, brush.Get());
        } else if (shape.ellipse) {
            GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, OleColorToColorRef(block_.floodColor)));
            SelectedObject selectedPen(dc, pen.Get());
            SelectedObject selectedBrush(dc, brush.Get());
            if (!IsRectEmpty(&shape.filled))
                Ellipse(dc, shape.filled.left, shape.filled.top, shape.filled.right, shape.filled.bottom);
        } else if (!IsRectEmpty(&shape.filled)) {
            FillRect(dc, &shape.filled, brush.Get());
        }
    }

    if (block_.floodShowPct != 0) {
        const COLORREF previousColor = SetTextColor(dc, OleColorToColorRef(CommonState().foreColor));
        const int previousMode = SetBkMode(dc, TRANSPARENT);
        DrawTextA(dc, text, -1, &textBox, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        SetBkMode(dc, previousMode);
        SetTextColor(dc, previousColor);
    }
}

HRESULT QvPanel::OnDraw(DWORD, HDC dc, const RECT* bounds, const RECT*, HDC, BOOL)
{
    if (dc == nullptr || bounds == nullptr)
        return E_INVALIDARG;
    const DWORD kind = GetObjectType(dc);
    if (kind == OBJ_METADC || kind == OBJ_ENHMETADC)
        return DrawToMetafile(dc, bounds);
    if (block_.autoSize != NoAutoSize)
        AutoSize(dc, *bounds);
    RememberPosition();

    const RECT interior = Interior(*bounds);
    LayOut(dc, interior);
    if (block_.floodType == NoFlood)
        ArmMarquee(captionRect_, textRect_);

    const RECT update = PaintRect();
    const bool boundsOnly = SameRect(update, *bounds);
    const bool full = !boundsOnly && !SameRect(update, pictureRect_) && !SameRect(update, captionRect_);

    HDC canvas = BeginOffscreenPaint(false, dc);
    ColorScheme scheme(SystemColors, RGB(0xC0, 0xC0, 0xC0), RGB(0x80, 0x80, 0x80), RGB(0xFF, 0xFF, 0xFF), 0, FALSE,
                       0);
    PaintBackground(canvas, *bounds, update, interior, (PaintFlags() & PaintedOutsideWmPaint) != 0);

    if (full || boundsOnly) {
        RECT edge = *bounds;
        if (block_.outline != 0) {
            DrawOutline(canvas, edge.left, edge.top, edge.right, edge.bottom, block_.roundedCorners != 0, &scheme);
            InflateRect(&edge, -1, -1);
        }
        if (block_.bevelOuter != 0) {
            DrawBevelLinesOle(canvas, edge.left, edge.top, edge.right, edge.bottom, block_.bevelWidth,
                              block_.bevelOuter == 2, scheme.ButtonShadowColor(), scheme.ButtonHighlightColor());
            InflateRect(&edge, -block_.bevelWidth, -block_.bevelWidth);
        }
        if (block_.bevelInner != 0) {
            InflateRect(&edge, -block_.borderWidth, -block_.borderWidth);
            DrawBevelLinesOle(canvas, edge.left, edge.top, edge.right, edge.bottom, block_.bevelWidth,
                              block_.bevelInner == 2, scheme.ButtonShadowColor(), scheme.ButtonHighlightColor());
        }
    }

    if (block_.floodType != NoFlood) {
        if (!DesignMode())
            DrawFlood(canvas, interior);
    } else {
        IPicture* picture = Picture();
        const short type = PictureTypeOf(picture);
        if (IsDrawable(type) && !IsRectEmpty(&pictureRect_) && (Meets(update, pictureRect_) || full || boundsOnly)) {
            const CommonStateBlock& state = CommonState();
            RenderPicture(canvas, picture, &pictureRect_, &pictureRect_, 0, IsMetafile(type), FALSE,
                          (state.flags & CommonStateBlock::PictureUseMask) != 0, state.pictureMaskColor,
                          PlainPicture, FrameCounter(), GetFrameCount());
        }
        if ((!IsRectEmpty(&captionRect_) && Meets(update, captionRect_)) || full || boundsOnly)
            DrawFrameCaption(canvas, scheme, captionRect_, &textRect_, LinesOf(block_.alignment));
    }
    EndOffscreenPaint(false, dc);
    return S_OK;
}

} // namespace plyx
