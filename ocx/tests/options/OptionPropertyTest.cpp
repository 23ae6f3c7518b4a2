// The check/option level's own properties: their range errors, their notices, their categories, and
// the layout they ask for (a moving caption handed to the marquee, a metafile snapshot).
#include "OptionTestSupport.h"

#include <string>

namespace {

class OptionPropertyTest : public HostedOptionTest<QvCheck> {
protected:
    static std::wstring RaisedDescription()
    {
        IErrorInfo* info = nullptr;
        std::wstring text;
        if (GetErrorInfo(0, &info) == S_OK && info != nullptr) {
            BSTR description = nullptr;
            if (SUCCEEDED(info->GetDescription(&description)) && description != nullptr)
                text = description;
            SysFreeString(description);
            info->Release();
        }
        return text;
    }
};

TEST_F(OptionPropertyTest, AlignmentsOutOfRangeRaiseInvalidPropertyValueAndChangeNothing)
{
    Site();
    Listen(DIID_DQvCheckEvents);
    const auto alignment = [](QvCheck* check, long value) {
        return check->put_Alignment(static_cast<Constants_AlignTo>(value));
    };
    const auto pictureAlignment = [](QvCheck* check, long value) {
        return check->put_PictureAlignment(static_cast<Constants_PictureAlignment>(value));
    };
    struct Put {
        const char* what;
        HRESULT (*put)(QvCheck*, long);
        long value;
        bool accepted;
    } puts[] = {
        {"Alignment 1", alignment, 1, true},      {"Alignment 2", alignment, 2, false},
        {"Alignment -1", alignment, -1, false},   {"PictureAlignment 2", pictureAlignment, 2, true},
        {"PictureAlignment 3", pictureAlignment, 3, false}, {"PictureAlignment -1", pictureAlignment, -1, false},
    };
    for (const Put& put : puts) {
        SetErrorInfo(0, nullptr);
        const plyx::OptionStateBlock before = control->OptionState();
        const HRESULT hr = put.put(control.get(), put.value);
        if (put.accepted) {
            EXPECT_EQ(hr, S_OK) << put.what;
        } else {
            EXPECT_EQ(hr, static_cast<HRESULT>(0x800A017C)) << put.what;
            EXPECT_EQ(RaisedDescription(), L"Invalid property value") << put.what;
            EXPECT_EQ(control->OptionState().alignment, before.alignment) << put.what;
            EXPECT_EQ(control->OptionState().pictureAlignment, before.pictureAlignment) << put.what;
        }
    }
    EXPECT_EQ(notify.changed, (std::vector<DISPID>{7, 40}));
}

TEST_F(OptionPropertyTest, TheGlyphMembersNotifyOnlyOnAChange)
{
    Site();
    Listen(DIID_DQvCheckEvents);
    ASSERT_EQ(control->put_CheckBoxUseMask(VARIANT_TRUE), S_OK);
    ASSERT_EQ(control->put_CheckBoxUseMask(1), S_OK) << "bit 0 set: the same state";
    ASSERT_EQ(control->put_CheckBoxMaskColor(0x00FF0000), S_OK);
    ASSERT_EQ(control->put_CheckBoxMaskColor(0x00FF0000), S_OK);
    EXPECT_EQ(notify.changed, (std::vector<DISPID>{42, 41}));
    VARIANT_BOOL useMask = VARIANT_FALSE;
    ASSERT_EQ(control->get_CheckBoxUseMask(&useMask), S_OK);
    EXPECT_EQ(useMask, VARIANT_TRUE);

    // No picture taken away twice: one notice.
    notify.changed.clear();
    IPictureDisp* picture = SolidCellsPicture({RGB(1, 2, 3)}, 13);
    ASSERT_EQ(control->put_CheckBoxGraphics(picture), S_OK);
    picture->Release();
    ASSERT_EQ(control->putref_CheckBoxGraphics(nullptr), S_OK);
    ASSERT_EQ(control->putref_CheckBoxGraphics(nullptr), S_OK);
    EXPECT_EQ(notify.changed, (std::vector<DISPID>{43, 43}));
    IPictureDisp* none = reinterpret_cast<IPictureDisp*>(1);
    ASSERT_EQ(control->get_CheckBoxGraphics(&none), S_OK);
    EXPECT_EQ(none, nullptr);
    // Something that is no picture is refused.
    IPictureDisp* notAPicture = reinterpret_cast<IPictureDisp*>(static_cast<IDispatch*>(&events));
    EXPECT_EQ(control->put_CheckBoxGraphics(notAPicture), E_NOINTERFACE);
}

TEST_F(OptionPropertyTest, EachMemberHasItsCategory)
{
    Site();
    ICategorizeProperties* categories = control.As<ICategorizeProperties>(IID_ICategorizeProperties);
    ASSERT_NE(categories, nullptr);
    struct Case {
        DISPID dispid;
        PROPCAT category;
    } cases[] = {
        {7, PROPCAT_Appearance}, {40, 101}, {41, 101}, {42, 101}, {43, 101}, {44, PROPCAT_Misc}, {47, PROPCAT_Misc},
    };
    for (const Case& c : cases) {
        PROPCAT category = 0;
        EXPECT_EQ(categories->MapPropertyToCategory(c.dispid, &category), S_OK) << c.dispid;
        EXPECT_EQ(category, c.category) << c.dispid;
    }
}

TEST_F(OptionPropertyTest, AMovingCaptionIsHandedToTheMarqueeAtRunTime)
{
    Activate(false, true);
    BSTR caption = SysAllocString(L"Receipts");
    ASSERT_EQ(control->put_Caption(caption), S_OK);
    SysFreeString(caption);
    ASSERT_EQ(control->put_MarqueeStyle(qvScrollingMarquee), S_OK);
    RedrawWindow(control->ControlWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(EqualRect(&control->MarqueeArea(), &control->Layout().caption));
    EXPECT_FALSE(IsRectEmpty(&control->MarqueeArea()));
    EXPECT_NE(control->MarqueeTimer(), 0u) << "the caption moves";
    // Without a moving style the caption stays where the layout puts it.
    ASSERT_EQ(control->put_MarqueeStyle(qvNoneMarquee), S_OK);
    RedrawWindow(control->ControlWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(IsRectEmpty(&control->MarqueeArea()));
}

TEST_F(OptionPropertyTest, AMetafileSnapshotDraws)
{
    Site();
    HDC metafile = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(metafile, nullptr);
    IViewObject* view = control.As<IViewObject>(IID_IViewObject);
    const RECTL bounds = {0, 0, 100, 50};
    EXPECT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, metafile, &bounds, nullptr, nullptr, 0), S_OK);
    HENHMETAFILE recorded = CloseEnhMetaFile(metafile);
    ASSERT_NE(recorded, nullptr);
    EXPECT_GT(GetEnhMetaFileBits(recorded, 0, nullptr), 100u) << "the snapshot holds the drawing";
    DeleteEnhMetaFile(recorded);
}

} // namespace
