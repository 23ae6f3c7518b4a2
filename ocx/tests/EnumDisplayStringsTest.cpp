// The property browser's drop-down lists of enumerated properties, read from the registered library:
// OLEDropMode (every control), Alignment (buttons and panel, the nine positions) and PictureAlignment
// (frame, the first two entries).
#include "EnumDisplayStrings.h"
#include "TypeLibraryDescription.h"
#include "TypeLibraryFile.h"

#include <Plyx.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using TypeLibraryDescription::Narrow;

namespace {

const GUID kOLEDrop = {0xD8898461, 0x742F, 0x11CF, {0x8A, 0xEA, 0x00, 0xAA, 0x00, 0xC0, 0x09, 0x05}};
const GUID kAlignment = {0xC5DC2ED0, 0x56BE, 0x11D0, {0x9B, 0x9E, 0x00, 0x00, 0xC0, 0xF0, 0x4C, 0x96}};
const GUID kPictureAlignment = {0xC5DC2ED1, 0x56BE, 0x11D0, {0x9B, 0x9E, 0x00, 0x00, 0xC0, 0xF0, 0x4C, 0x96}};
const GUID kLibraryId = {0x0BA686C6, 0xF7D3, 0x101A, {0x99, 0x3E, 0x00, 0x00, 0xC0, 0xEF, 0x6F, 0x5E}};
// The library is registered under its own locale, 1033. The control library asks with the user-default
// locale 0x0400; Wine's lookup of a registered library tries only the keys 400, 1 and 0 for it and
// finds nothing, so the tests ask with the registered locale itself.
constexpr LCID kLibraryLocale = 1033;

struct Entry {
    std::string text;
    DWORD cookie;
    bool operator==(const Entry& other) const { return text == other.text && cookie == other.cookie; }
};

std::ostream& operator<<(std::ostream& out, const Entry& entry)
{
    return out << '"' << entry.text << "\" " << entry.cookie;
}

// Takes the lists over from the caller's side of the protocol and frees them.
std::vector<Entry> TakeEntries(CALPOLESTR& strings, CADWORD& cookies)
{
    std::vector<Entry> entries;
    EXPECT_EQ(strings.cElems, cookies.cElems);
    for (ULONG i = 0; i < strings.cElems && i < cookies.cElems; ++i)
        entries.push_back({Narrow(strings.pElems[i]), cookies.pElems[i]});
    for (ULONG i = 0; i < strings.cElems; ++i)
        CoTaskMemFree(strings.pElems[i]);
    CoTaskMemFree(strings.pElems);
    CoTaskMemFree(cookies.pElems);
    return entries;
}

// The library registered for the duration of the suite, as self-registration leaves it; the
// registration is taken away again unless it was there before.
class EnumDisplayStringsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ITypeLib* registered = nullptr;
        if (SUCCEEDED(LoadRegTypeLib(kLibraryId, 2, 0, kLibraryLocale, &registered))) {
            registered->Release();
            return;
        }
        ITypeLib* library = TypeLibraryFile::Load();
        ASSERT_NE(nullptr, library);
        const std::wstring path = TypeLibraryFile::ControlLibraryPath();
        registrationResult_ = RegisterTypeLib(library, const_cast<LPOLESTR>(path.c_str()), nullptr);
        library->Release();
        ASSERT_EQ(S_OK, registrationResult_);
        registeredHere_ = true;
    }
    static void TearDownTestSuite()
    {
        if (registeredHere_)
            UnRegisterTypeLib(kLibraryId, 2, 0, 1033, SizeOf());
        registeredHere_ = false;
    }
    static SYSKIND SizeOf() { return sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32; }

    std::vector<Entry> Strings(const GUID& enumeration, ULONG maximum, HRESULT expected = S_OK)
    {
        CALPOLESTR strings = {3, reinterpret_cast<LPOLESTR*>(1)};
        CADWORD cookies = {3, reinterpret_cast<DWORD*>(1)};
        const EnumDisplayStrings::RegisteredLibrary library{kLibraryId, 2, 0, kLibraryLocale};
        EXPECT_EQ(expected, EnumDisplayStrings::GetEnumDisplayStrings(library, enumeration, maximum, &strings,
                                                                         &cookies));
        if (FAILED(expected)) {
            EXPECT_EQ(0u, strings.cElems);
            EXPECT_EQ(nullptr, strings.pElems);
            EXPECT_EQ(0u, cookies.cElems);
            EXPECT_EQ(nullptr, cookies.pElems);
            return {};
        }
        return TakeEntries(strings, cookies);
    }

    static HRESULT registrationResult_;
    static bool registeredHere_;
};

HRESULT EnumDisplayStringsTest::registrationResult_ = E_FAIL;
bool EnumDisplayStringsTest::registeredHere_ = false;

TEST_F(EnumDisplayStringsTest, OLEDropModeListsEveryConstant)
{
    const std::vector<Entry> expected = {{"0 - OLEDropNone", 0}, {"1 - OLEDropManual", 1}};
    EXPECT_EQ(expected, Strings(kOLEDrop, 0));
}

TEST_F(EnumDisplayStringsTest, AlignmentListsTheNinePositions)
{
    const std::vector<Entry> expected = {
        {"0 - Left Top", 0},      {"1 - Left Middle", 1},   {"2 - Left Bottom", 2},
        {"3 - Right Top", 3},     {"4 - Right Middle", 4},  {"5 - Right Bottom", 5},
        {"6 - Center Top", 6},    {"7 - Center Middle", 7}, {"8 - Center Bottom", 8},
    };
    EXPECT_EQ(expected, Strings(kAlignment, 9));
}

TEST_F(EnumDisplayStringsTest, FramePictureAlignmentHasTwoEntriesOfThree)
{
    const std::vector<Entry> expected = {{"0 - Left of Caption", 0}, {"1 - Right of Caption", 1}};
    EXPECT_EQ(expected, Strings(kPictureAlignment, 2));
}

TEST_F(EnumDisplayStringsTest, MaximumAboveTheCountListsAll)
{
    const std::vector<Entry> entries = Strings(kPictureAlignment, 40);
    ASSERT_EQ(3u, entries.size());
    EXPECT_EQ((Entry{"2 - Justify", 2}), entries[2]);
    EXPECT_EQ(13u, Strings(kAlignment, 0).size());
}

TEST_F(EnumDisplayStringsTest, UnknownEnumerationLeavesBothListsEmpty)
{
    const GUID unknown = {0x12345678, 0x0, 0x0, {0, 0, 0, 0, 0, 0, 0, 1}};
    Strings(unknown, 0, TYPE_E_ELEMENTNOTFOUND);
}

// A version that is not registered fails with the load's own HRESULT: the browser then shows no list.
TEST_F(EnumDisplayStringsTest, UnregisteredLibraryFailsWithTheLoadResult)
{
    ITypeLib* library = nullptr;
    const HRESULT load = LoadRegTypeLib(kLibraryId, 9, 0, kLibraryLocale, &library);
    ASSERT_TRUE(FAILED(load));
    CALPOLESTR strings = {};
    CADWORD cookies = {};
    const EnumDisplayStrings::RegisteredLibrary unregistered{kLibraryId, 9, 0, kLibraryLocale};
    EXPECT_EQ(load, EnumDisplayStrings::GetEnumDisplayStrings(unregistered, kOLEDrop, 0, &strings, &cookies));
    EXPECT_EQ(0u, strings.cElems);
    EXPECT_EQ(nullptr, strings.pElems);
    EXPECT_EQ(0u, cookies.cElems);
    EXPECT_EQ(nullptr, cookies.pElems);
}

TEST(EnumPredefinedValue, CookieBecomesAShortReplacingThePreviousValue)
{
    VARIANT value;
    VariantInit(&value);
    V_VT(&value) = VT_BSTR;
    V_BSTR(&value) = SysAllocString(L"previous");
    ASSERT_EQ(S_OK, EnumDisplayStrings::GetEnumPredefinedValue(7, &value));
    EXPECT_EQ(VT_I2, V_VT(&value));
    EXPECT_EQ(7, V_I2(&value));

    ASSERT_EQ(S_OK, EnumDisplayStrings::GetEnumPredefinedValue(static_cast<DWORD>(qvCFRTF), &value));
    EXPECT_EQ(VT_I2, V_VT(&value));
    EXPECT_EQ(-16639, V_I2(&value));
    EXPECT_EQ(E_POINTER, EnumDisplayStrings::GetEnumPredefinedValue(0, nullptr));
}

} // namespace
