#include "FrameBorder.h"

#include "ColorScheme.h"
#include "GdiScopes.h"

namespace {

// A horizontal line from x1 towards x2 on y (x2 excluded), skipping the gap when it lies on it.
void HorizontalLine(HDC dc, LONG x1, LONG x2, LONG y, bool gapHere, const FrameBorderRequest& request)
{
    MoveToEx(dc, x1, y, nullptr);
    if (gapHere && request.gapStart != request.gapEnd) {
        LineTo(dc, request.gapStart, y);
        MoveToEx(dc, request.gapEnd, y, nullptr);
    }
    LineTo(dc, x2, y);
}

// The highlight pass: one path from the gap's start along the four sides of (x1, y1, x2, y2) back to
// the gap's end on the caption's line.
void HighlightPass(HDC dc, LONG x1, LONG y1, LONG x2, LONG y2, const FrameBorderRequest& request)
{
    const LONG line = request.captionAtBottom ? y2 : y1;
    const LONG other = request.captionAtBottom ? y1 : y2;
    MoveToEx(dc, request.gapStart, line, nullptr);
    LineTo(dc, x1, line);
    LineTo(dc, x1, other);
    LineTo(dc, x2, other);
    LineTo(dc, x2, line);
    LineTo(dc, request.gapEnd, line);
}

} // namespace

void DrawFrameBorder(HDC dc, const FrameBorderRequest& request, ColorScheme& scheme)
{
    const LONG l = request.border.left;
    const LONG t = request.border.top;
    const LONG r = request.border.right;
    const LONG b = request.border.bottom;
    const bool top = !request.captionAtBottom;
    SelectedObject pen(dc, scheme.HighlightPen());
    if (request.shadowStyle == RaisedFrameShadow)
        HighlightPass(dc, l, t, r - 2, b - 2, request);
    else
        HighlightPass(dc, l + 1, t + 1, r - 1, b - 1, request);

    SelectObject(dc, scheme.ShadowPen());
    if (request.shadowStyle == RaisedFrameShadow) {
        MoveToEx(dc, l + 1, b - 3, nullptr);
        LineTo(dc, l + 1, t + 1);
        HorizontalLine(dc, l + 1, r - 2, t + 1, top, request);
        HorizontalLine(dc, l, r - 1, b - 1, !top, request);
        LineTo(dc, r - 1, t - 1);
    } else {
        MoveToEx(dc, l, b - 1, nullptr);
        LineTo(dc, l, t);
        HorizontalLine(dc, l, r, t, top, request);
        HorizontalLine(dc, l + 2, r - 2, b - 2, !top, request);
        LineTo(dc, r - 2, t + 1);
    }
}
