// The 3D panel: outer and inner bevels with a border between them, an optional outline with rounded
// corners, a caption and a picture in nine positions (or beside the caption), the flood bar that
// fills the interior by a percentage, and sizing itself to its caption or its one contained control
// to its interior.
#pragma once
#include "IQvFrameBase.h"
#include "IQvFrameBaseMembers.h"

namespace plyx {

#pragma pack(push, 1)
struct PanelBlock {
    SHORT bevelWidth;
    SHORT borderWidth;
    BYTE bevelOuter;
    BYTE bevelInner;
    SHORT roundedCorners;
    SHORT outline;
    BYTE floodType;
    BYTE reserved1;
    SHORT floodPercent;
    SHORT floodShowPct;
    BYTE autoSize;
    BYTE alignment;
    BYTE pictureAlignment;
    BYTE floodFillStyle;
    DWORD floodColor;
    BYTE shadowColor;
    BYTE reserved2[3];
};
#pragma pack(pop)
static_assert(sizeof(PanelBlock) == 28, "the panel's own level is stored as 28 bytes");

// Constants_AutoSizePanel.
enum PanelAutoSize : BYTE {
    NoAutoSize = 0,
    WidthToCaption = 1,
    HeightToCaption = 2,
    ChildToPanel = 3,
};

class QvPanel : public plyx::IQvFrameBase, public ::IQvPanel {
public:
    explicit QvPanel(IUnknown* outer);

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
    STDMETHOD(get_BevelWidth)(short* value) override;
    STDMETHOD(put_BevelWidth)(short value) override;
    STDMETHOD(get_BorderWidth)(short* value) override;
    STDMETHOD(put_BorderWidth)(short value) override;
    STDMETHOD(get_BevelOuter)(Constants_Bevel* value) override;
    STDMETHOD(put_BevelOuter)(Constants_Bevel value) override;
    STDMETHOD(get_BevelInner)(Constants_Bevel* value) override;
    STDMETHOD(put_BevelInner)(Constants_Bevel value) override;
    STDMETHOD(get_RoundedCorners)(VARIANT_BOOL* value) override;
    STDMETHOD(put_RoundedCorners)(VARIANT_BOOL value) override;
    STDMETHOD(get_Outline)(VARIANT_BOOL* value) override;
    STDMETHOD(put_Outline)(VARIANT_BOOL value) override;
    STDMETHOD(get_FloodType)(Constants_FloodType* value) override;
    STDMETHOD(put_FloodType)(Constants_FloodType value) override;
    STDMETHOD(get_FloodColor)(OLE_COLOR* value) override;
    STDMETHOD(put_FloodColor)(OLE_COLOR value) override;
    STDMETHOD(get_FloodPercent)(short* value) override;
    STDMETHOD(put_FloodPercent)(short value) override;
    STDMETHOD(get_FloodShowPct)(VARIANT_BOOL* value) override;
    STDMETHOD(put_FloodShowPct)(VARIANT_BOOL value) override;
    STDMETHOD(get__Caption)(BSTR* value) override;
    STDMETHOD(put__Caption)(BSTR value) override;
    STDMETHOD(get_Alignment)(Constants_Alignment* value) override;
    STDMETHOD(put_Alignment)(Constants_Alignment value) override;
    STDMETHOD(get_ShadowColor)(Constants_ShadowColor* value) override;
    STDMETHOD(put_ShadowColor)(Constants_ShadowColor value) override;
    STDMETHOD(get_AutoSize)(Constants_AutoSizePanel* value) override;
    STDMETHOD(put_AutoSize)(Constants_AutoSizePanel value) override;
    STDMETHOD(get_PictureAlignment)(Constants_Alignment* value) override;
    STDMETHOD(put_PictureAlignment)(Constants_Alignment value) override;
    STDMETHOD(get_FloodFillStyle)(Constants_FloodFillStyle* value) override;
    STDMETHOD(put_FloodFillStyle)(Constants_FloodFillStyle value) override;

    const PanelBlock& OwnState() const { return block_; }
    // The flood area: the client rectangle inside the outline, the bevels and the border.
    RECT Interior(const RECT& client) const;
    const RECT& CaptionRect() const { return captionRect_; }
    const RECT& PictureRect() const { return pictureRect_; }

    // A member stored in the block with a range of values (described in the panel's table).
    struct RangedMember;

private:
    HRESULT PutRanged(const RangedMember& member, long value);
    HRESULT GetRanged(const RangedMember& member, long* value) const;
    HRESULT PutFlag(SHORT* field, VARIANT_BOOL value, DISPID dispid, bool floodOnly);
    // After a change of a member that the flood bar shows: redrawn at run time while it floods.
    void FloodChanged(DISPID dispid);

    // Caption and picture inside the interior.
    void LayOut(HDC dc, const RECT& interior);
    void PlaceCaption(HDC dc, const RECT& area);
    void PlacePicture(const RECT& interior);
    void DrawFlood(HDC dc, const RECT& interior);

    // Auto-size at paint: the panel to its caption, or its one contained control to its interior.
    void AutoSize(HDC dc, const RECT& bounds);
    void SizeToCaption(HDC dc, const RECT& bounds);
    void SizeChildToInterior(const RECT& bounds);
    void RememberPosition();
    void MoveTo(LONG width, LONG height);
    bool ExtenderAligned();

    PanelBlock block_ = {};
    RECT captionRect_ = {};
    RECT textRect_ = {};
    RECT pictureRect_ = {};
    POINT position_ = {};
    SIZE size_ = {};
    POINT rememberedPosition_ = {};
    bool positionTaken_ = false;
    // A resize of the panel by its own auto-size is under way.
    bool autoSizing_ = false;
};

} // namespace plyx
