#include "AnsiString.h"
#include "Module.h"
#include "ResourceMessage.h"
#include "SatelliteResources.h"
#include "WideText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr LCID German = 0x0407;   // "DEU": found by its first two letters, "DE"
constexpr LCID Japanese = 0x0411; // "JPN": no satellite

std::string Abbreviation(LCID locale)
{
    char language[8] = {};
    GetLocaleInfoA(locale, LOCALE_SABBREVLANGNAME, language, 5);
    return language;
}

std::string BesideTheProgram(const std::string& fileName)
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1) + fileName;
}

std::string ModuleFileName(HINSTANCE module)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(module, path, MAX_PATH);
    return path;
}

// Satellites of the test program: one for the default locale under its full abbreviation and one
// for German under the two-letter one, both copies of the built satellite library.
class ResourceMessages : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const std::string built = BesideTheProgram("PlyxTestSat.dll");
        defaultSatellite = BesideTheProgram("PlyxTestSat" + Abbreviation(DefaultResourceLocale) + ".DLL");
        germanSatellite = BesideTheProgram("PlyxTestSatDE.DLL");
        ASSERT_TRUE(CopyFileA(built.c_str(), defaultSatellite.c_str(), FALSE)) << GetLastError();
        ASSERT_TRUE(CopyFileA(built.c_str(), germanSatellite.c_str(), FALSE)) << GetLastError();
    }
    static void TearDownTestSuite()
    {
        ReleaseResourceInstances();
        DeleteFileA(defaultSatellite.c_str());
        DeleteFileA(germanSatellite.c_str());
    }
    void SetUp() override { ReleaseResourceInstances(); }

    static std::string defaultSatellite;
    static std::string germanSatellite;
};
std::string ResourceMessages::defaultSatellite;
std::string ResourceMessages::germanSatellite;

TEST_F(ResourceMessages, TextsComeFromTheSatelliteOfTheDefaultLocale)
{
    HINSTANCE satellite = GetResourceInstance(0);
    ASSERT_NE(satellite, Module::Instance());
    EXPECT_EQ(GetResourceInstance(DefaultResourceLocale), satellite);
    EXPECT_EQ(ModuleFileName(satellite), defaultSatellite);

    AnsiString text("old");
    LoadResourceText(2001, &text);
    EXPECT_STREQ(text.Text(), "satellite text");
    LoadResourceText(4321, &text);
    EXPECT_TRUE(text.IsEmpty());

    const AnsiString low("0");
    const AnsiString high("30");
    const AnsiString* arguments[] = {&low, &high, nullptr};
    LoadResourceMessage(&text, 2000, arguments);
    EXPECT_STREQ(text.Text(), "Satellite width from 0 to 30");
    LoadResourceMessage(&text, 2000, nullptr);
    EXPECT_STREQ(text.Text(), "Satellite width from |1 to |2");
}

TEST_F(ResourceMessages, ALocaleWithoutSatelliteUsesTheLibraryAndTwoLettersAreTriedAfterThree)
{
    ASSERT_NE(Abbreviation(Japanese), Abbreviation(DefaultResourceLocale));
    ASSERT_NE(Abbreviation(German).substr(0, 2), Abbreviation(DefaultResourceLocale).substr(0, 2));
    EXPECT_EQ(GetResourceInstance(Japanese), Module::Instance());
    EXPECT_EQ(ModuleFileName(GetResourceInstance(German)), germanSatellite);
}

TEST_F(ResourceMessages, EachSatelliteIsLoadedOncePerLocaleAndFreedAtTheEnd)
{
    HINSTANCE german = GetResourceInstance(German);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(GetResourceInstance(German), german);
    ASSERT_NE(GetModuleHandleA(germanSatellite.c_str()), nullptr);
    ReleaseResourceInstances();
    // One release undid all the loading: it was loaded once.
    EXPECT_EQ(GetModuleHandleA(germanSatellite.c_str()), nullptr);
    EXPECT_EQ(GetModuleHandleA(defaultSatellite.c_str()), nullptr);
}

TEST_F(ResourceMessages, WideResourceStrings)
{
    BSTR text = LoadResourceWideString(2001, WideStringKind::Bstr);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::wstring(text, SysStringLen(text)), L"satellite text");
    SysFreeString(text);
    LPOLESTR task = LoadResourceWideString(2001, WideStringKind::TaskMemory);
    ASSERT_NE(task, nullptr);
    EXPECT_STREQ(task, L"satellite text");
    CoTaskMemFree(task);
    EXPECT_EQ(LoadResourceWideString(4321, WideStringKind::Bstr), nullptr);
}

// Each argument in turn replaces the first of its markers in the text as the earlier arguments left
// it, so a marker an earlier argument brought in is replaced too; one a later argument brings is not.
TEST(SubstituteMarkers, ArgumentsReplaceTheFirstOfTheirMarkersInTheTextAsChanged)
{
    const AnsiString a("A");
    const AnsiString b("B");
    const AnsiString z("Z");
    const AnsiString empty;
    const AnsiString bringsTwo("|2");
    const AnsiString bringsOne("|1");
    struct Case {
        const char* text;
        std::vector<const AnsiString*> arguments;
        const char* expected;
    } cases[] = {
        {"from |1 to |2", {&a, &b}, "from A to B"},
        {"from |1 to |2", {&a}, "from A to |2"},
        {"|2 before |1", {&a, &b}, "B before A"},
        {"|1|1", {&a}, "A|1"},
        {"no marker", {&a}, "no marker"},
        {"a|1b", {&empty}, "ab"},
        {"", {&a}, ""},
        // A marker brought in by an earlier argument is the first of its kind from then on.
        {"|1", {&bringsTwo, &z}, "Z"},
        {"|1 and |2", {&bringsTwo, &b}, "B and |2"},
        {"x|1", {&bringsTwo, &b}, "xB"},
        {"|1 then |2", {&bringsTwo}, "|2 then |2"},
        // Markers of arguments already used, or brought by the last one, stay.
        {"|3 only", {&a, &b, &bringsTwo}, "|2 only"},
        {"|1", {&bringsOne}, "|1"},
        {"|2|1", {&bringsTwo, &b}, "B|2"},
        {"|1|2|3|4|5|6|7|8|9", {&a, &b, &a, &b, &a, &b, &a, &b, &a}, "ABABABABA"},
    };
    for (const Case& c : cases) {
        std::vector<const AnsiString*> arguments = c.arguments;
        arguments.push_back(nullptr);
        AnsiString text(c.text);
        SubstituteMarkers(&text, arguments.data());
        EXPECT_STREQ(text.Text(), c.expected) << c.text;
    }
    AnsiString text("keep |1");
    SubstituteMarkers(&text, nullptr);
    EXPECT_STREQ(text.Text(), "keep |1");
}

TEST(ReplaceFileName, ReplacesWhatFollowsTheLastBackslash)
{
    struct Case { const char* path; const char* expected; } cases[] = {
        {"c:\\Korvane\\Plyx20.ocx", "c:\\Korvane\\New.dll"},
        {"c:\\a\\b\\", "c:\\a\\b\\New.dll"},
        {"Plyx20.ocx", "New.dll"},
        {nullptr, "New.dll"},
    };
    for (const Case& c : cases) {
        AnsiString result;
        ReplaceFileName(c.path, "New.dll", &result);
        EXPECT_STREQ(result.Text(), c.expected) << (c.path != nullptr ? c.path : "(null)");
    }
}

TEST(WideText, CopiesOfEachKind)
{
    EXPECT_EQ(AnsiToWideString(nullptr, WideStringKind::Bstr), nullptr);
    EXPECT_EQ(AnsiToWideString("abc", WideStringKind(2)), nullptr);
    EXPECT_EQ(CopyWideString(nullptr, WideStringKind::TaskMemory), nullptr);
    EXPECT_EQ(CopyWideString(L"abc", WideStringKind(2)), nullptr);

    BSTR bstr = AnsiToWideString("abc", WideStringKind::Bstr);
    ASSERT_NE(bstr, nullptr);
    EXPECT_EQ(SysStringLen(bstr), 3u);
    EXPECT_STREQ(bstr, L"abc");
    SysFreeString(bstr);
    LPOLESTR task = AnsiToTaskMemWide("");
    ASSERT_NE(task, nullptr);
    EXPECT_STREQ(task, L"");
    CoTaskMemFree(task);

    bstr = CopyWideString(L"wide", WideStringKind::Bstr);
    EXPECT_EQ(SysStringLen(bstr), 4u);
    EXPECT_STREQ(bstr, L"wide");
    SysFreeString(bstr);
    task = CopyWideString(L"wide", WideStringKind::TaskMemory);
    EXPECT_STREQ(task, L"wide");
    CoTaskMemFree(task);
}

} // namespace
