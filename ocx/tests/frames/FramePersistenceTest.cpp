// The frame's and the panel's persisted state: the bytes of a new control against the stored format,
// round trips through streams and property bags, stored values a put would refuse, and damaged data
// of every kind, after which no object and no GDI handle is left behind.
#include "MemoryPropertyBag.h"
#include "PlyxLibrary.h"

#include <cstring>
#include <random>

namespace frames_test {
namespace {

class FramePersistence : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(LibraryCanUnload(), S_OK) << "a control outlived its test"; }
};

// The stored head of a new control of 100 x 50 pixels at 96 dots per inch: the extent header, the
// version, the common block (no font, picture or icon follow it), the empty caption and tag.
std::vector<std::uint8_t> NewControlHead()
{
    return {
        0x21, 0x43, 0x34, 0x12, 0x08, 0x00, 0x00, 0x00, 0x56, 0x0A, 0x00, 0x00, 0x2B, 0x05, 0x00, 0x00,  // header
        0x00, 0x00, 0x02, 0x00,                                                                          // version
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // Font3D .. BackStyle
        0x12, 0x00, 0x00, 0x80,                    // ForeColor
        0x0F, 0x00, 0x00, 0x80,                    // BackColor
        0xC0, 0xC0, 0xC0, 0x00,                    // PictureMaskColor
        0x3C, 0x00, 0x78, 0x00, 0x01, 0x00, 0x00, 0x00,  // delays, scroll amount, frames
        0x03,                                      // Enabled, PictureAnimationEnabled
        0x00, 0x00, 0x00, 0x00,                    // caption, tag
    };
}

std::vector<std::uint8_t> Joined(std::vector<std::uint8_t> head, const std::vector<std::uint8_t>& tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

const std::vector<std::uint8_t> FrameLevels = {0x00, 0x02, 0x00, 0x00, 0x00};
const std::vector<std::uint8_t> PanelLevels = {
    0x00, 0x02,                                      // background style, ClipControls
    0x01, 0x00, 0x03, 0x00, 0x02, 0x00,              // BevelWidth, BorderWidth, BevelOuter, BevelInner
    0xFF, 0xFF, 0x00, 0x00,                          // RoundedCorners, Outline
    0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF,              // FloodType, reserved, FloodPercent, FloodShowPct
    0x00, 0x07, 0x00, 0x00,                          // AutoSize, Alignment, PictureAlignment, FloodFillStyle
    0x00, 0x00, 0xFF, 0x00,                          // FloodColor
    0x00, 0x00, 0x00, 0x00,                          // ShadowColor, reserved
};

TEST_F(FramePersistence, ANewControlSavesTheStoredFormat)
{
    HDC screen = GetDC(nullptr);
    const int dotsPerInch = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    if (dotsPerInch != 96)
        GTEST_SKIP() << "the golden extent is that of a 96 dots-per-inch display";
    EXPECT_EQ(NewStateBytes(L"Plyx.QvFrame"), Joined(NewControlHead(), FrameLevels));
    EXPECT_EQ(NewStateBytes(L"Plyx.QvPanel"), Joined(NewControlHead(), PanelLevels));
}

struct StoredCase {
    const wchar_t* progId;
    const wchar_t* member;
    LONG value;
};

// Every member of the two levels, set to a value that is not its default.
const StoredCase ChangedMembers[] = {
    {L"Plyx.QvFrame", L"PictureBackgroundStyle", 2}, {L"Plyx.QvFrame", L"ClipControls", 0},
    {L"Plyx.QvFrame", L"Alignment", 5},              {L"Plyx.QvFrame", L"PictureAlignment", 1},
    {L"Plyx.QvFrame", L"ShadowStyle", 1},            {L"Plyx.QvPanel", L"PictureBackgroundStyle", 1},
    {L"Plyx.QvPanel", L"ClipControls", 0},           {L"Plyx.QvPanel", L"BevelWidth", 30},
    {L"Plyx.QvPanel", L"BorderWidth", 0},            {L"Plyx.QvPanel", L"BevelOuter", 1},
    {L"Plyx.QvPanel", L"BevelInner", 2},             {L"Plyx.QvPanel", L"RoundedCorners", 0},
    {L"Plyx.QvPanel", L"Outline", -1},               {L"Plyx.QvPanel", L"FloodType", 4},
    {L"Plyx.QvPanel", L"FloodPercent", 100},         {L"Plyx.QvPanel", L"FloodShowPct", 0},
    {L"Plyx.QvPanel", L"AutoSize", 2},               {L"Plyx.QvPanel", L"Alignment", 0},
    {L"Plyx.QvPanel", L"PictureAlignment", 12},      {L"Plyx.QvPanel", L"FloodFillStyle", 1},
    {L"Plyx.QvPanel", L"FloodColor", static_cast<LONG>(0x80000008)},
};

TEST_F(FramePersistence, EveryMemberSurvivesAStreamAndABag)
{
    for (const StoredCase& entry : ChangedMembers) {
        Held<IDispatch> original = CreateByProgId(entry.progId);
        ASSERT_TRUE(original);
        ASSERT_EQ(As<IPersistStreamInit>(original.Get(), IID_IPersistStreamInit)->InitNew(), S_OK);
        ASSERT_EQ(PutLong(original.Get(), entry.member, entry.value), S_OK) << entry.member;

        Held<IDispatch> fromStream = CreateByProgId(entry.progId);
        ASSERT_EQ(LoadFromBytes(fromStream.Get(), SaveToBytes(original.Get())), S_OK) << entry.member;
        EXPECT_EQ(GetLong(fromStream.Get(), entry.member), entry.value) << entry.member << " in a stream";

        MemoryPropertyBag bag;
        ASSERT_EQ(As<IPersistPropertyBag>(original.Get(), IID_IPersistPropertyBag)->Save(&bag, TRUE, FALSE), S_OK);
        // Only what differs from the defaults is written.
        EXPECT_TRUE(bag.Has(entry.member)) << entry.member;
        Held<IDispatch> fromBag = CreateByProgId(entry.progId);
        ASSERT_EQ(As<IPersistPropertyBag>(fromBag.Get(), IID_IPersistPropertyBag)->Load(&bag, nullptr), S_OK);
        EXPECT_EQ(GetLong(fromBag.Get(), entry.member), entry.value) << entry.member << " in a bag";
        // Both loads give the same state again.
        EXPECT_EQ(SaveToBytes(fromBag.Get()), SaveToBytes(fromStream.Get())) << entry.member;
    }
}

TEST_F(FramePersistence, ABagSavesClipControlsOnlyWhenItIsOffAndMissingMeansOn)
{
    for (const wchar_t* progId : {L"Plyx.QvFrame", L"Plyx.QvPanel"}) {
        Held<IDispatch> control = CreateByProgId(progId);
        ASSERT_EQ(As<IPersistStreamInit>(control.Get(), IID_IPersistStreamInit)->InitNew(), S_OK);
        MemoryPropertyBag defaults;
        ASSERT_EQ(As<IPersistPropertyBag>(control.Get(), IID_IPersistPropertyBag)->Save(&defaults, TRUE, FALSE), S_OK);
        EXPECT_FALSE(defaults.Has(L"ClipControls"));
        EXPECT_FALSE(defaults.Has(L"PictureBackground"));
        MemoryPropertyBag all;
        ASSERT_EQ(As<IPersistPropertyBag>(control.Get(), IID_IPersistPropertyBag)->Save(&all, TRUE, TRUE), S_OK);
        EXPECT_TRUE(all.Has(L"ClipControls"));
        EXPECT_TRUE(all.Has(L"PictureBackgroundStyle"));

        MemoryPropertyBag empty;
        Held<IDispatch> loaded = CreateByProgId(progId);
        ASSERT_EQ(As<IPersistPropertyBag>(loaded.Get(), IID_IPersistPropertyBag)->Load(&empty, nullptr), S_OK);
        EXPECT_EQ(GetLong(loaded.Get(), L"ClipControls"), -1);
    }
}

// The panel's level starts this many bytes before the end of a new panel's state.
constexpr size_t PanelLevelSize = 28;

TEST_F(FramePersistence, StoredValuesAPutWouldRefuseLoadAsTheirDefaults)
{
    struct Damage {
        size_t offset;  // in the panel's own level
        std::vector<std::uint8_t> bytes;
        const wchar_t* member;
        LONG loaded;
    };
    const Damage cases[] = {
        {0, {0xFF, 0xFF}, L"BevelWidth", 1},     {0, {31, 0}, L"BevelWidth", 1},
        {2, {0x00, 0x80}, L"BorderWidth", 3},    {4, {3}, L"BevelOuter", 2},
        {5, {9}, L"BevelInner", 0},              {10, {6}, L"FloodType", 0},
        {12, {0xFF, 0xFF}, L"FloodPercent", 0},  {12, {101, 0}, L"FloodPercent", 0},
        {16, {4}, L"AutoSize", 0},               {17, {9}, L"Alignment", 7},
        {18, {13}, L"PictureAlignment", 0},      {19, {2}, L"FloodFillStyle", 0},
        {20, {0, 0, 0, 0x12}, L"FloodColor", 0x00FF0000},
        {6, {0x01, 0x00}, L"RoundedCorners", -1},
    };
    const std::vector<std::uint8_t> valid = NewStateBytes(L"Plyx.QvPanel");
    ASSERT_GE(valid.size(), PanelLevelSize);
    for (const Damage& entry : cases) {
        std::vector<std::uint8_t> bytes = valid;
        std::memcpy(&bytes[valid.size() - PanelLevelSize + entry.offset], entry.bytes.data(), entry.bytes.size());
        Held<IDispatch> panel = CreateByProgId(L"Plyx.QvPanel");
        ASSERT_EQ(LoadFromBytes(panel.Get(), bytes), S_OK) << entry.member;
        EXPECT_EQ(GetLong(panel.Get(), entry.member), entry.loaded) << entry.member;
    }

    // The frame's levels: background style, then alignment, picture side and shadow style.
    const std::vector<std::uint8_t> frame = NewStateBytes(L"Plyx.QvFrame");
    const struct {
        size_t fromEnd;
        std::uint8_t value;
        const wchar_t* member;
    } frameCases[] = {{5, 3, L"PictureBackgroundStyle"}, {3, 6, L"Alignment"}, {2, 2, L"PictureAlignment"},
                      {1, 2, L"ShadowStyle"}};
    for (const auto& entry : frameCases) {
        std::vector<std::uint8_t> bytes = frame;
        bytes[bytes.size() - entry.fromEnd] = entry.value;
        Held<IDispatch> loaded = CreateByProgId(L"Plyx.QvFrame");
        ASSERT_EQ(LoadFromBytes(loaded.Get(), bytes), S_OK) << entry.member;
        EXPECT_EQ(GetLong(loaded.Get(), entry.member), 0) << entry.member;
    }
}

TEST_F(FramePersistence, KorvanesStoredFramesLoad)
{
    // What the zero-adjustments and zero-sales windows keep of each of their frames.
    MemoryPropertyBag bag;
    bag.SetLong(L"_ExtentX", 6562);
    bag.SetLong(L"_ExtentY", 2752);
    bag.SetLong(L"_Version", 131072);
    VARIANT caption;
    VariantInit(&caption);
    caption.vt = VT_BSTR;
    caption.bstrVal = SysAllocString(L"");
    bag.Set(L"Caption", caption);
    Held<IDispatch> frame = CreateByProgId(L"Plyx.QvFrame");
    ASSERT_TRUE(frame);
    ASSERT_EQ(As<IPersistPropertyBag>(frame.Get(), IID_IPersistPropertyBag)->Load(&bag, nullptr), S_OK);
    EXPECT_EQ(GetLong(frame.Get(), L"ClipControls"), -1);
    EXPECT_EQ(GetLong(frame.Get(), L"Alignment"), 0);
    SIZEL extent = {};
    EXPECT_EQ(As<IOleObject>(frame.Get(), IID_IOleObject)->GetExtent(DVASPECT_CONTENT, &extent), S_OK);
    EXPECT_EQ(extent.cx, 6562);
    EXPECT_EQ(extent.cy, 2752);
}

// Loads data into a new control of the ProgID; answers the load's result.
HRESULT LoadInto(const wchar_t* progId, const std::vector<std::uint8_t>& bytes)
{
    Held<IDispatch> control = CreateByProgId(progId);
    if (!control)
        return E_FAIL;
    const HRESULT hr = LoadFromBytes(control.Get(), bytes);
    if (SUCCEEDED(hr)) {
        // A loaded control paints.
        Canvas canvas(40, 30, RGB(0, 0, 0));
        EXPECT_EQ(canvas.Draw(control.Get()), S_OK);
    }
    return hr;
}

TEST_F(FramePersistence, RandomAndCutStreamsLeaveNothingBehind)
{
    std::mt19937 random(20261211);
    for (const wchar_t* progId : {L"Plyx.QvFrame", L"Plyx.QvPanel"}) {
        const std::vector<std::uint8_t> valid = NewStateBytes(progId);
        ASSERT_FALSE(valid.empty());
        // The first control of a kind makes the objects the library keeps for the process.
        LoadInto(progId, valid);
        const DWORD gdiBefore = GdiObjectCount();
        int accepted = 0;
        for (int round = 0; round < 3000; ++round) {
            std::vector<std::uint8_t> bytes = valid;
            if (round % 3 == 0) {
                bytes.resize(random() % valid.size());
            } else {
                // Damage past the header, so that the levels are reached.
                const int flips = 1 + static_cast<int>(random() % 4);
                for (int flip = 0; flip < flips; ++flip)
                    bytes[20 + random() % (bytes.size() - 20)] = static_cast<std::uint8_t>(random());
            }
            const HRESULT hr = LoadInto(progId, bytes);
            if (round % 3 == 0)
                EXPECT_TRUE(FAILED(hr)) << "a cut stream of " << bytes.size() << " bytes loaded";
            else if (SUCCEEDED(hr))
                ++accepted;
        }
        EXPECT_GT(accepted, 0);
        EXPECT_EQ(LibraryCanUnload(), S_OK);
        EXPECT_LE(GdiObjectCount(), gdiBefore) << "GDI handles left by damaged loads";
    }
}

TEST_F(FramePersistence, RandomPropertyBagsLoadAndLeaveNothingBehind)
{
    std::mt19937 random(1211);
    const wchar_t* const names[] = {L"PictureBackgroundStyle", L"ClipControls", L"PictureBackground",
                                    L"Alignment", L"PictureAlignment", L"ShadowStyle", L"BevelWidth",
                                    L"BorderWidth", L"BevelOuter", L"BevelInner", L"FloodType", L"FloodPercent",
                                    L"FloodShowPct", L"AutoSize", L"FloodFillStyle", L"FloodColor"};
    for (const wchar_t* progId : {L"Plyx.QvFrame", L"Plyx.QvPanel"}) {
        LoadInto(progId, NewStateBytes(progId));
        const DWORD gdiBefore = GdiObjectCount();
        for (int round = 0; round < 2000; ++round) {
            MemoryPropertyBag bag;
            for (const wchar_t* name : names) {
                if (random() % 2 == 0)
                    continue;
                VARIANT value;
                VariantInit(&value);
                switch (random() % 3) {
                case 0:
                    value.vt = VT_I4;
                    value.lVal = static_cast<LONG>(random());
                    break;
                case 1:
                    value.vt = VT_I2;
                    value.iVal = static_cast<SHORT>(random());
                    break;
                default:
                    value.vt = VT_BSTR;
                    value.bstrVal = SysAllocString(L"not a number");
                    break;
                }
                bag.Set(name, value);
            }
            Held<IDispatch> control = CreateByProgId(progId);
            ASSERT_EQ(As<IPersistPropertyBag>(control.Get(), IID_IPersistPropertyBag)->Load(&bag, nullptr), S_OK);
            // Whatever the bag held, the members read back inside their ranges.
            if (std::wstring(progId) == L"Plyx.QvPanel") {
                const LONG percent = GetLong(control.Get(), L"FloodPercent");
                EXPECT_TRUE(percent >= 0 && percent <= 100) << percent;
                const LONG width = GetLong(control.Get(), L"BevelWidth");
                EXPECT_TRUE(width >= 0 && width <= 30) << width;
            } else {
                const LONG alignment = GetLong(control.Get(), L"Alignment");
                EXPECT_TRUE(alignment >= 0 && alignment <= 5) << alignment;
            }
            Canvas canvas(30, 30, RGB(0, 0, 0));
            EXPECT_EQ(canvas.Draw(control.Get()), S_OK);
        }
        EXPECT_EQ(LibraryCanUnload(), S_OK);
        EXPECT_LE(GdiObjectCount(), gdiBefore) << "GDI handles left by bag loads";
    }
}

} // namespace
} // namespace frames_test
