// The base of the two container-like controls, the frame and the panel: a background picture
// (centred, stretched or tiled, the tiled one kept rendered in a cache), whether the controls placed
// inside are clipped out of the control's window, the shared caption painter, one level of persisted
// state and the window-message rules of a simple frame.
#pragma once
#include "IQvBase.h"
#include "PictureHolder.h"

class ColorScheme;

namespace plyx {

#pragma pack(push, 1)
struct FrameBaseBlock {
    static constexpr BYTE PictureBackgroundPresent = 0x01;
    static constexpr BYTE ClipControls = 0x02;

    BYTE pictureBackgroundStyle;
    BYTE frameFlags;
};
#pragma pack(pop)
static_assert(sizeof(FrameBaseBlock) == 2, "the frame level is stored as 2 bytes");

// Constants_PictureBackgroundStyle.
enum BackgroundStyle : BYTE {
    CenteredBackground = 0,
    StretchedBackground = 1,
    TiledBackground = 2,
};

// Where a caption's lines sit across its box when it is wrapped.
enum class CaptionLines { Left, Right, Centre };

class IQvFrameBase : public IQvBase {
public:
    IQvFrameBase(IUnknown* outer, int row, IDispatch* dispatchInterface, DWORD stockEventMask);
    ~IQvFrameBase() override;

    // ---- Framework hooks ----
    BOOL InitializeNewState() override;
    HRESULT LoadBinaryState(IStream* stream) override;
    HRESULT SaveBinaryState(IStream* stream) override;
    HRESULT LoadTextState(IPropertyBag* bag, IErrorLog* errorLog) override;
    HRESULT SaveTextState(IPropertyBag* bag, BOOL saveAll) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreSimpleFrameMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL BeforeCreateWindow(DWORD* style, DWORD* extendedStyle, char* title) override;
    BOOL AfterCreateWindow() override;
    BOOL OnGetPalette(HDC targetDC, LOGPALETTE** palette) override;
    BOOL OnSetExtent(SIZEL* pixels) override;
    HRESULT MapPropertyToCategory(DISPID dispid, PROPCAT* category) override;

    // ---- Members of the shared frame interface ----
    STDMETHOD(get_PictureBackgroundStyle)(Constants_PictureBackgroundStyle* value);
    STDMETHOD(put_PictureBackgroundStyle)(Constants_PictureBackgroundStyle value);
    STDMETHOD(get_PictureBackground)(IPictureDisp** value);
    STDMETHOD(put_PictureBackground)(IPictureDisp* value);
    STDMETHOD(putref_PictureBackground)(IPictureDisp* value);
    STDMETHOD(get_ClipControls)(VARIANT_BOOL* value);
    STDMETHOD(put_ClipControls)(VARIANT_BOOL value);

    // ---- State for the final classes ----
    const FrameBaseBlock& FrameState() const { return frameBlock_; }
    IPicture* PictureBackground() const { return pictureBackground_.Picture(); }
    bool HasPictureBackground() const;
    bool RedrawGuard() const { return redrawGuard_; }

protected:
    // The caption in `textRect`, clipped to `captionRect`, with the 3D effect, the wrap rule of the
    // caption style and the control's font and colours; greyed when disabled at run time.
    void DrawFrameCaption(HDC dc, ColorScheme& scheme, const RECT& captionRect, RECT* textRect, CaptionLines lines);
    // The DrawText flags of the caption for the given line placement.
    UINT FrameCaptionFlags(CaptionLines lines) const;
    // The caption's extent drawn with `flags` in a box `width` pixels wide, in the control's font.
    SIZE MeasureCaption(HDC dc, LONG width, UINT flags);
    // A marquee that moves the caption (scrolling, sliding, bouncing), and one that moves it sideways.
    bool MarqueeMoves() const;
    bool MarqueeMovesSideways() const;
    // The size of one frame of the control's Picture in pixels; nothing without a picture.
    SIZE PictureFrameSize() const;
    // After a layout at run time: the caption's area and text handed to the marquee, which places the
    // text at the start of its cycle; kept until the marquee is restarted or the control moves.
    void ArmMarquee(const RECT& captionRect, const RECT& textRect);
    // Where the caption's text is drawn now: moved by the marquee, or as laid out; false while a
    // blinking caption is off.
    bool CaptionTextNow(const RECT& textRect, RECT* now);

    // The background of one paint: fills `update` (unless transparent) and draws the background
    // picture into `pictureArea`. A tiled picture is kept rendered in the background cache, which is
    // rebuilt unless the paint is the control's own redraw and the cache exists; the update rectangle
    // is then copied from it.
    void PaintBackground(HDC canvas, const RECT& bounds, const RECT& update, const RECT& pictureArea,
                         bool ownRedraw);
    // The background picture into `area` by PictureBackgroundStyle.
    void DrawBackgroundPicture(HDC dc, const RECT& area);
    // Registers the control's window class: double clicks, the arrow cursor, the framework's window
    // procedure. True when the class exists afterwards.
    static BOOL RegisterFrameWindowClass(const char* name);
    // Drops the rendered tiled background.
    void DiscardBackgroundCache();
    bool HasBackgroundCache() const { return cacheDC_ != nullptr; }

private:
    void SetClipChildren(bool clip);
    bool BackgroundPalette(HPALETTE* palette) const;

    FrameBaseBlock frameBlock_ = {};
    PictureHolder pictureBackground_;
    HDC cacheDC_ = nullptr;
    HBITMAP cacheBitmap_ = nullptr;
    HBITMAP cacheReplaced_ = nullptr;
    bool redrawGuard_ = false;
};

} // namespace plyx
