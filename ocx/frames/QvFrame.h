// The 3D group frame: an etched or raised border around the controls placed in it, with the caption
// (and a picture beside it) set into the top or bottom line, which is interrupted behind them.
#pragma once
#include "IQvFrameBase.h"
#include "IQvFrameBaseMembers.h"

namespace plyx {

#pragma pack(push, 1)
struct FrameBlock {
    BYTE alignment;         // Constants_AlignFrameText, 0..5
    BYTE pictureAlignment;  // 0 left of the caption, 1 right of it
    BYTE shadowStyle;       // FrameShadowStyle
};
#pragma pack(pop)
static_assert(sizeof(FrameBlock) == 3, "the frame's own level is stored as 3 bytes");

// Where the frame's caption, its text and its picture lie, and the gap in the border line.
struct FrameLayout {
    RECT caption;
    RECT text;
    RECT picture;
    LONG gapStart;
    LONG gapEnd;
};

class QvFrame : public plyx::IQvFrameBase, public ::IQvFrame {
public:
    explicit QvFrame(IUnknown* outer);

    DECLARE_DELEGATING_UNKNOWN()
    DECLARE_AUTOMATION_DISPATCH(plyx::IQvFrameBase)
    DECLARE_QVFRAMEBASE_MEMBERS(plyx::IQvFrameBase)

    // ---- Framework hooks ----
    HRESULT InternalQueryInterface(REFIID riid, void** object) override;
    BOOL InitializeNewState() override;
    HRESULT LoadBinaryState(IStream* stream) override;
    HRESULT SaveBinaryState(IStream* stream) override;
    HRESULT LoadTextState(IPropertyBag* bag, IErrorLog* errorLog) override;
    HRESULT SaveTextState(IPropertyBag* bag, BOOL saveAll) override;
    HRESULT OnDraw(DWORD aspect, HDC dc, const RECT* bounds, const RECT* metafileBounds, HDC targetDC,
                   BOOL optimise) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL RegisterClassData() override;
    HRESULT MapPropertyToCategory(DISPID dispid, PROPCAT* category) override;
    BOOL GetPredefinedStrings(DISPID dispid, CALPOLESTR* strings, CADWORD* cookies) override;
    BOOL GetPredefinedValue(DISPID dispid, DWORD cookie, VARIANT* value) override;
    void PaintMarqueeStep() override;
    void PaintAnimationFrame() override;

    // ---- Own members ----
    STDMETHOD(get_Caption)(BSTR* value) override { return plyx::IQvBase::get_Caption(value); }
    STDMETHOD(put_Caption)(BSTR value) override { return plyx::IQvBase::put_Caption(value); }
    STDMETHOD(get__Caption)(BSTR* value) override;
    STDMETHOD(put__Caption)(BSTR value) override;
    STDMETHOD(get_Alignment)(Constants_AlignFrameText* value) override;
    STDMETHOD(put_Alignment)(Constants_AlignFrameText value) override;
    STDMETHOD(get_ShadowColor)(Constants_ShadowColor* value) override;
    STDMETHOD(put_ShadowColor)(Constants_ShadowColor value) override;
    STDMETHOD(get_ShadowStyle)(Constants_ShadowStyle* value) override;
    STDMETHOD(put_ShadowStyle)(Constants_ShadowStyle value) override;
    STDMETHOD(get_PictureAlignment)(Constants_PictureAlignment* value) override;
    STDMETHOD(put_PictureAlignment)(Constants_PictureAlignment value) override;

    const FrameBlock& OwnState() const { return block_; }
    // The layout of the last paint.
    const FrameLayout& Layout() const { return layout_; }

private:
    bool CaptionAtBottom() const { return block_.alignment >= 3; }
    CaptionLines Lines() const;
    // What a change of the frame's own members lays out anew.
    enum class Relayout { Caption, PictureAndCaption, Border };
    HRESULT PutOwnByte(BYTE* field, long value, long highest, DISPID dispid, Relayout relayout);
    // Places caption, picture and gap inside the caption line's rectangle `line`.
    void LayOut(HDC dc, const RECT& line);
    void PlaceCaption(HDC dc, const RECT& line, bool pictureBeside);

    FrameBlock block_ = {};
    FrameLayout layout_ = {};
};

} // namespace plyx
