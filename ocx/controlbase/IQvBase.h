// The common base of the library's controls: the appearance every control shares (3D caption effect,
// colours, back style, caption, font, mouse pointer and icon, picture animation, marquee, tag), its
// persistence in property bags and streams, the list of live controls, and the common handling of
// window messages. The members of the shared dual interface are implemented here; a control class
// inherits its own interface (which extends the shared one) and forwards the shared members with
// DECLARE_QVBASE_MEMBERS.
//
// The class keeps the name of the interface it implements, so it lives in a namespace of its own
// beside the generated interface declarations.
#pragma once
#include "AnsiString.h"
#include "BrowsableControl.h"
#include "ComReference.h"
#include "CommonStateBlock.h"
#include "ControlInstanceList.h"
#include "DragDropManager.h"
#include "FontHolder.h"

#include <Plyx.h>

#include <functional>

namespace plyx {

class IQvBase : public BrowsableControl {
public:
    // paint flags
    static constexpr BYTE PaintedOutsideWmPaint = 0x01;
    static constexpr BYTE PaintHasFocus = 0x02;
    static constexpr BYTE PaintMarqueeRestarted = 0x08;
    static constexpr BYTE PaintPaletteChanged = 0x10;
    static constexpr BYTE PaintMarqueeBeginGuard = 0x20;
    static constexpr BYTE PaintMarqueeEndGuard = 0x40;

    // The MousePointer value of a custom cursor (the MouseIcon).
    static constexpr BYTE CustomMousePointer = 99;
    // The largest delay, frame count and scroll amount a put accepts.
    static constexpr short LargestCount = 32767;

    IQvBase(IUnknown* outer, int row, IDispatch* dispatchInterface, DWORD stockEventMask);
    ~IQvBase() override;

    // ---- Framework hooks ----
    HRESULT InternalQueryInterface(REFIID riid, void** object) override;
    void BeforeDestroy() override;
    BOOL InitializeNewState() override;
    HRESULT LoadBinaryState(IStream* stream) override;
    HRESULT SaveBinaryState(IStream* stream) override;
    HRESULT LoadTextState(IPropertyBag* bag, IErrorLog* errorLog) override;
    HRESULT SaveTextState(IPropertyBag* bag, BOOL saveAll) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void AmbientPropertyChanged(DISPID dispid) override;
    void BeforeDestroyWindow() override;
    HRESULT OnSetClientSite() override;
    BOOL OnSetExtent(SIZEL* pixels) override;
    BOOL OnGetPalette(HDC targetDC, LOGPALETTE** palette) override;
    BOOL GetPredefinedStrings(DISPID dispid, CALPOLESTR* strings, CADWORD* cookies) override;
    BOOL GetPredefinedValue(DISPID dispid, DWORD cookie, VARIANT* value) override;
    HRESULT MapPropertyToCategory(DISPID dispid, PROPCAT* category) override;

    // ---- Hooks added by this level ----
    // Draws the caption at its new marquee position (after a marquee timer step).
    virtual void PaintMarqueeStep() {}
    // Draws the picture's new frame (after a picture timer step).
    virtual void PaintAnimationFrame() {}
    // The mouse came onto the control: fires MouseEnter and starts tracking; false when nothing was
    // done (already tracking, design mode, or another control keeps the tracking). Called on the
    // control's thread with client coordinates.
    virtual BOOL MouseEnter(short button, short shift, LONG x, LONG y);
    // The mouse left the control: stops tracking and fires MouseExit, once per MouseEnter. Always
    // called on the control's thread; a class that draws its hover look overrides it and calls it.
    virtual void MouseExit(short button, short shift, LONG x, LONG y);
    virtual bool IsTransparent() const { return block_.backStyle == 1; }
    virtual int GetFrameCount() const { return block_.pictureFrames == 0 ? 1 : block_.pictureFrames; }
    virtual bool HasAnimatedPicture() const;
    // The caption's font changed (a font member put, a new font, or a change made on the font object
    // itself): a class that keeps its caption measured lays it out again before it next paints.
    virtual void CaptionFontChanged() {}

    // ---- Members of the shared interface ----
    STDMETHOD(get_FontName)(BSTR* value);
    STDMETHOD(put_FontName)(BSTR value);
    STDMETHOD(get_FontSize)(float* value);
    STDMETHOD(put_FontSize)(float value);
    STDMETHOD(get_FontBold)(VARIANT_BOOL* value);
    STDMETHOD(put_FontBold)(VARIANT_BOOL value);
    STDMETHOD(get_FontItalic)(VARIANT_BOOL* value);
    STDMETHOD(put_FontItalic)(VARIANT_BOOL value);
    STDMETHOD(get_FontStrikethru)(VARIANT_BOOL* value);
    STDMETHOD(put_FontStrikethru)(VARIANT_BOOL value);
    STDMETHOD(get_FontUnderline)(VARIANT_BOOL* value);
    STDMETHOD(put_FontUnderline)(VARIANT_BOOL value);
    STDMETHOD(get_Font3D)(Constants_Font3D* value);
    STDMETHOD(put_Font3D)(Constants_Font3D value);
    STDMETHOD(get_CaptionStyle)(Constants_CaptionStyle* value);
    STDMETHOD(put_CaptionStyle)(Constants_CaptionStyle value);
    STDMETHOD(get_PictureAnimationDelay)(short* value);
    STDMETHOD(put_PictureAnimationDelay)(short value);
    STDMETHOD(get_MarqueeDelay)(short* value);
    STDMETHOD(put_MarqueeDelay)(short value);
    STDMETHOD(get_MarqueeDirection)(Constants_MarqueeDirection* value);
    STDMETHOD(put_MarqueeDirection)(Constants_MarqueeDirection value);
    STDMETHOD(get_PictureFrames)(short* value);
    STDMETHOD(put_PictureFrames)(short value);
    STDMETHOD(get_PictureMaskColor)(OLE_COLOR* value);
    STDMETHOD(put_PictureMaskColor)(OLE_COLOR value);
    STDMETHOD(get_PictureUseMask)(VARIANT_BOOL* value);
    STDMETHOD(put_PictureUseMask)(VARIANT_BOOL value);
    STDMETHOD(get_TagVariant)(VARIANT* value);
    STDMETHOD(put_TagVariant)(VARIANT value);
    STDMETHOD(get_MarqueeScrollAmount)(short* value);
    STDMETHOD(put_MarqueeScrollAmount)(short value);
    STDMETHOD(get_PictureAnimationEnabled)(VARIANT_BOOL* value);
    STDMETHOD(put_PictureAnimationEnabled)(VARIANT_BOOL value);
    STDMETHOD(get_MarqueeStyle)(Constants_MarqueeStyle* value);
    STDMETHOD(put_MarqueeStyle)(Constants_MarqueeStyle value);
    STDMETHOD(get_OLEDropMode)(Constants_OLEDrop* value);
    STDMETHOD(put_OLEDropMode)(Constants_OLEDrop value);
    STDMETHOD(OLEDrag)();
    STDMETHOD(get_BackColor)(OLE_COLOR* value);
    STDMETHOD(put_BackColor)(OLE_COLOR value);
    STDMETHOD(get_BackStyle)(Constants_BackStyle* value);
    STDMETHOD(put_BackStyle)(Constants_BackStyle value);
    STDMETHOD(get_Font)(IFontDisp** value);
    STDMETHOD(put_Font)(IFontDisp* value);
    STDMETHOD(putref_Font)(IFontDisp* value);
    STDMETHOD(get_ForeColor)(OLE_COLOR* value);
    STDMETHOD(put_ForeColor)(OLE_COLOR value);
    STDMETHOD(get_Enabled)(VARIANT_BOOL* value);
    STDMETHOD(put_Enabled)(VARIANT_BOOL value);
    STDMETHOD(get_hWnd)(OLE_HANDLE* value);
    STDMETHOD(get_MousePointer)(Constants_MousePointer* value);
    STDMETHOD(put_MousePointer)(Constants_MousePointer value);
    STDMETHOD(get_MouseIcon)(IPictureDisp** value);
    STDMETHOD(put_MouseIcon)(IPictureDisp* value);
    STDMETHOD(putref_MouseIcon)(IPictureDisp* value);
    STDMETHOD(get_Picture)(IPictureDisp** value);
    STDMETHOD(put_Picture)(IPictureDisp* value);
    STDMETHOD(putref_Picture)(IPictureDisp* value);
    STDMETHOD(Refresh)();
    STDMETHOD(AboutBox)();
    STDMETHOD(PlaySoundFile)(VARIANT soundFile);

    // Caption (-518): declared by each control's own interface, implemented here.
    STDMETHOD(get_Caption)(BSTR* value);
    STDMETHOD(put_Caption)(BSTR value);

    // ---- State for the class levels above ----
    const CommonStateBlock& CommonState() const { return block_; }
    const AnsiString& Caption() const { return caption_; }
    IFont* Font() const { return font_.Font(); }
    IPicture* Picture() const { return picture_.Get(); }
    IPicture* MouseIcon() const { return mouseIcon_.Get(); }
    BYTE PaintFlags() const { return paintFlags_; }
    const VARIANT& TagVariant() const { return tag_; }

    // Redraws the control (or the part `rect` of it): with a rectangle at run time at once, into the
    // window's DC (or the container's for a windowless control); otherwise by invalidating.
    void Repaint(const RECT* rect);
    void SetPaintFlag(BYTE flag, bool set);

    // ---- Mouse tracking ----
    // The screen point lies on the control.
    bool IsCursorInside(POINT screenPoint);
    // The control holds the mouse hook.
    bool IsTracking() const;
    // The mouse left at this screen point: MouseExit with the point in the client coordinates of the
    // control window (or of the container window, without one). On the control's thread.
    void ExitAt(POINT screenPoint);

    // ---- Picture and marquee animation ----
    // Starts or stops the picture timer as the properties now ask, and repaints. resetRect empties the
    // picture rectangle (a new layout), resetCounter shows frame 0 again.
    void RestartAnimation(bool resetRect, bool resetCounter);
    // Starts or stops the marquee timer as the style now asks, and repaints; reset lays the caption out
    // anew from the start of a cycle.
    void RestartMarquee(bool reset);
    // Places the caption at the start of a cycle (or where it was, after a new layout). Called by the
    // paint routines once they have laid out MarqueeArea and MarqueeText, and by the marquee step.
    void ResetMarquee();
    // Each fires at most once per timer tick.
    void FireMarqueeCycleBegin();
    void FireMarqueeCycleEnd();
    // One tick of each timer, as its timer procedure runs it.
    void StepPicture();
    void StepMarquee();
    static void CALLBACK PictureTimerProc(HWND window, UINT message, UINT_PTR timer, DWORD time);
    static void CALLBACK MarqueeTimerProc(HWND window, UINT message, UINT_PTR timer, DWORD time);
    UINT_PTR PictureTimer() const { return pictureTimer_; }
    UINT_PTR MarqueeTimer() const { return marqueeTimer_; }
    // The frame shown, 0 .. GetFrameCount() - 1.
    LONG FrameCounter() const { return frameCounter_; }
    // Where the picture was drawn (empty: lay it out again); the area the caption moves in and the
    // caption's rectangle in it (empty: not laid out yet), in the control's client coordinates. The
    // paint routines set them.
    RECT& PictureRect() { return pictureRect_; }
    RECT& MarqueeArea() { return marqueeArea_; }
    RECT& MarqueeText() { return textRect_; }
    // The caption's place in the area after the last step.
    POINT MarqueeOffset() const { return marqueeOffset_; }

    // The OLE drag and drop modes and the drop target of the control window.
    DragDropManager& DragDrop() { return dragDrop_; }

    // ---- Paint scaffolding ----
    BOOL BeforePaint(HDC dc) override;
    // The canvas to draw the paint rectangle on: unless direct, a memory canvas in the target's
    // coordinates holding a copy of what the target shows there.
    HDC BeginOffscreenPaint(bool direct, HDC target);
    // Copies the memory canvas back to the target and lets it go.
    void EndOffscreenPaint(bool direct, HDC target);
    // Fills the rectangle with BackColor.
    void FillBackground(HDC dc, const RECT& rect);
    // The control's rectangle as its paint routine draws it.
    void GetClientRectangle(RECT* rect);
    // Draws the control into a display bitmap of the bounds' size and copies that to the metafile DC
    // as a device-independent bitmap (a metafile keeps no device-dependent bitmap).
    HRESULT DrawToMetafile(HDC dc, const RECT* bounds);
    // The size of one frame of a picture in pixels: icons the system icon size, bitmaps their width
    // divided by the frame count.
    static SIZE GetPictureFrameSize(IPicture* picture, int frames);

protected:
    // A changed value: dirty, the container's sinks told, the control redrawn.
    void PropertyChanged(DISPID dispid, bool redraw = true);
    // error 380
    HRESULT InvalidValue();

private:
    template <class Interface>
    using Part = InterfacePart<Interface, IQvBase>;

    class SupportErrorInfoPart : public Part<ISupportErrorInfo> {
    public:
        using InterfacePart::InterfacePart;
        STDMETHODIMP InterfaceSupportsErrorInfo(REFIID riid) override;
    };

    // The font's change notices: the caption is laid out again, then the control layer hears them.
    class FontSinkPart : public Part<IPropertyNotifySink> {
    public:
        using InterfacePart::InterfacePart;
        STDMETHODIMP OnChanged(DISPID dispid) override;
        STDMETHODIMP OnRequestEdit(DISPID dispid) override;
    };

    // IOleControl as the framework answers it, with the caption's accelerators.
    class OleControlPart : public Part<IOleControl> {
    public:
        using InterfacePart::InterfacePart;
        STDMETHODIMP GetControlInfo(CONTROLINFO* info) override;
        STDMETHODIMP OnMnemonic(MSG* message) override;
        STDMETHODIMP OnAmbientPropertyChange(DISPID dispid) override;
        STDMETHODIMP FreezeEvents(BOOL freeze) override;
    };

    // IOleInPlaceObjectWindowless as the framework answers it; a move drops the cached layout.
    class InPlaceObjectPart : public Part<IOleInPlaceObjectWindowless> {
    public:
        using InterfacePart::InterfacePart;
        STDMETHODIMP GetWindow(HWND* window) override;
        STDMETHODIMP ContextSensitiveHelp(BOOL enterMode) override;
        STDMETHODIMP InPlaceDeactivate() override;
        STDMETHODIMP UIDeactivate() override;
        STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT clip) override;
        STDMETHODIMP ReactivateAndUndo() override;
        STDMETHODIMP OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
        STDMETHODIMP GetDropTarget(IDropTarget** target) override;
    };

    // Puts of the simple byte-wide enumerations: range, equality, store, notify.
    // `changed` runs after a change instead of the plain redraw.
    HRESULT PutByte(BYTE* field, long value, long highest, DISPID dispid, const std::function<void()>& changed = {});
    HRESULT PutCount(WORD* field, short value, short lowest, DISPID dispid,
                     const std::function<void()>& changed = {});
    HRESULT PutColor(DWORD* field, OLE_COLOR value, DISPID dispid, bool redraw);
    // The Enabled, PictureAnimationEnabled and PictureUseMask bits: only False onto False is no change.
    HRESULT PutFlag(BYTE flag, VARIANT_BOOL value, DISPID dispid);
    HRESULT GetFlag(BYTE flag, VARIANT_BOOL* value) const;
    // Font members: read from or applied to the font, which then counts as the control's own.
    HRESULT FontChanged(HRESULT hr, DISPID dispid);
    HRESULT TakeFont(IFontDisp* font);
    // The control's font, made from the ambient font (or the default) when it has none.
    bool EnsureFont();
    void SetFontFromAmbient();
    // After any load: a transparent control counts as the process's first, and the class is opaque
    // exactly when the control is.
    void NoteTransparencySeen();
    // At run time with a window: the cursor for the new MousePointer or MouseIcon at once.
    void ReevaluateCursor();
    void DropUpdateRegion();
    // The font, picture and icon properties of a property bag.
    void LoadObjectsFromBag(IPropertyBag* bag, IErrorLog* errorLog);

    // Mouse tracking (MouseTracking.cpp).
    void MouseMoved(LPARAM lParam);
    // Unhooks and clears the shared word; true for the one caller that found the control tracking.
    bool StopTracking();
    POINT ClientPointOf(POINT screenPoint);
    // Animation timers.
    bool AnimatesNow();
    void KillTimers();
    void RepaintAfterRestart();
    void DropCachedLayout();
    void SelectCachedPalette(HDC target);
    void DropCachedPalette();
    // The end of every load: values checked, modes and flags in step, animation started anew.
    void FinishLoad();
    // The Caption put and WM_SETTEXT.
    HRESULT SetCaption(const AnsiString& text);

    SupportErrorInfoPart supportErrorInfo_;
    OleControlPart oleControl_;
    InPlaceObjectPart inPlaceObject_;
    FontSinkPart fontSink_;
    CommonStateBlock block_ = {};
    AnsiString caption_;
    ComReference<IPicture> mouseIcon_;
    ComReference<IPicture> picture_;
    FontHolder font_;
    VARIANT tag_;
    BYTE paintFlags_ = PaintMarqueeRestarted;
    HDC offscreenDC_ = nullptr;
    HBITMAP offscreenBitmap_ = nullptr;
    HBITMAP replacedBitmap_ = nullptr;
    HRGN updateRegion_ = nullptr;
    HPALETTE cachedPalette_ = nullptr;
    ControlInstanceNode* listNode_ = nullptr;
    DragDropManager dragDrop_;
    // animation
    volatile LONG frameCounter_ = 0;
    UINT_PTR pictureTimer_ = 0;
    UINT_PTR marqueeTimer_ = 0;
    RECT pictureRect_ = {};
    RECT marqueeArea_ = {};
    RECT textRect_ = {};
    POINT marqueeOffset_ = {};
    // tracking: the hook this control holds (null when not tracking) and what the other threads need
    // to reach the control's own thread
    friend class MouseTracking;
    HHOOK volatile mouseHook_ = nullptr;
    class TrackingSession* tracking_ = nullptr;
};

} // namespace plyx
