// Painting of the check box and the option button: the layout of glyph, picture and caption, then
// background, picture, caption and glyph on the off-screen canvas of the common base.
#include "IQvOptionBase.h"

#include "DibPalettes.h"
#include "GdiScopes.h"
#include "GlyphStrip.h"
#include "OptionCaption.h"
#include "PictureRendering.h"
#include "UnitConversions.h"

namespace plyx {

namespace {

constexpr BYTE MarqueeNone = 0;
constexpr BYTE MarqueeBlinking = 3;
// The colour of the built-in option strip that shows what lies under it.
constexpr COLORREF StripTransparentColor = RGB(255, 0, 0);

// One cell of a picture in pixels: a bitmap's width divided by its cells, an icon at the system's
// icon size, anything else at its own size.
SIZE PictureCellSize(IPicture* picture, int cells)
{
    SIZE size = {0, 0};
    short type = PICTYPE_NONE;
    if (picture == nullptr || FAILED(picture->get_Type(&type)))
        return size;
    if (type == PICTYPE_ICON)
        return {GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
    OLE_HANDLE handle = 0;
    BITMAP shape = {};
    if (type == PICTYPE_BITMAP && SUCCEEDED(picture->get_Handle(&handle)) &&
        GetObjectA(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), sizeof shape, &shape) != 0) {
        size = {shape.bmWidth, shape.bmHeight};
    } else {
        OLE_XSIZE_HIMETRIC width = 0;
        OLE_YSIZE_HIMETRIC height = 0;
        picture->get_Width(&width);
        picture->get_Height(&height);
        size = {HimetricToPixelsX(width), HimetricToPixelsY(height)};
    }
    if (type == PICTYPE_BITMAP && cells > 1)
        size.cx /= cells;
    return size;
}

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

bool IQvOptionBase::NeedsLayout()
{
    if (DesignMode() || IsRectEmpty(&layout_.glyph) || IsRectEmpty(&layout_.content))
        return true;
    if (TypeOf(Picture()) > PICTYPE_NONE && IsRectEmpty(&layout_.picture))
        return true;
    return !Caption().IsEmpty() && IsRectEmpty(&layout_.caption);
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
        const SIZE cell = PictureCellSize(graphics_.Picture(), glyphFrameCount_);
        if (cell.cx > 0 && cell.cy > 0)
            request.glyph = cell;
    }
    const short pictureType = TypeOf(Picture());
    request.hasPicture = pictureType > PICTYPE_NONE;
    request.scaledPicture = pictureType == PICTYPE_METAFILE || pictureType == PICTYPE_ENHMETAFILE;
    request.picture = PictureCellSize(Picture(), GetFrameCount());
    request.caption = Caption().Text();
    request.movingMarquee = common.marqueeStyle != MarqueeNone && common.marqueeStyle != MarqueeBlinking;
    request.marqueeDirection = common.marqueeDirection;
    request.captionFlags = OptionCaptionFlags(request.movingMarquee, common.marqueeDirection, common.captionStyle);

    SelectedObject font(dc, FontHandle(Font()));
    layout_ = LayOutOption(dc, request);
    laidOutClient_ = client;
    SetPressFlags(request.scaledPicture ? PressScaledPicture : 0, request.scaledPicture ? 0 : PressScaledPicture);
}

HRESULT IQvOptionBase::OnDraw(DWORD, HDC dc, const RECT* bounds, const RECT*, HDC, BOOL)
{
    if (dc == nullptr || bounds == nullptr)
        return E_INVALIDARG;
    // A metafile records the drawing as it is made; everywhere else the control is drawn off-screen.
    const bool direct = GetDeviceCaps(dc, TECHNOLOGY) == DT_METAFILE;
    HDC canvas = BeginOffscreenPaint(direct, dc);
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
                      0, GetFrameCount());
    }
    if (!EqualRect(&update, &layout_.picture)) {
        const bool captionShown = common.marqueeStyle != MarqueeBlinking || (PaintFlags() & PaintMarqueeRestarted);
        if ((captionShown && Meets(update, layout_.caption)) || fullPaint)
            DrawCaption(canvas);
        if (!EqualRect(&update, &layout_.caption))
            DrawGlyph(canvas, layout_.glyph);
    }
    EndOffscreenPaint(direct, dc);
    return S_OK;
}

void IQvOptionBase::DrawCaption(HDC dc)
{
    const CommonStateBlock& common = CommonState();
    const bool movingMarquee = common.marqueeStyle != MarqueeNone && common.marqueeStyle != MarqueeBlinking;
    OptionCaptionPaint caption = {};
    caption.text = Caption().Text();
    caption.textBox = layout_.text;
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
