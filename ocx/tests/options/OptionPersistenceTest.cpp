// The persisted state of both controls: their stream bytes against golden bytes, stored values the
// controls cannot hold, property bags by name (also the check buttons of the program's forms), round
// trips, and damaged data of every kind.
#include "Himetric.h"
#include "MemoryPropertyBag.h"
#include "Module.h"
#include "OptionTestSupport.h"

#include <cstring>
#include <random>

namespace {

// The framework's header of a new 100 x 50 pixel control at 96 dots per inch, and its version.
const Bytes FrameworkPart = {
    0x21, 0x43, 0x34, 0x12, 0x08, 0x00, 0x00, 0x00, 0x56, 0x0A, 0x00, 0x00, 0x2B, 0x05, 0x00, 0x00,
    0x00, 0x00, 0x02, 0x00,
};
// The common level of a new control: its block, then an empty caption and an empty tag.
const Bytes CommonPart = {
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x12, 0x00, 0x00, 0x80, 0x0F, 0x00, 0x00, 0x80,
    0xC0, 0xC0, 0xC0, 0x00, 0x3C, 0x00, 0x78, 0x00, 0x01, 0x00, 0x00, 0x00, 0x03,
    0x00, 0x00, 0x00, 0x00,
};
const Bytes DefaultOptionBlock = {0x00, 0x00, 0xC0, 0xC0, 0xC0, 0x00, 0x00};

Bytes Joined(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

class OptionPersistenceTest : public OptionControlTest {
protected:
    void SetUp() override
    {
        OptionControlTest::SetUp();
        if (ScreenDotsPerInchX() != 96 || ScreenDotsPerInchY() != 96)
            GTEST_SKIP() << "the stored bytes are those of a 96 dots-per-inch screen";
    }
    template <class Control>
    static void StartNew(const Held<Control>& control)
    {
        ASSERT_EQ(control.template As<IPersistStreamInit>(IID_IPersistStreamInit)->InitNew(), S_OK);
    }
    template <class Control>
    static HRESULT LoadBag(const Held<Control>& control, MemoryPropertyBag& bag)
    {
        return control.template As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(&bag, nullptr);
    }
    template <class Control>
    static HRESULT SaveBag(const Held<Control>& control, MemoryPropertyBag& bag, bool all)
    {
        return control.template As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Save(&bag, TRUE, all ? TRUE : FALSE);
    }
    static void SetBagText(MemoryPropertyBag& bag, const wchar_t* name, const wchar_t* text)
    {
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_BSTR;
        value.bstrVal = SysAllocString(text);
        bag.Set(name, value);
    }
};

TEST_F(OptionPersistenceTest, ANewCheckBoxAndOptionButtonSaveTheirDefaultBlocks)
{
    Held<QvCheck> check;
    StartNew(check);
    EXPECT_EQ(SavedBytes(check.Unknown()), Joined({FrameworkPart, CommonPart, DefaultOptionBlock, {0x00, 0x00}}));
    Held<QvOption> option;
    StartNew(option);
    EXPECT_EQ(SavedBytes(option.Unknown()),
              Joined({FrameworkPart, CommonPart, DefaultOptionBlock, {0x00, 0x00, 0x00, 0x00}}));
}

TEST_F(OptionPersistenceTest, ChangedPropertiesSaveAsTheirBytes)
{
    Held<QvCheck> check;
    StartNew(check);
    ASSERT_EQ(check->put_Alignment(qvTextLeft), S_OK);
    ASSERT_EQ(check->put_PictureAlignment(qvPAJustify), S_OK);
    ASSERT_EQ(check->put_CheckBoxMaskColor(0x00FF00FF), S_OK);
    ASSERT_EQ(check->put_CheckBoxUseMask(VARIANT_TRUE), S_OK);
    ASSERT_EQ(check->put_TripleState(VARIANT_TRUE), S_OK);
    ASSERT_EQ(check->put_Value(qvCBGrayed), S_OK);
    const Bytes saved = SavedBytes(check.Unknown());
    EXPECT_EQ(saved, Joined({FrameworkPart, CommonPart, {0x01, 0x02, 0xFF, 0x00, 0xFF, 0x00, 0x01}, {0x02, 0x01}}));

    Held<QvOption> option;
    StartNew(option);
    BSTR text = SysAllocString(L"A1");
    ASSERT_EQ(option->PutOptionValue(text), S_OK);
    SysFreeString(text);
    ASSERT_EQ(option->put_Value(-1), S_OK);
    EXPECT_EQ(SavedBytes(option.Unknown()),
              Joined({FrameworkPart, CommonPart, DefaultOptionBlock, {0xFF, 0xFF, 0x02, 0x00, 'A', '1'}}));

    // The bytes load back into the same state.
    Held<QvCheck> copy;
    ASSERT_EQ(LoadBytes(copy.Unknown(), saved), S_OK);
    EXPECT_EQ(SavedBytes(copy.Unknown()), saved);
}

TEST_F(OptionPersistenceTest, StoredValuesTheControlsCannotHoldLoadAsTheNearestTheyCan)
{
    struct Case {
        const char* what;
        Bytes optionBlock;
        BYTE checkValue;
        BYTE expectedAlignment;
        BYTE expectedPictureAlignment;
        BYTE expectedCheckValue;
    } cases[] = {
        {"in range", {0x01, 0x02, 0xC0, 0xC0, 0xC0, 0x00, 0x00}, 2, 1, 2, 2},
        {"an alignment beyond the right", {0x09, 0x00, 0xC0, 0xC0, 0xC0, 0x00, 0x00}, 1, 0, 0, 1},
        {"a picture alignment beyond justified", {0x00, 0x03, 0xC0, 0xC0, 0xC0, 0x00, 0x00}, 0, 0, 0, 0},
        {"a value beyond grayed", {0x00, 0x00, 0xC0, 0xC0, 0xC0, 0x00, 0x00}, 0xFF, 0, 0, 1},
        {"a value one beyond grayed", {0x00, 0x00, 0xC0, 0xC0, 0xC0, 0x00, 0x00}, 3, 0, 0, 1},
    };
    for (const Case& c : cases) {
        Held<QvCheck> check;
        ASSERT_EQ(LoadBytes(check.Unknown(), Joined({FrameworkPart, CommonPart, c.optionBlock, {c.checkValue, 0x00}})), S_OK)
            << c.what;
        EXPECT_EQ(check->OptionState().alignment, c.expectedAlignment) << c.what;
        EXPECT_EQ(check->OptionState().pictureAlignment, c.expectedPictureAlignment) << c.what;
        EXPECT_EQ(check->CheckState().value, c.expectedCheckValue) << c.what;
    }
    struct OptionCase {
        Bytes value;
        SHORT expected;
    } optionCases[] = {{{0x00, 0x00}, 0}, {{0xFF, 0xFF}, -1}, {{0x01, 0x00}, -1}, {{0x05, 0x80}, -1}};
    for (const OptionCase& c : optionCases) {
        Held<QvOption> option;
        ASSERT_EQ(LoadBytes(option.Unknown(), Joined({FrameworkPart, CommonPart, DefaultOptionBlock, c.value, {0, 0}})), S_OK);
        EXPECT_EQ(option->StoredValue(), c.expected) << int(c.value[0]) << " " << int(c.value[1]);
    }
    // A text whose length field reads negative is refused, not read as a huge text.
    Held<QvOption> option;
    EXPECT_FALSE(SUCCEEDED(LoadBytes(option.Unknown(),
                                     Joined({FrameworkPart, CommonPart, DefaultOptionBlock, {0, 0, 0xFF, 0xFF, 'A'}}))));
}

TEST_F(OptionPersistenceTest, AGlyphPictureFollowsTheBlockAndLoadsBack)
{
    Held<QvCheck> check;
    StartNew(check);
    IPictureDisp* picture = SolidCellsPicture({RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)}, 4);
    ASSERT_NE(picture, nullptr);
    ASSERT_EQ(check->putref_CheckBoxGraphics(picture), S_OK);
    picture->Release();
    const Bytes saved = SavedBytes(check.Unknown());
    const size_t blockAt = FrameworkPart.size() + CommonPart.size();
    ASSERT_GT(saved.size(), blockAt + 7 + 2);
    EXPECT_EQ(saved[blockAt + 6], plyx::OptionStateBlock::GraphicsPresent);
    Held<QvCheck> copy;
    ASSERT_EQ(LoadBytes(copy.Unknown(), saved), S_OK);
    IPictureDisp* loaded = nullptr;
    ASSERT_EQ(copy->get_CheckBoxGraphics(&loaded), S_OK);
    ASSERT_NE(loaded, nullptr);
    loaded->Release();
    EXPECT_EQ(SavedBytes(copy.Unknown()), saved);
    // Taken away, it leaves nothing behind the block.
    ASSERT_EQ(copy->putref_CheckBoxGraphics(nullptr), S_OK);
    EXPECT_EQ(SavedBytes(copy.Unknown()), Joined({FrameworkPart, CommonPart, DefaultOptionBlock, {0x00, 0x00}}));
}

TEST_F(OptionPersistenceTest, ACheckValueFromABagIsJudgedBeforeItIsStored)
{
    struct Case {
        const char* what;
        VARTYPE type;
        LONG number;
        BYTE expected;
    } cases[] = {
        {"missing", VT_EMPTY, 0, 0},   {"unchecked", VT_I4, 0, 0}, {"checked", VT_I4, 1, 1},
        {"grayed", VT_I4, 2, 2},       {"True", VT_I4, -1, 1},     {"five", VT_I4, 5, 1},
        {"256, not its low byte", VT_I4, 256, 1}, {"text", VT_BSTR, 1, 1},
    };
    for (const Case& c : cases) {
        MemoryPropertyBag bag;
        if (c.type == VT_I4)
            bag.SetLong(L"Value", c.number);
        else if (c.type == VT_BSTR)
            SetBagText(bag, L"Value", L"1");
        Held<QvCheck> check;
        ASSERT_EQ(LoadBag(check, bag), S_OK) << c.what;
        EXPECT_EQ(check->CheckState().value, c.expected) << c.what;
    }
}

TEST_F(OptionPersistenceTest, BagsHoldWhatIsNotTheDefaultAndEverythingWhenAllAreSaved)
{
    Held<QvCheck> check;
    StartNew(check);
    MemoryPropertyBag defaults;
    ASSERT_EQ(SaveBag(check, defaults, false), S_OK);
    for (const wchar_t* name : {L"Alignment", L"PictureAlignment", L"MaskColor", L"GraphicsUseMask", L"Graphics",
                                L"Value", L"TripleState"})
        EXPECT_FALSE(defaults.Has(name)) << name;
    MemoryPropertyBag all;
    ASSERT_EQ(SaveBag(check, all, true), S_OK);
    for (const wchar_t* name : {L"Alignment", L"PictureAlignment", L"MaskColor", L"GraphicsUseMask", L"Value",
                                L"TripleState"})
        EXPECT_TRUE(all.Has(name)) << name;
    EXPECT_EQ(all.Long(L"MaskColor"), 0x00C0C0C0);

    // Changed values round-trip by name.
    ASSERT_EQ(check->put_Alignment(qvTextLeft), S_OK);
    ASSERT_EQ(check->put_PictureAlignment(qvPARightOfCaption), S_OK);
    ASSERT_EQ(check->put_CheckBoxUseMask(VARIANT_TRUE), S_OK);
    ASSERT_EQ(check->put_TripleState(VARIANT_TRUE), S_OK);
    ASSERT_EQ(check->put_Value(qvCBGrayed), S_OK);
    MemoryPropertyBag changed;
    ASSERT_EQ(SaveBag(check, changed, false), S_OK);
    EXPECT_EQ(changed.Long(L"TripleState"), -1);
    Held<QvCheck> copy;
    ASSERT_EQ(LoadBag(copy, changed), S_OK);
    EXPECT_EQ(SavedBytes(copy.Unknown()), SavedBytes(check.Unknown()));

    Held<QvOption> option;
    StartNew(option);
    BSTR text = SysAllocString(L"Sales");
    ASSERT_EQ(option->PutOptionValue(text), S_OK);
    SysFreeString(text);
    ASSERT_EQ(option->put_Value(-1), S_OK);
    MemoryPropertyBag optionBag;
    ASSERT_EQ(SaveBag(option, optionBag, false), S_OK);
    EXPECT_EQ(optionBag.Long(L"Value"), -1);
    Held<QvOption> optionCopy;
    ASSERT_EQ(LoadBag(optionCopy, optionBag), S_OK);
    EXPECT_EQ(SavedBytes(optionCopy.Unknown()), SavedBytes(option.Unknown()));
    // An option value of any other number from a bag is selected.
    MemoryPropertyBag one;
    one.SetLong(L"Value", 1);
    Held<QvOption> fromOne;
    ASSERT_EQ(LoadBag(fromOne, one), S_OK);
    EXPECT_EQ(fromOne->StoredValue(), -1);
}

TEST_F(OptionPersistenceTest, TheProgramsStoredCheckButtonsLoad)
{
    // The state the program's forms store for their check buttons, as its container hands it over.
    struct Stored {
        const wchar_t* caption;
        LONG value;
        float fontSize;
    } buttons[] = {
        {L"Receipts", 1, 8}, {L"Sales", 1, 10}, {L"Zero Adjustments", 1, 10},
    };
    for (const Stored& stored : buttons) {
        MemoryPropertyBag bag;
        bag.SetLong(L"_ExtentX", 2434);
        bag.SetLong(L"_ExtentY", 847);
        bag.SetLong(L"_Version", 131072);
        SetBagText(bag, L"Caption", stored.caption);
        SetBagText(bag, L"Value", std::to_wstring(stored.value).c_str());
        SetBagText(bag, L"FontName", L"MS Sans Serif");
        SetBagText(bag, L"FontSize", std::to_wstring(static_cast<int>(stored.fontSize)).c_str());
        SetBagText(bag, L"FontBold", L"True");
        Held<QvCheck> check;
        ASSERT_EQ(LoadBag(check, bag), S_OK) << stored.caption;
        EXPECT_EQ(check->CheckState().value, 1) << stored.caption;
        Constants_CheckBoxValue value = qvCBUnchecked;
        ASSERT_EQ(check->get_Value(&value), S_OK);
        EXPECT_EQ(value, -1) << "checked, as the window's code reads it at run time";
        VARIANT_BOOL bold = VARIANT_FALSE;
        ASSERT_EQ(check->get_FontBold(&bold), S_OK);
        EXPECT_EQ(bold, VARIANT_TRUE) << stored.caption;
    }
}

// Damaged data loaded into both controls: random, flipped and cut-short streams and property bags.
// Nothing may crash, claim success for data it did not fully read, hold a value it cannot show, or
// leave an object or a GDI handle behind.
constexpr int Rounds = 1500;

template <class Control>
void CheckHeldValuesAreInRange(Control* control);

template <>
void CheckHeldValuesAreInRange(QvCheck* check)
{
    EXPECT_LE(check->CheckState().value, 2);
}

template <>
void CheckHeldValuesAreInRange(QvOption* option)
{
    EXPECT_TRUE(option->StoredValue() == 0 || option->StoredValue() == -1);
}

// Draws the control on a memory canvas, as a container's print or snapshot would.
void DrawOffscreen(IUnknown* control)
{
    IViewObject* view = nullptr;
    ASSERT_EQ(control->QueryInterface(IID_IViewObject, reinterpret_cast<void**>(&view)), S_OK);
    HDC screen = GetDC(nullptr);
    HDC canvas = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 120, 60);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previous = SelectObject(canvas, bitmap);
    const RECTL bounds = {0, 0, 100, 50};
    view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas, &bounds, nullptr, nullptr, 0);
    SelectObject(canvas, previous);
    DeleteObject(bitmap);
    DeleteDC(canvas);
    view->Release();
}

// Where the check/option level starts in the states below (empty caption and tag), and where its
// flags lie.
constexpr size_t OptionLevelAt = 20 + 28 + 4;
constexpr size_t OptionFlagsAt = OptionLevelAt + 6;
constexpr size_t CommonFlagsAt = 20 + 27;

// The platform's picture and font objects read their own persisted forms; under Wine the picture
// object reads beyond its buffer on some damaged forms, so the damage is kept to this library's own
// bytes: no present flag announces an object.
void KeepObjectFormsOut(Bytes& bytes)
{
    if (bytes.size() > CommonFlagsAt)
        bytes[CommonFlagsAt] &= ~(CommonStateBlock::MouseIconPresent | CommonStateBlock::FontPresent |
                                  CommonStateBlock::PicturePresent);
    if (bytes.size() > OptionFlagsAt)
        bytes[OptionFlagsAt] &= ~plyx::OptionStateBlock::GraphicsPresent;
}

template <class Control>
void MutateStreams(const Bytes& valid, unsigned seed)
{
    std::mt19937 random(seed);
    int loaded = 0;
    for (int round = 0; round < Rounds; ++round) {
        Bytes bytes;
        switch (round % 3) {
        case 0:  // the valid state cut short
            bytes.assign(valid.begin(), valid.begin() + static_cast<long>(random() % valid.size()));
            break;
        case 1:  // the valid state with bytes of the check/option levels changed
            bytes = valid;
            for (int flips = 1 + random() % 4; flips > 0; --flips)
                bytes[OptionLevelAt + random() % (bytes.size() - OptionLevelAt)] = static_cast<unsigned char>(random());
            break;
        default:  // the common level with random flags, then random bytes
            bytes.assign(valid.begin(), valid.begin() + OptionLevelAt);
            bytes[CommonFlagsAt] = static_cast<unsigned char>(random());
            for (int extra = random() % 40; extra > 0; --extra)
                bytes.push_back(static_cast<unsigned char>(random()));
            break;
        }
        KeepObjectFormsOut(bytes);
        Held<Control> control;
        const HRESULT hr = LoadBytes(control.Unknown(), bytes);
        if (round % 3 == 0) {
            EXPECT_FALSE(SUCCEEDED(hr)) << "a cut stream of " << bytes.size() << " bytes";
        }
        if (SUCCEEDED(hr)) {
            ++loaded;
            CheckHeldValuesAreInRange(control.get());
            EXPECT_LE(control->OptionState().alignment, 1);
            EXPECT_LE(control->OptionState().pictureAlignment, 2);
            DrawOffscreen(control.Unknown());
        }
    }
    EXPECT_GT(loaded, 0) << "some changed states are still states";
}

template <class Control>
void MutateBags(unsigned seed)
{
    std::mt19937 random(seed);
    const wchar_t* const names[] = {L"Value", L"TripleState", L"OptionValue", L"Alignment", L"PictureAlignment",
                                    L"MaskColor", L"GraphicsUseMask", L"Graphics", L"Caption", L"Enabled"};
    for (int round = 0; round < Rounds; ++round) {
        MemoryPropertyBag bag;
        for (const wchar_t* name : names) {
            if (random() % 3 == 0)
                continue;
            VARIANT value;
            VariantInit(&value);
            switch (random() % 5) {
            case 0:
                value.vt = VT_I4;
                value.lVal = static_cast<LONG>(random());
                break;
            case 1:
                value.vt = VT_I2;
                value.iVal = static_cast<SHORT>(random());
                break;
            case 2:
                value.vt = VT_BSTR;
                value.bstrVal = SysAllocString(random() % 2 ? L"-1" : L"not a number");
                break;
            case 3:
                value.vt = VT_BOOL;
                value.boolVal = random() % 2 ? VARIANT_TRUE : VARIANT_FALSE;
                break;
            default:
                value.vt = VT_UNKNOWN;
                value.punkVal = nullptr;
                break;
            }
            bag.Set(name, value);
        }
        Held<Control> control;
        const HRESULT hr = control.template As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(&bag, nullptr);
        if (SUCCEEDED(hr)) {
            CheckHeldValuesAreInRange(control.get());
            EXPECT_LE(control->OptionState().alignment, 1);
            EXPECT_LE(control->OptionState().pictureAlignment, 2);
            DrawOffscreen(control.Unknown());
        }
    }
}

TEST_F(OptionPersistenceTest, DamagedStreamsAndBagsNeitherCrashNorLeak)
{
    const Bytes check = Joined({FrameworkPart, CommonPart, {0x01, 0x02, 0xFF, 0x00, 0xFF, 0x00, 0x01}, {0x02, 0x01}});
    const Bytes option = Joined({FrameworkPart, CommonPart, DefaultOptionBlock, {0xFF, 0xFF, 0x03, 0x00, 'a', 'b', 'c'}});
    const LONG objects = Module::ObjectCount();
    MutateStreams<QvCheck>(check, 20261211);
    MutateStreams<QvOption>(option, 1211);
    MutateBags<QvCheck>(4113);
    MutateBags<QvOption>(1146);
    EXPECT_EQ(Module::ObjectCount(), objects);
}

} // namespace
