// What the frame and the panel paint alike: the caption with its 3D effect (or greyed), the
// background picture centred, stretched or tiled, and the cache that keeps a tiled background.
#include "IQvFrameBase.h"

#include "ColorScheme.h"
#include "GdiScopes.h"
#include "PictureRendering.h"
#include "CaptionText.h"

namespace plyx {

namespace {

struct GrayText {
    const char* text;
    UINT flags;
    RECT box;
};

// GrayString's drawing step: the caption with the same flags as the enabled look.
BOOL CALLBACK DrawGrayText(HDC dc, LPARAM data, int)
{
    GrayText* gray = reinterpret_cast<GrayText*>(data);
    RECT box = {0, 0, gray->box.right - gray->box.left, gray->box.bottom - gray->box.top};
    return DrawTextA(dc, gray->text, -1, &box, gray->flags) != 0;
}

} // namespace

bool IQvFrameBase::MarqueeMoves() const
{
    const BYTE style = CommonState().marqueeStyle;
    return style != 0 && style != 3;
}

bool IQvFrameBase::MarqueeMovesSideways() const
{
    return MarqueeMoves() && CommonState().marqueeDirection <= 1;
}

SIZE IQvFrameBase::MeasureCaption(HDC dc, LONG width, UINT flags)
{
    SIZE size = {0, 0};
    if (Caption().IsEmpty())
        return size;
    HFONT font = nullptr;
    if (Font() != nullptr)
        Font()->get_hFont(&font);
    SelectedObject selectedFont(dc, font);
    RECT box = {0, 0, width, 0};
    DrawTextA(dc, Caption().Text(), -1, &box, flags | DT_CALCRECT);
    size.cx = box.right - box.left;
    size.cy = box.bottom - box.top;
    return size;
}

SIZE IQvFrameBase::PictureFrameSize() const
{
    IPicture* picture = Picture();
    short type = NoPicture;
    if (picture == nullptr || FAILED(picture->get_Type(&type)) || type == NoPicture || type == UninitializedPicture)
        return SIZE{0, 0};
    return GetPictureFrameSize(picture, GetFrameCount());
}

void IQvFrameBase::ArmMarquee(const RECT& captionRect, const RECT& textRect)
{
    if (CommonState().marqueeStyle == 0 || DesignMode() || !IsRectEmpty(&MarqueeArea()))
        return;
    MarqueeArea() = captionRect;
    MarqueeText() = textRect;
    ResetMarquee();
}

bool IQvFrameBase::CaptionTextNow(const RECT& textRect, RECT* now)
{
    *now = textRect;
    const BYTE style = CommonState().marqueeStyle;
    if (style == 0 || DesignMode() || IsRectEmpty(&MarqueeArea()))
        return true;
    // Blinking: shown while the marquee's restarted flag is up.
    if (style == 3)
        return (PaintFlags() & PaintMarqueeRestarted) != 0;
    *now = MarqueeText();
    return true;
}

UINT IQvFrameBase::FrameCaptionFlags(CaptionLines lines) const
{
    const CommonStateBlock& state = CommonState();
    UINT flags = 0;
    if (MarqueeMoves())
        flags = state.marqueeDirection <= 1 ? DT_SINGLELINE : DT_WORDBREAK;
    else if (state.captionStyle == 0)
        flags = DT_SINGLELINE;
    else if (state.captionStyle == 1)
        flags = DT_WORDBREAK;
    else
        flags = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
    if (flags == DT_WORDBREAK) {
        if (lines == CaptionLines::Right)
            flags |= DT_RIGHT;
        else if (lines == CaptionLines::Centre)
            flags |= DT_CENTER;
    }
    return flags;
}

void IQvFrameBase::DrawFrameCaption(HDC dc, ColorScheme& scheme, const RECT& captionRect, RECT* textRect,
                                    CaptionLines lines)
{
    if (Caption().IsEmpty() || IsRectEmpty(&captionRect))
        return;
    RECT placed;
    if (!CaptionTextNow(*textRect, &placed))
        return;
    const CommonStateBlock& state = CommonState();
    const UINT flags = FrameCaptionFlags(lines);
    HFONT font = nullptr;
    if (Font() != nullptr)
        Font()->get_hFont(&font);

    SavedDcState saved(dc);
    IntersectClipRect(dc, captionRect.left, captionRect.top, captionRect.right, captionRect.bottom);

    CaptionTextRequest request = {};
    request.dc = dc;
    request.text = Caption().Text();
    request.box = placed;
    request.flags = flags;
    request.font = font;
    request.backColor = state.backColor;
    request.darkColor = scheme.DarkTextColor();
    request.lightColor = scheme.LightTextColor();

    const bool enabled = (state.flags & CommonStateBlock::Enabled) != 0;
    if (enabled || DesignMode()) {
        request.effect = state.font3D;
        request.textColor = OleColorToColorRef(state.foreColor);
        DrawCaptionText(request);
        if (EqualRect(&placed, textRect))
            *textRect = request.box;
        return;
    }
    const COLORREF gray = GetSysColor(COLOR_GRAYTEXT);
    if (gray == 0 || gray == RGB(0xC0, 0xC0, 0xC0)) {
        // A grey the display cannot tell from the face: the system's dithered text.
        SelectedObject selectedFont(dc, font);
        GrayText grayText = {Caption().Text(), flags, placed};
        GrayStringA(dc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), DrawGrayText,
                    reinterpret_cast<LPARAM>(&grayText), 0, placed.left, placed.top, placed.right - placed.left,
                    placed.bottom - placed.top);
        return;
    }
    request.effect = InsetLightCaption;
    request.textColor = gray;
    request.lightColor = RGB(255, 255, 255);
    DrawCaptionText(request);
    if (EqualRect(&placed, textRect))
        *textRect = request.box;
}

void IQvFrameBase::DiscardBackgroundCache()
{
    if (cacheDC_ != nullptr) {
        SelectObject(cacheDC_, cacheReplaced_);
        DeleteDC(cacheDC_);
    }
    if (cacheBitmap_ != nullptr)
        DeleteObject(cacheBitmap_);
    cacheDC_ = nullptr;
    cacheBitmap_ = nullptr;
    cacheReplaced_ = nullptr;
}

void IQvFrameBase::DrawBackgroundPicture(HDC dc, const RECT& area)
{
    if (!HasPictureBackground())
        return;
    IPicture* picture = pictureBackground_.Picture();
    const short type = pictureBackground_.GetType();
    RECT inside = area;
    const int inset = type == IconPicture ? 2 : 1;
    InflateRect(&inside, -inset, -inset);
    if (IsRectEmpty(&inside))
        return;
    HPALETTE palette = nullptr;
    BackgroundPalette(&palette);
    SelectedPalette selectedPalette(dc, palette);

    const CommonStateBlock& state = CommonState();
    const BOOL transparent = (state.flags & CommonStateBlock::PictureUseMask) != 0;
    const bool metafile = type == MetafilePicture || type == EnhancedMetafilePicture;
    switch (frameBlock_.pictureBackgroundStyle) {
    case StretchedBackground:
        RenderPicture(dc, picture, &inside, &inside, 0, TRUE, FALSE, transparent, state.pictureMaskColor,
                      PlainPicture, 0, 1);
        break;
    case TiledBackground:
        TilePicture(dc, picture, &inside, &inside, 0, 0, transparent, state.pictureMaskColor);
        break;
    default: {
        if (metafile) {
            RenderPicture(dc, picture, &inside, &inside, 0, TRUE, TRUE, transparent, state.pictureMaskColor,
                          PlainPicture, 0, 1);
            break;
        }
        const SIZE size = GetPictureFrameSize(picture, 1);
        const LONG pixelWidth = size.cx;
        const LONG pixelHeight = size.cy;
        const LONG left = inside.left + (inside.right - inside.left - pixelWidth) / 2;
        const LONG top = inside.top + (inside.bottom - inside.top - pixelHeight) / 2;
        const RECT cell = {left, top, left + pixelWidth, top + pixelHeight};
        RenderPicture(dc, picture, &cell, &inside, 0, FALSE, TRUE, transparent, state.pictureMaskColor,
                      PlainPicture, 0, 1);
        break;
    }
    }
}

void IQvFrameBase::PaintBackground(HDC canvas, const RECT& bounds, const RECT& update, const RECT& pictureArea,
                                   bool ownRedraw)
{
    if (frameBlock_.pictureBackgroundStyle != TiledBackground || !HasPictureBackground()) {
        if (!IsTransparent())
            FillBackground(canvas, update);
        DrawBackgroundPicture(canvas, pictureArea);
        return;
    }
    if (cacheDC_ == nullptr || !ownRedraw) {
        if (cacheDC_ == nullptr) {
            const int width = bounds.right - bounds.left + 1;
            const int height = bounds.bottom - bounds.top + 1;
            cacheDC_ = CreateCompatibleDC(canvas);
            cacheBitmap_ = cacheDC_ != nullptr ? CreateCompatibleBitmap(canvas, width, height) : nullptr;
            if (cacheBitmap_ == nullptr) {
                DiscardBackgroundCache();
                // Without a cache the background is drawn as the other styles are.
                if (!IsTransparent())
                    FillBackground(canvas, update);
                DrawBackgroundPicture(canvas, pictureArea);
                return;
            }
            cacheReplaced_ = static_cast<HBITMAP>(SelectObject(cacheDC_, cacheBitmap_));
        }
        SetViewportOrgEx(cacheDC_, -bounds.left, -bounds.top, nullptr);
        if (IsTransparent())
            BitBlt(cacheDC_, update.left, update.top, update.right - update.left, update.bottom - update.top, canvas,
                   update.left, update.top, SRCCOPY);
        else
            FillBackground(cacheDC_, update);
        DrawBackgroundPicture(cacheDC_, pictureArea);
    }
    BitBlt(canvas, update.left, update.top, update.right - update.left, update.bottom - update.top, cacheDC_,
           update.left, update.top, SRCCOPY);
}

} // namespace plyx
