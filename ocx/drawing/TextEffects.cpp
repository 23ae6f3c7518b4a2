#include "TextEffects.h"

#include "ColorScheme.h"
#include "GdiScopes.h"

#include <algorithm>
#include <iterator>

namespace {
// DrawText flags of the nine alignments.
constexpr UINT AlignmentFlags[] = {
    0,                          // left top
    DT_VCENTER,                 // left middle
    DT_BOTTOM,                  // left bottom
    DT_RIGHT,                   // right top
    DT_RIGHT | DT_VCENTER,      // right middle
    DT_RIGHT | DT_BOTTOM,       // right bottom
    DT_CENTER,                  // centre top
    DT_CENTER | DT_VCENTER,     // centre middle
    DT_CENTER | DT_BOTTOM,      // centre bottom
};

bool IsCaptionAlignment(int alignment)
{
    return alignment >= 0 && alignment < static_cast<int>(std::size(AlignmentFlags));
}

enum class Horizontal { Left, Right, Centre };
enum class Vertical { Top, Middle, Bottom };
struct Placement {
    Horizontal horizontal;
    Vertical vertical;
};
constexpr Placement Placements[] = {
    {Horizontal::Left, Vertical::Top},    {Horizontal::Left, Vertical::Middle},
    {Horizontal::Left, Vertical::Bottom}, {Horizontal::Right, Vertical::Top},
    {Horizontal::Right, Vertical::Middle}, {Horizontal::Right, Vertical::Bottom},
    {Horizontal::Centre, Vertical::Top},  {Horizontal::Centre, Vertical::Middle},
    {Horizontal::Centre, Vertical::Bottom},
};

// Which colour one pass of an effect draws in, and where.
enum class Ink { Text, Dark, Light };
struct Pass {
    Ink ink;
    int offset;  // pixels right and down; DropShadow stands for the font's shadow offset
};
constexpr int DropShadow = -1;
struct EffectPasses {
    int count;
    Pass passes[3];
};
// The passes of each Constants_Font3D value, in drawing order.
constexpr EffectPasses Effects[] = {
    {1, {{Ink::Text, 0}}},                                    // none
    {2, {{Ink::Light, 0}, {Ink::Text, 1}}},                   // raised light
    {3, {{Ink::Light, 0}, {Ink::Dark, 2}, {Ink::Text, 1}}},   // raised heavy
    {2, {{Ink::Light, 1}, {Ink::Text, 0}}},                   // inset light
    {3, {{Ink::Dark, 0}, {Ink::Light, 2}, {Ink::Text, 1}}},   // inset heavy
    {2, {{Ink::Dark, DropShadow}, {Ink::Text, 0}}},           // drop shadow
};

struct GrayTextContext {
    const char* text;
    HFONT font;
    UINT flags;
    int width;
    int height;
};

// GrayString draws into a context of its own: select the font there and draw the text in the
// box's own coordinates.
BOOL CALLBACK DrawGrayText(HDC dc, LPARAM data, int)
{
    const GrayTextContext* context = reinterpret_cast<const GrayTextContext*>(data);
    SelectedObject font(dc, context->font);
    RECT box = {0, 0, context->width, context->height};
    DrawTextA(dc, context->text, -1, &box, context->flags);
    return TRUE;
}
} // namespace

RECT* InsetRectSides(RECT* rect, int amount, BOOL left, BOOL top, BOOL right, BOOL bottom)
{
    if (left)
        rect->left += amount;
    if (top)
        rect->top += amount;
    if (right)
        rect->right -= amount;
    if (bottom)
        rect->bottom -= amount;
    return rect;
}

RECT* PlaceTextRect(RECT* rect, int width, int height, int alignment)
{
    if (!IsCaptionAlignment(alignment))
        return rect;
    const Placement& placement = Placements[alignment];
    switch (placement.horizontal) {
    case Horizontal::Left:
        rect->right = rect->left + width;
        break;
    case Horizontal::Right:
        rect->left = rect->right - width;
        break;
    case Horizontal::Centre:
        rect->left = rect->left + (rect->right - rect->left) / 2 - width / 2;
        rect->right = rect->left + width;
        break;
    }
    switch (placement.vertical) {
    case Vertical::Top:
        rect->bottom = rect->top + height;
        break;
    case Vertical::Middle:
        rect->top = rect->top + (rect->bottom - rect->top) / 2 - height / 2;
        rect->bottom = rect->top + height;
        break;
    case Vertical::Bottom:
        rect->top = rect->bottom - height;
        break;
    }
    return rect;
}

UINT AlignmentTextFlags(int alignment)
{
    if (IsCaptionAlignment(alignment))
        return AlignmentFlags[alignment];
    return static_cast<UINT>(static_cast<unsigned short>(alignment));
}

int DropShadowOffset(HDC dc)
{
    TEXTMETRICA metrics;
    if (!GetTextMetricsA(dc, &metrics))
        return 1;
    int dotsPerInch = GetDeviceCaps(dc, LOGPIXELSY);
    if (dotsPerInch <= 0)
        dotsPerInch = 96;
    const int points = MulDiv(metrics.tmHeight - metrics.tmInternalLeading, 72, dotsPerInch);
    return std::max(1, (points + 7) / 10);
}

int Draw3DText(TextEffectRequest* request)
{
    if (request == nullptr || request->text == nullptr)
        return 0;
    HDC dc = request->dc;
    SelectedObject font(dc, request->font);

    const UINT flags = AlignmentTextFlags(request->alignment);
    RECT box = {request->left, request->top, request->right, request->bottom};
    RECT measured = box;
    DrawTextA(dc, request->text, -1, &measured, flags | DT_CALCRECT);
    PlaceTextRect(&box, measured.right - measured.left, measured.bottom - measured.top,
                  request->alignment);
    request->left = box.left;
    request->top = box.top;
    request->right = box.right;
    request->bottom = box.bottom;

    const COLORREF oldTextColor = GetTextColor(dc);
    const COLORREF oldBackColor = GetBkColor(dc);
    const int oldMode = GetBkMode(dc);
    if (request->opaque) {
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, OleColorToColorRef(request->backColor));
    } else {
        SetBkMode(dc, TRANSPARENT);
    }

    // An effect outside Constants_Font3D draws plain text.
    const short effect =
        request->effect >= 0 && request->effect < static_cast<short>(std::size(Effects))
            ? request->effect
            : static_cast<short>(qvNoneFont3D);
    if (effect == qvNoneFont3D && request->disabled) {
        GrayTextContext context = {request->text, request->font, flags, box.right - box.left,
                                   box.bottom - box.top};
        GrayStringA(dc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), DrawGrayText,
                    reinterpret_cast<LPARAM>(&context), 0, box.left, box.top, context.width,
                    context.height);
    } else {
        const EffectPasses& passes = Effects[effect];
        for (int i = 0; i < passes.count; ++i) {
            const Pass& pass = passes.passes[i];
            const COLORREF color = pass.ink == Ink::Text   ? request->textColor
                                   : pass.ink == Ink::Dark ? request->darkColor
                                                           : request->lightColor;
            const int offset = pass.offset == DropShadow ? DropShadowOffset(dc) : pass.offset;
            RECT moved = box;
            OffsetRect(&moved, offset, offset);
            SetTextColor(dc, color);
            DrawTextA(dc, request->text, -1, &moved, flags);
            SetBkMode(dc, TRANSPARENT);
        }
    }

    SetTextColor(dc, oldTextColor);
    SetBkColor(dc, oldBackColor);
    const int restored = SetBkMode(dc, oldMode);
    font.Restore();
    return restored;
}
