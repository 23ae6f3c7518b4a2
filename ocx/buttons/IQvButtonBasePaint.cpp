// The button base's face: the layout of picture and caption, AutoSize, the nine paint steps, and the
// window messages that press and release the button.
#include "IQvButtonBase.h"

#include "ButtonFace.h"
#include "PictureRendering.h"

#include <algorithm>

namespace plyx {

namespace {


// MarqueeStyle 3: the caption blinks in place.
constexpr BYTE BlinkingMarquee = 3;

bool IsMetafileType(short type) { return type == PICTYPE_METAFILE || type == PICTYPE_ENHMETAFILE; }

short TypeOf(IPicture* picture)
{
    short type = PICTYPE_NONE;
    if (picture == nullptr || FAILED(picture->get_Type(&type)))
        return PICTYPE_NONE;
    return type;
}

HFONT FontHandle(IFont* font)
{
    HFONT handle = nullptr;
    if (font != nullptr && FAILED(font->get_hFont(&handle)))
        handle = nullptr;
    return handle;
}

bool IsMetafileDc(HDC dc)
{
    const DWORD kind = GetObjectType(dc);
    return kind == OBJ_METADC || kind == OBJ_ENHMETADC;
}

} // namespace

// ---- Geometry ----

bool IQvButtonBase::DisplayAsDefault()
{
    return displayAsDefault_;
}

void IQvButtonBase::ReadDisplayAsDefault()
{
    VARIANT_BOOL isDefault = VARIANT_FALSE;
    displayAsDefault_ = command_ && GetAmbientProperty(DISPID_AMBIENT_DISPLAYASDEFAULT, VT_BOOL, &isDefault) &&
                        isDefault != VARIANT_FALSE;
}

bool IQvButtonBase::Focused()
{
    return (PaintFlags() & PaintHasFocus) != 0;
}

ButtonFrame IQvButtonBase::Frame()
{
    return ButtonFrame{look_, command_, button_.bevelWidth, (button_.flags & ButtonStateBlock::Outline) != 0,
                       DisplayAsDefault()};
}

RECT IQvButtonBase::InnerRect()
{
    RECT client = {};
    GetClientRectangle(&client);
    return InnerRectangle(client, Frame());
}

bool IQvButtonBase::ButtonToPictureSize(SIZEL* size)
{
    if (button_.autoSize != 2 || !Caption().IsEmpty())
        return false;
    const struct {
        IPicture* picture;
        WORD frames;
    } pictures[] = {
        {(CommonState().flags & CommonStateBlock::PicturePresent) ? Picture() : nullptr, CommonState().pictureFrames},
        {(button_.flags & ButtonStateBlock::PictureDnPresent) ? pictureDn_.Picture() : nullptr, button_.pictureDnFrames},
        {(button_.flags & ButtonStateBlock::PictureDisabledPresent) ? pictureDisabled_.Picture() : nullptr,
         button_.pictureDisabledFrames},
        {(button_.flags & ButtonStateBlock::PictureDnDisabledPresent) ? pictureDnDisabled_.Picture() : nullptr,
         button_.pictureDnDisabledFrames},
    };
    bool found = false;
    SIZE largest = {0, 0};
    for (const auto& entry : pictures) {
        if (entry.picture == nullptr)
            continue;
        const SIZE pixels = GetPictureFrameSize(entry.picture, entry.frames);
        largest.cx = std::max(largest.cx, pixels.cx);
        largest.cy = std::max(largest.cy, pixels.cy);
        found = true;
    }
    if (!found)
        return false;
    const int border = AutoSizeBorderWidth(Frame(), DrawnUp(), Focused() || DisplayAsDefault());
    size->cx = largest.cx + 2 * border;
    size->cy = largest.cy + 2 * border;
    return true;
}

bool IQvButtonBase::ApplyAutoSize()
{
    SIZEL size = {};
    if (!ButtonToPictureSize(&size))
        return false;
    if (size.cx == Extent().cx && size.cy == Extent().cy)
        return false;
    drawState_ |= StateResizing;
    SetControlSize(size);
    SetRectEmpty(&PictureRect());
    drawState_ &= ~StateResizing;
    return true;
}

BOOL IQvButtonBase::OnSetExtent(SIZEL* pixels)
{
    SIZEL size = {};
    if (!(drawState_ & StateResizing) && ButtonToPictureSize(&size) && (pixels->cx != size.cx || pixels->cy != size.cy))
        return FALSE;
    return IQvBase::OnSetExtent(pixels);
}

UINT IQvButtonBase::CaptionFlags() const
{
    const CommonStateBlock& common = CommonState();
    return CaptionTextFlags(
        CaptionFlagsInput{common.marqueeStyle, common.marqueeDirection, common.captionStyle, button_.alignment, !command_});
}

CaptionPlacement IQvButtonBase::LayOutCaptionIn(const RECT& area)
{
    CaptionPlacement placement = {};
    if (Caption().IsEmpty())
        return placement;
    HDC dc = ::GetDC(nullptr);
    RECT measured = area;
    if (dc != nullptr) {
        HGDIOBJ previous = SelectObject(dc, FontHandle(Font()) ? static_cast<HGDIOBJ>(FontHandle(Font()))
                                                               : GetStockObject(DEFAULT_GUI_FONT));
        DrawTextA(dc, Caption().Text(), -1, &measured, CaptionFlags() | DT_CALCRECT);
        SelectObject(dc, previous);
        ::ReleaseDC(nullptr, dc);
    }
    const SIZE size = {measured.right - measured.left, measured.bottom - measured.top};
    return PlaceCaption(area, size, button_.alignment, CommonState().marqueeStyle, CommonState().marqueeDirection);
}

void IQvButtonBase::LayOut()
{
    const RECT inner = InnerRect();
    // A moving caption starts again from the new caption area.
    SetRectEmpty(&MarqueeArea());
    const bool design = DesignMode();
    if (design || !Caption().IsEmpty()) {
        const CaptionPlacement caption = LayOutCaptionIn(inner);
        captionArea_ = caption.area;
        textBox_ = caption.textBox;
    }
    if (Caption().IsEmpty()) {
        SetRectEmpty(&captionArea_);
        SetRectEmpty(&textBox_);
    }
    layoutWanted_ = false;
    int frames = 1;
    IPicture* picture = CurrentPicture(&frames);
    const short type = TypeOf(picture);
    SetRectEmpty(&PictureRect());
    if (picture == nullptr || type == PICTYPE_NONE || type == PICTYPE_UNINITIALIZED)
        return;
    if (IsMetafileType(type))
        drawState_ |= StateMetafilePicture;
    else
        drawState_ &= ~StateMetafilePicture;
    const CommonStateBlock& common = CommonState();
    PictureLayoutInput input = {inner,
                                GetPictureFrameSize(picture, frames),
                                button_.pictureAlignment,
                                button_.alignment,
                                IsMetafileType(type),
                                button_.autoSize != 0,
                                common.marqueeStyle,
                                common.marqueeDirection};
    CaptionPlacement caption = {captionArea_, textBox_};
    const PictureLayoutResult result =
        PlacePicture(input, &caption, [this](const RECT& area) { return LayOutCaptionIn(area); });
    PictureRect() = result.picture;
    captionArea_ = caption.area;
    textBox_ = caption.textBox;
    if (result.captionLaidOutAgain && MarqueeMoves(common.marqueeStyle))
        RestartMarquee(true);
}

// ---- Paint ----

void IQvButtonBase::PaintPicture(HDC dc, const RECT& inner, bool designMode)
{
    int frames = 1;
    IPicture* picture = CurrentPicture(&frames);
    const short type = TypeOf(picture);
    if (picture == nullptr || type == PICTYPE_NONE || type == PICTYPE_UNINITIALIZED)
        return;
    const bool metafile = IsMetafileType(type);
    if (!metafile && IsRectEmpty(&PictureRect()))
        return;
    const bool up = DrawnUp();
    const bool enabled = (CommonState().flags & CommonStateBlock::Enabled) != 0;
    int effect = PlainPicture;
    if (!command_ && !up) {
        const bool ownDownPicture = enabled ? (button_.flags & ButtonStateBlock::PictureDnPresent) != 0
                                            : (button_.flags & ButtonStateBlock::PictureDnDisabledPresent) != 0;
        if (!ownDownPicture)
            effect = GetPictureDnChange();
    }
    const BOOL transparent = (CommonState().flags & CommonStateBlock::PictureUseMask) != 0;
    const OLE_COLOR mask = CommonState().pictureMaskColor;
    const int offset = up ? 0 : 1;
    const int frame = frames > 1 ? static_cast<int>(FrameCounter() % frames) : 0;
    if (metafile) {
        const RECT& over = button_.pictureAlignment >= 9 ? PictureRect() : inner;
        RenderPicture(dc, picture, &over, &over, offset, TRUE, FALSE, transparent, mask, effect, frame, frames);
    } else if (button_.autoSize == 1 && Caption().IsEmpty()) {
        RECT stretched = inner;
        InflateRect(&stretched, -1, -1);
        RenderPicture(dc, picture, &stretched, &stretched, offset, TRUE, FALSE, transparent, mask, effect, frame,
                      frames);
    } else {
        RenderPicture(dc, picture, &PictureRect(), &inner, offset, FALSE, TRUE, transparent, mask, effect, frame,
                      frames);
    }
    (void)designMode;
}

void IQvButtonBase::PaintCaption(HDC dc, bool designMode)
{
    if (Caption().IsEmpty() || IsRectEmpty(&captionArea_))
        return;
    const CommonStateBlock& common = CommonState();
    RECT textBox = textBox_;
    if (!designMode && MarqueeMoves(common.marqueeStyle)) {
        // The marquee moves the text box inside the caption area from where a cycle starts.
        if (IsRectEmpty(&MarqueeArea())) {
            MarqueeArea() = captionArea_;
            MarqueeText() = textBox_;
            ResetMarquee();
        }
        textBox = MarqueeText();
    } else if (!designMode && common.marqueeStyle == BlinkingMarquee && !(PaintFlags() & PaintMarqueeRestarted)) {
        // The hidden phase of a blinking caption.
        return;
    }
    const bool enabled = (common.flags & CommonStateBlock::Enabled) != 0;
    CaptionDrawing caption = {Caption().Text(),
                              captionArea_,
                              textBox,
                              CaptionFlags(),
                              common.font3D,
                              FontHandle(Font()),
                              common.foreColor,
                              common.backColor,
                              !DrawnUp(),
                              !enabled && !designMode};
    DrawButtonCaption(dc, caption);
}

void IQvButtonBase::PaintFocus(HDC dc, const RECT& inner)
{
    RECT focus = inner;
    const int down = DrawnUp() ? 0 : 1;
    if (look_ == LookBeveled && !Caption().IsEmpty() && !IsRectEmpty(&captionArea_)) {
        focus = captionArea_;
        InflateRect(&focus, 1, 1);
        OffsetRect(&focus, down, down);
    } else if (look_ == LookBeveled && Caption().IsEmpty() && button_.autoSize == 0 && !IsRectEmpty(&PictureRect())) {
        focus = PictureRect();
        InflateRect(&focus, 1, 1);
        OffsetRect(&focus, down, down);
    }
    DrawFocusFrame(dc, focus, CommonState().foreColor, CommonState().backColor);
}

void IQvButtonBase::PaintBorders(HDC dc, RECT paint, bool designMode, bool focused, bool isDefault)
{
    BorderDrawing border = {look_,
                            command_,
                            DrawnUp(),
                            (drawState_ & StateHighlighted) != 0,
                            focused,
                            isDefault,
                            designMode,
                            (button_.flags & ButtonStateBlock::Outline) != 0,
                            (button_.flags & ButtonStateBlock::RoundedCorners) != 0,
                            button_.bevelWidth,
                            CommonState().foreColor,
                            CommonState().backColor};
    DrawButtonBorders(dc, paint, border);
}

HRESULT IQvButtonBase::OnDraw(DWORD, HDC dc, const RECT* bounds, const RECT*, HDC, BOOL)
{
    if (dc == nullptr || bounds == nullptr)
        return E_INVALIDARG;
    // A metafile keeps device-independent bitmaps only: the common base draws the control for it.
    if (IsMetafileDc(dc))
        return DrawToMetafile(dc, bounds);
    const bool design = DesignMode();
    const bool direct = false;
    // A command button is drawn as the default button when its container says so; read once a paint.
    const bool wasDefault = displayAsDefault_;
    ReadDisplayAsDefault();
    if (displayAsDefault_ != wasDefault)
        layoutWanted_ = true;
    const bool hasPicture = CurrentPicture(nullptr) != nullptr;
    if (design || layoutWanted_ || (hasPicture && IsRectEmpty(&PictureRect())) ||
        (!Caption().IsEmpty() && IsRectEmpty(&captionArea_))) {
        if (ApplyAutoSize())
            return S_OK;
        LayOut();
    }
    const bool isDefault = DisplayAsDefault();
    const bool focused = Focused() && !design;

    HDC canvas = BeginOffscreenPaint(direct, dc);
    if (!IsTransparent())
        FillBackground(canvas, *bounds);
    const RECT inner = InnerRect();
    PaintPicture(canvas, inner, design);
    PaintCaption(canvas, design);
    if (focused)
        PaintFocus(canvas, inner);
    PaintBorders(canvas, *bounds, design, focused, isDefault);
    EndOffscreenPaint(direct, dc);
    return S_OK;
}

void IQvButtonBase::PaintAnimationFrame()
{
    RECT area = InnerRect();
    if (!(button_.autoSize == 1 && Caption().IsEmpty()) && !IntersectRect(&area, &area, &PictureRect()))
        return;
    Repaint(&area);
}

void IQvButtonBase::PaintMarqueeStep()
{
    RECT area = captionArea_;
    if (IsRectEmpty(&area))
        return;
    if (command_ && look_ == LookBeveled)
        InflateRect(&area, 1, 1);
    Repaint(&area);
}

BOOL IQvButtonBase::OnGetPalette(HDC, LOGPALETTE**)
{
    return FALSE;
}

// ---- Window ----

BOOL IQvButtonBase::BeforeCreateWindow(DWORD* style, DWORD* extendedStyle, char* title)
{
    if (DesignMode() || IsTransparent())
        *extendedStyle |= WS_EX_TRANSPARENT;
    return IQvBase::BeforeCreateWindow(style, extendedStyle, title);
}

BOOL IQvButtonBase::AfterCreateWindow()
{
    if (DesignMode() && ControlWindow() != nullptr)
        SetWindowLongA(ControlWindow(), GWL_STYLE, GetWindowLongA(ControlWindow(), GWL_STYLE) & ~WS_CLIPCHILDREN);
    layoutWanted_ = true;
    return IQvBase::AfterCreateWindow();
}

LRESULT IQvButtonBase::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
        OnPress();
        break;
    case WM_LBUTTONUP:
        OnClickRelease();
        break;
    case WM_MOUSEMOVE:
        TrackPressedMouse();
        break;
    default:
        break;
    }
    const LRESULT result = IQvBase::WindowProc(message, wParam, lParam);
    // A button held by the space key keeps the mouse while it has the focus.
    if (Tracking() && !HasCapture() && HasFocus() && (GetAsyncKeyState(VK_SPACE) & 0x8000))
        SetCapture(TRUE);
    return result;
}

} // namespace plyx
