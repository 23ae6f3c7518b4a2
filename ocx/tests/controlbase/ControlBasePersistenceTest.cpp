// The common level's persisted state: its stream block with the stored bytes, the objects that follow
// it, and its properties by name in a property bag.
#include "Himetric.h"
#include "MemoryPropertyBag.h"
#include "QvTestControl.h"

#include <cstring>
#include <random>

namespace {

using Bytes = std::vector<unsigned char>;

// The framework's header of a new 100 x 50 pixel control at 96 dots per inch, and its version.
const Bytes FrameworkPart = {
    0x21, 0x43, 0x34, 0x12, 0x08, 0x00, 0x00, 0x00, 0x56, 0x0A, 0x00, 0x00, 0x2B, 0x05, 0x00, 0x00,
    0x00, 0x00, 0x02, 0x00,
};

// The common block of a new control.
const Bytes DefaultBlock = {
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // Font3D ... BackStyle
    0x12, 0x00, 0x00, 0x80,                    // ForeColor
    0x0F, 0x00, 0x00, 0x80,                    // BackColor
    0xC0, 0xC0, 0xC0, 0x00,                    // PictureMaskColor
    0x3C, 0x00,                                // PictureAnimationDelay 60
    0x78, 0x00,                                // MarqueeDelay 120
    0x01, 0x00,                                // MarqueeScrollAmount 1
    0x00, 0x00,                                // PictureFrames
    0x03,                                      // Enabled, PictureAnimationEnabled
};

Bytes Joined(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

class ControlBasePersistenceTest : public QvControlTest {
protected:
    void SetUp() override
    {
        QvControlTest::SetUp();
        if (ScreenDotsPerInchX() != 96 || ScreenDotsPerInchY() != 96)
            GTEST_SKIP() << "the stored bytes are those of a 96 dots-per-inch screen";
    }

    static Bytes Saved(const HeldQvControl& control)
    {
        IStream* stream = StreamOfBytes({});
        EXPECT_EQ(control.As<IPersistStreamInit>(IID_IPersistStreamInit)->Save(stream, TRUE), S_OK);
        Bytes bytes = BytesOfStream(stream);
        stream->Release();
        return bytes;
    }

    static HRESULT Load(const HeldQvControl& control, const Bytes& bytes)
    {
        IStream* stream = StreamOfBytes(bytes);
        const HRESULT hr = control.As<IPersistStreamInit>(IID_IPersistStreamInit)->Load(stream);
        stream->Release();
        return hr;
    }
};

TEST_F(ControlBasePersistenceTest, ANewControlIsStoredAsTheDefaultBlockAndTwoEmptyTexts)
{
    HeldQvControl control;
    ASSERT_EQ(control.As<IPersistStreamInit>(IID_IPersistStreamInit)->InitNew(), S_OK);
    EXPECT_EQ(Saved(control), Joined({FrameworkPart, DefaultBlock, {0x00, 0x00, 0x00, 0x00}}));
}

TEST_F(ControlBasePersistenceTest, ChangedValuesStandAtTheirOffsetsAndLoadBack)
{
    HeldQvControl control;
    ASSERT_EQ(control.As<IPersistStreamInit>(IID_IPersistStreamInit)->InitNew(), S_OK);
    ASSERT_EQ(control->put_Font3D(qvInsetHeavy), S_OK);
    ASSERT_EQ(control->put_MousePointer(qvSizeAll), S_OK);
    ASSERT_EQ(control->put_MarqueeStyle(qvBlinkingMarquee), S_OK);
    ASSERT_EQ(control->put_BackColor(0x00112233), S_OK);
    ASSERT_EQ(control->put_MarqueeDelay(500), S_OK);
    ASSERT_EQ(control->put_PictureUseMask(VARIANT_TRUE), S_OK);
    ASSERT_EQ(control->put_Enabled(VARIANT_FALSE), S_OK);
    BSTR caption = SysAllocString(L"Save");
    ASSERT_EQ(control->put_Caption(caption), S_OK);
    SysFreeString(caption);
    VARIANT tag;
    VariantInit(&tag);
    tag.vt = VT_BSTR;
    tag.bstrVal = SysAllocString(L"t1");
    ASSERT_EQ(control->put_TagVariant(tag), S_OK);
    VariantClear(&tag);

    const Bytes block = {
        0x04, 0x0F, 0x00, 0x00, 0x03, 0x00, 0x00, 0x12, 0x00, 0x00, 0x80, 0x33, 0x22, 0x11, 0x00,
        0xC0, 0xC0, 0xC0, 0x00, 0x3C, 0x00, 0xF4, 0x01, 0x01, 0x00, 0x00, 0x00, 0x06,
    };
    const Bytes texts = {0x04, 0x00, 'S', 'a', 'v', 'e', 0x02, 0x00, 't', '1'};
    const Bytes expected = Joined({FrameworkPart, block, texts});
    ASSERT_EQ(Saved(control), expected);

    HeldQvControl loaded;
    ASSERT_EQ(Load(loaded, expected), S_OK);
    EXPECT_EQ(std::memcmp(&loaded->CommonState(), &control->CommonState(), sizeof(CommonStateBlock)), 0);
    EXPECT_STREQ(loaded->Caption().Text(), "Save");
    ASSERT_EQ(loaded->TagVariant().vt, VT_BSTR);
    EXPECT_STREQ(loaded->TagVariant().bstrVal, L"t1");
    EXPECT_FALSE(loaded->IsDirty());
    EXPECT_EQ(Saved(loaded), expected);
}

TEST_F(ControlBasePersistenceTest, ANumberTagIsNotKeptInTheStream)
{
    HeldQvControl control;
    ASSERT_EQ(control.As<IPersistStreamInit>(IID_IPersistStreamInit)->InitNew(), S_OK);
    VARIANT tag;
    VariantInit(&tag);
    tag.vt = VT_I4;
    tag.lVal = 42;
    ASSERT_EQ(control->put_TagVariant(tag), S_OK);
    const Bytes saved = Saved(control);
    EXPECT_EQ(saved, Joined({FrameworkPart, DefaultBlock, {0x00, 0x00, 0x00, 0x00}}));
    HeldQvControl loaded;
    ASSERT_EQ(Load(loaded, saved), S_OK);
    EXPECT_EQ(loaded->TagVariant().vt, VT_EMPTY);
}

TEST_F(ControlBasePersistenceTest, UnknownFlagBitsAreDroppedOnLoad)
{
    Bytes block = DefaultBlock;
    block[27] = 0xC1;
    HeldQvControl loaded;
    ASSERT_EQ(Load(loaded, Joined({FrameworkPart, block, {0x00, 0x00, 0x00, 0x00}})), S_OK);
    EXPECT_EQ(loaded->CommonState().flags, CommonStateBlock::Enabled);
}

TEST_F(ControlBasePersistenceTest, AStreamThatEndsInsideTheBlockIsRefused)
{
    Bytes shortened = Joined({FrameworkPart, DefaultBlock});
    shortened.resize(shortened.size() - 3);
    HeldQvControl loaded;
    EXPECT_EQ(Load(loaded, shortened), STG_E_READFAULT);
}

TEST_F(ControlBasePersistenceTest, TheFontFollowsTheBlockInItsOwnFormAndLoadsBack)
{
    HeldQvControl control;
    ASSERT_EQ(control.As<IPersistStreamInit>(IID_IPersistStreamInit)->InitNew(), S_OK);
    ASSERT_EQ(control->put_FontBold(VARIANT_TRUE), S_OK);
    ASSERT_EQ(control->put_FontSize(12.0f), S_OK);
    const Bytes saved = Saved(control);
    ASSERT_GT(saved.size(), FrameworkPart.size() + 28 + 14);
    const size_t font = FrameworkPart.size() + 28;
    EXPECT_EQ(saved[font - 1], 0x13) << "Font present beside Enabled and PictureAnimationEnabled";
    // version 1, charset, attributes, weight 700, size in 1/10000 point, the name's length and the name
    EXPECT_EQ(saved[font], 0x01);
    EXPECT_EQ(saved[font + 4] | (saved[font + 5] << 8), FW_BOLD);
    DWORD size = 0;
    std::memcpy(&size, &saved[font + 6], 4);
    EXPECT_EQ(size, 120000u);
    const size_t nameLength = saved[font + 10];
    const std::wstring face = RealizedFontName(L"MS Sans Serif");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&saved[font + 11]), nameLength), std::string(face.begin(), face.end()));
    EXPECT_EQ(saved.size(), font + 11 + nameLength + 4);

    HeldQvControl loaded;
    ASSERT_EQ(Load(loaded, saved), S_OK);
    VARIANT_BOOL bold = VARIANT_FALSE;
    ASSERT_EQ(loaded->get_FontBold(&bold), S_OK);
    EXPECT_EQ(bold, VARIANT_TRUE);
    float points = 0;
    ASSERT_EQ(loaded->get_FontSize(&points), S_OK);
    EXPECT_FLOAT_EQ(points, 12.0f);
    EXPECT_EQ(Saved(loaded), saved);
}

TEST_F(ControlBasePersistenceTest, ThePictureFollowsTheFontAsAPictureFile)
{
    HeldQvControl control;
    ASSERT_EQ(control.As<IPersistStreamInit>(IID_IPersistStreamInit)->InitNew(), S_OK);
    PICTDESC description = {};
    description.cbSizeofstruct = sizeof description;
    description.picType = PICTYPE_BITMAP;
    // A device-independent bitmap of 24 bits, stored as a plain bitmap file.
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 6;
    info.bmiHeader.biHeight = 2;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    description.bmp.hbitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(description.bmp.hbitmap, nullptr);
    IPictureDisp* picture = nullptr;
    ASSERT_EQ(OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(&picture)),
              S_OK);
    ASSERT_EQ(control->put_Picture(picture), S_OK);
    picture->Release();
    ASSERT_EQ(control->put_PictureFrames(2), S_OK);

    const Bytes saved = Saved(control);
    const size_t start = FrameworkPart.size() + 28;
    ASSERT_GT(saved.size(), start + 10);
    EXPECT_EQ(saved[start - 1], 0x0B) << "Picture present beside Enabled and PictureAnimationEnabled";
    EXPECT_EQ(Bytes(saved.begin() + start, saved.begin() + start + 4), (Bytes{0x6C, 0x74, 0x00, 0x00}));
    DWORD length = 0;
    std::memcpy(&length, &saved[start + 4], 4);
    EXPECT_EQ(saved[start + 8], 'B');
    EXPECT_EQ(saved[start + 9], 'M');
    EXPECT_EQ(saved.size(), start + 8 + length + 4);

    HeldQvControl loaded;
    ASSERT_EQ(Load(loaded, saved), S_OK);
    ASSERT_NE(loaded->Picture(), nullptr);
    short type = 0;
    ASSERT_EQ(loaded->Picture()->get_Type(&type), S_OK);
    EXPECT_EQ(type, PICTYPE_BITMAP);
    EXPECT_EQ(loaded->GetFrameCount(), 2);
    EXPECT_TRUE(loaded->HasAnimatedPicture());
}

// ---- Property bag ----

HRESULT SaveToBag(const HeldQvControl& control, MemoryPropertyBag* bag, BOOL saveAll)
{
    return control.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Save(bag, TRUE, saveAll);
}

const wchar_t* const CommonNames[] = {
    L"Font3D", L"MousePointer", L"CaptionStyle", L"MarqueeDirection", L"MarqueeStyle", L"OLEDropMode",
    L"ForeColor", L"BackColor", L"PictureMaskColor", L"PictureAnimationDelay", L"MarqueeDelay",
    L"PictureFrames", L"MarqueeScrollAmount", L"BackStyle",
};

TEST_F(ControlBasePersistenceTest, ABagSavedWithoutSaveAllHoldsOnlyWhatDiffersFromTheDefaults)
{
    HeldQvControl control;
    ASSERT_EQ(control.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->InitNew(), S_OK);
    ASSERT_EQ(control->put_MarqueeDirection(qvMDTopToBottom), S_OK);
    ASSERT_EQ(control->put_PictureAnimationEnabled(VARIANT_FALSE), S_OK);
    MemoryPropertyBag bag;
    ASSERT_EQ(SaveToBag(control, &bag, FALSE), S_OK);
    for (const wchar_t* name : CommonNames)
        EXPECT_EQ(bag.Has(name), std::wcscmp(name, L"MarqueeDirection") == 0) << name;
    EXPECT_FALSE(bag.Has(L"Enabled"));
    EXPECT_TRUE(bag.Has(L"PictureAnimationEnabled"));
    EXPECT_FALSE(bag.Has(L"PictureUseMask"));
    EXPECT_FALSE(bag.Has(L"Font"));
    EXPECT_FALSE(bag.Has(L"Picture"));
    EXPECT_FALSE(bag.Has(L"Caption"));
    EXPECT_FALSE(bag.Has(L"TagVariant"));
}

TEST_F(ControlBasePersistenceTest, ABagSavedWithSaveAllHoldsEveryNameAndLoadsBackTheSameState)
{
    HeldQvControl control;
    ASSERT_EQ(control.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->InitNew(), S_OK);
    ASSERT_EQ(control->put_ForeColor(0x80000008), S_OK);
    ASSERT_EQ(control->put_PictureFrames(7), S_OK);
    ASSERT_EQ(control->put_FontItalic(VARIANT_TRUE), S_OK);
    BSTR caption = SysAllocString(L"Exit");
    ASSERT_EQ(control->put_Caption(caption), S_OK);
    SysFreeString(caption);
    VARIANT tag;
    VariantInit(&tag);
    tag.vt = VT_I4;
    tag.lVal = 12;
    ASSERT_EQ(control->put_TagVariant(tag), S_OK);

    MemoryPropertyBag bag;
    ASSERT_EQ(SaveToBag(control, &bag, TRUE), S_OK);
    for (const wchar_t* name : CommonNames)
        EXPECT_TRUE(bag.Has(name)) << name;
    for (const wchar_t* name : {L"Enabled", L"PictureAnimationEnabled", L"PictureUseMask", L"Font", L"Caption",
                                L"TagVariant"})
        EXPECT_TRUE(bag.Has(name)) << name;
    EXPECT_EQ(static_cast<DWORD>(bag.Long(L"ForeColor")), 0x80000008u);

    HeldQvControl loaded;
    ASSERT_EQ(loaded.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(&bag, nullptr), S_OK);
    EXPECT_EQ(std::memcmp(&loaded->CommonState(), &control->CommonState(), sizeof(CommonStateBlock)), 0);
    EXPECT_STREQ(loaded->Caption().Text(), "Exit");
    EXPECT_EQ(loaded->TagVariant().vt, VT_I4);
    EXPECT_EQ(loaded->TagVariant().lVal, 12);
    VARIANT_BOOL italic = VARIANT_FALSE;
    ASSERT_EQ(loaded->get_FontItalic(&italic), S_OK);
    EXPECT_EQ(italic, VARIANT_TRUE);
}

TEST_F(ControlBasePersistenceTest, AnEmptyBagLoadsAnEnabledControlWithTheDefaults)
{
    MemoryPropertyBag bag;
    HeldQvControl loaded;
    ASSERT_EQ(loaded.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(&bag, nullptr), S_OK);
    const CommonStateBlock& state = loaded->CommonState();
    EXPECT_EQ(state.flags, CommonStateBlock::Enabled | CommonStateBlock::PictureAnimationEnabled);
    EXPECT_EQ(state.backColor, 0x8000000Fu);
    EXPECT_EQ(state.marqueeDelay, 120);
    EXPECT_NE(loaded->Font(), nullptr);
    EXPECT_TRUE(loaded->Caption().IsEmpty());
}

TEST_F(ControlBasePersistenceTest, FontMembersByNameApplyWhenTheBagHasNoFontObject)
{
    MemoryPropertyBag bag;
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocString(L"Arial");
    bag.Set(L"FontName", value);
    VariantInit(&value);
    value.vt = VT_R4;
    value.fltVal = 9.75f;
    bag.Set(L"FontSize", value);
    VariantInit(&value);
    value.vt = VT_BOOL;
    value.boolVal = VARIANT_TRUE;
    bag.Set(L"FontUnderline", value);

    HeldQvControl loaded;
    ASSERT_EQ(loaded.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(&bag, nullptr), S_OK);
    BSTR name = nullptr;
    ASSERT_EQ(loaded->get_FontName(&name), S_OK);
    EXPECT_EQ(std::wstring(name), RealizedFontName(L"Arial"));
    SysFreeString(name);
    float size = 0;
    ASSERT_EQ(loaded->get_FontSize(&size), S_OK);
    EXPECT_FLOAT_EQ(size, 9.75f);
    VARIANT_BOOL underline = VARIANT_FALSE;
    ASSERT_EQ(loaded->get_FontUnderline(&underline), S_OK);
    EXPECT_EQ(underline, VARIANT_TRUE);
    EXPECT_NE(loaded->CommonState().flags & CommonStateBlock::FontPresent, 0);
}

TEST_F(ControlBasePersistenceTest, ATransparentBagMakesTheClassTransparent)
{
    MemoryPropertyBag bag;
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I2;
    value.iVal = 1;
    bag.Set(L"BackStyle", value);
    HeldQvControl loaded;
    ASSERT_EQ(loaded.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(&bag, nullptr), S_OK);
    EXPECT_TRUE(loaded->IsTransparent());
    EXPECT_EQ(loaded->ControlRow().opaque, 0);
    MemoryPropertyBag opaque;
    ASSERT_EQ(loaded.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(&opaque, nullptr), S_OK);
    EXPECT_EQ(loaded->ControlRow().opaque, 1);
}

} // namespace

namespace {

struct OutOfRangeField {
    const char* name;
    size_t offset;
    std::vector<unsigned char> stored;
    std::vector<unsigned char> loaded;  // the field's default
};

TEST_F(ControlBasePersistenceTest, AStoredValueAPutWouldRefuseLoadsAsItsDefault)
{
    const OutOfRangeField fields[] = {
        {"Font3D 9", 0, {9}, {0}},
        {"MousePointer 200", 1, {200}, {0}},
        {"CaptionStyle 2", 2, {2}, {0}},
        {"MarqueeDirection 4", 3, {4}, {0}},
        {"MarqueeStyle 7", 4, {7}, {0}},
        {"OLEDropMode 3", 5, {3}, {0}},
        {"BackStyle 2", 6, {2}, {0}},
        {"PictureAnimationDelay -1", 19, {0xFF, 0xFF}, {0x3C, 0x00}},
        {"MarqueeDelay 40000", 21, {0x40, 0x9C}, {0x78, 0x00}},
        {"MarqueeScrollAmount 0", 23, {0x00, 0x00}, {0x01, 0x00}},
        {"PictureFrames -5", 25, {0xFB, 0xFF}, {0x00, 0x00}},
    };
    for (const OutOfRangeField& field : fields) {
        SCOPED_TRACE(field.name);
        Bytes block = DefaultBlock;
        std::copy(field.stored.begin(), field.stored.end(), block.begin() + field.offset);
        HeldQvControl loaded;
        ASSERT_EQ(Load(loaded, Joined({FrameworkPart, block, {0x00, 0x00, 0x00, 0x00}})), S_OK);
        const auto* bytes = reinterpret_cast<const unsigned char*>(&loaded->CommonState());
        EXPECT_TRUE(std::equal(field.loaded.begin(), field.loaded.end(), bytes + field.offset));
    }
    // The custom pointer is a value a put gives, and loads as it is.
    Bytes block = DefaultBlock;
    block[1] = 99;
    HeldQvControl loaded;
    ASSERT_EQ(Load(loaded, Joined({FrameworkPart, block, {0x00, 0x00, 0x00, 0x00}})), S_OK);
    EXPECT_EQ(loaded->CommonState().mousePointer, 99);
}

TEST_F(ControlBasePersistenceTest, ABagValueAPutWouldRefuseLoadsAsItsDefault)
{
    MemoryPropertyBag bag;
    bag.SetLong(L"Font3D", 9);
    bag.SetLong(L"MarqueeScrollAmount", 0);
    bag.SetLong(L"MarqueeStyle", -1);
    bag.SetLong(L"OLEDropMode", 3);
    HeldQvControl loaded;
    ASSERT_EQ(loaded.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(&bag, nullptr), S_OK);
    EXPECT_EQ(loaded->CommonState().font3D, 0);
    EXPECT_EQ(loaded->CommonState().marqueeScrollAmount, 1);
    EXPECT_EQ(loaded->CommonState().marqueeStyle, 0);
    Constants_OLEDrop drop = qvOLEDropManual;
    ASSERT_EQ(loaded->get_OLEDropMode(&drop), S_OK);
    EXPECT_EQ(drop, qvOLEDropNone);
}

TEST_F(ControlBasePersistenceTest, AFontLoadedFromABagIsTheControlsOwn)
{
    HeldQvControl saved;
    ASSERT_EQ(saved.As<IPersistStreamInit>(IID_IPersistStreamInit)->InitNew(), S_OK);
    // A font of its own, which the bag then holds as an object.
    ASSERT_EQ(saved->put_FontSize(12.0f), S_OK);
    ASSERT_NE(saved->CommonState().flags & CommonStateBlock::FontPresent, 0);
    MemoryPropertyBag bag;
    ASSERT_EQ(saved.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Save(&bag, TRUE, TRUE), S_OK);
    // The bag holds a copy, not the control's live font.
    VARIANT stored;
    VariantInit(&stored);
    stored.vt = VT_UNKNOWN;
    ASSERT_EQ(bag.Read(L"Font", &stored, nullptr), S_OK);
    ASSERT_EQ(stored.vt, VT_UNKNOWN);
    IUnknown* live = nullptr;
    ASSERT_EQ(saved->Font()->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&live)), S_OK);
    IUnknown* inBag = nullptr;
    ASSERT_EQ(stored.punkVal->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&inBag)), S_OK);
    EXPECT_NE(inBag, live);
    inBag->Release();
    live->Release();
    VariantClear(&stored);
    HeldQvControl first, second;
    ASSERT_EQ(first.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(&bag, nullptr), S_OK);
    ASSERT_EQ(second.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(&bag, nullptr), S_OK);
    EXPECT_NE(first->Font(), second->Font());
    EXPECT_NE(first->Font(), saved->Font());
    first->SetDirty(false);
    second->SetDirty(false);
    // Bold on the second turns nothing on in the others, and marks only it dirty.
    ASSERT_EQ(second->put_FontBold(VARIANT_TRUE), S_OK);
    VARIANT_BOOL bold = VARIANT_TRUE;
    ASSERT_EQ(first->get_FontBold(&bold), S_OK);
    EXPECT_EQ(bold, VARIANT_FALSE);
    ASSERT_EQ(saved->get_FontBold(&bold), S_OK);
    EXPECT_EQ(bold, VARIANT_FALSE);
    EXPECT_FALSE(first->IsDirty());
    EXPECT_TRUE(second->IsDirty());
    float size = 0;
    ASSERT_EQ(first->get_FontSize(&size), S_OK);
    EXPECT_FLOAT_EQ(size, 12.0f) << "the bag's font was loaded";
}

} // namespace

namespace {

// The state of a control with every object the common level stores: a font, a picture of two
// frames, a caption and a text tag.
Bytes FullState()
{
    HeldQvControl control;
    EXPECT_EQ(control.As<IPersistStreamInit>(IID_IPersistStreamInit)->InitNew(), S_OK);
    EXPECT_EQ(control->put_FontBold(VARIANT_TRUE), S_OK);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 4;
    info.bmiHeader.biHeight = 2;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    PICTDESC description = {};
    description.cbSizeofstruct = sizeof description;
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    IPictureDisp* picture = nullptr;
    EXPECT_EQ(OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(&picture)), S_OK);
    if (picture != nullptr) {
        EXPECT_EQ(control->put_Picture(picture), S_OK);
        picture->Release();
    }
    EXPECT_EQ(control->put_PictureFrames(2), S_OK);
    BSTR caption = SysAllocString(L"E&xit");
    EXPECT_EQ(control->put_Caption(caption), S_OK);
    SysFreeString(caption);
    VARIANT tag;
    VariantInit(&tag);
    tag.vt = VT_BSTR;
    tag.bstrVal = SysAllocString(L"T1");
    EXPECT_EQ(control->put_TagVariant(tag), S_OK);
    VariantClear(&tag);
    IStream* stream = StreamOfBytes({});
    EXPECT_EQ(control.As<IPersistStreamInit>(IID_IPersistStreamInit)->Save(stream, TRUE), S_OK);
    Bytes bytes = BytesOfStream(stream);
    stream->Release();
    return bytes;
}

// Whatever a load accepted is a state the puts could have made.
void ExpectSoundState(const QvTestControl& control)
{
    CommonStateBlock copy = control.CommonState();
    EXPECT_EQ(ValidateCommonBlock(&copy), 0);
    EXPECT_EQ((copy.flags & CommonStateBlock::PicturePresent) != 0, control.Picture() != nullptr);
    if (control.Picture() != nullptr) {
        EXPECT_GE(copy.pictureFrames, 1);
    }
    EXPECT_LE(control.Caption().Length(), 32767u);
}

TEST_F(ControlBasePersistenceTest, AWholeStateLoadsBackAndItsTailFollowsTheObjects)
{
    const Bytes saved = FullState();
    // The block's flags: Enabled, PictureAnimationEnabled, Picture and Font present.
    ASSERT_GT(saved.size(), FrameworkPart.size() + 28);
    EXPECT_EQ(saved[FrameworkPart.size() + 27], 0x1B);
    // The caption and the tag close the state: length-counted texts without terminators.
    const Bytes tail = {0x05, 0x00, 'E', '&', 'x', 'i', 't', 0x02, 0x00, 'T', '1'};
    EXPECT_EQ(Bytes(saved.end() - tail.size(), saved.end()), tail);
    HeldQvControl loaded;
    ASSERT_EQ(Load(loaded, saved), S_OK);
    EXPECT_STREQ(loaded->Caption().Text(), "E&xit");
    EXPECT_EQ(loaded->TagVariant().vt, VT_BSTR);
    VARIANT_BOOL bold = VARIANT_FALSE;
    ASSERT_EQ(loaded->get_FontBold(&bold), S_OK);
    EXPECT_EQ(bold, VARIANT_TRUE);
    EXPECT_EQ(loaded->GetFrameCount(), 2);
    // Saved again, it is the same bytes.
    EXPECT_EQ(Saved(loaded), saved);
}

// The caption's and the tag's bytes at the end of FullState().
constexpr size_t OwnTail = 11;

TEST_F(ControlBasePersistenceTest, DamagedWholeStatesNeverLoadAnUncheckedValue)
{
    const Bytes valid = FullState();
    std::mt19937 random(20261211);
    for (int round = 0; round < 3000; ++round) {
        Bytes bytes = valid;
        if (round % 3 == 2) {
            bytes.resize(FrameworkPart.size() + random() % (valid.size() - FrameworkPart.size()));
        } else {
            // A few of the common level's own bytes changed at random: the block, the caption and the
            // tag. (The font's and the picture's own forms are read by the platform's objects; Wine's
            // picture object reads past damaged icon data, so they are only cut short here.)
            const int changes = 1 + static_cast<int>(random() % 4);
            for (int change = 0; change < changes; ++change) {
                const size_t own = random() % (28 + OwnTail);
                const size_t at = own < 28 ? FrameworkPart.size() + own : bytes.size() - OwnTail + (own - 28);
                bytes[at] = static_cast<unsigned char>(random());
            }
        }
        HeldQvControl loaded;
        if (SUCCEEDED(Load(loaded, bytes)))
            ExpectSoundState(*loaded.get());
        if (HasFailure()) {
            ADD_FAILURE() << "round " << round;
            return;
        }
    }
}

TEST_F(ControlBasePersistenceTest, BagsWithAnyNumbersNeverLoadAnUncheckedValue)
{
    std::mt19937 random(20261212);
    for (int round = 0; round < 2000; ++round) {
        MemoryPropertyBag bag;
        for (const wchar_t* name : CommonNames)
            if (random() % 2 == 0)
                bag.SetLong(name, static_cast<LONG>(random() % 3 == 0 ? random() : random() % 70000) - 1000);
        HeldQvControl loaded;
        ASSERT_EQ(loaded.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(&bag, nullptr), S_OK);
        ExpectSoundState(*loaded.get());
        if (HasFailure()) {
            ADD_FAILURE() << "round " << round;
            return;
        }
    }
}

} // namespace
