#include "OptionLayout.h"

namespace plyx {

namespace {

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

bool Vertical(BYTE direction) { return direction == 2 || direction == 3; }

// The text's box as DrawText measures it inside `area`.
SIZE MeasureText(HDC dc, const char* text, const RECT& area, UINT flags)
{
    RECT box = area;
    DrawTextA(dc, text, -1, &box, flags | DT_CALCRECT);
    return {Width(box), Height(box)};
}

void CentreVertically(RECT* rect, const RECT& within, int height)
{
    rect->top = within.top + (Height(within) - height) / 2;
    rect->bottom = rect->top + height;
}

// Places the picture of width `width` between left and left + width.
void PlacePicture(RECT* picture, int left, int width)
{
    picture->left = left;
    picture->right = left + width;
}

} // namespace

UINT OptionCaptionFlags(bool movingMarquee, BYTE marqueeDirection, BYTE captionStyle)
{
    if (movingMarquee)
        return Vertical(marqueeDirection) ? DT_WORDBREAK : DT_SINGLELINE;
    switch (captionStyle) {
    case 0:
        return DT_SINGLELINE | DT_CENTER;
    case 1:
        return DT_WORDBREAK;
    default:
        return DT_SINGLELINE | DT_VCENTER | DT_CENTER;
    }
}

OptionLayoutResult LayOutOption(HDC dc, const OptionLayoutRequest& request)
{
    const RECT& client = request.client;
    OptionLayoutResult result = {};
    RECT words = client;
    InflateRect(&words, -1, -1);
    result.picture = client;
    result.content = client;
    result.glyph = client;

    const int glyphWidth = request.glyph.cx;
    const bool glyphLeft = request.alignment != GlyphRightTextLeft;
    if (glyphLeft) {
        result.glyph.right = client.left + glyphWidth;
        words.left = result.content.left = result.picture.left = client.left + glyphWidth + OptionPartGap;
    } else {
        result.glyph.left = client.right - glyphWidth;
        words.right = result.content.right = result.picture.right = client.right - glyphWidth - OptionPartGap;
    }
    CentreVertically(&result.glyph, client, request.glyph.cy);

    const bool hasCaption = request.caption != nullptr && request.caption[0] != '\0';
    if (!request.hasPicture) {
        SetRectEmpty(&result.picture);
    } else if (!request.scaledPicture) {
        const int pictureWidth = request.picture.cx;
        if (Width(result.content) < pictureWidth) {
            // No room for a caption: the picture is centred over the space and stands alone.
            PlacePicture(&result.picture,
                         result.content.left + (Width(result.content) - pictureWidth) / 2, pictureWidth);
            CentreVertically(&result.picture, client, request.picture.cy);
            return result;
        }
        int captionWidth = 0;
        if (hasCaption) {
            SIZE measured = MeasureText(dc, request.caption, words, request.captionFlags);
            if (request.movingMarquee) {
                if (Vertical(request.marqueeDirection))
                    measured.cy = Height(words);
                else
                    measured.cx = Width(words);
            }
            captionWidth = measured.cx;
        }
        BYTE placement = request.pictureAlignment;
        // A caption that moves may not run over a picture beyond it: the picture goes to the edge.
        if (request.movingMarquee && ((glyphLeft && placement == PictureRightOfCaption) ||
                                      (!glyphLeft && placement == PictureLeftOfCaption)))
            placement = PictureJustified;
        if (glyphLeft) {
            const int edge = result.glyph.right;
            if (placement == PictureLeftOfCaption) {
                PlacePicture(&result.picture, edge + OptionPartGap, pictureWidth);
                words.left = result.picture.right + OptionPartGap;
                words.right = client.right;
            } else if (placement == PictureRightOfCaption &&
                       captionWidth + edge + pictureWidth + 1 < client.right - OptionPartGap) {
                words.left = edge + OptionPartGap;
                words.right = words.left + captionWidth + 1;
                PlacePicture(&result.picture, words.right + OptionPartGap, pictureWidth);
            } else {
                PlacePicture(&result.picture, client.right - OptionPartGap - pictureWidth, pictureWidth);
                words.left = edge + OptionPartGap;
                words.right = result.picture.left - OptionPartGap;
            }
        } else {
            const int edge = result.glyph.left;
            if (placement == PictureLeftOfCaption &&
                captionWidth + client.left + pictureWidth + 1 < edge - OptionPartGap) {
                words.right = edge - OptionPartGap;
                words.left = words.right - (captionWidth + 1);
                PlacePicture(&result.picture, words.left - OptionPartGap - pictureWidth, pictureWidth);
            } else if (placement == PictureRightOfCaption) {
                PlacePicture(&result.picture, edge - OptionPartGap - pictureWidth, pictureWidth);
                words.left = client.left + OptionPartGap;
                words.right = result.picture.left - OptionPartGap;
            } else {
                PlacePicture(&result.picture, client.left + OptionPartGap, pictureWidth);
                words.left = result.picture.right + OptionPartGap;
                words.right = edge - OptionPartGap;
            }
        }
        CentreVertically(&result.picture, client, request.picture.cy);
    }

    InflateRect(&words, -1, -1);
    if (!hasCaption) {
        SetRectEmpty(&result.caption);
        SetRectEmpty(&result.text);
    } else {
        const SIZE measured = MeasureText(dc, request.caption, words, request.captionFlags);
        RECT& text = result.text;
        if (glyphLeft) {
            text.left = words.left;
            text.right = words.left + measured.cx;
        } else {
            text.right = words.right;
            text.left = words.right - measured.cx;
        }
        CentreVertically(&text, words, measured.cy);
        if (request.movingMarquee) {
            result.caption = words;
            if (Vertical(request.marqueeDirection)) {
                if (measured.cx < Width(words)) {
                    result.caption.left = text.left;
                    result.caption.right = text.right;
                }
            } else if (measured.cy < Height(words)) {
                result.caption.top = text.top;
                result.caption.bottom = text.bottom;
            }
        } else if (!IntersectRect(&result.caption, &text, &words)) {
            SetRectEmpty(&result.caption);
        }
    }

    if (request.hasPicture && request.scaledPicture) {
        // A metafile takes whatever room the caption leaves it.
        RECT& caption = result.caption;
        const int captionWidth = Width(caption);
        if (!hasCaption || request.pictureAlignment == PictureJustified || request.movingMarquee) {
            result.picture = words;
        } else if (request.pictureAlignment == PictureRightOfCaption) {
            caption.left = words.left;
            caption.right = words.left + captionWidth;
            result.picture = {caption.right + OptionPartGap, words.top, words.right, words.bottom};
        } else {
            caption.right = words.right;
            caption.left = words.right - captionWidth;
            result.picture = {words.left, words.top, caption.left - OptionPartGap, words.bottom};
        }
        if (hasCaption && !request.movingMarquee)
            result.text = {caption.left, result.text.top, caption.left + Width(result.text), result.text.bottom};
    }
    return result;
}

} // namespace plyx
