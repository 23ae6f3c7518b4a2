#include "IndicatorButton.h"

namespace korvane::vabtn {

namespace {

const kit::PersistedProperty kProperties[] = {
    {L"Lit", 50, VT_BOOL},
    {L"LitColor", 8, VT_I4},
};

const kit::ControlClass kIndicatorClass = {
    &CLSID_vaBtn,
    "BtnLib.vaBtn",
    "Indicator button",
    &LIBID_BtnLib,
    1,
    0,
    &IID_IvaBtn,
    &DIID_DvaBtnEvents,
    "vaBtnWndClass",
    OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE |
        OLEMISC_SETCLIENTSITEFIRST,
    kProperties,
    sizeof kProperties / sizeof kProperties[0],
    IndicatorButton::Create,
};

constexpr int kLampInset = 4;
const COLORREF kDarkLamp = RGB(64, 64, 64);

} // namespace

kit::ControlObject* IndicatorButton::Create(const kit::ControlClass& controlClass)
{
    return new IndicatorButton(controlClass);
}

void IndicatorButton::SetDefaults()
{
    lit_ = false;
    litColor_ = RGB(255, 0, 0);
}

STDMETHODIMP IndicatorButton::get_Lit(VARIANT_BOOL* lit)
{
    if (!lit)
        return E_POINTER;
    *lit = lit_ ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP IndicatorButton::put_Lit(VARIANT_BOOL lit)
{
    lit_ = lit != VARIANT_FALSE;
    PropertyChanged();
    return S_OK;
}

STDMETHODIMP IndicatorButton::get_LitColor(OLE_COLOR* color)
{
    if (!color)
        return E_POINTER;
    *color = litColor_;
    return S_OK;
}

STDMETHODIMP IndicatorButton::put_LitColor(OLE_COLOR color)
{
    COLORREF checked = 0;
    if (FAILED(OleTranslateColor(color, nullptr, &checked)))
        return CTL_E_INVALIDPROPERTYVALUE;
    litColor_ = color;
    PropertyChanged();
    return S_OK;
}

void IndicatorButton::Paint(HDC dc, const RECT& client)
{
    RECT face = client;
    FillRect(dc, &face, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &face, EDGE_RAISED, BF_RECT);
    RECT lamp = client;
    InflateRect(&lamp, -kLampInset, -kLampInset);
    if (lamp.right <= lamp.left || lamp.bottom <= lamp.top)
        return;
    COLORREF color = kDarkLamp;
    if (lit_)
        OleTranslateColor(litColor_, nullptr, &color);
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &lamp, brush);
    DeleteObject(brush);
    FrameRect(dc, &lamp, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

} // namespace korvane::vabtn

namespace korvane::kit {
const ControlClass* const kControlClasses[] = {&vabtn::kIndicatorClass};
const size_t kControlClassCount = 1;
} // namespace korvane::kit
