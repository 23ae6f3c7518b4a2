#include "ButtonLayout.h"

namespace plyx {

namespace {

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

// The nine placements: which edge or the centre on each axis.
enum class Edge { Start, Centre, End };
struct Placement {
    Edge horizontal;
    Edge vertical;
};
const Placement Placements[9] = {
    {Edge::Start, Edge::Start},  {Edge::Start, Edge::Centre},  {Edge::Start, Edge::End},
    {Edge::End, Edge::Start},    {Edge::End, Edge::Centre},    {Edge::End, Edge::End},
    {Edge::Centre, Edge::Start}, {Edge::Centre, Edge::Centre}, {Edge::Centre, Edge::End},
};

void PlaceOnAxis(LONG* start, LONG* end, int size, Edge edge)
{
    switch (edge) {
    case Edge::Start:
        *end = *start + size;
        break;
    case Edge::End:
        *start = *end - size;
        break;
    case Edge::Centre:
        *start = *start + (*end - *start - size) / 2;
        *end = *start + size;
        break;
    }
}

// A box of the size placed in the area by one of the nine alignments.
RECT PlaceBox(const RECT& area, SIZE size, BYTE alignment)
{
    RECT box = area;
    if (alignment > 8)
        return box;
    PlaceOnAxis(&box.left, &box.right, size.cx, Placements[alignment].horizontal);
    PlaceOnAxis(&box.top, &box.bottom, size.cy, Placements[alignment].vertical);
    return box;
}

bool IsTopAlignment(BYTE alignment) { return alignment == 0 || alignment == 3 || alignment == 6; }
bool IsBottomAlignment(BYTE alignment) { return alignment == 2 || alignment == 5 || alignment == 8; }

// Vertical directions of the marquee (up, down).
bool VerticalMarquee(BYTE direction) { return direction == 2 || direction == 3; }

} // namespace

RECT InnerRectangle(const RECT& client, const ButtonFrame& frame)
{
    int shrink = 0;
    switch (frame.look) {
    case LookBorderless:
        shrink = frame.command ? 1 : 0;
        break;
    case LookActive:
        shrink = frame.command ? 2 : 1;
        break;
    case LookFlat:
    case LookBeveled: {
        const int bevel = frame.look == LookBeveled ? frame.bevelWidth : 2;
        shrink = frame.command ? bevel + 2 + (frame.displayAsDefault ? 1 : 0) : bevel;
        if (frame.look == LookBeveled && frame.outline)
            ++shrink;
        break;
    }
    default:
        break;
    }
    RECT inner = client;
    InflateRect(&inner, -shrink, -shrink);
    return inner;
}

int AutoSizeBorderWidth(const ButtonFrame& frame, bool drawnUp, bool focusedOrDefault)
{
    const int r = frame.command ? 2 : 1;
    const int outline = frame.outline ? 1 : 0;
    switch (frame.look) {
    case LookBorderless:
        return r;
    case LookActive:
        return r + 1;
    case LookFlat:
        if (drawnUp)
            return r + (focusedOrDefault ? 3 : 2);
        return r + 2 + (frame.command ? 1 : 0);
    case LookBeveled:
        if (drawnUp)
            return r + (focusedOrDefault ? 1 : 0) + outline + frame.bevelWidth;
        return r + outline + frame.bevelWidth;
    default:
        return r;
    }
}

UINT CaptionTextFlags(const CaptionFlagsInput& input)
{
    UINT flags = 0;
    if (MarqueeMoves(input.marqueeStyle))
        flags = VerticalMarquee(input.marqueeDirection) ? DT_WORDBREAK : DT_SINGLELINE;
    else if (input.captionStyle == 0)
        flags = DT_SINGLELINE | DT_CENTER;
    else if (input.captionStyle == 1)
        flags = DT_WORDBREAK;
    else
        flags = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
    if (flags == DT_WORDBREAK) {
        if (input.alignment >= 3 && input.alignment <= 5)
            flags |= DT_RIGHT;
        else if (input.alignment >= 6 && input.alignment <= 8)
            flags |= DT_CENTER;
    }
    // A ribbon draws an ampersand as it is; a command button underlines the letter after it.
    if (input.ribbon)
        flags |= DT_NOPREFIX;
    return flags;
}

CaptionPlacement PlaceCaption(const RECT& area, SIZE measured, BYTE alignment, BYTE marqueeStyle,
                              BYTE marqueeDirection)
{
    CaptionPlacement placement = {area, PlaceBox(area, measured, alignment)};
    if (MarqueeMoves(marqueeStyle)) {
        if (VerticalMarquee(marqueeDirection)) {
            if (Width(placement.textBox) < Width(area)) {
                placement.area.left = placement.textBox.left;
                placement.area.right = placement.textBox.right;
            }
        } else if (Height(placement.textBox) < Height(area)) {
            placement.area.top = placement.textBox.top;
            placement.area.bottom = placement.textBox.bottom;
        }
    } else if (!IntersectRect(&placement.area, &placement.textBox, &area)) {
        SetRectEmpty(&placement.area);
    }
    return placement;
}

PictureLayoutResult PlacePicture(const PictureLayoutInput& input, CaptionPlacement* caption,
                                 const CaptionLayouter& layOut)
{
    PictureLayoutResult result = {};
    const RECT& inner = input.inner;
    const int w = input.picture.cx;
    const int h = input.picture.cy;
    const bool hasCaption = !IsRectEmpty(&caption->area);
    const BYTE align = input.pictureAlignment;
    const bool marqueeHorizontal = MarqueeMoves(input.marqueeStyle) && !VerticalMarquee(input.marqueeDirection);
    RECT& picture = result.picture;

    if (input.autoSize && !hasCaption) {
        picture = inner;
        InflateRect(&picture, -1, -1);
        return result;
    }
    if (Width(inner) < w && (align == 9 || align == 10) && !input.metafile) {
        picture = PlaceBox(inner, input.picture, 7);
        SetRectEmpty(&caption->area);
        SetRectEmpty(&caption->textBox);
        return result;
    }
    if (align <= 8) {
        picture = PlaceBox(inner, input.picture, align);
        return result;
    }

    if (input.metafile) {
        // A metafile takes the room beside the caption, unless the caption already sits on that side.
        if (!hasCaption || ((align == 9 || align == 10) && marqueeHorizontal)) {
            picture = inner;
            return result;
        }
        const BYTE a = input.alignment;
        const bool occupied = (align == 9 && a <= 2) || (align == 10 && a >= 3 && a <= 5) ||
                              (align == 11 && IsTopAlignment(a)) || (align == 12 && IsBottomAlignment(a));
        if (occupied)
            return result;
        picture = inner;
        const RECT& area = caption->area;
        if (align == 9)
            picture.right = area.left - 2;
        else if (align == 10)
            picture.left = area.right + 2;
        else if (align == 11)
            picture.bottom = area.top - 2;
        else
            picture.top = area.bottom + 2;
        if (IsRectEmpty(&picture))
            SetRectEmpty(&picture);
        return result;
    }

    if (align == 9 || align == 10) {
        const bool left = align == 9;
        const bool noRoom = left ? caption->area.left - w - 2 < inner.left : caption->area.right + w + 2 > inner.right;
        if (!hasCaption || noRoom || marqueeHorizontal) {
            RECT area = inner;
            if (left) {
                picture.left = inner.left;
                area.left += 2 + w;
            } else {
                picture.left = inner.right - w;
                area.right -= 2 + w;
            }
            if (hasCaption) {
                *caption = layOut(area);
                result.captionLaidOutAgain = true;
            }
        } else {
            picture.left = left ? caption->area.left - 2 - w : caption->area.right + 2;
        }
        picture.right = picture.left + w;
        const RECT& beside = IsRectEmpty(&caption->area) ? inner : caption->area;
        if (IsTopAlignment(input.alignment))
            picture.top = beside.top;
        else if (IsBottomAlignment(input.alignment))
            picture.top = beside.bottom - h;
        else
            picture.top = beside.top + (Height(beside) - h) / 2;
        picture.bottom = picture.top + h;
        return result;
    }

    // 11 above the caption, 12 below it.
    const bool above = align == 11;
    const bool noRoom = above ? caption->area.top - h - 2 < inner.top : caption->area.bottom + h + 2 > inner.bottom;
    if (!hasCaption || noRoom) {
        RECT area = inner;
        if (above) {
            picture.top = inner.top;
            area.top += 2 + h;
        } else {
            picture.top = inner.bottom - h;
            area.bottom -= 2 + h;
        }
        if (hasCaption) {
            *caption = layOut(area);
            result.captionLaidOutAgain = true;
        }
    } else {
        picture.top = above ? caption->area.top - 2 - h : caption->area.bottom + 2;
    }
    picture.bottom = picture.top + h;
    const RECT& across = IsRectEmpty(&caption->area) ? inner : caption->area;
    picture.left = across.left + (Width(across) - w + 1) / 2;
    picture.right = picture.left + w;
    return result;
}

} // namespace plyx
