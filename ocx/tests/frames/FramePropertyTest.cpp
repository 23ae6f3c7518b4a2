// The frame and the panel driven late-bound, as a script or a form runtime drives them: created by
// ProgID, their members read and set by name, the range errors raised as rich error information.
#include "PlyxLibrary.h"
#include "CategorizeProperties.h"
#include "TestSinks.h"

#include <ocidl.h>

namespace frames_test {
namespace {

constexpr HRESULT InvalidPropertyValue = static_cast<HRESULT>(0x800A017C);

class FrameMembers : public ::testing::Test {
protected:
    void SetUp() override { SetErrorInfo(0, nullptr); }
    void TearDown() override { EXPECT_EQ(LibraryCanUnload(), S_OK) << "a control outlived its test"; }

    static Held<IDispatch> NewControl(const wchar_t* progId)
    {
        Held<IDispatch> control = CreateByProgId(progId);
        if (control) {
            EXPECT_EQ(As<IPersistStreamInit>(control.Get(), IID_IPersistStreamInit)->InitNew(), S_OK);
        }
        return control;
    }
};

struct DefaultCase {
    const wchar_t* progId;
    const wchar_t* member;
    LONG value;
};

TEST_F(FrameMembers, NewControlsHaveTheirDefaults)
{
    const DefaultCase cases[] = {
        {L"Plyx.QvFrame", L"ClipControls", -1},        {L"Plyx.QvFrame", L"PictureBackgroundStyle", 0},
        {L"Plyx.QvFrame", L"Alignment", 0},           {L"Plyx.QvFrame", L"PictureAlignment", 0},
        {L"Plyx.QvFrame", L"ShadowStyle", 0},         {L"Plyx.QvPanel", L"ClipControls", -1},
        {L"Plyx.QvPanel", L"BevelWidth", 1},          {L"Plyx.QvPanel", L"BorderWidth", 3},
        {L"Plyx.QvPanel", L"BevelOuter", 2},          {L"Plyx.QvPanel", L"BevelInner", 0},
        {L"Plyx.QvPanel", L"RoundedCorners", -1},     {L"Plyx.QvPanel", L"Outline", 0},
        {L"Plyx.QvPanel", L"FloodType", 0},           {L"Plyx.QvPanel", L"FloodPercent", 0},
        {L"Plyx.QvPanel", L"FloodShowPct", -1},       {L"Plyx.QvPanel", L"AutoSize", 0},
        {L"Plyx.QvPanel", L"Alignment", 7},           {L"Plyx.QvPanel", L"PictureAlignment", 0},
        {L"Plyx.QvPanel", L"FloodFillStyle", 0},      {L"Plyx.QvPanel", L"FloodColor", 0x00FF0000},
    };
    for (const DefaultCase& entry : cases) {
        Held<IDispatch> control = NewControl(entry.progId);
        ASSERT_TRUE(control);
        EXPECT_EQ(GetLong(control.Get(), entry.member), entry.value) << entry.member;
    }
}

struct RangeCase {
    const wchar_t* progId;
    const wchar_t* member;
    LONG lastGood;
    LONG refused;
    HRESULT error;
    const wchar_t* description;
};

TEST_F(FrameMembers, ValuesOutsideTheirRangesAreRefusedAndChangeNothing)
{
    const RangeCase cases[] = {
        {L"Plyx.QvFrame", L"PictureBackgroundStyle", 2, 3, InvalidPropertyValue, L"Invalid property value"},
        {L"Plyx.QvFrame", L"Alignment", 5, 6, InvalidPropertyValue, L"Invalid property value"},
        {L"Plyx.QvFrame", L"ShadowStyle", 1, 2, InvalidPropertyValue, L"Invalid property value"},
        {L"Plyx.QvFrame", L"PictureAlignment", 1, 2, InvalidPropertyValue, L"Invalid property value"},
        {L"Plyx.QvPanel", L"BevelWidth", 30, 31, static_cast<HRESULT>(0x800A7532), L"Bevel width must be from 0 to 30"},
        {L"Plyx.QvPanel", L"BevelWidth", 0, -1, static_cast<HRESULT>(0x800A7532), L"Bevel width must be from 0 to 30"},
        {L"Plyx.QvPanel", L"BorderWidth", 30, 31, static_cast<HRESULT>(0x800A7533),
         L"Border width must be from 0 to 30"},
        {L"Plyx.QvPanel", L"BevelOuter", 2, 3, InvalidPropertyValue, L"Invalid property value"},
        {L"Plyx.QvPanel", L"BevelInner", 2, 3, InvalidPropertyValue, L"Invalid property value"},
        {L"Plyx.QvPanel", L"FloodType", 5, 6, InvalidPropertyValue, L"Invalid property value"},
        {L"Plyx.QvPanel", L"FloodPercent", 100, 101, static_cast<HRESULT>(0x800A7536),
         L"Flood percent must be from 0 to 100"},
        {L"Plyx.QvPanel", L"FloodPercent", 0, -1, static_cast<HRESULT>(0x800A7536),
         L"Flood percent must be from 0 to 100"},
        {L"Plyx.QvPanel", L"AutoSize", 3, 4, InvalidPropertyValue, L"Invalid property value"},
        {L"Plyx.QvPanel", L"Alignment", 8, 9, InvalidPropertyValue, L"Invalid property value"},
        {L"Plyx.QvPanel", L"PictureAlignment", 12, 13, InvalidPropertyValue, L"Invalid property value"},
        {L"Plyx.QvPanel", L"FloodFillStyle", 1, 2, InvalidPropertyValue, L"Invalid property value"},
        {L"Plyx.QvPanel", L"FloodColor", static_cast<LONG>(0x80000005), 0x01000000, InvalidPropertyValue, L"Invalid property value"},
        {L"Plyx.QvPanel", L"FloodColor", 0x00FFFFFF, 0x40FF0000, InvalidPropertyValue, L"Invalid property value"},
    };
    for (const RangeCase& entry : cases) {
        Held<IDispatch> control = NewControl(entry.progId);
        ASSERT_TRUE(control);
        ASSERT_EQ(PutLong(control.Get(), entry.member, entry.lastGood), S_OK) << entry.member;
        EXPECT_EQ(GetLong(control.Get(), entry.member), entry.lastGood) << entry.member;
        SetErrorInfo(0, nullptr);
        EXPECT_EQ(PutLong(control.Get(), entry.member, entry.refused), entry.error) << entry.member;
        EXPECT_EQ(LastErrorDescription(), entry.description) << entry.member;
        EXPECT_EQ(GetLong(control.Get(), entry.member), entry.lastGood) << entry.member << " changed";
    }
}

TEST_F(FrameMembers, BooleansKeepBitZeroAndReadBackTrueOrFalse)
{
    const struct {
        const wchar_t* progId;
        const wchar_t* member;
    } cases[] = {{L"Plyx.QvFrame", L"ClipControls"}, {L"Plyx.QvPanel", L"RoundedCorners"},
                 {L"Plyx.QvPanel", L"Outline"},      {L"Plyx.QvPanel", L"FloodShowPct"}};
    for (const auto& entry : cases) {
        Held<IDispatch> control = NewControl(entry.progId);
        ASSERT_TRUE(control);
        // Booleans as a caller may pass them: not only True and False.
        for (const auto& put : {std::make_pair(0, 0), std::make_pair(3, -1), std::make_pair(2, 0),
                                std::make_pair(1, -1), std::make_pair(-2, 0)}) {
            VARIANT value;
            VariantInit(&value);
            value.vt = VT_BOOL;
            value.boolVal = static_cast<VARIANT_BOOL>(put.first);
            EXPECT_EQ(Put(control.Get(), entry.member, value), S_OK);
            EXPECT_EQ(GetLong(control.Get(), entry.member), put.second) << entry.member << " put " << put.first;
        }
    }
}

TEST_F(FrameMembers, AChangeIsAnnouncedOnceWithItsDispidAndMarksTheControlDirty)
{
    const struct {
        const wchar_t* progId;
        const wchar_t* member;
        LONG value;
        DISPID dispid;
    } cases[] = {
        {L"Plyx.QvFrame", L"ClipControls", 0, 63},      {L"Plyx.QvFrame", L"PictureBackgroundStyle", 2, 61},
        {L"Plyx.QvFrame", L"Alignment", 4, 7},          {L"Plyx.QvFrame", L"ShadowStyle", 1, 10},
        {L"Plyx.QvFrame", L"PictureAlignment", 1, 40},  {L"Plyx.QvPanel", L"BevelWidth", 4, 13},
        {L"Plyx.QvPanel", L"BorderWidth", 0, -505},     {L"Plyx.QvPanel", L"FloodType", 5, 18},
        {L"Plyx.QvPanel", L"FloodColor", static_cast<LONG>(0x80000002), 19}, {L"Plyx.QvPanel", L"FloodPercent", 37, 20},
        {L"Plyx.QvPanel", L"AutoSize", 3, -500},        {L"Plyx.QvPanel", L"FloodFillStyle", 1, 59},
        {L"Plyx.QvPanel", L"Outline", -1, 17},          {L"Plyx.QvPanel", L"ShadowColor", 1, 8},
    };
    for (const auto& entry : cases) {
        Held<IDispatch> control = NewControl(entry.progId);
        ASSERT_TRUE(control);
        Held<IPersistStreamInit> persist = As<IPersistStreamInit>(control.Get(), IID_IPersistStreamInit);
        CountingPropertyNotifySink sink;
        Held<IConnectionPointContainer> points =
            As<IConnectionPointContainer>(control.Get(), IID_IConnectionPointContainer);
        Held<IConnectionPoint> point;
        ASSERT_EQ(points->FindConnectionPoint(IID_IPropertyNotifySink, point.Out()), S_OK);
        DWORD cookie = 0;
        ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);
        SaveToBytes(control.Get());
        EXPECT_EQ(persist->IsDirty(), S_FALSE) << entry.member;
        EXPECT_EQ(PutLong(control.Get(), entry.member, entry.value), S_OK) << entry.member;
        EXPECT_EQ(PutLong(control.Get(), entry.member, entry.value), S_OK) << entry.member;
        EXPECT_EQ(sink.changed, std::vector<DISPID>{entry.dispid}) << entry.member;
        EXPECT_EQ(persist->IsDirty(), S_OK) << entry.member;
        point->Unadvise(cookie);
    }
}

TEST_F(FrameMembers, ShadowColorOfTheFrameIsKeptForTheInterfaceOnly)
{
    Held<IDispatch> frame = NewControl(L"Plyx.QvFrame");
    ASSERT_TRUE(frame);
    EXPECT_EQ(PutLong(frame.Get(), L"ShadowColor", 1), S_OK);
    // Without a container the control runs: the value reads as the dark grey shadow.
    EXPECT_EQ(GetLong(frame.Get(), L"ShadowColor"), 0);
}

TEST_F(FrameMembers, AnEmptyPictureBackgroundClearsTheOneHeld)
{
    Held<IDispatch> frame = NewControl(L"Plyx.QvFrame");
    ASSERT_TRUE(frame);
    PICTDESC description = {};
    description.cbSizeofstruct = sizeof description;
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = CreateBitmap(4, 4, 1, 32, nullptr);
    Held<IPictureDisp> picture;
    ASSERT_EQ(OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, picture.OutVoid()), S_OK);
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_DISPATCH;
    value.pdispVal = picture.Get();
    ASSERT_EQ(Put(frame.Get(), L"PictureBackground", value), S_OK);
    const std::vector<std::uint8_t> withPicture = SaveToBytes(frame.Get());

    value.pdispVal = nullptr;
    ASSERT_EQ(Put(frame.Get(), L"PictureBackground", value), S_OK);
    const std::vector<std::uint8_t> without = SaveToBytes(frame.Get());
    // The frame level's flags byte sits four bytes from the end: no picture follows it any more.
    ASSERT_GT(withPicture.size(), without.size());
    EXPECT_EQ(without[without.size() - 4] & 0x01, 0);
    EXPECT_EQ(without, NewStateBytes(L"Plyx.QvFrame"));
}

TEST_F(FrameMembers, APropertyBrowserSeesTheirCategories)
{
    // {4D07FC10-F931-11CE-B001-00AA006884E5}: ICategorizeProperties.
    const IID categorize = {0x4D07FC10, 0xF931, 0x11CE, {0xB0, 0x01, 0x00, 0xAA, 0x00, 0x68, 0x84, 0xE5}};
    const struct {
        const wchar_t* progId;
        DISPID dispid;
        LONG category;
    } cases[] = {
        {L"Plyx.QvFrame", 7, -5},   {L"Plyx.QvFrame", 10, -5},  {L"Plyx.QvFrame", 40, 101},
        {L"Plyx.QvFrame", 56, 101}, {L"Plyx.QvFrame", 61, 101}, {L"Plyx.QvPanel", 13, -5},
        {L"Plyx.QvPanel", 19, -5},  {L"Plyx.QvPanel", -505, -5}, {L"Plyx.QvPanel", -500, -5},
        {L"Plyx.QvPanel", 40, 101}, {L"Plyx.QvPanel", 61, 101},
    };
    for (const auto& entry : cases) {
        Held<IDispatch> control = NewControl(entry.progId);
        Held<ICategorizeProperties> categories;
        ASSERT_EQ(control->QueryInterface(categorize, categories.OutVoid()), S_OK);
        PROPCAT category = 0;
        EXPECT_EQ(categories->MapPropertyToCategory(entry.dispid, &category), S_OK);
        EXPECT_EQ(category, entry.category) << entry.dispid;
    }
}

TEST_F(FrameMembers, APropertyBrowserSeesTheNamedPositions)
{
    const struct {
        const wchar_t* progId;
        DISPID dispid;
        ULONG names;
        const wchar_t* first;
    } named[] = {{L"Plyx.QvFrame", 40, 2, L"0 - Left of Caption"}, {L"Plyx.QvPanel", 7, 9, L"0 - Left Top"}};
    for (const auto& entry : named) {
        Held<IDispatch> control = NewControl(entry.progId);
        Held<IPerPropertyBrowsing> browsing = As<IPerPropertyBrowsing>(control.Get(), IID_IPerPropertyBrowsing);
        CALPOLESTR strings = {};
        CADWORD cookies = {};
        ASSERT_EQ(browsing->GetPredefinedStrings(entry.dispid, &strings, &cookies), S_OK);
        EXPECT_EQ(strings.cElems, entry.names);
        EXPECT_EQ(cookies.cElems, entry.names);
        if (strings.cElems > 0) {
            EXPECT_STREQ(strings.pElems[0], entry.first);
        }
        for (ULONG index = 0; index < strings.cElems; ++index)
            CoTaskMemFree(strings.pElems[index]);
        CoTaskMemFree(strings.pElems);
        CoTaskMemFree(cookies.pElems);
    }
}

} // namespace
} // namespace frames_test
