// What a property browser asks of a control, and how the control passes on changes of its font.
#include "BrowsableControl.h"
#include "FontHolder.h"
#include "ControlTestSupport.h"
#include "TestSinks.h"

#include <olectl.h>

#include <string>

namespace {

using PropertyBrowsingTest = ControlTest;

TEST_F(PropertyBrowsingTest, PagesOfTheStockProperties)
{
    HeldControl control;
    IPerPropertyBrowsing* browsing = control.As<IPerPropertyBrowsing>(IID_IPerPropertyBrowsing);
    const CLSID colorPage = {0x0BE35201, 0x8F91, 0x11CE, {0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};
    const CLSID fontPage = {0x0BE35200, 0x8F91, 0x11CE, {0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};
    const struct {
        DISPID dispid;
        HRESULT result;
        const CLSID* page;
    } cases[] = {
        {DISPID_BACKCOLOR, S_OK, &colorPage},
        {DISPID_FORECOLOR, S_OK, &colorPage},
        {DISPID_FONT, S_OK, &fontPage},
        {1, PERPROP_E_NOPAGEAVAILABLE, &CLSID_NULL},
    };
    for (const auto& c : cases) {
        CLSID page = IID_IUnknown;
        EXPECT_EQ(browsing->MapPropertyToPage(c.dispid, &page), c.result) << c.dispid;
        EXPECT_TRUE(IsEqualCLSID(page, *c.page)) << c.dispid;
        // The page is written only where the caller gave room for it.
        EXPECT_EQ(browsing->MapPropertyToPage(c.dispid, nullptr), c.result) << c.dispid;
    }
    BSTR text = nullptr;
    EXPECT_EQ(browsing->GetDisplayString(DISPID_BACKCOLOR, &text), S_FALSE);
}

TEST_F(PropertyBrowsingTest, PredefinedBorderStyles)
{
    HeldControl control;
    IPerPropertyBrowsing* browsing = control.As<IPerPropertyBrowsing>(IID_IPerPropertyBrowsing);
    CALPOLESTR strings = {};
    CADWORD cookies = {};
    EXPECT_EQ(browsing->GetPredefinedStrings(DISPID_BORDERSTYLE, &strings, nullptr), E_POINTER);
    EXPECT_EQ(browsing->GetPredefinedStrings(DISPID_BORDERSTYLE, nullptr, &cookies), E_POINTER);
    EXPECT_EQ(browsing->GetPredefinedStrings(DISPID_BACKCOLOR, &strings, &cookies), E_FAIL);
    ASSERT_EQ(browsing->GetPredefinedStrings(DISPID_BORDERSTYLE, &strings, &cookies), S_OK);
    ASSERT_EQ(strings.cElems, 2u);
    ASSERT_EQ(cookies.cElems, 2u);
    EXPECT_EQ(std::wstring(strings.pElems[0]), L"0 - None");
    EXPECT_EQ(std::wstring(strings.pElems[1]), L"1 - Fixed Single");
    EXPECT_EQ(cookies.pElems[0], 0u);
    EXPECT_EQ(cookies.pElems[1], 1u);
    for (ULONG i = 0; i < strings.cElems; ++i)
        CoTaskMemFree(strings.pElems[i]);
    CoTaskMemFree(strings.pElems);
    CoTaskMemFree(cookies.pElems);

    // The out-variant is written, not cleared: whatever the caller left in it is not freed.
    VARIANT value;
    value.vt = VT_BSTR;
    value.bstrVal = reinterpret_cast<BSTR>(static_cast<ULONG_PTR>(0x10));
    ASSERT_EQ(browsing->GetPredefinedValue(DISPID_BORDERSTYLE, 1, &value), S_OK);
    EXPECT_EQ(value.vt, VT_I4);
    EXPECT_EQ(value.lVal, 1);
    EXPECT_EQ(browsing->GetPredefinedValue(DISPID_BORDERSTYLE, 2, &value), E_FAIL);
}

TEST_F(PropertyBrowsingTest, CategoriesOfTheStockProperties)
{
    HeldControl control;
    ICategorizeProperties* categories = control.As<ICategorizeProperties>(IID_ICategorizeProperties);
    const struct {
        DISPID dispid;
        PROPCAT category;
        HRESULT result;
    } cases[] = {
        {DISPID_MOUSEICON, PictureCategory, S_OK},   {DISPID_CAPTION, PROPCAT_Text, S_OK},
        {DISPID_TEXT, PROPCAT_Text, S_OK},           {DISPID_TABSTOP, PROPCAT_Behavior, S_OK},
        {DISPID_ENABLED, PROPCAT_Behavior, S_OK},    {DISPID_HWND, PROPCAT_Misc, S_OK},
        {DISPID_FONT, PROPCAT_Font, S_OK},           {-506, PROPCAT_Misc, DISP_E_MEMBERNOTFOUND},
        {DISPID_BACKCOLOR, PROPCAT_Appearance, S_OK}, {DISPID_AUTOSIZE, PROPCAT_Appearance, S_OK},
        {-523, PROPCAT_Misc, DISP_E_MEMBERNOTFOUND}, {-499, PROPCAT_Misc, DISP_E_MEMBERNOTFOUND},
        {47, PROPCAT_Misc, DISP_E_MEMBERNOTFOUND},
    };
    for (const auto& c : cases) {
        PROPCAT category = 0;
        EXPECT_EQ(categories->MapPropertyToCategory(c.dispid, &category), c.result) << c.dispid;
        EXPECT_EQ(category, c.category) << c.dispid;
    }
    BSTR name = nullptr;
    ASSERT_EQ(categories->GetCategoryName(PictureCategory, 0, &name), S_OK);
    EXPECT_EQ(std::wstring(name), L"Picture");
    SysFreeString(name);
    ASSERT_EQ(categories->GetCategoryName(CollectionCategory, 0, &name), S_OK);
    EXPECT_EQ(std::wstring(name), L"Collection");
    SysFreeString(name);
    EXPECT_EQ(categories->GetCategoryName(103, 0, &name), E_NOTIMPL);
    EXPECT_EQ(name, nullptr);
}

// What the control's font reports (a change of its size, its weight ...) marks the control dirty and
// reaches the container's sinks with the DISPID the font gave.
TEST_F(PropertyBrowsingTest, FontChangeReachesTheContainerWithTheFontsDispid)
{
    CountingPropertyNotifySink notify;
    {
        HeldControl control;
        IConnectionPointContainer* points = control.As<IConnectionPointContainer>(IID_IConnectionPointContainer);
        IConnectionPoint* point = nullptr;
        ASSERT_EQ(points->FindConnectionPoint(IID_IPropertyNotifySink, &point), S_OK);
        DWORD cookie = 0;
        ASSERT_EQ(point->Advise(&notify, &cookie), S_OK);
        IPropertyNotifySink* own = control.As<IPropertyNotifySink>(IID_IPropertyNotifySink);
        const DISPID members[] = {DISPID_FONT_NAME, DISPID_FONT_SIZE, DISPID_FONT_BOLD, DISPID_FONT_WEIGHT};
        for (const DISPID member : members) {
            control->SetDirty(false);
            EXPECT_EQ(own->OnChanged(member), S_OK);
            EXPECT_TRUE(control->IsDirty()) << member;
            EXPECT_EQ(notify.changed.back(), member);
        }
        EXPECT_EQ(notify.changed, std::vector<DISPID>(std::begin(members), std::end(members)));
        EXPECT_EQ(own->OnRequestEdit(DISPID_FONT_SIZE), S_OK);

        // A real font held for the control, changed as a property browser changes it.
        notify.changed.clear();
        {
            FontHolder holder(own);
            ASSERT_EQ(holder.InitFont(nullptr, nullptr), S_OK);
            ASSERT_NE(holder.Font(), nullptr);
            control->SetDirty(false);
            CY size = {};
            size.int64 = 120000;  // 12 points
            ASSERT_EQ(holder.Font()->put_Size(size), S_OK);
            ASSERT_EQ(holder.Font()->put_Italic(TRUE), S_OK);
            EXPECT_TRUE(control->IsDirty());
            EXPECT_EQ(notify.changed, (std::vector<DISPID>{DISPID_FONT_SIZE, DISPID_FONT_ITALIC}));
        }
        point->Unadvise(cookie);
        point->Release();
    }
    EXPECT_EQ(notify.references, 0u);
}

} // namespace
