// The 3D option button: a selected (-1) or not-selected (0) Value shown by a glyph beside the
// caption, with the OptionValue text a container can bind. A release inside, the keyboard focus or
// a mnemonic selects it and fires Click; the button never deselects its siblings, which is the
// container's part (the Value is declared option-exclusive for it).
#pragma once
#include "AnsiString.h"
#include "IQvOptionBase.h"
#include "IQvOptionBaseMembers.h"

// Posted by a button to itself when the focus arrives, so that it selects itself after the focus
// change has finished.
constexpr UINT QVM_SELECTONFOCUS = WM_USER + 0x100;
static_assert(QVM_SELECTONFOCUS == 0x500, "the message the option button posts itself");

class QvOption final : public plyx::IQvOptionBase, public ::IQvOption {
public:
    // The DISPIDs by which the changes of the two texts are announced.
    static constexpr DISPID OptionValueDispid = 47;
    static constexpr DISPID BoundOptionValueDispid = 48;

    explicit QvOption(IUnknown* outer);

    DECLARE_DELEGATING_UNKNOWN()
    DECLARE_AUTOMATION_DISPATCH(plyx::IQvOptionBase)
    DECLARE_QVOPTIONBASE_MEMBERS(OptionBtn)

    STDMETHOD(get_Value)(OLE_OPTEXCLUSIVE* value) override;
    STDMETHOD(put_Value)(OLE_OPTEXCLUSIVE value) override;
    STDMETHOD(get__Value)(OLE_OPTEXCLUSIVE* value) override;
    STDMETHOD(put__Value)(OLE_OPTEXCLUSIVE value) override;

    // The texts, outside the dual interface.
    virtual HRESULT GetOptionValue(BSTR* value);
    // Error 380 for a text longer than a stream can hold.
    virtual HRESULT PutOptionValue(BSTR value);
    virtual HRESULT GetBoundOptionValue(BSTR* value);
    virtual HRESULT PutBoundOptionValue(BSTR value);

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

    SHORT StoredValue() const { return value_; }

private:
    void Select(bool selected);
    // A selected button's text becomes the bound text.
    void FollowSelection();

    SHORT value_ = 0;
    AnsiString optionValue_;
    AnsiString boundOptionValue_;
};
