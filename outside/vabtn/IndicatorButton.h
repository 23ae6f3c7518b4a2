// BtnLib.vaBtn: an indicator on a raised button face. Lit (DISPID 50) lights its lamp in LitColor
// (DISPID 8, an OLE colour; red until set); unlit, the lamp is dark. It fires no events.
#pragma once

#include "BtnLib.h"
#include "ControlObject.h"

namespace korvane::vabtn {

class IndicatorButton final : public kit::ControlObject, public IvaBtn {
public:
    static kit::ControlObject* Create(const kit::ControlClass& controlClass);

    KORVANE_KIT_FORWARD_UNKNOWN_AND_DISPATCH

    STDMETHODIMP get_Lit(VARIANT_BOOL* lit) override;
    STDMETHODIMP put_Lit(VARIANT_BOOL lit) override;
    STDMETHODIMP get_LitColor(OLE_COLOR* color) override;
    STDMETHODIMP put_LitColor(OLE_COLOR color) override;

private:
    using kit::ControlObject::ControlObject;

    IDispatch* DualInterface() override { return static_cast<IvaBtn*>(this); }
    void SetDefaults() override;
    void Paint(HDC dc, const RECT& client) override;

    bool lit_ = false;
    OLE_COLOR litColor_ = RGB(255, 0, 0);
};

} // namespace korvane::vabtn
