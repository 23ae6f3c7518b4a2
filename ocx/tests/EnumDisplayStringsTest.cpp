// The property browser's drop-down lists of enumerated properties, read from the library's type
// library for a row of the object table: OLEDropMode (every control), Alignment (buttons and panel,
// the nine positions) and PictureAlignment (frame, the first two entries). The library is registered
// as self-registration leaves it, under its own locale 1033, while the lists ask with the user-default
// locale; where that lookup misses, the program's own copy of the library serves.
#include "EnumDisplayStrings.h"
#include "Module.h"
#include "PlyxTestObjectTable.h"
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
constexpr LCID kRegisteredLocale = 1033;
constexpr LCID kUserDefaultLocale = 0x0400;

struct Entry {
    std::string text;
    DWORD cookie;
    bool operator==(const Entry& other) const { return text == other.text && cookie == other.cookie; }
};

std::ostream& operator<<(std::ostream& out, const Entry& entry)
{
    return out << '"' << entry.text << "\" " << entry.cookie;
}

const std::vector<Entry> kOLEDropEntries = {{"0 - OLEDropNone", 0}, {"1 - OLEDropManual", 1}};

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

SYSKIND OwnSysKind() { return sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32; }

bool IsRegistered(LCID locale)
{
    ITypeLib* registered = nullptr;
    if (FAILED(LoadRegTypeLib(LIBID_Plyx, 2, 0, locale, &registered)))
        return false;
    registered->Release();
    return true;
}

// The framework takes another module for its own for the life of the scope, then the test program again.
class FrameworkModuleScope {
public:
    explicit FrameworkModuleScope(HMODULE module) { EXPECT_TRUE(Module::Attach(module)); }
    ~FrameworkModuleScope() { Module::Attach(GetModuleHandleW(nullptr)); }
    FrameworkModuleScope(const FrameworkModuleScope&) = delete;
    FrameworkModuleScope& operator=(const FrameworkModuleScope&) = delete;
};

// The library registered from Plyx20.ocx for the duration of the suite, as self-registration leaves
// it; the registration is taken away again unless it was there before.
class EnumDisplayStringsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (IsRegistered(kRegisteredLocale))
            return;
        ASSERT_EQ(S_OK, Register());
        registeredHere_ = true;
    }
    static void TearDownTestSuite()
    {
        if (registeredHere_)
            Unregister();
        registeredHere_ = false;
    }
    // A test that takes the registration away puts it back.
    void TearDown() override
    {
        if (!IsRegistered(kRegisteredLocale)) {
            EXPECT_EQ(S_OK, Register());
        }
    }

    static HRESULT Register()
    {
        ITypeLib* library = TypeLibraryFile::Load();
        if (library == nullptr)
            return E_FAIL;
        const std::wstring path = TypeLibraryFile::ControlLibraryPath();
        const HRESULT hr = RegisterTypeLib(library, const_cast<LPOLESTR>(path.c_str()), nullptr);
        library->Release();
        return hr;
    }
    static void Unregister()
    {
        EXPECT_EQ(S_OK, UnRegisterTypeLib(LIBID_Plyx, 2, 0, kRegisteredLocale, OwnSysKind()));
        ASSERT_FALSE(IsRegistered(kRegisteredLocale));
    }

    // The lists of the control row; on an expected failure both lists must come back empty.
    static std::vector<Entry> Strings(const GUID& enumeration, ULONG maximum, HRESULT expected = S_OK,
                                      int row = ControlTestRow)
    {
        CALPOLESTR strings = {3, reinterpret_cast<LPOLESTR*>(1)};
        CADWORD cookies = {3, reinterpret_cast<DWORD*>(1)};
        EXPECT_EQ(expected, EnumDisplayStrings::GetEnumDisplayStrings(&strings, &cookies, row, enumeration, maximum));
        if (FAILED(expected)) {
            EXPECT_EQ(0u, strings.cElems);
            EXPECT_EQ(nullptr, strings.pElems);
            EXPECT_EQ(0u, cookies.cElems);
            EXPECT_EQ(nullptr, cookies.pElems);
            return {};
        }
        return TakeEntries(strings, cookies);
    }

    static bool registeredHere_;
};

bool EnumDisplayStringsTest::registeredHere_ = false;

TEST_F(EnumDisplayStringsTest, OLEDropModeListsEveryConstant)
{
    EXPECT_EQ(kOLEDropEntries, Strings(kOLEDrop, 0));
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

// Registration writes the library under its own locale, 1033; a user whose locale is of another
// language asks in vain for the registered library (so does every user under Wine, which does not
// resolve the user-default locale), and the lists still appear, from the module's copy.
TEST_F(EnumDisplayStringsTest, LibraryRegisteredUnderAnotherLocaleStillGivesTheLists)
{
    ASSERT_TRUE(IsRegistered(kRegisteredLocale));
    if (IsRegistered(kUserDefaultLocale))
        GTEST_SKIP() << "the user-default locale finds the registration here";
    EXPECT_EQ(kOLEDropEntries, Strings(kOLEDrop, 0));
}

// Without any registration the library's own copy serves, and reading it registers nothing.
TEST_F(EnumDisplayStringsTest, UnregisteredLibraryIsReadFromTheModuleWithoutRegisteringIt)
{
    Unregister();
    EXPECT_EQ(kOLEDropEntries, Strings(kOLEDrop, 0));
    EXPECT_FALSE(IsRegistered(kRegisteredLocale));
    EXPECT_FALSE(IsRegistered(kUserDefaultLocale));
}

// The automation data object's row asks for version 1.0, which is never registered: the module's copy.
TEST_F(EnumDisplayStringsTest, VersionThatIsNeverRegisteredIsReadFromTheModule)
{
    EXPECT_EQ(kOLEDropEntries, Strings(kOLEDrop, 0, S_OK, DataObjectTestRow));
}

// Neither registered nor carried by the module: the load's own failure, and the browser shows no list.
TEST_F(EnumDisplayStringsTest, NoLibraryAnywhereFailsWithTheLoadResult)
{
    Unregister();
    const HMODULE withoutTypeLibrary = GetModuleHandleW(L"kernel32.dll");
    ASSERT_NE(nullptr, withoutTypeLibrary);
    wchar_t path[MAX_PATH];
    ASSERT_NE(0u, GetModuleFileNameW(withoutTypeLibrary, path, MAX_PATH));
    ITypeLib* library = nullptr;
    const HRESULT load = LoadTypeLibEx(path, REGKIND_NONE, &library);
    ASSERT_TRUE(FAILED(load));

    FrameworkModuleScope scope(withoutTypeLibrary);
    Strings(kOLEDrop, 0, load);
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
