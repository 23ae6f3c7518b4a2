// Painting of the check box and the option button: the layout of glyph, picture and caption, then
// background, picture, caption and glyph on the off-screen canvas of the common base.
#include "IQvOptionBase.h"

#include "DibPalettes.h"
#include "GdiScopes.h"
#include "GlyphStrip.h"
#include "OptionCaption.h"
#include "PictureRendering.h"

namespace plyx {

namespace {

constexpr BYTE MarqueeNone = 0;
constexpr BYTE MarqueeBlinking = 3;
// The colour of the built-in option strip that shows what lies under it.
constexpr COLORREF StripTransparentColor = RGB(255, 0, 0);

short TypeOf(IPicture* picture)
{
    short type = PICTYPE_NONE;
    if (picture == nullptr || FAILED(picture->get_Type(&type)))
        return PICTYPE_NONE;
    return type;
}

bool Meets(const RECT& left, const RECT& right)
{
    RECT common;
    return IntersectRect(&common, &left, &right) != FALSE;
}

HFONT FontHandle(IFont* font)
{
    HFONT handle = nullptr;
    if (font == nullptr || FAILED(font->get_hFont(&handle)))
        return nullptr;
    return handle;
}

} // namespace

bool IQvOptionBase::MovingMarquee() const
{
    const BYTE style = CommonState().marqueeStyle;
    return style != MarqueeNone && style != MarqueeBlinking;
}

bool IQvOptionBase::NeedsLayout()
{
    if (DesignMode() || IsRectEmpty(&layout_.glyph) || IsRectEmpty(&layout_.content))
        return true;
    // The common base empties the picture and marquee rectangles when they must be laid out anew.
    if (TypeOf(Picture()) > PICTYPE_NONE && IsRectEmpty(&PictureRect()))
        return true;
    if (Caption().IsEmpty())
        return false;
    return IsRectEmpty(MovingMarquee() ? &MarqueeArea() : &layout_.caption);
}

void IQvOptionBase::LayOut(HDC dc, const RECT& client)
{
    const CommonStateBlock& common = CommonState();
    if (!DesignMode() && GetDeviceCaps(dc, NUMCOLORS) > 0 && graphics_.GetType() == PICTYPE_BITMAP)
        MatchPictureToSystemPalette(dc, &graphics_);

    OptionLayoutRequest request = {};
    request.client = client;
    request.alignment = optionBlock_.alignment;
    request.pictureAlignment = optionBlock_.pictureAlignment;
    request.glyph = {BuiltInGlyphSize, BuiltInGlyphSize};
    if (optionBlock_.flags & OptionStateBlock::GraphicsPresent) {
        const SIZE cell = GetPictureFrameSize(graphics_.Picture(), traits_.glyphFrames);
        if (cell.cx > 0 && cell.cy > 0)
            request.glyph = cell;
    }
    const short pictureType = TypeOf(Picture());
    request.hasPicture = pictureType > PICTYPE_NONE;
    request.scaledPicture = pictureType == PICTYPE_METAFILE || pictureType == PICTYPE_ENHMETAFILE;
    request.picture = GetPictureFrameSize(Picture(), GetFrameCount());
    request.caption = Caption().Text();
    request.movingMarquee = MovingMarquee();
    request.marqueeDirection = common.marqueeDirection;
    request.captionFlags = OptionCaptionFlags(request.movingMarquee, common.marqueeDirection, common.captionStyle);

    SelectedObject font(dc, FontHandle(Font()));
    layout_ = LayOutOption(dc, request);
    laidOutClient_ = client;
    PictureRect() = layout_.picture;
    if (request.movingMarquee && !IsRectEmpty(&layout_.caption)) {
        // The caption moves inside its area from where the marquee places it.
        MarqueeArea() = layout_.caption;
        MarqueeText() = layout_.text;
        ResetMarquee();
    } else {
        SetRectEmpty(&MarqueeArea());
        SetRectEmpty(&MarqueeText());
    }
    SetPressFlags(request.scaledPicture ? PressScaledPicture : 0, request.scaledPicture ? 0 : PressScaledPicture);
}

HRESULT IQvOptionBase::OnDraw(DWORD, HDC dc, const RECT* bounds, const RECT*, HDC, BOOL)
{
    if (dc == nullptr || bounds == nullptr)
        return E_INVALIDARG;
    if (GetDeviceCaps(dc, TECHNOLOGY) == DT_METAFILE)
        return DrawToMetafile(dc, bounds);
    HDC canvas = BeginOffscreenPaint(false, dc);
    // A control that moved or changed size is laid out again.
    if (NeedsLayout() || !EqualRect(&laidOutClient_, bounds))
        LayOut(canvas, *bounds);

    RECT update = *bounds;
    RECT clip;
    const int clipKind = GetClipBox(dc, &clip);
    if (clipKind != NULLREGION && clipKind != ERROR)
        IntersectRect(&update, &update, &clip);
    const bool fullPaint = !EqualRect(&update, &layout_.glyph) && !EqualRect(&update, &layout_.picture) &&
                           !EqualRect(&update, &layout_.caption);

    if (!IsTransparent())
        FillBackground(canvas, update);

    const CommonStateBlock& common = CommonState();
    const bool scaled = (pressState_ & PressScaledPicture) != 0;
    if (TypeOf(Picture()) > PICTYPE_NONE && (Meets(update, layout_.picture) || scaled)) {
        RenderPicture(canvas, Picture(), &layout_.picture, &layout_.picture, 0, scaled, FALSE,
                      (common.flags & CommonStateBlock::PictureUseMask) != 0, common.pictureMaskColor, PlainPicture,
                      FrameCounter(), GetFrameCount());
    }
    if (!EqualRect(&update, &layout_.picture)) {
        const bool captionShown = common.marqueeStyle != MarqueeBlinking || (PaintFlags() & PaintMarqueeRestarted);
        if ((captionShown && Meets(update, layout_.caption)) || fullPaint)
            DrawCaption(canvas);
        if (!EqualRect(&update, &layout_.caption))
            DrawGlyph(canvas, layout_.glyph);
    }
    EndOffscreenPaint(false, dc);
    return S_OK;
}

void IQvOptionBase::DrawCaption(HDC dc)
{
    const CommonStateBlock& common = CommonState();
    const bool movingMarquee = MovingMarquee();
    OptionCaptionPaint caption = {};
    caption.text = Caption().Text();
    // A moving caption is drawn where the marquee has taken it.
    caption.textBox = movingMarquee && !IsRectEmpty(&MarqueeText()) ? MarqueeText() : layout_.text;
    caption.clip = layout_.caption;
    caption.flags = OptionCaptionFlags(movingMarquee, common.marqueeDirection, common.captionStyle);
    caption.font = FontHandle(Font());
    caption.effect = common.font3D;
    caption.foreColor = common.foreColor;
    caption.backColor = common.backColor;
    caption.shown = common.marqueeStyle != MarqueeBlinking || (PaintFlags() & PaintMarqueeRestarted);
    caption.disabledLook = !IsEnabled() && !DesignMode();
    caption.focused = (PaintFlags() & PaintHasFocus) != 0;
    DrawOptionCaption(dc, caption);
}

void IQvOptionBase::PaintMarqueeStep()
{
    Repaint(&layout_.caption);
}

void IQvOptionBase::PaintAnimationFrame()
{
    Repaint(&layout_.picture);
}

void IQvOptionBase::DrawGlyphCell(HDC dc, const RECT& rect, int stateOffset, int cells, int valueCell,
                                  bool transparent)
{
    const int cell = stateOffset + valueCell;
    if (cell < 0 || cell >= cells)
        return;
    const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
    if (optionBlock_.flags & OptionStateBlock::GraphicsPresent) {
        RenderPicture(dc, graphics_.Picture(), &rect, &rect, 0, TRUE, FALSE,
                      (optionBlock_.flags & OptionStateBlock::GraphicsUseMask) != 0, optionBlock_.maskColor,
                      PlainPicture, cell, cells);
    } else if (builtInGlyph_.GetType() == PICTYPE_BITMAP) {
        OLE_HANDLE handle = 0;
        if (SUCCEEDED(builtInGlyph_.Picture()->get_Handle(&handle))) {
            HBITMAP colored =
                CreateSystemColoredStrip(dc, reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), nullptr);
            PictureHolder strip;
            if (colored != nullptr && strip.SetBitmap(colored, nullptr, TRUE)) {
                RenderPicture(dc, strip.Picture(), &rect, &rect, 0, TRUE, FALSE, transparent, StripTransparentColor,
                              PlainPicture, cell, cells);
            } else if (colored != nullptr) {
                DeleteObject(colored);
            }
        }
    }
    SetTextColor(dc, text);
}

} // namespace plyx
