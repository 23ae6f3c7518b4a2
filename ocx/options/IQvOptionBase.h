// The base of the two state controls, the check box and the option button: the small square glyph
// (a built-in strip or the user's Graphics picture), the layout of glyph, picture and caption, the
// painting, the press and release driven by mouse and space bar, the alignments, and the level of
// persisted state they share. The final classes supply their value, what a release does and which
// glyph cell stands for their state.
#pragma once
#include "IQvBase.h"
#include "OptionLayout.h"
#include "PictureHolder.h"
#include "PropertyTable.h"

namespace plyx {

#pragma pack(push, 1)
// This level's block as a stream holds it.
struct OptionStateBlock {
    // flags
    static constexpr BYTE GraphicsUseMask = 0x01;
    static constexpr BYTE GraphicsPresent = 0x02;

    BYTE alignment;
    BYTE pictureAlignment;
    DWORD maskColor;
    BYTE flags;
};
#pragma pack(pop)
static_assert(sizeof(OptionStateBlock) == 7, "the check/option block is stored as 7 bytes");

// The DISPIDs of the glyph members, which each final class declares under a name of its own.
constexpr DISPID GlyphMaskColorDispid = 41;
constexpr DISPID GlyphUseMaskDispid = 42;
constexpr DISPID GlyphGraphicsDispid = 43;

// A property's category in the property browser.
struct PropertyCategoryRow {
    DISPID dispid;
    PROPCAT category;
};

// What a final class tells its base: the cells its Graphics strip is cut into, the bitmap resource of
// its built-in strip, and the categories of its own properties (asked before the base's).
struct OptionClassTraits {
    BYTE glyphFrames;
    UINT glyphResource;
    const PropertyCategoryRow* categories;
    size_t categoryCount;
};

class IQvOptionBase : public IQvBase {
public:
    // PressState
    static constexpr BYTE PressUp = 0x01;         // drawn released
    static constexpr BYTE PressCaptured = 0x02;   // this control holds the capture for a press
    static constexpr BYTE PressOutside = 0x04;    // the pointer left the control during the press
    static constexpr BYTE PressPressing = 0x08;   // a press is in progress
    static constexpr BYTE PressScaledPicture = 0x10;  // the Picture is a metafile

    IQvOptionBase(IUnknown* outer, int row, IDispatch* dispatchInterface, DWORD stockEventMask,
                  const OptionClassTraits& traits);
    ~IQvOptionBase() override;

    // ---- Framework and common-base hooks ----
    HRESULT InternalQueryInterface(REFIID riid, void** object) override;
    BOOL InitializeNewState() override;
    HRESULT LoadBinaryState(IStream* stream) override;
    HRESULT SaveBinaryState(IStream* stream) override;
    HRESULT LoadTextState(IPropertyBag* bag, IErrorLog* errorLog) override;
    HRESULT SaveTextState(IPropertyBag* bag, BOOL saveAll) override;
    HRESULT OnDraw(DWORD aspect, HDC dc, const RECT* bounds, const RECT* metafileBounds, HDC targetDC,
                   BOOL optimise) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL BeforeCreateWindow(DWORD* style, DWORD* extendedStyle, char* title) override;
    BOOL AfterCreateWindow() override;
    BOOL RegisterClassData() override;
    BOOL OnGetPalette(HDC targetDC, LOGPALETTE** palette) override;
    HRESULT MapPropertyToCategory(DISPID dispid, PROPCAT* category) override;
    void PaintMarqueeStep() override;
    void PaintAnimationFrame() override;
    void CaptionMeasureChanged() override { ForgetLayout(); }

    // ---- Members of the shared interface ----
    STDMETHOD(get_Alignment)(Constants_AlignTo* value);
    STDMETHOD(put_Alignment)(Constants_AlignTo value);
    STDMETHOD(get_PictureAlignment)(Constants_PictureAlignment* value);
    STDMETHOD(put_PictureAlignment)(Constants_PictureAlignment value);
    // The glyph trio, declared by the final classes' interfaces.
    STDMETHOD(get_MaskColor)(OLE_COLOR* value);
    STDMETHOD(put_MaskColor)(OLE_COLOR value);
    STDMETHOD(get_UseMask)(VARIANT_BOOL* value);
    STDMETHOD(put_UseMask)(VARIANT_BOOL value);
    STDMETHOD(get_Graphics)(IPictureDisp** value);
    STDMETHOD(put_Graphics)(IPictureDisp* value);

    // ---- Press protocol ----
    // Mouse down, double click, space down: capture, focus, drawn pressed.
    virtual void Press();
    // Mouse up, space up: what a click does.
    virtual void ReleasePress() = 0;
    // Draws the glyph cell for the control's state into `rect`.
    virtual void DrawGlyph(HDC dc, const RECT& rect) = 0;
    // A mnemonic of an enabled control, after the framework has activated it.
    virtual void OnEnabledMnemonic() = 0;

    // ---- State for the final classes and for tests ----
    const OptionStateBlock& OptionState() const { return optionBlock_; }
    BYTE PressState() const { return pressState_; }
    const OptionLayoutResult& Layout() const { return layout_; }
    bool IsEnabled() const { return (CommonState().flags & CommonStateBlock::Enabled) != 0; }

protected:
    // Draws cell `stateOffset + valueCell` of `cells`: of the Graphics picture when there is one,
    // else of the built-in strip (transparent in red when asked).
    void DrawGlyphCell(HDC dc, const RECT& rect, int stateOffset, int cells, int valueCell, bool transparent);
    // Ends a press for WM_CANCELMODE: no capture, not outside, drawn released.
    void CancelPress();
    // Gives up the capture a press took.
    void EndCapture();
    void SetPressFlags(BYTE set, BYTE clear) { pressState_ = static_cast<BYTE>((pressState_ | set) & ~clear); }
    // Forces the next paint to lay the control out again.
    void ForgetLayout();

private:
    template <class Interface>
    using Part = InterfacePart<Interface, IQvOptionBase>;

    // IOleControl: the framework's, with the control's own mnemonic action after it.
    class MnemonicPart : public Part<IOleControl> {
    public:
        using InterfacePart::InterfacePart;
        STDMETHODIMP GetControlInfo(CONTROLINFO* info) override;
        STDMETHODIMP OnMnemonic(MSG* message) override;
        STDMETHODIMP OnAmbientPropertyChange(DISPID dispid) override;
        STDMETHODIMP FreezeEvents(BOOL freeze) override;

    private:
        // The framework's own IOleControl (a new reference), or null.
        IOleControl* Framework();
    };

    bool MovingMarquee() const;
    bool NeedsLayout();
    void LayOut(HDC dc, const RECT& client);
    void DrawCaption(HDC dc);
    void TrackPressingPointer(LPARAM lParam);
    // Alignments outside their range take their defaults.
    void KeepAlignmentsInRange();
    HRESULT SetGraphics(IPictureDisp* picture);

    MnemonicPart mnemonic_;
    OptionStateBlock optionBlock_ = {};
    PictureHolder graphics_;
    PictureHolder builtInGlyph_;
    OptionLayoutResult layout_ = {};
    RECT laidOutClient_ = {};
    const OptionClassTraits& traits_;
    BYTE pressState_ = PressUp;
};

} // namespace plyx
