// The shared members of every control: defaults of a new control, range checks with their error
// information, what counts as a change, and the notices the container's sinks receive.
#include "ControlInstanceList.h"
#include "LibraryLock.h"
#include "QvTestControl.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

namespace {

constexpr HRESULT InvalidPropertyValue = static_cast<HRESULT>(0x800A017C);

class ControlBasePropertyTest : public QvControlTest {
protected:
    void SetUp() override
    {
        QvControlTest::SetUp();
        ASSERT_EQ(control.As<IPersistStreamInit>(IID_IPersistStreamInit)->InitNew(), S_OK);
        control->SetDirty(false);
    }

    HeldQvControl control;
};

TEST_F(ControlBasePropertyTest, ANewControlHasTheCommonDefaults)
{
    const CommonStateBlock& state = control->CommonState();
    EXPECT_EQ(state.font3D, 0);
    EXPECT_EQ(state.mousePointer, 0);
    EXPECT_EQ(state.marqueeStyle, 0);
    EXPECT_EQ(state.backStyle, 0);
    EXPECT_EQ(state.foreColor, 0x80000012u);
    EXPECT_EQ(state.backColor, 0x8000000Fu);
    EXPECT_EQ(state.pictureMaskColor, 0x00C0C0C0u);
    EXPECT_EQ(state.pictureAnimationDelay, 60);
    EXPECT_EQ(state.marqueeDelay, 120);
    EXPECT_EQ(state.marqueeScrollAmount, 1);
    EXPECT_EQ(state.pictureFrames, 0);
    EXPECT_EQ(state.flags, CommonStateBlock::Enabled | CommonStateBlock::PictureAnimationEnabled);

    VARIANT_BOOL enabled = VARIANT_FALSE;
    ASSERT_EQ(control->get_Enabled(&enabled), S_OK);
    EXPECT_EQ(enabled, VARIANT_TRUE);
    VARIANT_BOOL useMask = VARIANT_TRUE;
    ASSERT_EQ(control->get_PictureUseMask(&useMask), S_OK);
    EXPECT_EQ(useMask, VARIANT_FALSE);
    // Without a container the control takes the library's default font.
    ASSERT_NE(control->Font(), nullptr);
    BSTR name = nullptr;
    ASSERT_EQ(control->get_FontName(&name), S_OK);
    EXPECT_EQ(std::wstring(name), RealizedFontName(L"MS Sans Serif"));
    SysFreeString(name);
    EXPECT_TRUE(control->Caption().IsEmpty());
    EXPECT_EQ(control->TagVariant().vt, VT_EMPTY);
}

struct RangeCase {
    const char* name;
    std::function<HRESULT(QvTestControl*)> put;
};

TEST_F(ControlBasePropertyTest, OutOfRangeValuesRaiseError380AndChangeNothing)
{
    const RangeCase cases[] = {
        {"Font3D 6", [](QvTestControl* c) { return c->put_Font3D(static_cast<Constants_Font3D>(6)); }},
        {"Font3D -1", [](QvTestControl* c) { return c->put_Font3D(static_cast<Constants_Font3D>(-1)); }},
        {"CaptionStyle 2", [](QvTestControl* c) { return c->put_CaptionStyle(static_cast<Constants_CaptionStyle>(2)); }},
        {"MarqueeDirection 4",
         [](QvTestControl* c) { return c->put_MarqueeDirection(static_cast<Constants_MarqueeDirection>(4)); }},
        {"MarqueeStyle 5", [](QvTestControl* c) { return c->put_MarqueeStyle(static_cast<Constants_MarqueeStyle>(5)); }},
        {"MousePointer -1",
         [](QvTestControl* c) { return c->put_MousePointer(static_cast<Constants_MousePointer>(-1)); }},
        {"BackStyle 2", [](QvTestControl* c) { return c->put_BackStyle(static_cast<Constants_BackStyle>(2)); }},
        {"OLEDropMode 3", [](QvTestControl* c) { return c->put_OLEDropMode(static_cast<Constants_OLEDrop>(3)); }},
        {"PictureAnimationDelay -1", [](QvTestControl* c) { return c->put_PictureAnimationDelay(-1); }},
        {"MarqueeDelay -5", [](QvTestControl* c) { return c->put_MarqueeDelay(-5); }},
        {"MarqueeScrollAmount 0", [](QvTestControl* c) { return c->put_MarqueeScrollAmount(0); }},
        {"MarqueeScrollAmount -2", [](QvTestControl* c) { return c->put_MarqueeScrollAmount(-2); }},
        {"PictureFrames -1", [](QvTestControl* c) { return c->put_PictureFrames(-1); }},
    };
    CountingPropertyNotifySink sink;
    NotifyConnection connection(control.get(), &sink);
    const CommonStateBlock before = control->CommonState();
    for (const RangeCase& rangeCase : cases) {
        SetErrorInfo(0, nullptr);
        EXPECT_EQ(rangeCase.put(control.get()), InvalidPropertyValue) << rangeCase.name;
        const RaisedError raised = TakeRaisedError();
        EXPECT_EQ(raised.description, L"Invalid property value") << rangeCase.name;
        EXPECT_EQ(raised.source, L"QvBaseTest") << rangeCase.name;
        EXPECT_TRUE(IsEqualGUID(raised.guid, IID_IQvBase)) << rangeCase.name;
    }
    EXPECT_EQ(std::memcmp(&before, &control->CommonState(), sizeof before), 0);
    EXPECT_TRUE(sink.changed.empty());
    EXPECT_FALSE(control->IsDirty());
}

struct ChangeCase {
    const char* name;
    DISPID dispid;
    std::function<HRESULT(QvTestControl*)> put;
};

TEST_F(ControlBasePropertyTest, AChangeMarksDirtyAndNotifiesWithTheMembersDispidOnce)
{
    const ChangeCase cases[] = {
        {"Font3D", 9, [](QvTestControl* c) { return c->put_Font3D(qvDropShadow); }},
        {"CaptionStyle", 12, [](QvTestControl* c) { return c->put_CaptionStyle(qvWrapped); }},
        {"PictureAnimationDelay", 31, [](QvTestControl* c) { return c->put_PictureAnimationDelay(0); }},
        {"MarqueeDelay", 32, [](QvTestControl* c) { return c->put_MarqueeDelay(32767); }},
        {"MarqueeDirection", 33, [](QvTestControl* c) { return c->put_MarqueeDirection(qvMDBottomToTop); }},
        {"PictureFrames", 35, [](QvTestControl* c) { return c->put_PictureFrames(4); }},
        {"PictureMaskColor", 36, [](QvTestControl* c) { return c->put_PictureMaskColor(0xFF00FF); }},
        {"MarqueeScrollAmount", 46, [](QvTestControl* c) { return c->put_MarqueeScrollAmount(9); }},
        {"MarqueeStyle", 60, [](QvTestControl* c) { return c->put_MarqueeStyle(qvBouncingMarquee); }},
        {"BackColor", DISPID_BACKCOLOR, [](QvTestControl* c) { return c->put_BackColor(0x123456); }},
        {"ForeColor", DISPID_FORECOLOR, [](QvTestControl* c) { return c->put_ForeColor(0x654321); }},
        {"MousePointer", DISPID_MOUSEPOINTER,
         [](QvTestControl* c) { return c->put_MousePointer(static_cast<Constants_MousePointer>(11)); }},
        {"FontBold", 3, [](QvTestControl* c) { return c->put_FontBold(VARIANT_TRUE); }},
        {"FontSize", 2, [](QvTestControl* c) { return c->put_FontSize(14.25f); }},
        {"Caption", DISPID_CAPTION, [](QvTestControl* c) {
             BSTR text = SysAllocString(L"Go");
             const HRESULT hr = c->put_Caption(text);
             SysFreeString(text);
             return hr;
         }},
        {"TagVariant", 39, [](QvTestControl* c) {
             VARIANT tag;
             VariantInit(&tag);
             tag.vt = VT_I4;
             tag.lVal = 7;
             return c->put_TagVariant(tag);
         }},
    };
    for (const ChangeCase& changeCase : cases) {
        CountingPropertyNotifySink sink;
        NotifyConnection connection(control.get(), &sink);
        control->SetDirty(false);
        ASSERT_EQ(changeCase.put(control.get()), S_OK) << changeCase.name;
        EXPECT_TRUE(control->IsDirty()) << changeCase.name;
        // The font itself also tells the control of its change, which the control passes on as Font.
        std::vector<DISPID> own;
        for (DISPID dispid : sink.changed)
            if (dispid != DISPID_FONT)
                own.push_back(dispid);
        EXPECT_EQ(own, std::vector<DISPID>{changeCase.dispid}) << changeCase.name;

        // The same value again changes nothing.
        sink.changed.clear();
        control->SetDirty(false);
        ASSERT_EQ(changeCase.put(control.get()), S_OK) << changeCase.name;
        EXPECT_FALSE(control->IsDirty()) << changeCase.name;
        EXPECT_TRUE(sink.changed.empty()) << changeCase.name;
    }
}

TEST_F(ControlBasePropertyTest, AFontNameIsAChangeUntilTheFontReportsIt)
{
    CountingPropertyNotifySink sink;
    NotifyConnection connection(control.get(), &sink);
    BSTR name = SysAllocString(L"Arial");
    ASSERT_EQ(control->put_FontName(name), S_OK);
    SysFreeString(name);
    EXPECT_TRUE(control->IsDirty());
    EXPECT_EQ(std::count(sink.changed.begin(), sink.changed.end(), 1), 1);
    EXPECT_NE(control->CommonState().flags & CommonStateBlock::FontPresent, 0);

    // The name the font reports now (the platform may realize another face) is no change.
    name = nullptr;
    ASSERT_EQ(control->get_FontName(&name), S_OK);
    sink.changed.clear();
    control->SetDirty(false);
    ASSERT_EQ(control->put_FontName(name), S_OK);
    SysFreeString(name);
    EXPECT_FALSE(control->IsDirty());
    EXPECT_TRUE(sink.changed.empty());
}

TEST_F(ControlBasePropertyTest, FlagsCountOnlyFalseOntoFalseAsNoChange)
{
    CountingPropertyNotifySink sink;
    NotifyConnection connection(control.get(), &sink);
    // Enabled is set: True again still notifies.
    ASSERT_EQ(control->put_Enabled(VARIANT_TRUE), S_OK);
    ASSERT_EQ(control->put_PictureAnimationEnabled(VARIANT_TRUE), S_OK);
    EXPECT_EQ(sink.changed, (std::vector<DISPID>{DISPID_ENABLED, 54}));
    sink.changed.clear();
    // PictureUseMask is clear: False onto it is nothing, bit 0 of any other value sets it.
    ASSERT_EQ(control->put_PictureUseMask(VARIANT_FALSE), S_OK);
    EXPECT_TRUE(sink.changed.empty());
    ASSERT_EQ(control->put_PictureUseMask(static_cast<VARIANT_BOOL>(2)), S_OK);
    EXPECT_TRUE(sink.changed.empty());
    ASSERT_EQ(control->put_PictureUseMask(static_cast<VARIANT_BOOL>(1)), S_OK);
    EXPECT_EQ(sink.changed, std::vector<DISPID>{37});
    VARIANT_BOOL useMask = VARIANT_FALSE;
    ASSERT_EQ(control->get_PictureUseMask(&useMask), S_OK);
    EXPECT_EQ(useMask, VARIANT_TRUE);
}

TEST_F(ControlBasePropertyTest, MousePointerAboveTheSystemCursorsMeansTheCustomOne)
{
    ASSERT_EQ(control->put_MousePointer(static_cast<Constants_MousePointer>(50)), S_OK);
    Constants_MousePointer pointer = qvDefault;
    ASSERT_EQ(control->get_MousePointer(&pointer), S_OK);
    EXPECT_EQ(pointer, 99);
    ASSERT_EQ(control->put_MousePointer(static_cast<Constants_MousePointer>(15)), S_OK);
    ASSERT_EQ(control->get_MousePointer(&pointer), S_OK);
    EXPECT_EQ(pointer, 15);
}

TEST_F(ControlBasePropertyTest, OleDropModeNotifiesEvenForAnEqualValue)
{
    CountingPropertyNotifySink sink;
    NotifyConnection connection(control.get(), &sink);
    ASSERT_EQ(control->put_OLEDropMode(static_cast<Constants_OLEDrop>(2)), S_OK);
    ASSERT_EQ(control->put_OLEDropMode(static_cast<Constants_OLEDrop>(2)), S_OK);
    EXPECT_EQ(sink.changed, (std::vector<DISPID>{1551, 1551}));
}

IPictureDisp* NewBitmapPicture()
{
    PICTDESC description = {};
    description.cbSizeofstruct = sizeof description;
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = CreateBitmap(8, 4, 1, 32, nullptr);
    IPictureDisp* picture = nullptr;
    EXPECT_EQ(OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(&picture)),
              S_OK);
    return picture;
}

TEST_F(ControlBasePropertyTest, APictureNeedsAtLeastOneFrameAndNoPictureHasNone)
{
    IPictureDisp* picture = NewBitmapPicture();
    ASSERT_NE(picture, nullptr);
    ASSERT_EQ(control->put_Picture(picture), S_OK);
    picture->Release();
    short frames = 0;
    ASSERT_EQ(control->get_PictureFrames(&frames), S_OK);
    EXPECT_EQ(frames, 1);
    EXPECT_TRUE(control->HasAnimatedPicture());
    EXPECT_EQ(control->put_PictureFrames(0), InvalidPropertyValue);
    ASSERT_EQ(control->put_PictureFrames(3), S_OK);
    EXPECT_EQ(control->GetFrameCount(), 3);

    ASSERT_EQ(control->put_Picture(nullptr), S_OK);
    ASSERT_EQ(control->get_PictureFrames(&frames), S_OK);
    EXPECT_EQ(frames, 0);
    EXPECT_EQ(control->GetFrameCount(), 1);
    EXPECT_EQ(control->CommonState().flags & CommonStateBlock::PicturePresent, 0);
}

TEST_F(ControlBasePropertyTest, OnlyAnIconCanBeTheMouseIcon)
{
    IPictureDisp* bitmap = NewBitmapPicture();
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(control->put_MouseIcon(bitmap), InvalidPropertyValue);
    bitmap->Release();

    PICTDESC description = {};
    description.cbSizeofstruct = sizeof description;
    description.picType = PICTYPE_ICON;
    description.icon.hicon = CopyIcon(LoadIconA(nullptr, IDI_APPLICATION));
    IPictureDisp* icon = nullptr;
    ASSERT_EQ(OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(&icon)), S_OK);
    ASSERT_EQ(control->put_MouseIcon(icon), S_OK);
    icon->Release();
    EXPECT_NE(control->CommonState().flags & CommonStateBlock::MouseIconPresent, 0);
    ASSERT_EQ(control->put_MouseIcon(nullptr), S_OK);
    EXPECT_EQ(control->MouseIcon(), nullptr);
    EXPECT_EQ(control->CommonState().flags & CommonStateBlock::MouseIconPresent, 0);
}

TEST_F(ControlBasePropertyTest, BackStyleMakesTheClassTransparentAndBack)
{
    ASSERT_EQ(control->put_BackStyle(qvTransparent), S_OK);
    EXPECT_TRUE(control->IsTransparent());
    EXPECT_EQ(control->ControlRow().opaque, 0);
    ASSERT_EQ(control->put_BackStyle(qvOpaque), S_OK);
    EXPECT_EQ(control->ControlRow().opaque, 1);
}

TEST_F(ControlBasePropertyTest, TheFontIsReplacedByAClone)
{
    FONTDESC description = {sizeof(FONTDESC), const_cast<LPOLESTR>(L"Courier New"), {{120000, 0}}, FW_BOLD,
                            ANSI_CHARSET, FALSE, FALSE, FALSE};
    IFontDisp* font = nullptr;
    ASSERT_EQ(OleCreateFontIndirect(&description, IID_IFontDisp, reinterpret_cast<void**>(&font)), S_OK);
    CountingPropertyNotifySink sink;
    NotifyConnection connection(control.get(), &sink);
    ASSERT_EQ(control->put_Font(font), S_OK);
    font->Release();
    EXPECT_EQ(sink.changed, std::vector<DISPID>{DISPID_FONT});
    EXPECT_NE(control->CommonState().flags & CommonStateBlock::FontPresent, 0);
    BSTR name = nullptr;
    ASSERT_EQ(control->get_FontName(&name), S_OK);
    EXPECT_EQ(std::wstring(name), RealizedFontName(L"Courier New"));
    SysFreeString(name);
    float size = 0;
    ASSERT_EQ(control->get_FontSize(&size), S_OK);
    EXPECT_FLOAT_EQ(size, 12.0f);
}

TEST_F(ControlBasePropertyTest, TheSharedMembersAreReachedByDispid)
{
    IDispatch* dispatch = control.As<IDispatch>(IID_IDispatch);
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I2;
    value.iVal = 3;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {&value, &named, 1, 1};
    ASSERT_EQ(dispatch->Invoke(60, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(control->CommonState().marqueeStyle, 3);

    // A refused value comes back to a late-bound caller as an exception with the description.
    value.iVal = 9;
    EXCEPINFO exception = {};
    EXPECT_EQ(dispatch->Invoke(60, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, &exception, nullptr),
              DISP_E_EXCEPTION);
    EXPECT_EQ(exception.scode, InvalidPropertyValue);
    ASSERT_NE(exception.bstrDescription, nullptr);
    EXPECT_STREQ(exception.bstrDescription, L"Invalid property value");
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrHelpFile);
}

TEST_F(ControlBasePropertyTest, ErrorInformationIsSupportedForTheSharedInterface)
{
    ISupportErrorInfo* support = control.As<ISupportErrorInfo>(IID_ISupportErrorInfo);
    ASSERT_NE(support, nullptr);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IQvBase), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IDispatch), S_FALSE);
}

TEST_F(ControlBasePropertyTest, SharedMembersHaveTheirCategories)
{
    ICategorizeProperties* categories = control.As<ICategorizeProperties>(IID_ICategorizeProperties);
    ASSERT_NE(categories, nullptr);
    const struct {
        DISPID dispid;
        PROPCAT category;
    } cases[] = {
        {9, PROPCAT_Font},       {60, PROPCAT_Text},          {DISPID_CAPTION, PROPCAT_Text},
        {35, 101},               {DISPID_PICTURE, 101},       {39, PROPCAT_Misc},
        {1551, PROPCAT_Behavior}, {DISPID_ENABLED, PROPCAT_Behavior}, {DISPID_BACKSTYLE, PROPCAT_Appearance},
        {DISPID_MOUSEICON, 101}, {DISPID_FONT, PROPCAT_Font},
    };
    for (const auto& entry : cases) {
        PROPCAT category = 0;
        EXPECT_EQ(categories->MapPropertyToCategory(entry.dispid, &category), S_OK) << entry.dispid;
        EXPECT_EQ(category, entry.category) << entry.dispid;
    }
}

TEST_F(ControlBasePropertyTest, TheSizeIsRaisedToTheSmallestAControlTakes)
{
    SIZEL small = {5, 5};
    ASSERT_TRUE(control->SetControlSize(small));
    EXPECT_EQ(control->Extent().cx, 11);
    EXPECT_EQ(control->Extent().cy, 21);
}

class ControlInstanceListTest : public QvControlTest {};

TEST_F(ControlInstanceListTest, ControlsAreListedNewestFirstWhileTheyLive)
{
    const int before = ControlInstanceList::Count();
    {
        HeldQvControl first;
        HeldQvControl second;
        EXPECT_EQ(ControlInstanceList::Count(), before + 2);
        {
            LibraryLock::Scope lock;
            ASSERT_NE(ControlInstanceList::Head(), nullptr);
            EXPECT_EQ(ControlInstanceList::Head()->control, static_cast<plyx::IQvBase*>(second.get()));
            EXPECT_EQ(ControlInstanceList::Head()->next->control, static_cast<plyx::IQvBase*>(first.get()));
        }
        EXPECT_TRUE(ControlInstanceList::Contains(first.get()));
    }
    EXPECT_EQ(ControlInstanceList::Count(), before);
}

TEST_F(ControlInstanceListTest, AControlInTheMiddleLeavesTheOthersLinked)
{
    QvTestControl* oldest = QvTestControl::Create();
    QvTestControl* middle = QvTestControl::Create();
    QvTestControl* newest = QvTestControl::Create();
    middle->PrivateUnknown()->Release();
    {
        LibraryLock::Scope lock;
        ControlInstanceNode* head = ControlInstanceList::Head();
        ASSERT_NE(head, nullptr);
        EXPECT_EQ(head->control, static_cast<plyx::IQvBase*>(newest));
        ASSERT_NE(head->next, nullptr);
        EXPECT_EQ(head->next->control, static_cast<plyx::IQvBase*>(oldest));
        EXPECT_EQ(head->next->prev, head);
    }
    newest->PrivateUnknown()->Release();
    oldest->PrivateUnknown()->Release();
}

} // namespace

namespace {

VARIANT DecimalOf(const wchar_t* text)
{
    VARIANT value;
    VariantInit(&value);
    VARIANT source;
    VariantInit(&source);
    source.vt = VT_BSTR;
    source.bstrVal = SysAllocString(text);
    EXPECT_EQ(VariantChangeType(&value, &source, 0, VT_DECIMAL), S_OK);
    VariantClear(&source);
    return value;
}

TEST_F(ControlBasePropertyTest, EveryDifferentDecimalTagIsAChange)
{
    CountingPropertyNotifySink sink;
    NotifyConnection connection(control.get(), &sink);
    VARIANT one = DecimalOf(L"1");
    ASSERT_EQ(control->put_TagVariant(one), S_OK);
    control->SetDirty(false);
    sink.changed.clear();
    // Sign, scale and the high word all make another value.
    for (const wchar_t* text : {L"-1", L"0.0000000001", L"18446744073709551617"}) {
        SCOPED_TRACE(testing::Message() << "Tag " << text);
        VARIANT value = DecimalOf(text);
        ASSERT_EQ(control->put_TagVariant(value), S_OK);
        VARIANT read;
        VariantInit(&read);
        ASSERT_EQ(control->get_TagVariant(&read), S_OK);
        EXPECT_EQ(VarCmp(&read, &value, LOCALE_USER_DEFAULT, 0), VARCMP_EQ);
        EXPECT_TRUE(control->IsDirty());
        EXPECT_EQ(sink.changed.size(), 1u);
        control->SetDirty(false);
        sink.changed.clear();
        // The same value again is no change.
        ASSERT_EQ(control->put_TagVariant(value), S_OK);
        EXPECT_FALSE(control->IsDirty());
        EXPECT_TRUE(sink.changed.empty());
        VariantClear(&read);
        VariantClear(&value);
    }
    VariantClear(&one);
}

// Answers IPictureDisp but not IPicture.
class DispatchOnlyPicture final : public IPictureDisp {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override
    {
        *object = nullptr;
        if (riid != IID_IUnknown && riid != IID_IDispatch && riid != IID_IPictureDisp)
            return E_NOINTERFACE;
        *object = static_cast<IPictureDisp*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
    STDMETHODIMP_(ULONG) Release() override { return --references; }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override { *count = 0; return S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }
    ULONG references = 0;
};

TEST_F(ControlBasePropertyTest, ARefusedPictureLeavesThePictureAsItWas)
{
    IPictureDisp* picture = NewBitmapPicture();
    ASSERT_NE(picture, nullptr);
    ASSERT_EQ(control->put_Picture(picture), S_OK);
    ASSERT_EQ(control->put_PictureFrames(4), S_OK);
    control->SetDirty(false);
    DispatchOnlyPicture foreign;
    EXPECT_EQ(control->put_Picture(&foreign), InvalidPropertyValue);
    EXPECT_EQ(foreign.references, 0u);
    IPictureDisp* held = nullptr;
    ASSERT_EQ(control->get_Picture(&held), S_OK);
    EXPECT_NE(held, nullptr);
    if (held != nullptr)
        held->Release();
    short frames = 0;
    ASSERT_EQ(control->get_PictureFrames(&frames), S_OK);
    EXPECT_EQ(frames, 4);
    EXPECT_NE(control->CommonState().flags & CommonStateBlock::PicturePresent, 0);
    EXPECT_FALSE(control->IsDirty());
    picture->Release();
}

TEST_F(ControlBasePropertyTest, ACaptionLongerThanAStreamCanHoldIsRefused)
{
    const std::wstring longest(32767, L'a');
    BSTR text = SysAllocString(longest.c_str());
    EXPECT_EQ(control->put_Caption(text), S_OK);
    SysFreeString(text);
    const std::wstring tooLong(32768, L'b');
    text = SysAllocString(tooLong.c_str());
    EXPECT_EQ(control->put_Caption(text), InvalidPropertyValue);
    SysFreeString(text);
    EXPECT_EQ(control->Caption().Length(), 32767u);
    EXPECT_EQ(control->Caption().Text()[0], 'a');
}

} // namespace
