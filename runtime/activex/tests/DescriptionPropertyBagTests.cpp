// The description's properties as a control reads them by name, and event arguments as handlers see them.
#include "ControlEvents.h"
#include "DescriptionPropertyBag.h"
#include "testing/HostWindow.h"

#include <gtest/gtest.h>

#include <olectl.h>

#include <string>
#include <utility>
#include <vector>

namespace korvane::activex {
namespace {

TEST(DescriptionPropertyBag, ReadsPropertiesByNameInTheTypeAsked)
{
    const forms::ElementDescription form = forms::ParseFormDescription(R"(form F {
      activex C {
        clsid "{9B9693D4-77B7-4B64-AB9D-8B36B857ABCF}"
        rect 1 2 3 4
        Caption "  Step 1"
        FontSize 12.5
        Value True
        MarqueeStyle 3
        GroupNumber 0x10
      }
    })");
    auto* bag = new DescriptionPropertyBag(form.children.front());
    const struct {
        const wchar_t* name;
        VARTYPE asked;
        HRESULT result;
        VARTYPE given;
        const wchar_t* text;  // the value as text
    } cases[] = {
        {L"Caption", VT_BSTR, S_OK, VT_BSTR, L"  Step 1"},
        {L"caption", VT_EMPTY, S_OK, VT_BSTR, L"  Step 1"},
        {L"FontSize", VT_R4, S_OK, VT_R4, L"12.5"},
        {L"Value", VT_BOOL, S_OK, VT_BOOL, L"True"},
        {L"Value", VT_I2, S_OK, VT_I2, L"-1"},
        {L"MarqueeStyle", VT_EMPTY, S_OK, VT_I4, L"3"},
        {L"GroupNumber", VT_I2, S_OK, VT_I2, L"16"},
        {L"Caption", VT_I4, DISP_E_TYPEMISMATCH, VT_EMPTY, nullptr},
        {L"Missing", VT_I4, E_INVALIDARG, VT_EMPTY, nullptr},
        {L"rect", VT_EMPTY, E_INVALIDARG, VT_EMPTY, nullptr},  // the container's own
        {L"clsid", VT_BSTR, E_INVALIDARG, VT_EMPTY, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(com::Narrow(c.name));
        com::Variant value;
        value.Get().vt = c.asked;
        EXPECT_EQ(bag->Read(c.name, &value.Get(), nullptr), c.result);
        if (c.result != S_OK)
            continue;
        EXPECT_EQ(value.Type(), c.given);
        com::Variant text;
        ASSERT_TRUE(value.ConvertTo(VT_BSTR, text));
        if (c.given == VT_BOOL)
            EXPECT_EQ(value.AsBool() ? std::wstring(L"True") : std::wstring(L"False"), c.text);
        else
            EXPECT_EQ(text.AsText(), c.text);
    }
    EXPECT_EQ(bag->Write(L"Caption", nullptr), E_NOTIMPL);
    bag->Release();
}

TEST(DescriptionPropertyBag, GivesAControlThatAsksForAnObjectAPictureOfTheBitmapItNames)
{
    const forms::ElementDescription form = forms::ParseFormDescription(R"(form F {
      activex C {
        clsid "{9B9693D4-77B7-4B64-AB9D-8B36B857ABCF}"
        Picture "ExitPicture"
        PictureUp ExitPicture
        Graphics "NoSuchPicture"
        FontSize 12
      }
    })");
    auto* bag = new DescriptionPropertyBag(form.children.front());
    HBITMAP stored = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), "ExitPicture", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(stored, nullptr) << "the test program holds the picture";
    const testing::Picture storedPixels = testing::PixelsOfBitmap(stored);
    ASSERT_GT(storedPixels.width, 0);

    OLE_HANDLE firstHandle = 0;
    for (const auto& [name, asked] : {std::pair{L"Picture", VT_UNKNOWN}, std::pair{L"PictureUp", VT_DISPATCH}}) {
        SCOPED_TRACE(com::Narrow(name));
        com::Variant value;
        value.Get().vt = asked;
        value.Get().punkVal = nullptr;
        ASSERT_EQ(bag->Read(name, &value.Get(), nullptr), S_OK);
        ASSERT_EQ(value.Type(), asked);
        ASSERT_NE(value.Get().punkVal, nullptr);
        IPicture* picture = nullptr;
        ASSERT_EQ(value.Get().punkVal->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&picture)), S_OK);
        SHORT type = 0;
        OLE_HANDLE handle = 0;
        EXPECT_EQ(picture->get_Type(&type), S_OK);
        EXPECT_EQ(type, PICTYPE_BITMAP);
        EXPECT_EQ(picture->get_Handle(&handle), S_OK);
        // Each control owns its picture: a second read is a bitmap of its own, with the same pixels.
        EXPECT_NE(handle, firstHandle);
        firstHandle = handle;
        const testing::Picture pixels =
            testing::PixelsOfBitmap(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)));
        EXPECT_EQ(pixels.width, storedPixels.width);
        EXPECT_EQ(pixels.height, storedPixels.height);
        EXPECT_EQ(pixels.rgb, storedPixels.rgb);
        picture->Release();
    }

    const struct {
        const wchar_t* name;
        VARTYPE asked;
        HRESULT result;
    } refused[] = {
        {L"Graphics", VT_UNKNOWN, CTL_E_INVALIDPICTURE},  // the program holds no such picture
        {L"FontSize", VT_UNKNOWN, DISP_E_TYPEMISMATCH},   // a number names no picture
        {L"Missing", VT_DISPATCH, E_INVALIDARG},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(com::Narrow(c.name));
        VARIANT value{};
        value.vt = c.asked;
        EXPECT_EQ(bag->Read(c.name, &value, nullptr), c.result);
        if (SUCCEEDED(bag->Read(c.name, &value, nullptr)))
            VariantClear(&value);
    }
    com::Variant text;
    text.Get().vt = VT_BSTR;
    EXPECT_EQ(bag->Read(L"Picture", &text.Get(), nullptr), S_OK);  // asked as text, the name itself
    EXPECT_EQ(text.AsText(), L"ExitPicture");
    DeleteObject(stored);
    bag->Release();
}

TEST(EventArguments, GivesArgumentsInDeclaredOrderAndWritesOnlyByReferenceOnes)
{
    short clickValue = -1;
    long x = 7;
    VARIANTARG reversed[3];  // as IDispatch::Invoke receives them: last first
    reversed[2].vt = VT_I2 | VT_BYREF;
    reversed[2].piVal = &clickValue;
    reversed[1].vt = VT_I4;
    reversed[1].lVal = x;
    reversed[0].vt = VT_BSTR;
    reversed[0].bstrVal = SysAllocString(L"third");
    EventArguments arguments(reversed, 3);

    ASSERT_EQ(arguments.Count(), 3u);
    EXPECT_TRUE(arguments.IsByReference(0));
    EXPECT_FALSE(arguments.IsByReference(1));
    EXPECT_EQ(arguments.Get(0).Type(), VT_I2);
    EXPECT_EQ(arguments.Get(0).AsInt32(), -1);
    EXPECT_EQ(arguments.Get(1).AsInt32(), 7);
    EXPECT_EQ(arguments.Get(2).AsText(), L"third");
    EXPECT_EQ(arguments.Get(3).Type(), VT_EMPTY);

    EXPECT_EQ(arguments.Set(0, com::Variant::Bool(false)), S_OK);
    EXPECT_EQ(clickValue, 0);
    EXPECT_EQ(arguments.Set(0, com::Variant::Text(L"12")), S_OK);
    EXPECT_EQ(clickValue, 12);
    EXPECT_EQ(arguments.Set(0, com::Variant::Text(L"twelve")), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(clickValue, 12);
    EXPECT_EQ(arguments.Set(1, com::Variant::Int32(9)), E_INVALIDARG);
    EXPECT_EQ(reversed[1].lVal, 7);
    EXPECT_EQ(arguments.Set(5, com::Variant::Int32(9)), E_INVALIDARG);
    SysFreeString(reversed[0].bstrVal);
}

} // namespace
} // namespace korvane::activex
