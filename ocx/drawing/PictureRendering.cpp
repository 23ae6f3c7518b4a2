#include "PictureRendering.h"

#include "ColorScheme.h"
#include "GdiScopes.h"
#include "MaskedBitmap.h"
#include "PictureHolder.h"
#include "UnitConversions.h"

#include <optional>

namespace {
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);
// Raster operations without a name in the headers: (NOT source) OR target, and source OR target.
constexpr DWORD MergePaint = 0x00BB0226;
constexpr DWORD SourcePaint = 0x00EE0086;

template <class Handle>
Handle HandleOf(OLE_HANDLE handle)
{
    return reinterpret_cast<Handle>(static_cast<UINT_PTR>(handle));
}

// Clips a context to one rectangle (within any clip region it has) and puts its old clip region
// back at the end.
class ClipToRect {
public:
    ClipToRect(HDC dc, const RECT& logical) : dc_(dc), old_(CreateRectRgn(0, 0, 0, 0))
    {
        if (!old_)
            return;
        hadRegion_ = GetClipRgn(dc_, old_.Get()) == 1;
        RECT device = logical;
        LPtoDP(dc_, reinterpret_cast<POINT*>(&device), 2);
        GdiObject<HRGN> clip(CreateRectRgnIndirect(&device));
        if (!clip)
            return;
        if (hadRegion_)
            CombineRgn(clip.Get(), clip.Get(), old_.Get(), RGN_AND);
        // The context keeps a copy of the region; ours is deleted here.
        active_ = SelectClipRgn(dc_, clip.Get()) != ERROR;
    }
    ~ClipToRect()
    {
        if (active_)
            SelectClipRgn(dc_, hadRegion_ ? old_.Get() : nullptr);
    }
    ClipToRect(const ClipToRect&) = delete;
    ClipToRect& operator=(const ClipToRect&) = delete;

private:
    HDC dc_;
    GdiObject<HRGN> old_;
    bool hadRegion_ = false;
    bool active_ = false;
};

struct Placement {
    int x, y, w, h;
};

// Every second pixel of (x, y, w, h) turns white; with a mask colour, pixels of that colour in the
// frame are left alone.
void DitherArea(HDC dc, const Placement& at, HDC frameDc, int frameX, int frameWidth, int frameHeight,
                BOOL transparent, COLORREF maskColor)
{
    GdiObject<HBITMAP> pattern(CreateDitherBitmap());
    if (!pattern)
        return;
    GdiObject<HBRUSH> patternBrush(CreatePatternBrush(pattern.Get()));
    GdiObject<HBITMAP> mono(CreateBitmap(at.w, at.h, 1, 1, nullptr));
    MemoryDc monoDc(dc);
    if (!patternBrush || !mono || !monoDc)
        return;
    SelectedObject monoBitmap(monoDc.Get(), mono.Get());
    {
        SelectedObject brush(monoDc.Get(), patternBrush.Get());
        PatBlt(monoDc.Get(), 0, 0, at.w, at.h, PATCOPY);
    }
    if (transparent) {
        GdiObject<HBITMAP> color(CreateCompatibleBitmap(dc, at.w, at.h));
        MemoryDc colorDc(dc);
        if (!color || !colorDc)
            return;
        SelectedObject colorBitmap(colorDc.Get(), color.Get());
        SetStretchBltMode(colorDc.Get(), COLORONCOLOR);
        StretchBlt(colorDc.Get(), 0, 0, at.w, at.h, frameDc, frameX, 0, frameWidth, frameHeight, SRCCOPY);
        SetBkColor(colorDc.Get(), maskColor);
        BitBlt(monoDc.Get(), 0, 0, at.w, at.h, colorDc.Get(), 0, 0, SourcePaint);
    }
    // Monochrome 0 bits arrive as the text colour and 1 bits as the background colour.
    const COLORREF oldText = SetTextColor(dc, Black);
    const COLORREF oldBack = SetBkColor(dc, White);
    BitBlt(dc, at.x, at.y, at.w, at.h, monoDc.Get(), 0, 0, MergePaint);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
}

void RenderBitmap(HDC dc, IPicture* picture, const RECT* cellRect, Placement at, BOOL useDestRect,
                  BOOL transparent, OLE_COLOR maskColor, int effect, int frameIndex, int frameCount)
{
    OLE_HANDLE bitmapHandle = 0;
    OLE_HANDLE paletteHandle = 0;
    if (FAILED(picture->get_Handle(&bitmapHandle)) || bitmapHandle == 0)
        return;
    if (FAILED(picture->get_hPal(&paletteHandle)))
        paletteHandle = 0;
    HBITMAP bitmap = HandleOf<HBITMAP>(bitmapHandle);
    HPALETTE palette = HandleOf<HPALETTE>(paletteHandle);
    BITMAP description;
    if (GetObjectA(bitmap, sizeof(description), &description) == 0)
        return;
    SelectedPalette selectedPalette(dc, palette);

    const int frameWidth = description.bmWidth / frameCount;
    const int frameHeight = description.bmHeight;
    if (frameWidth <= 0 || frameHeight <= 0)
        return;
    if (!useDestRect) {
        at.w = frameWidth;
        at.h = frameHeight;
    }
    // A frame beyond the strip would read outside the bitmap: the index wraps round the strip.
    const int frame = ((frameIndex % frameCount) + frameCount) % frameCount;
    const int frameX = frame * frameWidth;
    const COLORREF mask = OleColorToColorRef(maskColor);

    MemoryDc frameDc(dc);
    if (!frameDc)
        return;
    if (transparent) {
        MaskedBitmap masked(bitmap, palette);
        masked.Draw(dc, at.x, at.y, at.w, at.h, frameX, 0, frameWidth, frameHeight, mask, nullptr, nullptr,
                    effect == InvertedPicture);
    } else {
        SelectedObject frameBitmap(frameDc.Get(), bitmap);
        SelectedPalette framePalette(frameDc.Get(), palette);
        // A shrunk picture keeps its colours: the target's stretch mode may be one that blends pixels
        // into black.
        const int previousMode = SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, at.x, at.y, at.w, at.h, frameDc.Get(), frameX, 0, frameWidth, frameHeight, SRCCOPY);
        if (previousMode != 0)
            SetStretchBltMode(dc, previousMode);
        if (effect == InvertedPicture)
            InvertRect(dc, cellRect);
    }
    if (effect == DitheredPicture) {
        SelectedObject frameBitmap(frameDc.Get(), bitmap);
        SelectedPalette framePalette(frameDc.Get(), palette);
        DitherArea(dc, at, frameDc.Get(), frameX, frameWidth, frameHeight, transparent, mask);
    }
}

void RenderMetafile(HDC dc, HMETAFILE metafile, const Placement& at)
{
    SavedDcState saved(dc);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetViewportExtEx(dc, at.w, at.h, nullptr);
    OffsetViewportOrgEx(dc, at.x, at.y, nullptr);
    PlayMetaFile(dc, metafile);
}

void RenderEnhancedMetafile(HDC dc, HENHMETAFILE metafile, const Placement& at)
{
    // The enhanced metafile scales itself into the rectangle it is played into; the context's own
    // mapping is left as it is.
    SavedDcState saved(dc);
    const RECT target = {at.x, at.y, at.x + at.w, at.y + at.h};
    PlayEnhMetaFile(dc, metafile, &target);
}
} // namespace

HBITMAP CreateDitherBitmap()
{
    // Rows of a monochrome bitmap are whole 16-bit words; the checkerboard alternates 0x55 and 0xAA.
    static const WORD rows[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
    return CreateBitmap(8, 8, 1, 1, rows);
}

void RenderPicture(HDC dc, IPicture* picture, const RECT* cellRect, const RECT* destRect, int offset,
                   BOOL useDestRect, BOOL clipToDestRect, BOOL transparent, OLE_COLOR maskColor,
                   int effect, int frameIndex, int frameCount)
{
    if (dc == nullptr || picture == nullptr || cellRect == nullptr)
        return;
    if ((useDestRect || clipToDestRect) && destRect == nullptr)
        return;
    SHORT type = 0;
    if (FAILED(picture->get_Type(&type)) || type <= 0)
        return;
    if (frameCount < 1)
        frameCount = 1;
    const RECT& target = useDestRect ? *destRect : *cellRect;
    const Placement at = {target.left + offset, target.top + offset, target.right - target.left,
                          target.bottom - target.top};

    std::optional<ClipToRect> clip;
    if (clipToDestRect)
        clip.emplace(dc, *destRect);

    OLE_HANDLE handle = 0;
    switch (type) {
    case BitmapPicture:
        RenderBitmap(dc, picture, cellRect, at, useDestRect, transparent, maskColor, effect, frameIndex,
                     frameCount);
        break;
    case MetafilePicture:
        if (SUCCEEDED(picture->get_Handle(&handle)) && handle != 0)
            RenderMetafile(dc, HandleOf<HMETAFILE>(handle), at);
        break;
    case EnhancedMetafilePicture:
        if (SUCCEEDED(picture->get_Handle(&handle)) && handle != 0)
            RenderEnhancedMetafile(dc, HandleOf<HENHMETAFILE>(handle), at);
        break;
    case IconPicture:
        if (SUCCEEDED(picture->get_Handle(&handle)) && handle != 0)
            DrawIconEx(dc, at.x, at.y, HandleOf<HICON>(handle), at.w, at.h, 0, nullptr, DI_NORMAL);
        break;
    default:
        break;
    }
}

void TilePicture(HDC dc, IPicture* picture, const RECT* areaRect, const RECT* updateRect, int width,
                 int height, BOOL transparent, OLE_COLOR maskColor)
{
    if (dc == nullptr || picture == nullptr || areaRect == nullptr || updateRect == nullptr)
        return;
    RECT visible;
    if (!IntersectRect(&visible, areaRect, updateRect))
        return;
    SHORT type = 0;
    if (FAILED(picture->get_Type(&type)))
        return;
    SIZE tile = {0, 0};
    switch (type) {
    case BitmapPicture: {
        OLE_XSIZE_HIMETRIC himetricWidth = 0;
        OLE_YSIZE_HIMETRIC himetricHeight = 0;
        if (FAILED(picture->get_Width(&himetricWidth)) || FAILED(picture->get_Height(&himetricHeight)))
            return;
        tile = {HimetricToPixelsX(himetricWidth), HimetricToPixelsY(himetricHeight)};
        break;
    }
    case MetafilePicture:
        if (width != 0 && height != 0)
            tile = {width, height};
        else
            tile = {areaRect->right - areaRect->left, areaRect->bottom - areaRect->top};
        break;
    case IconPicture:
        tile = {GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
        break;
    default:
        return;
    }
    // A tile of no size would never advance.
    if (tile.cx < 1 || tile.cy < 1)
        return;
    // Neighbouring tiles overlap by one pixel.
    const int stepX = tile.cx == 1 ? 1 : tile.cx - 1;
    const int stepY = tile.cy == 1 ? 1 : tile.cy - 1;
    const int areaWidth = areaRect->right - areaRect->left;
    const int areaHeight = areaRect->bottom - areaRect->top;
    const int columns = (areaWidth + stepX - 1) / stepX;
    const int rows = (areaHeight + stepY - 1) / stepY;

    SavedDcState saved(dc);
    IntersectClipRect(dc, visible.left, visible.top, visible.right, visible.bottom);
    for (int row = 0; row < rows; ++row) {
        const int top = areaRect->top + row * stepY;
        if (top >= updateRect->bottom || top + tile.cy <= updateRect->top)
            continue;
        for (int column = 0; column < columns; ++column) {
            const int left = areaRect->left + column * stepX;
            const RECT cell = {left, top, left + tile.cx, top + tile.cy};
            RECT meets;
            if (!IntersectRect(&meets, &cell, updateRect))
                continue;
            RenderPicture(dc, picture, &cell, &cell, 0, FALSE, FALSE, transparent, maskColor,
                          PlainPicture, 0, 1);
        }
    }
}
