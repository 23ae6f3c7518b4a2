#include "FloodBar.h"

#include <algorithm>

namespace {

RECT FilledExtent(const RECT& interior, BYTE type, int percent)
{
    RECT filled = interior;
    const LONG width = interior.right - interior.left;
    const LONG height = interior.bottom - interior.top;
    switch (type) {
    case FloodLeftToRight:
        filled.right = filled.left + percent * width / 100;
        break;
    case FloodRightToLeft:
        filled.left += (100 - percent) * width / 100;
        break;
    case FloodTopToBottom:
        filled.bottom = filled.top + percent * height / 100;
        break;
    case FloodBottomToTop:
        filled.top += (100 - percent) * height / 100;
        break;
    case FloodWideningCircle: {
        // The longer side is cut to the shorter one, centred, then the square shrinks evenly.
        if (width > height) {
            filled.left = std::max(interior.left, interior.left + (width - height) / 2 - 1);
            filled.right = filled.left + height;
        } else if (height > width) {
            filled.top = std::max(interior.top, interior.top + (height - width) / 2 - 1);
            filled.bottom = filled.top + width;
        }
        const LONG side = std::min(width, height);
        const LONG shrink = (side - percent * side / 100) / 2;
        InflateRect(&filled, -shrink, -shrink);
        break;
    }
    default:
        break;
    }
    return filled;
}

} // namespace

FloodShape FloodShapeOf(const RECT& interior, BYTE type, int percent, BYTE fillStyle)
{
    percent = std::clamp(percent, 0, 100);
    FloodShape shape;
    shape.filled = FilledExtent(interior, type, percent);
    shape.ellipse = type == FloodWideningCircle;
    const bool horizontal = type == FloodLeftToRight || type == FloodRightToLeft;
    const bool vertical = type == FloodTopToBottom || type == FloodBottomToTop;
    // The bar's length along its own direction decides whether segments fit.
    const LONG length = horizontal ? interior.right - interior.left : interior.bottom - interior.top;
    if (fillStyle != SegmentedFlood || !(horizontal || vertical) || length < ShortestSegmentedBar)
        return shape;

    const LONG gap = length < 28 ? 1 : 2;
    const LONG usable = length - (FloodSegments - 1) * gap;
    const LONG segment = usable / FloodSegments;
    const LONG remainder = usable % FloodSegments;
    const LONG first = segment + remainder - remainder / 2;
    const LONG last = segment + remainder / 2;
    const bool fromEnd = type == FloodRightToLeft || type == FloodBottomToTop;

    // Lengths of the whole segments, then of the started one.
    std::vector<LONG> lengths;
    for (int index = 0; index < percent / 10; ++index)
        lengths.push_back(index == 0 ? first : index == FloodSegments - 1 ? last : segment);
    const LONG partial = (percent % 10) * segment / 10;
    if (partial > 0)
        lengths.push_back(partial);

    LONG position = 0;
    for (const LONG piece : lengths) {
        RECT rect = interior;
        const LONG start = fromEnd ? length - position - piece : position;
        if (horizontal) {
            rect.left = interior.left + start;
            rect.right = rect.left + piece;
        } else {
            rect.top = interior.top + start;
            rect.bottom = rect.top + piece;
        }
        shape.segments.push_back(rect);
        position += piece + gap;
    }
    return shape;
}
