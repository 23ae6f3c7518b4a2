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
#include "FontHolder.h"

#include <Plyx.h>

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
    BOOL OnSetExtent(SIZEL* pixels) override;
    BOOL OnGetPalette(HDC targetDC, LOGPALETTE** palette) override;
    BOOL GetPredefinedStrings(DISPID dispid, CALPOLESTR* strings, CADWORD* cookies) override;
    BOOL GetPredefinedValue(DISPID dispid, DWORD cookie, VARIANT* value) override;
    HRESULT MapPropertyToCategory(DISPID dispid, PROPCAT* category) override;

    // ---- Hooks added by this level ----
    virtual void PaintMarqueeStep() {}
    virtual void PaintAnimationFrame() {}
    virtual bool IsTransparent() const { return block_.backStyle == 1; }
    virtual int GetFrameCount() const { return block_.pictureFrames == 0 ? 1 : block_.pictureFrames; }
    virtual bool HasAnimatedPicture() const;

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

    // Redraws the control (or the part `rect` of it).
    void Repaint(const RECT* rect);

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

    // Puts of the simple byte-wide enumerations: range, equality, store, notify.
    HRESULT PutByte(BYTE* field, long value, long highest, DISPID dispid);
    HRESULT PutCount(WORD* field, short value, short lowest, DISPID dispid);
    HRESULT PutColor(DWORD* field, OLE_COLOR value, DISPID dispid, bool redraw);
    // The Enabled, PictureAnimationEnabled and PictureUseMask bits: only False onto False is no change.
    HRESULT PutFlag(BYTE flag, VARIANT_BOOL value, DISPID dispid);
    HRESULT GetFlag(BYTE flag, VARIANT_BOOL* value) const;
    // Font members: read from or applied to the font, which then counts as the control's own.
    HRESULT FontChanged(HRESULT hr, DISPID dispid);
    HRESULT TakeFont(IFontDisp* font);
    HRESULT SetPictureOf(ComReference<IPicture>& holder, IPictureDisp* picture);
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

    SupportErrorInfoPart supportErrorInfo_;
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
    ControlInstanceNode* listNode_ = nullptr;
};

} // namespace plyx
