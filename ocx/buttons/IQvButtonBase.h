// The button base: what the two push buttons share between the common control base and the
// controls themselves. It keeps the button properties and their persistence, the down, disabled and
// down-and-disabled pictures, the pressed and raised state the mouse and keys drive, the layout of
// picture and caption, the border looks, the focus and default drawing, and AutoSize. The controls
// fill the virtual operations below (what a release does, whether the button is down).
//
// The class keeps the name of the interface it implements, so it lives in the library's namespace
// beside the generated interface declarations.
#pragma once
#include "ButtonLayout.h"
#include "ButtonStateBlock.h"
#include "IQvBase.h"
#include "PictureHolder.h"

namespace plyx {

class IQvButtonBase : public IQvBase {
public:
    // button state bits
    static constexpr BYTE StateDrawnUp = 0x01;
    static constexpr BYTE StateHighlighted = 0x02;
    static constexpr BYTE StateResizing = 0x04;
    static constexpr BYTE StateTracking = 0x08;
    static constexpr BYTE StateMetafilePicture = 0x10;

    // The button's DISPIDs.
    static constexpr DISPID DispidValue = 47;
    static constexpr DISPID DispidAlignment = 7;
    static constexpr DISPID DispidBevelWidth = 13;
    static constexpr DISPID DispidRoundedCorners = 16;
    static constexpr DISPID DispidOutline = 17;
    static constexpr DISPID DispidClick = 22;
    static constexpr DISPID DispidPictureDn = 27;
    static constexpr DISPID DispidPictureDisabled = 28;
    static constexpr DISPID DispidPictureAlignment = 40;
    static constexpr DISPID DispidButtonStyle = 51;
    static constexpr DISPID DispidPictureDisabledFrames = 52;
    static constexpr DISPID DispidPictureDnFrames = 53;
    static constexpr DISPID DispidPictureDnDisabled = 57;
    static constexpr DISPID DispidPictureDnDisabledFrames = 58;

    // command: a command button (its borders, focus and pictures differ from a ribbon's).
    IQvButtonBase(IUnknown* outer, int row, IDispatch* dispatchInterface, DWORD stockEventMask, bool command);
    ~IQvButtonBase() override;

    // ---- Framework hooks ----
    BOOL InitializeNewState() override;
    HRESULT LoadBinaryState(IStream* stream) override;
    HRESULT SaveBinaryState(IStream* stream) override;
    HRESULT LoadTextState(IPropertyBag* bag, IErrorLog* errorLog) override;
    HRESULT SaveTextState(IPropertyBag* bag, BOOL saveAll) override;
    HRESULT OnDraw(DWORD aspect, HDC dc, const RECT* bounds, const RECT* metafileBounds, HDC targetDC,
                   BOOL optimise) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnSetExtent(SIZEL* pixels) override;
    BOOL OnGetPalette(HDC targetDC, LOGPALETTE** palette) override;
    BOOL BeforeCreateWindow(DWORD* style, DWORD* extendedStyle, char* title) override;
    BOOL AfterCreateWindow() override;
    BOOL GetPredefinedStrings(DISPID dispid, CALPOLESTR* strings, CADWORD* cookies) override;
    BOOL GetPredefinedValue(DISPID dispid, DWORD cookie, VARIANT* value) override;
    HRESULT MapPropertyToCategory(DISPID dispid, PROPCAT* category) override;
    int GetFrameCount() const override;
    bool HasAnimatedPicture() const override;
    BOOL MouseEnter(short button, short shift, LONG x, LONG y) override;
    void MouseExit(short button, short shift, LONG x, LONG y) override;
    void PaintAnimationFrame() override;
    void PaintMarqueeStep() override;
    // A caption measured in the old font would be drawn clipped to its old size.
    void CaptionFontChanged() override { layoutWanted_ = true; }

    // ---- Operations the controls fill ----
    // The mouse button (or the key) was released: a ribbon toggles, a command button clicks.
    virtual void OnClickRelease() = 0;
    // The mouse button (or the key) went down on the control.
    virtual void OnPress();
    virtual bool IsCommandButton() const { return command_; }
    // The ribbon's effect on a down picture it has no own picture for (Constants_PictureDnChange).
    virtual short GetPictureDnChange() const { return 0; }
    // The button's Value: down (a ribbon) or held (a command button).
    virtual bool IsDown() const { return false; }

    // ---- Members of the button interface ----
    STDMETHOD(get_Alignment)(Constants_Alignment* value);
    STDMETHOD(put_Alignment)(Constants_Alignment value);
    STDMETHOD(get_AutoSize)(Constants_AutoSizeButton* value);
    STDMETHOD(put_AutoSize)(Constants_AutoSizeButton value);
    STDMETHOD(get_BevelWidth)(short* value);
    STDMETHOD(put_BevelWidth)(short value);
    STDMETHOD(get_ButtonStyle)(Constants_ButtonStyle* value);
    STDMETHOD(put_ButtonStyle)(Constants_ButtonStyle value);
    STDMETHOD(get_Outline)(VARIANT_BOOL* value);
    STDMETHOD(put_Outline)(VARIANT_BOOL value);
    STDMETHOD(get_PictureAlignment)(Constants_Alignment* value);
    STDMETHOD(put_PictureAlignment)(Constants_Alignment value);
    STDMETHOD(get_PictureDisabled)(IPictureDisp** value);
    STDMETHOD(put_PictureDisabled)(IPictureDisp* value);
    STDMETHOD(putref_PictureDisabled)(IPictureDisp* value);
    STDMETHOD(get_PictureDisabledFrames)(short* value);
    STDMETHOD(put_PictureDisabledFrames)(short value);
    STDMETHOD(get_PictureDn)(IPictureDisp** value);
    STDMETHOD(put_PictureDn)(IPictureDisp* value);
    STDMETHOD(putref_PictureDn)(IPictureDisp* value);
    STDMETHOD(get_PictureDnFrames)(short* value);
    STDMETHOD(put_PictureDnFrames)(short value);
    STDMETHOD(get_RoundedCorners)(VARIANT_BOOL* value);
    STDMETHOD(put_RoundedCorners)(VARIANT_BOOL value);

    // ---- State for the controls and their tests ----
    const ButtonStateBlock& ButtonState() const { return button_; }
    BYTE DrawState() const { return drawState_; }
    BYTE Look() const { return look_; }
    bool DrawnUp() const { return (drawState_ & StateDrawnUp) != 0; }
    bool Tracking() const { return (drawState_ & StateTracking) != 0; }
    const RECT& CaptionArea() const { return captionArea_; }
    const RECT& CaptionTextBox() const { return textBox_; }
    const RECT& PictureRectangle() { return PictureRect(); }
    // The area picture and caption are laid out in.
    RECT InnerRect();
    // Lays picture and caption out now (as a paint does when a rectangle is empty).
    void LayOut();
    // The picture the button shows in its present state, or null; `frames` gets its frame count.
    IPicture* CurrentPicture(int* frames) const;

protected:
    // The Click event: Value by reference for a ribbon, no arguments for a command button.
    void FireClickEvent();
    // Drawn down (pressed) or up, with or without the highlight.
    void SetDrawnUp(bool up);
    void SetHighlighted(bool on);
    void SetTracking(bool on);
    // The mouse capture is given back and tracking ends.
    void StopTracking();
    // True when the cursor lies over the control.
    bool CursorInside();
    // The mouse came onto the button or left it: the highlight, and while the button is held, the
    // pressed look follow.
    void ButtonMouseEnter();
    void ButtonMouseExit();
    // While the button is held, a mouse move across its edge enters or leaves it.
    void TrackPressedMouse();
    // The DISPID-checked puts of the shared picture rules, used also by the ribbon's third picture.
    HRESULT PutButtonPicture(PictureHolder& holder, BYTE presentFlag, DISPID dispid, DISPID framesDispid,
                             IPictureDisp* value);
    using FrameCount = WORD ButtonStateBlock::*;
    HRESULT PutFrames(FrameCount field, BYTE presentFlag, short value, DISPID dispid);
    HRESULT GetButtonPicture(const PictureHolder& holder, BYTE presentFlag, IPictureDisp** value) const;
    PictureHolder& PictureDnDisabledHolder() { return pictureDnDisabled_; }
    ButtonStateBlock& MutableButtonState() { return button_; }

private:
    ButtonFrame Frame();
    // The container's DisplayAsDefault ambient as the last paint read it (a command button only).
    bool DisplayAsDefault();
    void ReadDisplayAsDefault();
    bool Focused();
    // AutoSize 2: the size the pictures ask for, or false when it does not apply.
    bool ButtonToPictureSize(SIZEL* size);
    // Applies AutoSize 2; true when the control was resized.
    bool ApplyAutoSize();
    CaptionPlacement LayOutCaptionIn(const RECT& area);
    UINT CaptionFlags() const;
    void ApplyLoadedLook();
    // The paint steps.
    void PaintPicture(HDC dc, const RECT& inner, bool designMode);
    void PaintCaption(HDC dc, bool designMode);
    void PaintFocus(HDC dc, const RECT& inner);
    void PaintBorders(HDC dc, RECT paint, bool designMode, bool focused, bool isDefault);
    HRESULT PutFlag(BYTE flag, VARIANT_BOOL value, DISPID dispid);

    bool command_;
    ButtonStateBlock button_ = {};
    BYTE drawState_ = StateDrawnUp;
    BYTE look_ = 2;
    PictureHolder pictureDn_;
    PictureHolder pictureDisabled_;
    PictureHolder pictureDnDisabled_;
    RECT captionArea_ = {};
    RECT textBox_ = {};
    bool layoutWanted_ = true;
    bool displayAsDefault_ = false;
};

} // namespace plyx
