// The indicator as the reset windows use it: hosted by its ProgID, DISPID 50 := True and DISPID 8 :=
// 32768 set late-bound, then lit green on the screen.
#include "ControlContainer.h"
#include "forms/FormDescription.h"
#include "testing/HostWindow.h"

#include <gtest/gtest.h>
#include <ole2.h>

namespace korvane::activex::testing {
namespace {

TEST(IndicatorButton, LightsGreenAfterDispids50And8)
{
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    {
        HostWindow host(200, 100, "Indicator");
        ControlContainer container(host.Handle(), nullptr);
        const auto form = forms::ParseFormDescription(R"(form Form37 {
          activex vaBtn2 {
            progid "BtnLib.vaBtn"
            rect 20 20 40 40
          }
        })");
        ControlSite& indicator = container.Add(form.children.front());
        PumpMessages();
        const COLORREF unlit = CaptureClientArea(host.Handle()).At(40, 40);
        EXPECT_NE(unlit, RGB(0, 128, 0));

        ASSERT_EQ(indicator.SetProperty(50, com::Variant::Bool(true)), S_OK);
        ASSERT_EQ(indicator.SetProperty(8, com::Variant::Int32(32768)), S_OK);
        PumpMessages();
        const Picture picture = CaptureClientArea(host.Handle());
        WritePng("indicator-lit.png", picture);
        EXPECT_EQ(picture.At(40, 40), RGB(0, 128, 0));
        EXPECT_EQ(picture.At(26, 26), RGB(0, 128, 0));
        EXPECT_NE(picture.At(21, 21), RGB(0, 128, 0));  // the button face around the lamp
        EXPECT_NE(picture.At(10, 10), RGB(0, 128, 0));  // the form

        com::Variant value;
        ASSERT_EQ(indicator.GetProperty(8, value), S_OK);
        EXPECT_EQ(value.AsInt32(), 32768);
        // A colour that is none is refused and the lamp keeps its colour.
        EXPECT_TRUE(FAILED(indicator.SetProperty(8, com::Variant::Int32(0x7F000000))));
        ASSERT_EQ(indicator.GetProperty(8, value), S_OK);
        EXPECT_EQ(value.AsInt32(), 32768);
    }
    OleUninitialize();
}

} // namespace
} // namespace korvane::activex::testing
