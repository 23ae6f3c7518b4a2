// The forms' factory of `activex` elements, seen from the form's side of each control: events raised by
// name with their arguments, changed arguments written back, properties as the forms' values, and every
// control released when the forms let go of it.
#include "ControlHostTestSupport.h"
#include "TestControlUnloading.h"
#include "forms/ActiveXControlFactory.h"
#include "forms/PropertyValues.h"

#include <gmock/gmock.h>

namespace korvane::activex::testing {
namespace {

// The form's side of one hosted control, as the forms runtime would be: it records what is raised and
// lets a test play the handler.
class RecordingSite : public forms::HostedControlSite {
public:
    RecordingSite(std::string name, HWND form) : name_(std::move(name)), form_(form) {}

    forms::Form& OwnerForm() override { throw std::logic_error("the factory asks for no form"); }
    const std::string& Name() const override { return name_; }
    std::optional<int> Index() const override { return std::nullopt; }
    HWND ContainerWindow() const override { return form_; }
    forms::HostedControl* Holder() const override { return holder; }
    forms::FontDescription AmbientFont() const override { return {"DejaVu Sans", 9, false, false}; }
    COLORREF AmbientBackColor() const override { return RGB(192, 192, 192); }
    bool RaiseEvent(std::string_view event, forms::EventArgs& args) override
    {
        raised.emplace_back(std::string(event), args);
        if (handler)
            handler(event, args);
        return true;
    }
    void FocusChanged(bool hasFocus) override { focus.push_back(hasFocus); }

    std::vector<std::pair<std::string, forms::EventArgs>> raised;
    std::vector<bool> focus;
    std::function<void(std::string_view, forms::EventArgs&)> handler;
    forms::HostedControl* holder = nullptr;

private:
    std::string name_;
    HWND form_;
};

class ActiveXControlFactoryTest : public HostedControlTest {
protected:
    std::unique_ptr<forms::HostedControl> Make(RecordingSite& site, const std::string& elementText)
    {
        descriptions_.push_back(forms::ParseFormDescription("form Test {\n" + elementText + "\n}\n"));
        return factory_.Create(site, descriptions_.back().children.front(), window_->Handle());
    }
    ActiveXControlFactory factory_;
};

TEST_F(ActiveXControlFactoryTest, RaisesEventsByNameAndWritesBackWhatTheHandlerChanged)
{
    RecordingSite site("ZeroTrans", window_->Handle());
    auto control = Make(site, "activex ZeroTrans { progid Korvane.TestControl\n rect 10 10 100 30\n Value True }");
    ASSERT_NE(control->Window(), nullptr);
    // The handler of Click keeps the value True.
    site.handler = [](std::string_view event, forms::EventArgs& args) {
        if (event == "Click")
            args.values.at(0) = -1L;
    };
    SendMessageA(control->Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 8));
    SendMessageA(control->Window(), WM_LBUTTONUP, 0, MAKELPARAM(12, 8));

    ASSERT_EQ(site.raised.size(), 2u);
    EXPECT_EQ(site.raised[0].first, "MouseDown");
    EXPECT_EQ(site.raised[0].second.mouse.button, forms::kLeftButton);
    EXPECT_FLOAT_EQ(site.raised[0].second.mouse.x, 12);
    EXPECT_FLOAT_EQ(site.raised[0].second.mouse.y, 8);
    ASSERT_EQ(site.raised[0].second.values.size(), 4u);
    EXPECT_EQ(site.raised[1].first, "Click");
    ASSERT_EQ(site.raised[1].second.values.size(), 1u);
    EXPECT_EQ(site.raised[1].second.values[0], forms::PropertyValue(0L));  // as the control gave it

    forms::PropertyValue value;
    ASSERT_EQ(control->GetProperty(47, value), S_OK);
    EXPECT_EQ(value, forms::PropertyValue(true));
    EXPECT_THAT(site.focus, ::testing::Contains(true));  // the click took the focus
}

TEST_F(ActiveXControlFactoryTest, SetsAndReadsPropertiesAsTheFormsValues)
{
    RecordingSite site("ribTravelVia", window_->Handle());
    auto control = Make(site, "activex ribTravelVia index 1 { progid Korvane.TestControl\n rect 10 10 100 30 }");
    ASSERT_EQ(control->SetProperty(2, 12.0f), S_OK);
    ASSERT_EQ(control->SetProperty(60, 3L), S_OK);
    ASSERT_EQ(control->SetProperty(-518, std::string("Step 1")), S_OK);
    ASSERT_EQ(control->SetProperty(3, true), S_OK);
    forms::PropertyValue value;
    ASSERT_EQ(control->GetProperty(2, value), S_OK);
    EXPECT_EQ(value, forms::PropertyValue(12.0f));
    ASSERT_EQ(control->GetProperty(60, value), S_OK);
    EXPECT_EQ(value, forms::PropertyValue(3L));
    ASSERT_EQ(control->GetProperty(-518, value), S_OK);
    EXPECT_EQ(value, forms::PropertyValue(std::string("Step 1")));
    ASSERT_EQ(control->GetProperty(3, value), S_OK);
    EXPECT_EQ(value, forms::PropertyValue(true));
    EXPECT_TRUE(FAILED(control->SetProperty(60, 7L)));

    control->SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(control->Window()));
    control->Move(RECT{40, 50, 90, 70});
    RECT placed;
    GetWindowRect(control->Window(), &placed);
    MapWindowPoints(nullptr, window_->Handle(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, 40);
    EXPECT_EQ(placed.bottom, 70);
    EXPECT_TRUE(control->Focus());
    EXPECT_EQ(GetFocus(), control->Window());
}

TEST_F(ActiveXControlFactoryTest, ControlsOfOneFormSeeEachOtherAndAreReleasedWithTheirHolders)
{
    RecordingSite first("Ribbon1", window_->Handle()), second("Ribbon2", window_->Handle());
    auto one = Make(first, "activex Ribbon1 { progid Korvane.TestControl\n rect 0 0 50 20 }");
    auto two = Make(second, "activex Ribbon2 { progid Korvane.TestControl\n rect 60 0 50 20 }");
    EXPECT_EQ(CanUnloadTestControlLibrary(), S_FALSE);
    one.reset();
    EXPECT_FALSE(IsWindow(nullptr));
    EXPECT_EQ(CanUnloadTestControlLibrary(), S_FALSE);  // the second is still there
    two.reset();
    EXPECT_EQ(CanUnloadTestControlLibrary(), S_OK);
}

TEST_F(ActiveXControlFactoryTest, AControlHeldByAFrameControlLivesInItsWindowPlacedByFormCoordinates)
{
    RecordingSite frameSite("QvFrame1", window_->Handle()), checkSite("Check1", window_->Handle());
    auto frame = Make(frameSite, "activex QvFrame1 { progid Korvane.TestControl\n rect 100 20 150 120 }");
    checkSite.holder = frame.get();
    auto check = Make(checkSite, "activex Check1 { progid Korvane.TestControl\n rect 10 30 80 25 }");
    EXPECT_EQ(GetParent(check->Window()), frame->Window());

    // The form moves it in its own client area: 120,60 there is 20,40 in the frame.
    check->Move(RECT{120, 60, 200, 85});
    RECT placed;
    GetWindowRect(check->Window(), &placed);
    MapWindowPoints(nullptr, frame->Window(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, 20);
    EXPECT_EQ(placed.top, 40);
    EXPECT_EQ(placed.right - placed.left, 80);

    // The frame goes with what it holds, whichever the forms release first.
    frame.reset();
    EXPECT_FALSE(IsWindow(check->Window()));
    check.reset();
    EXPECT_EQ(CanUnloadTestControlLibrary(), S_OK);
}

TEST_F(ActiveXControlFactoryTest, AControlThatCannotBeMadeIsThrown)
{
    RecordingSite site("Missing", window_->Handle());
    EXPECT_THROW(Make(site, "activex Missing { clsid \"{00000000-1111-2222-3333-444444444444}\" }"), ControlHostError);
}

TEST(PropertyValues, ConvertBothWays)
{
    const forms::PropertyValue values[] = {std::monostate{}, true, false, 32768L, 12.5f, 0.25, std::string("Step 1")};
    for (const auto& value : values)
        EXPECT_EQ(PropertyValueOf(VariantOf(value)), value);
    EXPECT_EQ(PropertyValueOf(com::Variant::Int16(-1)), forms::PropertyValue(-1L));
    EXPECT_EQ(VariantOf(32768L).Type(), VT_I4);
    EXPECT_EQ(VariantOf(12.0f).Type(), VT_R4);
}

} // namespace
} // namespace korvane::activex::testing
