// Ambient properties read from the container, and the MousePointer cursor.
#include "ControlTestSupport.h"
#include "MousePointer.h"

#include <olectl.h>

#include <string>

namespace {

using AmbientTest = ControlTest;

TEST_F(AmbientTest, ValuesAreConvertedAndBelongToTheCaller)
{
    RecordingContainer container;
    VARIANT name;
    VariantInit(&name);
    name.vt = VT_BSTR;
    name.bstrVal = SysAllocString(L"Command1");
    container.ambients[DISPID_AMBIENT_DISPLAYNAME] = name;
    VARIANT number;
    VariantInit(&number);
    number.vt = VT_BSTR;
    number.bstrVal = SysAllocString(L"1033");
    container.ambients[DISPID_AMBIENT_LOCALEID] = number;

    HeldControl control;
    ASSERT_EQ(control.As<IOleObject>(IID_IOleObject)->SetClientSite(&container), S_OK);
    BSTR text = nullptr;
    ASSERT_TRUE(control->GetAmbientProperty(DISPID_AMBIENT_DISPLAYNAME, VT_BSTR, &text));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::wstring(text), L"Command1");
    SysFreeString(text);
    // Read again: a new string each time, the container's own untouched.
    ASSERT_TRUE(control->GetAmbientProperty(DISPID_AMBIENT_DISPLAYNAME, VT_BSTR, &text));
    EXPECT_EQ(std::wstring(text), L"Command1");
    SysFreeString(text);
    EXPECT_EQ(std::wstring(container.ambients[DISPID_AMBIENT_DISPLAYNAME].bstrVal), L"Command1");

    LONG lcid = 0;
    ASSERT_TRUE(control->GetAmbientProperty(DISPID_AMBIENT_LOCALEID, VT_I4, &lcid));
    EXPECT_EQ(lcid, 1033);
    VARIANT whole;
    VariantInit(&whole);
    ASSERT_TRUE(control->GetAmbientProperty(DISPID_AMBIENT_LOCALEID, VT_VARIANT, &whole));
    EXPECT_EQ(whole.vt, VT_BSTR);
    VariantClear(&whole);
    // An ambient that does not convert, and one the container lacks.
    SHORT small = 7;
    EXPECT_FALSE(control->GetAmbientProperty(DISPID_AMBIENT_DISPLAYNAME, VT_I2, &small));
    EXPECT_EQ(small, 7);
    EXPECT_FALSE(control->GetAmbientProperty(DISPID_AMBIENT_FORECOLOR, VT_I4, &lcid));
    IFont* font = reinterpret_cast<IFont*>(1);
    EXPECT_FALSE(control->GetAmbientFont(&font));
    EXPECT_EQ(font, nullptr);
    control.As<IOleObject>(IID_IOleObject)->SetClientSite(nullptr);
    EXPECT_FALSE(control->GetAmbientProperty(DISPID_AMBIENT_LOCALEID, VT_I4, &lcid)) << "no site, no ambients";
}

TEST_F(AmbientTest, AmbientFontIsTheContainersFont)
{
    RecordingContainer container;
    FONTDESC description = {sizeof(FONTDESC), const_cast<LPOLESTR>(L"Arial"), {{120000, 0}}, FW_BOLD, ANSI_CHARSET,
                            FALSE, FALSE, FALSE};
    IDispatch* fontDispatch = nullptr;
    ASSERT_EQ(OleCreateFontIndirect(&description, IID_IDispatch, reinterpret_cast<void**>(&fontDispatch)), S_OK);
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_DISPATCH;
    value.pdispVal = fontDispatch;
    container.ambients[DISPID_AMBIENT_FONT] = value;

    HeldControl control;
    ASSERT_EQ(control.As<IOleObject>(IID_IOleObject)->SetClientSite(&container), S_OK);
    IFont* font = nullptr;
    ASSERT_TRUE(control->GetAmbientFont(&font));
    // Wine may stand another face in for the name; the size and weight are the container's.
    CY size = {};
    ASSERT_EQ(font->get_Size(&size), S_OK);
    EXPECT_EQ(size.int64, 120000);
    BOOL bold = FALSE;
    ASSERT_EQ(font->get_Bold(&bold), S_OK);
    EXPECT_TRUE(bold);
    font->Release();
    control.As<IOleObject>(IID_IOleObject)->SetClientSite(nullptr);
}

TEST_F(AmbientTest, MousePointerCursors)
{
    EXPECT_EQ(SystemCursorOf(1), IDC_ARROW);
    EXPECT_EQ(SystemCursorOf(11), IDC_WAIT);
    EXPECT_EQ(SystemCursorOf(15), IDC_SIZEALL);
    EXPECT_EQ(SystemCursorOf(0), nullptr);
    EXPECT_EQ(SystemCursorOf(16), nullptr);
    EXPECT_EQ(SystemCursorOf(99), nullptr);

    const struct {
        short pointer;
        UINT hitTest;
        bool set;
    } cases[] = {
        {0, HTCLIENT, false}, {1, HTCLIENT, true}, {3, HTBORDER, true}, {3, HTCAPTION, false},
        {99, HTCLIENT, false},  // no icon given
        {42, HTCLIENT, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SetMousePointerCursor(c.pointer, nullptr, c.hitTest), c.set) << c.pointer << " " << c.hitTest;
    ASSERT_TRUE(SetMousePointerCursor(11, nullptr, HTCLIENT));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_WAIT));
}

} // namespace
