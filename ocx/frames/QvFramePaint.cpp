// The frame's layout and paint: the caption (and picture) set into the top or bottom border line,
// the line interrupted behind them, over the background and the background picture.
#include "QvFrame.h"

#include "ColorScheme.h"
#include "FrameBorder.h"
#include "GdiScopes.h"
#include "PaintGeometry.h"
#include "PictureRendering.h"

namespace plyx {

namespace {

// The caption stands this far inside the frame's left and right edges.
constexpr LONG CaptionInset = 7;
// Between the caption and its picture, and between either and the gap's ends.
constexpr LONG Spacing = 2;

} // namespace

void QvFrame::PlaceCaption(HDC dc, const RECT& line, bool pictureBeside)
{
    layout_.caption = {};
    layout_.text = {};
    if (Caption().IsEmpty())
        return;
    const SIZE text = MeasureCaption(dc, line.right - line.left, FrameCaptionFlags(Lines()));
    LONG top = CaptionAtBottom() ? line.bottom - text.cy : line.top;
    // Beside a picture the caption's middle lies on the line, as the picture's does.
    if (pictureBeside)
        top += CaptionAtBottom() ? text.cy / 2 : -text.cy / 2;
    LONG left = line.left;
    switch (Lines()) {
    case CaptionLines::Right:
        left = line.right - text.cx;
        break;
    case CaptionLines::Centre:
        left = line.left + (line.right - line.left - text.cx) / 2;
        break;
    default:
        break;
    }
    SetRect(&layout_.text, left, top, left + text.cx, top + text.cy);
    layout_.caption = layout_.text;
    if (MarqueeMovesSideways()) {
        layout_.caption.left = line.left;
        layout_.caption.right = line.right;
    }
}

void QvFrame::LayOut(HDC dc, const RECT& line)
{
    IPicture* picture = Picture();
    const short type = PictureTypeOf(picture);
    const bool sized = IsDrawable(type) && !IsMetafile(type);
    layout_.picture = {};
    PlaceCaption(dc, line, sized);
    const bool hasCaption = !IsRectEmpty(&layout_.caption);
    const bool pictureRight = block_.pictureAlignment == 1;

    if (sized) {
        const SIZE size = PictureFrameSize();
        // Without a caption the picture stands where the caption would begin.
        RECT text = layout_.text;
        if (!hasCaption) {
            const LONG x = Lines() == CaptionLines::Right    ? line.right
                           : Lines() == CaptionLines::Centre ? (line.left + line.right) / 2
                                                             : line.left;
            SetRect(&text, x, line.top, x, line.top);
        }
        LONG left = line.left;
        if (line.right - line.left < size.cx) {
            layout_.caption = {};
            layout_.text = {};
        } else if (pictureRight) {
            if (line.right >= text.right + size.cx + Spacing && !MarqueeMovesSideways()) {
                left = text.right + Spacing;
                if (hasCaption)
                    layout_.caption.right = layout_.text.right;
            } else {
                left = line.right - size.cx;
                RECT narrowed = line;
                narrowed.right = left - Spacing;
                PlaceCaption(dc, narrowed, true);
            }
        } else {
            if (text.left - size.cx - Spacing >= line.left && !MarqueeMovesSideways()) {
                left = text.left - Spacing - size.cx;
                if (hasCaption)
                    layout_.caption.left = layout_.text.left;
            } else {
                left = line.left;
                RECT narrowed = line;
                narrowed.left = left + size.cx + Spacing;
                PlaceCaption(dc, narrowed, true);
            }
        }
        const LONG top = CaptionAtBottom() ? line.bottom + size.cy / 2 - size.cy : line.top - size.cy / 2;
        SetRect(&layout_.picture, left, top, left + size.cx, top + size.cy);
        if (MarqueeMoves() && CommonState().marqueeDirection != 0 && !IsRectEmpty(&layout_.caption)) {
            layout_.caption.top = layout_.picture.top;
            layout_.caption.bottom = layout_.picture.bottom;
        }
    } else if (IsMetafile(type) && hasCaption) {
        // A metafile has no size of its own: it fills the line beside the caption.
        const RECT& caption = layout_.caption;
        if (MarqueeMoves())
            layout_.picture = caption;
        else if (pictureRight)
            SetRect(&layout_.picture, caption.right + Spacing, caption.top, line.right, caption.bottom);
        else
            SetRect(&layout_.picture, line.left, caption.top, caption.left - Spacing, caption.bottom);
        layout_.text = layout_.caption;
    }

    const bool hasPicture = !IsRectEmpty(&layout_.picture);
    const bool captionPlaced = !IsRectEmpty(&layout_.caption);
    if (hasPicture && !pictureRight)
        layout_.gapStart = layout_.picture.left - Spacing;
    else
        layout_.gapStart = captionPlaced ? layout_.caption.left - Spacing : line.left;
    if (hasPicture && pictureRight)
        layout_.gapEnd = layout_.picture.right + Spacing;
    else
        layout_.gapEnd = captionPlaced ? layout_.caption.right + Spacing : layout_.gapStart;
}

HRESULT QvFrame::OnDraw(DWORD, HDC dc, const RECT* bounds, const RECT*, HDC, BOOL)
{
    if (dc == nullptr || bounds == nullptr)
        return E_INVALIDARG;
    const DWORD kind = GetObjectType(dc);
    if (kind == OBJ_METADC || kind == OBJ_ENHMETADC)
        return DrawToMetafile(dc, bounds);
    IPicture* picture = Picture();
    const short type = PictureTypeOf(picture);
    const bool sized = IsDrawable(type) && !IsMetafile(type);
    const SIZE pictureSize = sized ? PictureFrameSize() : SIZE{0, 0};

    // The caption's line: inside the insets, through the middle of the picture.
    RECT line = *bounds;
    line.left += CaptionInset;
    line.right -= CaptionInset;
    if (sized) {
        if (CaptionAtBottom())
            line.bottom -= pictureSize.cy / 2;
        else
            line.top += pictureSize.cy / 2;
    }
    LayOut(dc, line);
    ArmMarquee(layout_.caption, layout_.text);

    // The border's line runs through the middle of the caption when no picture sets it.
    RECT border = line;
    if (!sized) {
        const LONG half = (layout_.caption.bottom - layout_.caption.top) / 2;
        if (CaptionAtBottom())
            border.bottom -= half;
        else
            border.top += half;
    }
    border.left -= CaptionInset;
    border.right += CaptionInset;

    const RECT update = PaintRect();
    const bool borderOnly = SameRect(update, border);
    const bool full = !borderOnly && !SameRect(update, layout_.picture) && !SameRect(update, layout_.caption);

    HDC canvas = BeginOffscreenPaint(false, dc);
    PaintBackground(canvas, *bounds, update, border, (PaintFlags() & PaintedOutsideWmPaint) != 0);
    ColorScheme scheme(SystemColors, RGB(0xC0, 0xC0, 0xC0), RGB(0x80, 0x80, 0x80), RGB(0xFF, 0xFF, 0xFF), 0, FALSE,
                       0);
    if (full || borderOnly) {
        const FrameBorderRequest request = {border, layout_.gapStart, layout_.gapEnd, CaptionAtBottom(),
                                            block_.shadowStyle};
        DrawFrameBorder(canvas, request, scheme);
    }
    if (IsDrawable(type) && !IsRectEmpty(&layout_.picture) && (Meets(update, layout_.picture) || full || borderOnly)) {
        const CommonStateBlock& state = CommonState();
        RenderPicture(canvas, picture, &layout_.picture, &layout_.picture, 0, IsMetafile(type), FALSE,
                      (state.flags & CommonStateBlock::PictureUseMask) != 0, state.pictureMaskColor, PlainPicture,
                      FrameCounter(), GetFrameCount());
    }
    if ((!SameRect(update, layout_.picture) || SameRect(update, layout_.caption) || full) &&
        ((!IsRectEmpty(&layout_.caption) && Meets(update, layout_.caption)) || full || borderOnly))
        DrawFrameCaption(canvas, scheme, layout_.caption, &layout_.text, Lines());
    EndOffscreenPaint(false, dc);
    return S_OK;
}

} // namespace plyx
