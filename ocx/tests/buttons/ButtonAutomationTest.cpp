// The two push buttons as a script sees them: made by ProgID, their members read and written by
// name, their range errors, their persisted bytes and property bags, and loads of damaged state.
#include "ButtonTestSupport.h"
#include "CategorizeProperties.h"
#include "MemoryPropertyBag.h"

#include <Plyx.h>

#include <cstring>
#include <random>

using namespace buttontests;

namespace {

const bool g_registered = (RegisterLibraryForTests(), true);

const wchar_t* const RibbonProgId = L"Plyx.QvRibbon";
const wchar_t* const CommandProgId = L"Plyx.QvCommand";

// The persisted stream ends with the button block (12 bytes), then the class's own block.
constexpr size_t RibbonBlockSize = 8;
constexpr size_t CommandBlockSize = 1;
constexpr size_t ButtonBlockSize = 12;

Ref<IDispatch> NewControl(const wchar_t* progId)
{
    Ref<IDispatch> control = CreateByProgId(progId);
    if (control) {
        EXPECT_EQ(InitNew(control.Get()), S_OK);
    }
    return control;
}

// A bag's value as a number, whatever integer or boolean type it was written as; -99999 when absent.
long BagNumber(MemoryPropertyBag& bag, const wchar_t* name)
{
    VARIANT value;
    VariantInit(&value);
    if (FAILED(bag.Read(name, &value, nullptr)))
        return -99999;
    long number = -99999;
    if (SUCCEEDED(VariantChangeType(&value, &value, 0, VT_I4)))
        number = value.lVal;
    VariantClear(&value);
    return number;
}

class ButtonAutomationTest : public ::testing::Test {
protected:
    void SetUp() override { SetErrorInfo(0, nullptr); }
};

} // namespace

TEST_F(ButtonAutomationTest, BothButtonsAreMadeByTheirProgIds)
{
    for (const wchar_t* progId : {L"Plyx.QvRibbon", L"Plyx.QvRibbon.2", L"Plyx.QvCommand", L"Plyx.QvCommand.2"}) {
        SCOPED_TRACE(::testing::Message() << "ProgID " << std::wstring(progId).size());
        Ref<IDispatch> control = NewControl(progId);
        ASSERT_TRUE(control);
        Ref<IUnknown> own;
        const IID& dual = std::wcsncmp(progId, RibbonProgId, 13) == 0 ? IID_IQvRibbon : IID_IQvCommand;
        EXPECT_EQ(control->QueryInterface(dual, own.PutVoid()), S_OK);
    }
}

TEST_F(ButtonAutomationTest, NewButtonsHoldTheirDefaults)
{
    struct Default {
        const wchar_t* progId;
        const wchar_t* name;
        long value;
    };
    const Default defaults[] = {
        {RibbonProgId, L"GroupNumber", 1},       {RibbonProgId, L"GroupAllowAllUp", -1},
        {RibbonProgId, L"PictureDnChange", 1},   {RibbonProgId, L"Value", 0},
        {RibbonProgId, L"Alignment", 7},         {RibbonProgId, L"PictureAlignment", 7},
        {RibbonProgId, L"BevelWidth", 2},        {RibbonProgId, L"ButtonStyle", 0},
        {RibbonProgId, L"Outline", -1},          {RibbonProgId, L"RoundedCorners", -1},
        {RibbonProgId, L"AutoSize", 0},          {RibbonProgId, L"PictureDnDisabledFrames", 0},
        {CommandProgId, L"AutoRepeat", 0},       {CommandProgId, L"Value", 0},
        {CommandProgId, L"BevelWidth", 2},       {CommandProgId, L"PictureDnFrames", 0},
    };
    for (const Default& row : defaults) {
        SCOPED_TRACE(::testing::Message() << std::wstring(row.name).c_str());
        Ref<IDispatch> control = NewControl(row.progId);
        ASSERT_TRUE(control);
        EXPECT_EQ(GetLong(control.Get(), row.name), row.value);
    }
}

TEST_F(ButtonAutomationTest, OutOfRangePutsAreRefusedAndChangeNothing)
{
    struct Refusal {
        const wchar_t* progId;
        const wchar_t* name;
        short value;
        HRESULT hr;
        const wchar_t* description;
    };
    const Refusal refusals[] = {
        {RibbonProgId, L"BevelWidth", 11, static_cast<HRESULT>(0x800A7534), L"Bevel width must be from 0 to 10"},
        {CommandProgId, L"BevelWidth", -1, static_cast<HRESULT>(0x800A7534), L"Bevel width must be from 0 to 10"},
        {RibbonProgId, L"GroupNumber", 100, static_cast<HRESULT>(0x800A7535), L"Group number must be from 0 to 99"},
        {RibbonProgId, L"GroupNumber", -1, static_cast<HRESULT>(0x800A7535), L"Group number must be from 0 to 99"},
        {RibbonProgId, L"Alignment", 9, static_cast<HRESULT>(0x800A017C), L"Invalid property value"},
        {CommandProgId, L"PictureAlignment", 13, static_cast<HRESULT>(0x800A017C), L"Invalid property value"},
        {CommandProgId, L"ButtonStyle", 5, static_cast<HRESULT>(0x800A017C), L"Invalid property value"},
        {RibbonProgId, L"AutoSize", 3, static_cast<HRESULT>(0x800A017C), L"Invalid property value"},
        {RibbonProgId, L"PictureDnChange", 3, static_cast<HRESULT>(0x800A017C), L"Invalid property value"},
        {CommandProgId, L"PictureDnFrames", -2, static_cast<HRESULT>(0x800A017C), L"Invalid property value"},
    };
    for (const Refusal& row : refusals) {
        SCOPED_TRACE(::testing::Message() << std::wstring(row.name).c_str() << " " << row.value);
        Ref<IDispatch> control = NewControl(row.progId);
        ASSERT_TRUE(control);
        const long before = GetLong(control.Get(), row.name);
        EXPECT_EQ(PutShort(control.Get(), row.name, row.value), DISP_E_EXCEPTION);
        EXPECT_EQ(GetLong(control.Get(), row.name), before);
        // Through the dual interface the error comes back as it is, with its description.
        SetErrorInfo(0, nullptr);
    }
    Ref<IQvRibbon> ribbon;
    Ref<IDispatch> control = NewControl(RibbonProgId);
    ASSERT_EQ(control->QueryInterface(IID_IQvRibbon, ribbon.PutVoid()), S_OK);
    for (const Refusal& row : refusals) {
        if (std::wcscmp(row.name, L"GroupNumber") != 0 && std::wcscmp(row.name, L"BevelWidth") != 0)
            continue;
        const HRESULT hr = std::wcscmp(row.name, L"GroupNumber") == 0 ? ribbon->put_GroupNumber(row.value)
                                                                      : ribbon->put_BevelWidth(row.value);
        EXPECT_EQ(hr, row.hr);
        EXPECT_EQ(TakeErrorDescription(), row.description);
    }
}

TEST_F(ButtonAutomationTest, EdgeValuesAreAccepted)
{
    Ref<IDispatch> ribbon = NewControl(RibbonProgId);
    ASSERT_TRUE(ribbon);
    for (short value : {0, 10}) {
        EXPECT_EQ(PutShort(ribbon.Get(), L"BevelWidth", value), S_OK);
        EXPECT_EQ(GetLong(ribbon.Get(), L"BevelWidth"), value);
    }
    for (short value : {0, 99}) {
        EXPECT_EQ(PutShort(ribbon.Get(), L"GroupNumber", value), S_OK);
        EXPECT_EQ(GetLong(ribbon.Get(), L"GroupNumber"), value);
    }
    EXPECT_EQ(PutShort(ribbon.Get(), L"PictureAlignment", 12), S_OK);
    EXPECT_EQ(PutShort(ribbon.Get(), L"ButtonStyle", 4), S_OK);
    EXPECT_EQ(GetLong(ribbon.Get(), L"ButtonStyle"), 4);
    // Booleans put through the dual interface keep bit 0 of what is put.
    Ref<IQvRibbon> dual;
    ASSERT_EQ(ribbon->QueryInterface(IID_IQvRibbon, dual.PutVoid()), S_OK);
    EXPECT_EQ(dual->put_Outline(2), S_OK);
    EXPECT_EQ(GetLong(ribbon.Get(), L"Outline"), 0);
    EXPECT_EQ(dual->put_RoundedCorners(3), S_OK);
    EXPECT_EQ(GetLong(ribbon.Get(), L"RoundedCorners"), -1);
}

TEST_F(ButtonAutomationTest, FrameCountsFollowTheirPictures)
{
    Ref<IDispatch> command = NewControl(CommandProgId);
    ASSERT_TRUE(command);
    // No picture: 0 is a frame count like any other.
    EXPECT_EQ(PutShort(command.Get(), L"PictureDnFrames", 3), S_OK);
    EXPECT_EQ(PutShort(command.Get(), L"PictureDnFrames", 0), S_OK);
    Ref<IPictureDisp> picture = MakeBitmapPicture(32, 16, RGB(0, 128, 0));
    ASSERT_TRUE(picture);
    EXPECT_EQ(PutPicture(command.Get(), L"PictureDn", picture.Get()), S_OK);
    EXPECT_EQ(GetLong(command.Get(), L"PictureDnFrames"), 1);
    EXPECT_EQ(PutShort(command.Get(), L"PictureDnFrames", 0), DISP_E_EXCEPTION);
    EXPECT_EQ(PutShort(command.Get(), L"PictureDnFrames", 2), S_OK);
    VARIANT read;
    ASSERT_EQ(GetByName(command.Get(), L"PictureDn", &read), S_OK);
    EXPECT_EQ(read.vt, VT_DISPATCH);
    EXPECT_NE(read.pdispVal, nullptr);
    VariantClear(&read);
    // Taking the picture away takes its frames with it.
    EXPECT_EQ(PutPicture(command.Get(), L"PictureDn", nullptr), S_OK);
    EXPECT_EQ(GetLong(command.Get(), L"PictureDnFrames"), 0);
    ASSERT_EQ(GetByName(command.Get(), L"PictureDn", &read), S_OK);
    EXPECT_TRUE(read.vt == VT_EMPTY || (read.vt == VT_DISPATCH && read.pdispVal == nullptr));
    VariantClear(&read);
    // Something that is not a picture is refused with the interface's own answer.
    EXPECT_NE(PutPicture(command.Get(), L"PictureDisabled", reinterpret_cast<IPictureDisp*>(command.Get())), S_OK);
    EXPECT_EQ(GetLong(command.Get(), L"PictureDisabledFrames"), 0);
}

TEST_F(ButtonAutomationTest, DefaultRibbonAndCommandBlocksAsStored)
{
    Ref<IDispatch> ribbon = NewControl(RibbonProgId);
    ASSERT_TRUE(ribbon);
    const std::vector<unsigned char> bytes = SaveToStream(ribbon.Get());
    ASSERT_GE(bytes.size(), RibbonBlockSize + ButtonBlockSize);
    const std::vector<unsigned char> ribbonBlock(bytes.end() - RibbonBlockSize, bytes.end());
    EXPECT_EQ(ribbonBlock, (std::vector<unsigned char>{0x01, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x00, 0x00}));
    const std::vector<unsigned char> buttonBlock(bytes.end() - RibbonBlockSize - ButtonBlockSize,
                                                 bytes.end() - RibbonBlockSize);
    EXPECT_EQ(buttonBlock,
              (std::vector<unsigned char>{0x00, 0x07, 0x00, 0x07, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03}));

    Ref<IDispatch> command = NewControl(CommandProgId);
    ASSERT_TRUE(command);
    const std::vector<unsigned char> plain = SaveToStream(command.Get());
    ASSERT_EQ(PutBool(command.Get(), L"AutoRepeat", true), S_OK);
    const std::vector<unsigned char> repeating = SaveToStream(command.Get());
    ASSERT_EQ(plain.size(), repeating.size());
    EXPECT_EQ(plain.back(), 0x00);
    EXPECT_EQ(repeating.back(), 0x01);
    // A ribbon's stream is its command button's plus the seven more bytes of its own block.
    EXPECT_EQ(bytes.size(), plain.size() + RibbonBlockSize - CommandBlockSize);

    // What is saved loads into a new control, which then repeats.
    Ref<IDispatch> loaded = CreateByProgId(CommandProgId);
    ASSERT_EQ(LoadFromStream(loaded.Get(), repeating), S_OK);
    EXPECT_EQ(GetLong(loaded.Get(), L"AutoRepeat"), -1);
}

TEST_F(ButtonAutomationTest, StreamsRoundTripWithPictures)
{
    for (const wchar_t* progId : {RibbonProgId, CommandProgId}) {
        Ref<IDispatch> control = NewControl(progId);
        ASSERT_TRUE(control);
        Ref<IPictureDisp> down = MakeBitmapPicture(48, 16, RGB(255, 0, 0));
        Ref<IPictureDisp> disabled = MakeBitmapPicture(16, 16, RGB(0, 0, 255));
        ASSERT_EQ(PutPicture(control.Get(), L"PictureDn", down.Get()), S_OK);
        ASSERT_EQ(PutShort(control.Get(), L"PictureDnFrames", 3), S_OK);
        ASSERT_EQ(PutPicture(control.Get(), L"PictureDisabled", disabled.Get()), S_OK);
        ASSERT_EQ(PutShort(control.Get(), L"Alignment", 2), S_OK);
        ASSERT_EQ(PutShort(control.Get(), L"PictureAlignment", 11), S_OK);
        ASSERT_EQ(PutBool(control.Get(), L"Outline", false), S_OK);
        const std::vector<unsigned char> bytes = SaveToStream(control.Get());

        Ref<IDispatch> loaded = CreateByProgId(progId);
        ASSERT_EQ(LoadFromStream(loaded.Get(), bytes), S_OK);
        EXPECT_EQ(GetLong(loaded.Get(), L"PictureDnFrames"), 3);
        EXPECT_EQ(GetLong(loaded.Get(), L"PictureDisabledFrames"), 1);
        EXPECT_EQ(GetLong(loaded.Get(), L"Alignment"), 2);
        EXPECT_EQ(GetLong(loaded.Get(), L"PictureAlignment"), 11);
        EXPECT_EQ(GetLong(loaded.Get(), L"Outline"), 0);
        EXPECT_EQ(GetLong(loaded.Get(), L"RoundedCorners"), -1);
        VARIANT read;
        ASSERT_EQ(GetByName(loaded.Get(), L"PictureDn", &read), S_OK);
        ASSERT_EQ(read.vt, VT_DISPATCH);
        ASSERT_NE(read.pdispVal, nullptr);
        EXPECT_EQ(GetLong(read.pdispVal, L"Width"), GetLong(down.Get(), L"Width"));
        VariantClear(&read);
        EXPECT_EQ(SaveToStream(loaded.Get()), bytes);
    }
}

TEST_F(ButtonAutomationTest, LoadedFieldsOutOfRangeTakeTheirDefaults)
{
    struct Damage {
        const wchar_t* progId;
        size_t offsetFromEnd;  // of the byte changed
        unsigned char value;
        const wchar_t* name;
        long loaded;
    };
    // Offsets from the end: the button block starts 12 bytes before the class's own block.
    const Damage damages[] = {
        {CommandProgId, CommandBlockSize + ButtonBlockSize - 2, 9, L"ButtonStyle", 0},
        {CommandProgId, CommandBlockSize + ButtonBlockSize - 4, 40, L"BevelWidth", 2},
        {CommandProgId, CommandBlockSize + ButtonBlockSize - 1, 20, L"Alignment", 7},
        {RibbonProgId, RibbonBlockSize + ButtonBlockSize - 3, 13, L"PictureAlignment", 7},
        {RibbonProgId, RibbonBlockSize + ButtonBlockSize - 0, 3, L"AutoSize", 0},
        {RibbonProgId, RibbonBlockSize - 4, 5, L"PictureDnChange", 1},
        {RibbonProgId, RibbonBlockSize - 0, 120, L"GroupNumber", 1},
    };
    for (const Damage& row : damages) {
        SCOPED_TRACE(::testing::Message() << std::wstring(row.name).c_str() << " " << int(row.value));
        Ref<IDispatch> control = NewControl(row.progId);
        ASSERT_TRUE(control);
        std::vector<unsigned char> bytes = SaveToStream(control.Get());
        bytes[bytes.size() - row.offsetFromEnd] = row.value;
        Ref<IDispatch> loaded = CreateByProgId(row.progId);
        ASSERT_EQ(LoadFromStream(loaded.Get(), bytes), S_OK);
        EXPECT_EQ(GetLong(loaded.Get(), row.name), row.loaded);
    }
}

TEST_F(ButtonAutomationTest, PropertyBagsRoundTripAndLeaveOutDefaults)
{
    Ref<IDispatch> ribbon = NewControl(RibbonProgId);
    ASSERT_TRUE(ribbon);
    ASSERT_EQ(PutShort(ribbon.Get(), L"GroupNumber", 7), S_OK);
    ASSERT_EQ(PutBool(ribbon.Get(), L"GroupAllowAllUp", false), S_OK);
    ASSERT_EQ(PutShort(ribbon.Get(), L"BevelWidth", 4), S_OK);
    ASSERT_EQ(PutBool(ribbon.Get(), L"RoundedCorners", false), S_OK);
    ASSERT_EQ(PutBool(ribbon.Get(), L"Value", true), S_OK);
    Ref<IPersistPropertyBag> persist;
    ASSERT_EQ(ribbon->QueryInterface(IID_IPersistPropertyBag, persist.PutVoid()), S_OK);
    MemoryPropertyBag bag;
    ASSERT_EQ(persist->Save(&bag, TRUE, FALSE), S_OK);
    EXPECT_EQ(BagNumber(bag, L"GroupNumber"), 7);
    EXPECT_EQ(BagNumber(bag, L"BevelWidth"), 4);
    EXPECT_EQ(BagNumber(bag, L"RoundedCorners"), 0);
    EXPECT_EQ(BagNumber(bag, L"Value"), -1);
    for (const wchar_t* left : {L"Outline", L"Alignment", L"PictureDnChange", L"PictureDn"})
        EXPECT_FALSE(bag.Has(left)) << std::wstring(left).c_str();

    Ref<IDispatch> loaded = CreateByProgId(RibbonProgId);
    Ref<IPersistPropertyBag> loading;
    ASSERT_EQ(loaded->QueryInterface(IID_IPersistPropertyBag, loading.PutVoid()), S_OK);
    ASSERT_EQ(loading->Load(&bag, nullptr), S_OK);
    EXPECT_EQ(GetLong(loaded.Get(), L"GroupNumber"), 7);
    EXPECT_EQ(GetLong(loaded.Get(), L"GroupAllowAllUp"), 0);
    EXPECT_EQ(GetLong(loaded.Get(), L"BevelWidth"), 4);
    EXPECT_EQ(GetLong(loaded.Get(), L"RoundedCorners"), 0);
    // A bag without the border flags gives both True.
    EXPECT_EQ(GetLong(loaded.Get(), L"Outline"), -1);
    EXPECT_EQ(GetLong(loaded.Get(), L"Value"), -1);

    // All saved: the command button has no third picture's frame count.
    Ref<IDispatch> command = NewControl(CommandProgId);
    Ref<IPersistPropertyBag> commandBag;
    ASSERT_EQ(command->QueryInterface(IID_IPersistPropertyBag, commandBag.PutVoid()), S_OK);
    MemoryPropertyBag all;
    ASSERT_EQ(commandBag->Save(&all, TRUE, TRUE), S_OK);
    EXPECT_TRUE(all.Has(L"PictureDnFrames"));
    EXPECT_TRUE(all.Has(L"AutoRepeat"));
    EXPECT_TRUE(all.Has(L"Outline"));
    EXPECT_FALSE(all.Has(L"PictureDnDisabledFrames"));
}

TEST_F(ButtonAutomationTest, StateOfAnOlderVersionIsConverted)
{
    struct Case {
        bool caption;
        bool picture;
        long alignment;
        long pictureAlignment;
    };
    const Case cases[] = {
        {true, true, 8, 6},
        {true, false, 3, 2},
        {false, true, 3, 2},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(::testing::Message() << "caption " << row.caption << " picture " << row.picture);
        MemoryPropertyBag bag;
        bag.SetLong(L"_Version", 0x00010000);
        bag.SetLong(L"Alignment", 3);
        bag.SetLong(L"PictureAlignment", 2);
        if (row.caption) {
            VARIANT caption;
            VariantInit(&caption);
            caption.vt = VT_BSTR;
            caption.bstrVal = SysAllocString(L"Go");
            bag.Set(L"Caption", caption);
        }
        Ref<IPictureDisp> picture = MakeBitmapPicture(16, 16, RGB(1, 2, 3));
        if (row.picture) {
            VARIANT object;
            VariantInit(&object);
            object.vt = VT_DISPATCH;
            object.pdispVal = picture.Get();
            picture->AddRef();
            bag.Set(L"Picture", object);
        }
        for (const wchar_t* progId : {RibbonProgId, CommandProgId}) {
            Ref<IDispatch> control = CreateByProgId(progId);
            Ref<IPersistPropertyBag> persist;
            ASSERT_EQ(control->QueryInterface(IID_IPersistPropertyBag, persist.PutVoid()), S_OK);
            ASSERT_EQ(persist->Load(&bag, nullptr), S_OK);
            EXPECT_EQ(GetLong(control.Get(), L"Alignment"), row.alignment);
            EXPECT_EQ(GetLong(control.Get(), L"PictureAlignment"), row.pictureAlignment);
            EXPECT_EQ(GetLong(control.Get(), L"ButtonStyle"), 2);
        }
    }
    // The current version keeps what it saved.
    MemoryPropertyBag current;
    current.SetLong(L"_Version", 0x00020000);
    current.SetLong(L"ButtonStyle", 3);
    Ref<IDispatch> control = CreateByProgId(RibbonProgId);
    Ref<IPersistPropertyBag> persist;
    ASSERT_EQ(control->QueryInterface(IID_IPersistPropertyBag, persist.PutVoid()), S_OK);
    ASSERT_EQ(persist->Load(&current, nullptr), S_OK);
    EXPECT_EQ(GetLong(control.Get(), L"ButtonStyle"), 3);
}

TEST_F(ButtonAutomationTest, ValuePutsFireClickAsTheTypeLibraryDeclaresIt)
{
    Ref<IDispatch> ribbon = NewControl(RibbonProgId);
    ASSERT_TRUE(ribbon);
    ASSERT_EQ(PutShort(ribbon.Get(), L"GroupNumber", 0), S_OK);
    EventRecorder ribbonEvents(ribbon.Get(), DIID_DQvRibbonEvents);
    // False onto an up ribbon: nothing.
    ASSERT_EQ(PutBool(ribbon.Get(), L"Value", false), S_OK);
    EXPECT_EQ(ribbonEvents.Count(22), 0);
    ASSERT_EQ(PutBool(ribbon.Get(), L"Value", true), S_OK);
    ASSERT_EQ(PutBool(ribbon.Get(), L"Value", true), S_OK);
    ASSERT_EQ(PutBool(ribbon.Get(), L"Value", false), S_OK);
    ASSERT_EQ(ribbonEvents.events.size(), 2u);
    EXPECT_EQ(ribbonEvents.events[0].arguments, (std::vector<long>{-1}));
    EXPECT_EQ(ribbonEvents.events[1].arguments, (std::vector<long>{0}));

    Ref<IDispatch> command = NewControl(CommandProgId);
    ASSERT_TRUE(command);
    EventRecorder commandEvents(command.Get(), DIID_DQvCommandEvents);
    ASSERT_EQ(PutBool(command.Get(), L"Value", false), S_OK);
    EXPECT_EQ(commandEvents.Count(22), 0);
    ASSERT_EQ(PutBool(command.Get(), L"Value", true), S_OK);
    EXPECT_EQ(GetLong(command.Get(), L"Value"), -1);
    ASSERT_EQ(PutBool(command.Get(), L"Value", true), S_OK);
    ASSERT_EQ(CallByName(command.Get(), L"DoClick"), S_OK);
    ASSERT_EQ(commandEvents.Count(22), 3);
    for (const FiredEvent& event : commandEvents.events)
        EXPECT_TRUE(event.arguments.empty());
}

TEST_F(ButtonAutomationTest, DamagedStreamsAndBagsLeakNothing)
{
    // Every object and GDI handle a load makes goes again, whatever the bytes hold.
    const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    std::mt19937 random(20261211);
    for (const wchar_t* progId : {RibbonProgId, CommandProgId}) {
        std::vector<unsigned char> original;
        {
            Ref<IDispatch> control = NewControl(progId);
            Ref<IPictureDisp> down = MakeBitmapPicture(24, 12, RGB(9, 9, 9));
            ASSERT_EQ(PutPicture(control.Get(), L"PictureDn", down.Get()), S_OK);
            ASSERT_EQ(PutPicture(control.Get(), L"Picture", down.Get()), S_OK);
            ASSERT_EQ(PutText(control.Get(), L"Caption", L"E&xit"), S_OK);
            original = SaveToStream(control.Get());
        }
        for (int round = 0; round < 200; ++round) {
            std::vector<unsigned char> bytes = original;
            if (round % 4 == 0) {
                bytes.resize(random() % bytes.size());
            } else {
                for (int flips = 0; flips < 3; ++flips)
                    bytes[random() % bytes.size()] ^= static_cast<unsigned char>(1u << (random() % 8));
            }
            Ref<IDispatch> control = CreateByProgId(progId);
            LoadFromStream(control.Get(), bytes);
            // Whatever loaded reads back within range.
            const long alignment = GetLong(control.Get(), L"Alignment");
            EXPECT_TRUE(alignment >= 0 && alignment <= 8) << alignment;
            const long bevel = GetLong(control.Get(), L"BevelWidth");
            EXPECT_TRUE(bevel >= 0 && bevel <= 10) << bevel;
        }
        for (int round = 0; round < 50; ++round) {
            MemoryPropertyBag bag;
            bag.SetLong(L"Alignment", static_cast<LONG>(random() % 40) - 10);
            bag.SetLong(L"BevelWidth", static_cast<LONG>(random() % 60) - 10);
            bag.SetLong(L"ButtonStyle", static_cast<LONG>(random() % 12));
            bag.SetLong(L"GroupNumber", static_cast<LONG>(random() % 300) - 100);
            bag.SetLong(L"PictureDnChange", static_cast<LONG>(random() % 9));
            Ref<IDispatch> control = CreateByProgId(progId);
            Ref<IPersistPropertyBag> persist;
            ASSERT_EQ(control->QueryInterface(IID_IPersistPropertyBag, persist.PutVoid()), S_OK);
            EXPECT_EQ(persist->Load(&bag, nullptr), S_OK);
            const long style = GetLong(control.Get(), L"ButtonStyle");
            EXPECT_TRUE(style >= 0 && style <= 4) << style;
            if (std::wcscmp(progId, RibbonProgId) == 0) {
                const long group = GetLong(control.Get(), L"GroupNumber");
                EXPECT_TRUE(group >= 0 && group <= 99) << group;
                const long change = GetLong(control.Get(), L"PictureDnChange");
                EXPECT_TRUE(change >= 0 && change <= 2) << change;
            }
        }
    }
    EXPECT_EQ(LibraryCanUnload(), S_OK) << "every control is gone";
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore);
}

TEST_F(ButtonAutomationTest, TheCaptionsMnemonicIsTheContainersAcceleratorAndClicks)
{
    Ref<IDispatch> command = NewControl(CommandProgId);
    ASSERT_TRUE(command);
    ASSERT_EQ(PutText(command.Get(), L"Caption", L"E&xit"), S_OK);
    Ref<IOleControl> control;
    ASSERT_EQ(command->QueryInterface(IID_IOleControl, control.PutVoid()), S_OK);
    CONTROLINFO info = {};
    info.cb = sizeof info;
    ASSERT_EQ(control->GetControlInfo(&info), S_OK);
    // Alt+X and Alt+Shift+X.
    ASSERT_EQ(info.cAccel, 2);
    ASSERT_NE(info.hAccel, nullptr);
    ACCEL entries[4] = {};
    ASSERT_EQ(CopyAcceleratorTableA(info.hAccel, entries, 4), 2);
    for (const ACCEL& entry : {entries[0], entries[1]}) {
        EXPECT_EQ(entry.key, 'X');
        EXPECT_TRUE(entry.fVirt & FALT);
        EXPECT_TRUE(entry.fVirt & FVIRTKEY);
    }
    EXPECT_NE(entries[0].fVirt & FSHIFT, entries[1].fVirt & FSHIFT);
    DestroyAcceleratorTable(info.hAccel);

    // The mnemonic clicks an enabled command button, and a disabled one not.
    EventRecorder events(command.Get(), DIID_DQvCommandEvents);
    MSG message = {};
    message.message = WM_SYSKEYDOWN;
    message.wParam = 'X';
    control->OnMnemonic(&message);
    EXPECT_EQ(events.Count(22), 1);
    ASSERT_EQ(PutBool(command.Get(), L"Enabled", false), S_OK);
    control->OnMnemonic(&message);
    EXPECT_EQ(events.Count(22), 1);
}

namespace {

int g_aboutBoxesSeen = 0;
std::wstring g_aboutBoxText;

BOOL CALLBACK CloseAboutBox(HWND window, LPARAM)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::strcmp(className, "#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    ++g_aboutBoxesSeen;
    // Everything the box says, its own texts and those of its items.
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    g_aboutBoxText = text;
    for (HWND item = GetWindow(window, GW_CHILD); item != nullptr; item = GetWindow(item, GW_HWNDNEXT)) {
        GetWindowTextW(item, text, 256);
        g_aboutBoxText += L"|";
        g_aboutBoxText += text;
    }
    PostMessageA(window, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK LookForAboutBox(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), CloseAboutBox, 0);
}

} // namespace

TEST_F(ButtonAutomationTest, AboutBoxIsShownAndClosed)
{
    for (const wchar_t* progId : {RibbonProgId, CommandProgId}) {
        Ref<IDispatch> control = NewControl(progId);
        ASSERT_TRUE(control);
        g_aboutBoxesSeen = 0;
        g_aboutBoxText.clear();
        const UINT_PTR timer = SetTimer(nullptr, 0, 100, LookForAboutBox);
        ASSERT_NE(timer, 0u);
        EXPECT_EQ(CallByName(control.Get(), L"AboutBox"), S_OK);
        KillTimer(nullptr, timer);
        EXPECT_EQ(g_aboutBoxesSeen, 1);
        EXPECT_NE(g_aboutBoxText.find(L"ActivePlyx"), std::wstring::npos) << std::string(g_aboutBoxText.begin(), g_aboutBoxText.end());
        EXPECT_NE(g_aboutBoxText.find(L"2.0"), std::wstring::npos);
    }
}

namespace {

// {4D07FC10-F931-11CE-B001-00AA006884E5}
const IID CategorizePropertiesIid = {0x4D07FC10, 0xF931, 0x11CE, {0xB0, 0x01, 0x00, 0xAA, 0x00, 0x68, 0x84, 0xE5}};

} // namespace

TEST_F(ButtonAutomationTest, PropertyBrowsersGetTheButtonsCategoriesAndAlignments)
{
    struct Category {
        const wchar_t* progId;
        DISPID dispid;
        PROPCAT category;
    };
    const Category categories[] = {
        {RibbonProgId, 0, PROPCAT_Misc},          {RibbonProgId, 7, PROPCAT_Appearance},
        {CommandProgId, 13, PROPCAT_Appearance},  {CommandProgId, -500, PROPCAT_Appearance},
        {RibbonProgId, 27, 101},                  {CommandProgId, 53, 101},
        {RibbonProgId, 24, PROPCAT_Misc},         {RibbonProgId, 25, PROPCAT_Behavior},
        {RibbonProgId, 57, 101},                  {CommandProgId, 55, PROPCAT_Behavior},
        {CommandProgId, 9, PROPCAT_Font},  // the common level's
    };
    for (const Category& row : categories) {
        SCOPED_TRACE(::testing::Message() << "DISPID " << row.dispid);
        Ref<IDispatch> control = NewControl(row.progId);
        Ref<ICategorizeProperties> categorize;
        ASSERT_EQ(control->QueryInterface(CategorizePropertiesIid, categorize.PutVoid()), S_OK);
        PROPCAT category = 0;
        EXPECT_EQ(categorize->MapPropertyToCategory(row.dispid, &category), S_OK);
        EXPECT_EQ(category, row.category);
    }

    // Alignment offers the caption's nine placements of the type library's enumeration.
    Ref<IDispatch> command = NewControl(CommandProgId);
    Ref<IPerPropertyBrowsing> browsing;
    ASSERT_EQ(command->QueryInterface(IID_IPerPropertyBrowsing, browsing.PutVoid()), S_OK);
    CALPOLESTR strings = {};
    CADWORD cookies = {};
    ASSERT_EQ(browsing->GetPredefinedStrings(7, &strings, &cookies), S_OK);
    ASSERT_EQ(strings.cElems, 9u);
    EXPECT_STREQ(strings.pElems[0], L"0 - Left Top");
    EXPECT_STREQ(strings.pElems[8], L"8 - Center Bottom");
    VARIANT value;
    VariantInit(&value);
    EXPECT_EQ(browsing->GetPredefinedValue(7, cookies.pElems[4], &value), S_OK);
    EXPECT_EQ(value.vt, VT_I2);
    EXPECT_EQ(value.iVal, 4);
    for (ULONG i = 0; i < strings.cElems; ++i)
        CoTaskMemFree(strings.pElems[i]);
    CoTaskMemFree(strings.pElems);
    CoTaskMemFree(cookies.pElems);
}
