// The test control: Value, Caption, FontSize, FontBold and MarqueeStyle, and the events Click (with the
// new value by reference: the value the handlers leave is the one taken), MouseDown, MouseEnter,
// MouseExit and KeyPress (the character by reference: a character the handlers leave non-zero is added
// to the caption). It paints its caption in a box, dark when Value is True; a blinking marquee (style 3)
// blinks the caption.
#pragma once

#include "ControlObject.h"
#include "TestControlLibrary.h"

#include <string>

namespace korvane::testcontrol {

class TestControl : public kit::ControlObject, public ITestControl {
public:
    static kit::ControlObject* Create(const kit::ControlClass& controlClass);

    KORVANE_KIT_FORWARD_UNKNOWN_AND_DISPATCH

    STDMETHODIMP get_Value(VARIANT_BOOL* value) override;
    STDMETHODIMP put_Value(VARIANT_BOOL value) override;
    STDMETHODIMP get_Caption(BSTR* caption) override;
    STDMETHODIMP put_Caption(BSTR caption) override;
    STDMETHODIMP get_FontSize(float* points) override;
    STDMETHODIMP put_FontSize(float points) override;
    STDMETHODIMP get_FontBold(VARIANT_BOOL* bold) override;
    STDMETHODIMP put_FontBold(VARIANT_BOOL bold) override;
    STDMETHODIMP get_MarqueeStyle(short* style) override;
    STDMETHODIMP put_MarqueeStyle(short style) override;

protected:
    using kit::ControlObject::ControlObject;

private:

    IDispatch* DualInterface() override { return static_cast<ITestControl*>(this); }
    void SetDefaults() override;
    void Paint(HDC dc, const RECT& client) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void FireMouseEvent(DISPID dispid, WPARAM keys, LPARAM position);
    void RestartMarquee();

    bool value_ = false;
    std::wstring caption_;
    float fontSize_ = 8.25f;
    bool fontBold_ = false;
    short marqueeStyle_ = 0;
    bool captionShown_ = true;
    bool mouseInside_ = false;
};

} // namespace korvane::testcontrol
