// What a hosted control sees of its form: the site's ambients, the extender, the control enumeration,
// and the refusal of windowless activation.
#include "ControlEnumeration.h"
#include "ControlHostTestSupport.h"
#include "ScreenUnits.h"

#include <gmock/gmock.h>
#include <psapi.h>

namespace korvane::activex::testing {
namespace {

com::ComPtr<IOleClientSite> SiteOf(const ControlSite& control)
{
    com::ComPtr<IOleObject> object;
    com::ComPtr<IOleClientSite> site;
    if (SUCCEEDED(control.Object()->QueryInterface(IID_IOleObject, object.PutVoid())))
        object->GetClientSite(site.Put());
    return site;
}

com::ComPtr<IDispatch> ExtenderOf(const ControlSite& control)
{
    com::ComPtr<IOleControlSite> site;
    com::ComPtr<IDispatch> extender;
    if (SUCCEEDED(SiteOf(control).As(site)))
        site->GetExtendedControl(extender.Put());
    return extender;
}

HRESULT GetByName(IDispatch* object, const wchar_t* name, com::Variant& value)
{
    DISPID dispid = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, 0, &dispid);
    if (FAILED(hr))
        return hr;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    value.Clear();
    return object->Invoke(dispid, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &value.Get(), nullptr, nullptr);
}

HRESULT PutByName(IDispatch* object, const wchar_t* name, com::Variant value)
{
    DISPID dispid = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, 0, &dispid);
    if (FAILED(hr))
        return hr;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {&value.Get(), &named, 1, 1};
    return object->Invoke(dispid, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
}

// The names of the controls an enumeration yields, read through their extenders.
std::vector<std::string> NamesOf(IEnumUnknown* controls)
{
    std::vector<std::string> names;
    controls->Reset();
    for (;;) {
        com::ComPtr<IUnknown> item;
        if (controls->Next(1, item.Put(), nullptr) != S_OK)
            break;
        com::ComPtr<IOleObject> object;
        com::ComPtr<IOleClientSite> site;
        com::ComPtr<IOleControlSite> controlSite;
        com::ComPtr<IDispatch> extender;
        com::Variant name;
        if (SUCCEEDED(item.As(object)) && SUCCEEDED(object->GetClientSite(site.Put())) && SUCCEEDED(site.As(controlSite)) &&
            SUCCEEDED(controlSite->GetExtendedControl(extender.Put())) && SUCCEEDED(GetByName(extender.Get(), L"Name", name)))
            names.push_back(com::Narrow(name.AsText()));
        else
            names.push_back("?");
    }
    return names;
}

const char kPlain[] = "activex Plain { progid Korvane.TestControl\n rect 15 30 150 45\n Caption \"Plain\" }";

using ControlSiteTest = HostedControlTest;

TEST_F(ControlSiteTest, AmbientsSayRunTimeAndTheFormsFontAndLocale)
{
    container_ = std::make_unique<ControlContainer>(window_->Handle(), nullptr,
                                                    AmbientSettings{"DejaVu Sans", 12, true, false, 0x000000FF, 0x00C0C0C0, 0x0409, true});
    ControlSite& control = Host(kPlain);
    com::ComPtr<IDispatch> ambients;
    ASSERT_EQ(SiteOf(control).As(ambients), S_OK);

    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    auto read = [&](DISPID dispid, com::Variant& value) {
        value.Clear();
        return ambients->Invoke(dispid, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &value.Get(), nullptr, nullptr);
    };
    com::Variant value;
    ASSERT_EQ(read(DISPID_AMBIENT_USERMODE, value), S_OK);
    EXPECT_EQ(value.Type(), VT_BOOL);
    EXPECT_TRUE(value.AsBool());
    ASSERT_EQ(read(DISPID_AMBIENT_DISPLAYASDEFAULT, value), S_OK);
    EXPECT_FALSE(value.AsBool());
    ASSERT_EQ(read(DISPID_AMBIENT_LOCALEID, value), S_OK);
    EXPECT_EQ(value.AsInt32(), 0x0409);
    ASSERT_EQ(read(DISPID_AMBIENT_FORECOLOR, value), S_OK);
    EXPECT_EQ(value.AsInt32(), 0xFF);
    ASSERT_EQ(read(DISPID_AMBIENT_DISPLAYNAME, value), S_OK);
    EXPECT_EQ(value.AsText(), L"Plain");
    ASSERT_EQ(read(DISPID_AMBIENT_MESSAGEREFLECT, value), S_OK);
    EXPECT_FALSE(value.AsBool());

    // Wine's font object reports the font it realised: the test asks for one the test bed has, in a size
    // of whole pixels at 96 dots per inch.
    ASSERT_EQ(read(DISPID_AMBIENT_FONT, value), S_OK);
    ASSERT_EQ(value.Type(), VT_DISPATCH);
    com::ComPtr<IFont> font;
    ASSERT_EQ(value.Get().pdispVal->QueryInterface(IID_IFont, font.PutVoid()), S_OK);
    com::Bstr name;
    ASSERT_EQ(font->get_Name(name.Put()), S_OK);
    EXPECT_EQ(name.Text(), L"DejaVu Sans");
    CY size = {};
    font->get_Size(&size);
    EXPECT_EQ(size.int64, 120000);
    BOOL bold = FALSE;
    font->get_Bold(&bold);
    EXPECT_TRUE(bold);

    // Ambients are read only, and only the known ones exist.
    EXPECT_EQ(read(-799, value), DISP_E_MEMBERNOTFOUND);
    DISPID dispid = 0;
    LPOLESTR userMode[] = {const_cast<LPOLESTR>(L"usermode")};
    ASSERT_EQ(ambients->GetIDsOfNames(IID_NULL, userMode, 1, 0, &dispid), S_OK);
    EXPECT_EQ(dispid, DISPID_AMBIENT_USERMODE);
    EXPECT_EQ(PutByName(ambients.Get(), L"UserMode", com::Variant::Bool(false)), DISP_E_MEMBERNOTFOUND);
}

TEST_F(ControlSiteTest, WindowlessActivationIsRefusedAndEveryControlHasAWindow)
{
    ControlSite& control = Host(kPlain);
    com::ComPtr<IOleClientSite> site = SiteOf(control);
    ASSERT_TRUE(site);
    com::ComPtr<IOleInPlaceSiteWindowless> windowless;
    EXPECT_EQ(site.As(windowless), E_NOINTERFACE);
    com::ComPtr<IOleInPlaceSiteEx> siteEx;
    ASSERT_EQ(site.As(siteEx), S_OK);
    BOOL noRedraw = FALSE;
    EXPECT_TRUE(FAILED(siteEx->OnInPlaceActivateEx(&noRedraw, ACTIVATE_WINDOWLESS)));
    EXPECT_NE(control.Window(), nullptr);
    com::ComPtr<ISimpleFrameSite> frameSite;
    EXPECT_EQ(site.As(frameSite), S_OK);
}

TEST_F(ControlSiteTest, TheExtenderGivesNamePlaceInTwipsIndexAndVisibility)
{
    ControlSite& control = Host("activex Marker index 2 { progid Korvane.TestControl\n rect 15 30 150 45\n Caption \"M\" }");
    com::ComPtr<IDispatch> extender = ExtenderOf(control);
    ASSERT_TRUE(extender);
    const ScreenDensity density = ScreenDensity::OfScreen();

    com::Variant value;
    ASSERT_EQ(GetByName(extender.Get(), L"Name", value), S_OK);
    EXPECT_EQ(value.AsText(), L"Marker");
    ASSERT_EQ(GetByName(extender.Get(), L"Index", value), S_OK);
    EXPECT_EQ(value.AsInt32(), 2);
    ASSERT_EQ(GetByName(extender.Get(), L"Left", value), S_OK);
    EXPECT_FLOAT_EQ(static_cast<float>(value.AsDouble()), 15.0f * 1440 / density.x);
    ASSERT_EQ(GetByName(extender.Get(), L"height", value), S_OK);  // names without regard to case
    EXPECT_FLOAT_EQ(static_cast<float>(value.AsDouble()), 45.0f * 1440 / density.y);
    // A name the extender does not have is the control's.
    ASSERT_EQ(GetByName(extender.Get(), L"Caption", value), S_OK);
    EXPECT_EQ(value.AsText(), L"M");

    // Width in twips moves the far edge; Left moves the control and keeps its size.
    ASSERT_EQ(PutByName(extender.Get(), L"Width", com::Variant::Single(1440.0f * 60 / density.x)), S_OK);
    ASSERT_EQ(PutByName(extender.Get(), L"Left", com::Variant::Single(1440.0f * 40 / density.x)), S_OK);
    RECT placed;
    GetWindowRect(control.Window(), &placed);
    MapWindowPoints(nullptr, window_->Handle(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, 40);
    EXPECT_EQ(placed.right, 100);
    EXPECT_EQ(placed.top, 30);

    ASSERT_EQ(PutByName(extender.Get(), L"Visible", com::Variant::Bool(false)), S_OK);
    EXPECT_FALSE(IsWindowVisible(control.Window()));
    ASSERT_EQ(GetByName(extender.Get(), L"Visible", value), S_OK);
    EXPECT_FALSE(value.AsBool());
    ASSERT_EQ(PutByName(extender.Get(), L"Visible", com::Variant::Bool(true)), S_OK);
    EXPECT_TRUE(IsWindowVisible(control.Window()));

    // SetFocus gives the control the keyboard focus.
    DISPID setFocus = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"SetFocus")};
    ASSERT_EQ(extender->GetIDsOfNames(IID_NULL, names, 1, 0, &setFocus), S_OK);
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    ASSERT_EQ(extender->Invoke(setFocus, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(GetFocus(), control.Window());

    // The same extender object every time: controls compare theirs.
    EXPECT_EQ(ExtenderOf(control).Get(), extender.Get());
}

// The memory the process has committed for itself, in bytes (the commit charge).
SIZE_T PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;
}

TEST_F(ControlSiteTest, AReadOfTheExtenderWithoutAResultLeavesNothingBehind)
{
    // A long name: each string kept by mistake would hold 8 KB.
    const std::string name = "Marker" + std::string(4090, 'x');
    ControlSite& control = Host("activex " + name + " { progid Korvane.TestControl\n rect 15 30 150 45 }");
    com::ComPtr<IDispatch> extender = ExtenderOf(control);
    ASSERT_TRUE(extender);
    DISPID nameId = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"Name")};
    ASSERT_EQ(extender->GetIDsOfNames(IID_NULL, names, 1, 0, &nameId), S_OK);
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    auto readWithoutResult = [&] { return extender->Invoke(nameId, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, nullptr, nullptr, nullptr); };
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(readWithoutResult(), S_OK);  // the allocator's caches settle
    const SIZE_T before = PrivateBytes();
    ASSERT_GT(before, 0u);
    constexpr int kReads = 4000;
    for (int i = 0; i < kReads; ++i)
        ASSERT_EQ(readWithoutResult(), S_OK);
    const SIZE_T after = PrivateBytes();
    // Kept strings would come to 32 MB.
    EXPECT_LT(after > before ? after - before : 0, SIZE_T(4) << 20);
}

TEST_F(ControlSiteTest, AControlOutsideAnArrayHasNoIndexAndAHiddenOneStartsHidden)
{
    ControlSite& control = Host("activex Hidden { progid Korvane.TestControl\n rect 0 0 20 20\n hidden }");
    com::Variant value;
    EXPECT_TRUE(FAILED(GetByName(ExtenderOf(control).Get(), L"Index", value)));
    EXPECT_FALSE(IsWindowVisible(control.Window()));
    EXPECT_FALSE(control.Visible());
}

TEST_F(ControlSiteTest, TheEnumerationGivesSiblingsThroughTheExtenderAndContainedControlsThroughTheContainer)
{
    ControlSite& frame = Host("activex Frame1 { progid Korvane.TestControl\n rect 10 10 200 100 }");
    Host("activex Ribbon1 { progid Korvane.TestControl\n rect 220 10 60 30 }");
    Host("activex Ribbon2 { progid Korvane.TestControl\n rect 220 50 60 30 }");
    ControlSite& inner = Host("activex Check1 { progid Korvane.TestControl\n rect 5 5 80 20 }", &frame);
    EXPECT_EQ(GetParent(inner.Window()), frame.Window());

    const DWORD flags = OLECONTF_EMBEDDINGS | OLECONTF_OTHERS | OLECONTF_ONLYUSER | OLECONTF_ONLYIFRUNNING;  // 29
    ASSERT_EQ(flags, 29u);
    com::ComPtr<IControlEnumeration> byExtender;
    ASSERT_EQ(ExtenderOf(*container_->Find("Ribbon1")).As(byExtender), S_OK);
    com::ComPtr<IEnumUnknown> siblings;
    ASSERT_EQ(byExtender->EnumControls(flags, kSiblingControls, siblings.Put()), S_OK);
    EXPECT_THAT(NamesOf(siblings.Get()), ::testing::ElementsAre("Frame1", "Ribbon2"));

    com::ComPtr<IOleContainer> formContainer;
    ASSERT_EQ(SiteOf(frame)->GetContainer(formContainer.Put()), S_OK);
    com::ComPtr<IControlEnumeration> byContainer;
    ASSERT_EQ(formContainer.As(byContainer), S_OK);
    com::ComPtr<IEnumUnknown> contained;
    ASSERT_EQ(byContainer->EnumControls(flags, kContainedControls, contained.Put()), S_OK);
    EXPECT_THAT(NamesOf(contained.Get()), ::testing::ElementsAre("Check1"));

    com::ComPtr<IControlEnumeration> ofInner;
    ASSERT_EQ(ExtenderOf(inner).As(ofInner), S_OK);
    com::ComPtr<IEnumUnknown> none;
    ASSERT_EQ(ofInner->EnumControls(flags, kSiblingControls, none.Put()), S_OK);
    EXPECT_TRUE(NamesOf(none.Get()).empty());
    // Without embeddings asked for, no control qualifies; an unknown selector is refused.
    ASSERT_EQ(byExtender->EnumControls(OLECONTF_OTHERS, kSiblingControls, none.Put()), S_OK);
    EXPECT_TRUE(NamesOf(none.Get()).empty());
    EXPECT_EQ(byExtender->EnumControls(flags, 2, none.Put()), E_INVALIDARG);

    // The extender of an unloaded control answers no more.
    container_->Unload();
    EXPECT_EQ(byExtender->EnumControls(flags, kSiblingControls, none.Put()), E_UNEXPECTED);
}

} // namespace
} // namespace korvane::activex::testing
