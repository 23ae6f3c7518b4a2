#include "TestControl.h"

#include "StrictTestControl.h"

#include "com/Variant.h"

namespace korvane::testcontrol {

namespace {

constexpr UINT_PTR kMarqueeTimer = 1;
constexpr UINT kBlinkMilliseconds = 400;
constexpr short kBlinkingMarquee = 3;

const kit::PersistedProperty kProperties[] = {
    {L"Value", 47, VT_BOOL},
    {L"Caption", -518, VT_BSTR},
    {L"FontSize", 2, VT_R4},
    {L"FontBold", 3, VT_BOOL},
    {L"MarqueeStyle", 60, VT_I2},
};

const kit::ControlClass kTestControlClass = {
    &CLSID_TestControl,
    "Korvane.TestControl",
    "Korvane test control",
    &LIBID_KorvaneTestControlLib,
    1,
    0,
    &IID_ITestControl,
    &DIID_DTestControlEvents,
    "KorvaneTestControlWndClass",
    OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE |
        OLEMISC_SETCLIENTSITEFIRST,
    kProperties,
    sizeof kProperties / sizeof kProperties[0],
    TestControl::Create,
};

const kit::ControlClass kStrictTestControlClass = {
    &CLSID_StrictTestControl,
    "Korvane.StrictTestControl",
    "Korvane strict test control",
    &LIBID_KorvaneTestControlLib,
    1,
    0,
    &IID_ITestControl,
    &DIID_DTestControlEvents,
    "KorvaneStrictTestControlWndClass",
    kTestControlClass.miscStatus,
    kProperties,
    sizeof kProperties / sizeof kProperties[0],
    StrictTestControl::Create,
};

short ShiftState()
{
    return static_cast<short>(((GetKeyState(VK_SHIFT) & 0x8000) ? 1 : 0) | ((GetKeyState(VK_CONTROL) & 0x8000) ? 2 : 0) |
                              ((GetKeyState(VK_MENU) & 0x8000) ? 4 : 0));
}

short ButtonsOf(WPARAM keys)
{
    return static_cast<short>(((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) | ((keys & MK_MBUTTON) ? 4 : 0));
}

} // namespace

kit::ControlObject* TestControl::Create(const kit::ControlClass& controlClass)
{
    return new TestControl(controlClass);
}

void TestControl::SetDefaults()
{
    value_ = false;
    caption_ = L"TestControl";
    fontSize_ = 8.25f;
    fontBold_ = false;
    marqueeStyle_ = 0;
}

STDMETHODIMP TestControl::get_Value(VARIANT_BOOL* value)
{
    return Give(value, BoolOf(value_));
}

STDMETHODIMP TestControl::put_Value(VARIANT_BOOL value)
{
    value_ = value != VARIANT_FALSE;
    PropertyChanged();
    return S_OK;
}

STDMETHODIMP TestControl::get_Caption(BSTR* caption)
{
    if (!caption)
        return E_POINTER;
    *caption = SysAllocStringLen(caption_.data(), static_cast<UINT>(caption_.size()));
    return *caption ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP TestControl::put_Caption(BSTR caption)
{
    caption_.assign(caption ? caption : L"", caption ? SysStringLen(caption) : 0);
    PropertyChanged();
    return S_OK;
}

STDMETHODIMP TestControl::get_FontSize(float* points)
{
    return Give(points, fontSize_);
}

STDMETHODIMP TestControl::put_FontSize(float points)
{
    if (!(points > 0 && points <= 2048))
        return CTL_E_INVALIDPROPERTYVALUE;
    fontSize_ = points;
    PropertyChanged();
    return S_OK;
}

STDMETHODIMP TestControl::get_FontBold(VARIANT_BOOL* bold)
{
    return Give(bold, BoolOf(fontBold_));
}

STDMETHODIMP TestControl::put_FontBold(VARIANT_BOOL bold)
{
    fontBold_ = bold != VARIANT_FALSE;
    PropertyChanged();
    return S_OK;
}

STDMETHODIMP TestControl::get_MarqueeStyle(short* style)
{
    return Give(style, marqueeStyle_);
}

STDMETHODIMP TestControl::put_MarqueeStyle(short style)
{
    if (style < 0 || style > 4)
        return CTL_E_INVALIDPROPERTYVALUE;
    marqueeStyle_ = style;
    RestartMarquee();
    PropertyChanged();
    return S_OK;
}

void TestControl::RestartMarquee()
{
    captionShown_ = true;
    if (!Window())
        return;
    if (marqueeStyle_ == kBlinkingMarquee)
        SetTimer(Window(), kMarqueeTimer, kBlinkMilliseconds, nullptr);
    else
        KillTimer(Window(), kMarqueeTimer);
}

void TestControl::Paint(HDC dc, const RECT& client)
{
    const COLORREF face = value_ ? RGB(0, 0, 128) : RGB(192, 192, 192);
    const COLORREF text = value_ ? RGB(255, 255, 255) : RGB(0, 0, 0);
    HBRUSH brush = CreateSolidBrush(face);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (!captionShown_ || caption_.empty())
        return;
    const int height = -MulDiv(static_cast<int>(fontSize_ * 100 + 50) / 100, GetDeviceCaps(dc, LOGPIXELSY), 72);
    HFONT font = CreateFontW(height, 0, 0, 0, fontBold_ ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial");
    HGDIOBJ previous = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text);
    RECT box = client;
    DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, previous);
    DeleteObject(font);
}

void TestControl::FireMouseEvent(DISPID dispid, WPARAM keys, LPARAM position)
{
    com::Variant arguments[4] = {com::Variant::Int16(ButtonsOf(keys)), com::Variant::Int16(ShiftState()),
                                 com::Variant::Int32(static_cast<short>(LOWORD(position))),
                                 com::Variant::Int32(static_cast<short>(HIWORD(position)))};
    VARIANTARG raw[4] = {arguments[0].Get(), arguments[1].Get(), arguments[2].Get(), arguments[3].Get()};
    FireEvent(dispid, raw, 4);
}

bool TestControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_CREATE:
        RestartMarquee();
        return false;
    case WM_TIMER:
        if (wParam != kMarqueeTimer)
            return false;
        captionShown_ = !captionShown_;
        InvalidateRect(Window(), nullptr, TRUE);
        return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        if (message == WM_LBUTTONDOWN) {
            SetFocus(Window());  // a button takes the focus when pressed
            SetCapture(Window());
        }
        // The button pressed, not the buttons held: MK_ flags of this press.
        const WPARAM pressed = message == WM_LBUTTONDOWN ? MK_LBUTTON : message == WM_RBUTTONDOWN ? MK_RBUTTON : MK_MBUTTON;
        FireMouseEvent(DISPID_MOUSEDOWN, pressed, lParam);
        return true;
    }
    case WM_LBUTTONUP: {
        if (GetCapture() != Window())
            return true;
        ReleaseCapture();
        RECT client;
        GetClientRect(Window(), &client);
        const POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (!PtInRect(&client, at))
            return true;
        // The new value goes to the handlers by reference; what they leave in it is the value taken.
        short newValue = value_ ? 0 : -1;
        VARIANTARG argument;
        argument.vt = VT_I2 | VT_BYREF;
        argument.piVal = &newValue;
        FireEvent(22, &argument, 1);
        put_Value(newValue != 0 ? VARIANT_TRUE : VARIANT_FALSE);
        return true;
    }
    case WM_CHAR: {
        short character = static_cast<short>(wParam & 0xFF);
        VARIANTARG argument;
        argument.vt = VT_I2 | VT_BYREF;
        argument.piVal = &character;
        FireEvent(DISPID_KEYPRESS, &argument, 1);
        if (character != 0) {
            caption_ += static_cast<wchar_t>(static_cast<unsigned char>(character));
            PropertyChanged();
        }
        return true;
    }
    case WM_GETDLGCODE:
        result = DLGC_WANTCHARS;
        return true;
    case WM_MOUSEMOVE:
        if (!mouseInside_) {
            mouseInside_ = true;
            TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, Window(), 0};
            TrackMouseEvent(&track);
            FireMouseEvent(49, wParam, lParam);
        }
        return true;
    case WM_MOUSELEAVE: {
        mouseInside_ = false;
        POINT at;
        GetCursorPos(&at);
        ScreenToClient(Window(), &at);
        FireMouseEvent(50, 0, MAKELPARAM(at.x, at.y));
        return true;
    }
    default:
        return false;
    }
}

} // namespace korvane::testcontrol

namespace korvane::kit {
const ControlClass* const kControlClasses[] = {&testcontrol::kTestControlClass, &testcontrol::kStrictTestControlClass};
const size_t kControlClassCount = sizeof kControlClasses / sizeof kControlClasses[0];
} // namespace korvane::kit
