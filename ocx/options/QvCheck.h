// The 3D check box: an unchecked, checked or (with TripleState) grayed Value shown by a glyph beside
// the caption. A click toggles it; every change of the value, by the user or by the host, fires
// Click inside the change.
#pragma once
#include "IQvOptionBase.h"
#include "IQvOptionBaseMembers.h"

#pragma pack(push, 1)
// The check box's block as a stream holds it.
struct CheckStateBlock {
    // flags
    static constexpr BYTE TripleState = 0x01;

    BYTE value;  // 0 unchecked, 1 checked, 2 grayed
    BYTE flags;
};
#pragma pack(pop)
static_assert(sizeof(CheckStateBlock) == 2, "the check box block is stored as 2 bytes");

class QvCheck final : public plyx::IQvOptionBase, public ::IQvCheck {
public:
    explicit QvCheck(IUnknown* outer);

    DECLARE_DELEGATING_UNKNOWN()
    DECLARE_AUTOMATION_DISPATCH(plyx::IQvOptionBase)
    DECLARE_QVOPTIONBASE_MEMBERS(CheckBox)

    STDMETHOD(get_BoundValue)(long* value) override;
    STDMETHOD(put_BoundValue)(long value) override;
    STDMETHOD(get__Value)(long* value) override;
    STDMETHOD(put__Value)(long value) override;
    STDMETHOD(get_Value)(Constants_CheckBoxValue* value) override;
    STDMETHOD(put_Value)(Constants_CheckBoxValue value) override;
    STDMETHOD(get_TripleState)(VARIANT_BOOL* value) override;
    STDMETHOD(put_TripleState)(VARIANT_BOOL value) override;

    HRESULT InternalQueryInterface(REFIID riid, void** object) override;
    BOOL InitializeNewState() override;
    HRESULT LoadBinaryState(IStream* stream) override;
    HRESULT SaveBinaryState(IStream* stream) override;
    HRESULT LoadTextState(IPropertyBag* bag, IErrorLog* errorLog) override;
    HRESULT SaveTextState(IPropertyBag* bag, BOOL saveAll) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void ReleasePress() override;
    void DrawGlyph(HDC dc, const RECT& rect) override;
    void OnEnabledMnemonic() override;

    const CheckStateBlock& CheckState() const { return block_; }

private:
    bool TripleStateOn() const { return (block_.flags & CheckStateBlock::TripleState) != 0; }
    // The value as the host reads it.
    long ReadValue();
    HRESULT SetValue(long value);

    CheckStateBlock block_ = {};
};
