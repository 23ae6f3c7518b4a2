// Self-registration of the tests' object table: the keys each kind of row writes, the help directory
// rule, the type library, failures and unregistration, read back from the registry of the test prefix.
#include "Module.h"
#include "RegistryReader.h"
#include "ServerRegistration.h"
#include "TestWidget.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>
#include <string>

namespace {

using namespace RegistryReader;

const char TypeLibraryKey[] = "TypeLib\\{5B1E2A10-7C3D-4F60-9A51-0D3E4C2B1A01}";
const char HelpDirectoryKey[] = "Oskadel.ActivePlyx.ActiveX\\Version2\\HelpFileDir";

std::string ModulePath()
{
    char path[MAX_PATH];
    EXPECT_TRUE(Module::FilePath(path, MAX_PATH));
    return path;
}

std::string ModuleFolder()
{
    const std::string path = ModulePath();
    return path.substr(0, path.rfind('\\'));
}

void WriteFile(const std::string& path)
{
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    CloseHandle(file);
}

class Registration : public ::testing::Test {
protected:
    void SetUp() override { CleanUp(); }
    void TearDown() override { CleanUp(); }

    void CleanUp()
    {
        ServerRegistration::UnregisterObjects();
        DeleteTree("Oskadel.ActivePlyx.ActiveX");
        DeleteFileA((ModuleFolder() + "\\Widget.HLP").c_str());
        DeleteFileA((ModuleFolder() + "\\Help\\Widget.HLP").c_str());
        RemoveDirectoryA((ModuleFolder() + "\\Help").c_str());
        DeleteFileA((ModuleFolder() + "\\InstalledHelp\\Widget.HLP").c_str());
        RemoveDirectoryA((ModuleFolder() + "\\InstalledHelp").c_str());
    }

    // Every key the test table's registration may touch.
    static std::string WholeTree()
    {
        std::string text;
        for (const CLSID* clsid : {&TestWidgetClsid, &TestGadgetClsid, &TestPlainClsid})
            text += Tree(ClsidKey(*clsid));
        for (const char* key : {"Plyx.TestWidget", "Plyx.TestWidget.1", "Plyx.TestGadget", "Plyx.TestGadget.1",
                                "Plyx.TestPlain", "Plyx.TestPlain.1", "Plyx.TestHidden", "Plyx.TestHidden.1"})
            text += Tree(key);
        return text + Tree(TypeLibraryKey);
    }
};

TEST_F(Registration, ControlRowWritesItsClsidProgIdsAndControlKeys)
{
    ASSERT_EQ(ServerRegistration::RegisterObjects(), S_OK);
    const std::string clsid = ClsidKey(TestWidgetClsid);
    EXPECT_EQ(Subkeys(clsid), (std::set<std::string>{"Control", "Implemented Categories", "InprocServer32",
                                                      "MiscStatus", "ProgID", "ToolboxBitmap32", "TypeLib",
                                                      "Version", "VersionIndependentProgID"}));
    struct Case { std::string key; const char* name; std::string value; } cases[] = {
        {clsid, nullptr, "TestWidget Object"},
        {clsid + "\\InprocServer32", nullptr, ModulePath()},
        {clsid + "\\InprocServer32", "ThreadingModel", "Apartment"},
        {clsid + "\\VersionIndependentProgID", nullptr, "Plyx.TestWidget"},
        {clsid + "\\ProgID", nullptr, "Plyx.TestWidget.1"},
        {clsid + "\\TypeLib", nullptr, "{5B1E2A10-7C3D-4F60-9A51-0D3E4C2B1A01}"},
        {clsid + "\\MiscStatus", nullptr, "0"},
        {clsid + "\\MiscStatus\\1", nullptr, "135569"},  // 0x21191 in decimal
        {clsid + "\\ToolboxBitmap32", nullptr, ModulePath() + ", 107"},
        {clsid + "\\Version", nullptr, "1.0"},
        {"Plyx.TestWidget", nullptr, "TestWidget Control"},
        {"Plyx.TestWidget\\CLSID", nullptr, GuidText(TestWidgetClsid)},
        {"Plyx.TestWidget\\CurVer", nullptr, "Plyx.TestWidget.1"},
        {"Plyx.TestWidget.1", nullptr, "TestWidget Object"},
        {"Plyx.TestWidget.1\\CLSID", nullptr, GuidText(TestWidgetClsid)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Value(c.key, c.name), c.value) << c.key << (c.name != nullptr ? c.name : "");
    EXPECT_TRUE(Exists(clsid + "\\Control"));
    // Mask 0x6021: bits 0, 5, 13 and 14; bit 5 is written with its lower-case letters.
    EXPECT_EQ(Subkeys(clsid + "\\Implemented Categories"),
              (std::set<std::string>{"{7DD95801-9882-11CF-9FA9-00AA006C42C4}", "{02496840-3ac4-11cf-87B9-00AA006C8166}",
                                     "{0DE86A57-2BAA-11CF-A229-00AA003D7352}", "{1D06B600-3AE3-11CF-87B9-00AA006C8166}"}));
    EXPECT_EQ(Subkeys("Plyx.TestWidget"), (std::set<std::string>{"CLSID", "CurVer"}));
    EXPECT_EQ(Subkeys("Plyx.TestWidget.1"), (std::set<std::string>{"CLSID"}));
}

TEST_F(Registration, AutomationAndPlainRowsWriteTheirKindsKeysAndARowWithoutClsidNothing)
{
    ASSERT_EQ(ServerRegistration::RegisterObjects(), S_OK);
    const std::string gadget = ClsidKey(TestGadgetClsid);
    EXPECT_EQ(Subkeys(gadget),
              (std::set<std::string>{"InprocServer32", "ProgID", "TypeLib", "VersionIndependentProgID"}));
    EXPECT_EQ(Value(gadget), "TestGadget Object");
    EXPECT_EQ(Value("Plyx.TestGadget"), "TestGadget Object");
    EXPECT_EQ(Value("Plyx.TestGadget\\CurVer"), "Plyx.TestGadget.1");

    const std::string plain = ClsidKey(TestPlainClsid);
    EXPECT_EQ(Subkeys(plain), (std::set<std::string>{"InprocServer32"}));
    EXPECT_EQ(Value(plain), "TestPlain Object");
    EXPECT_FALSE(Exists("Plyx.TestPlain"));
    EXPECT_FALSE(Exists("Plyx.TestHidden"));
    EXPECT_TRUE(Exists(std::string(TypeLibraryKey) + "\\1.0"));
}

TEST_F(Registration, RegisteringTwiceGivesTheSameTreeAndDropsStaleKeys)
{
    ASSERT_EQ(ServerRegistration::RegisterObjects(), S_OK);
    const std::string first = WholeTree();
    HKEY stale = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, (ClsidKey(TestWidgetClsid) + "\\Stale").c_str(), &stale), ERROR_SUCCESS);
    RegCloseKey(stale);
    ASSERT_EQ(ServerRegistration::RegisterObjects(), S_OK);
    EXPECT_EQ(WholeTree(), first);
}

TEST_F(Registration, UnregisteringRemovesEveryKeyAndTheTypeLibrary)
{
    const std::string before = WholeTree();
    ASSERT_EQ(ServerRegistration::RegisterObjects(), S_OK);
    ASSERT_NE(WholeTree(), before);
    EXPECT_EQ(ServerRegistration::UnregisterObjects(), S_OK);
    EXPECT_EQ(WholeTree(), before);
    EXPECT_FALSE(Exists(ClsidKey(TestWidgetClsid)));
    EXPECT_FALSE(Exists(std::string(TypeLibraryKey) + "\\1.0"));
    // Nothing left to remove is no failure.
    EXPECT_EQ(ServerRegistration::UnregisterObjects(), S_OK);
}

TEST_F(Registration, SixteenBitServerOfTheSameClsidKeepsItsKeysAndTheProgIds)
{
    ASSERT_EQ(ServerRegistration::RegisterObjects(), S_OK);
    const std::string clsid = ClsidKey(TestWidgetClsid);
    HKEY server16 = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, (clsid + "\\InprocServer").c_str(), &server16), ERROR_SUCCESS);
    RegCloseKey(server16);
    EXPECT_EQ(ServerRegistration::UnregisterObjects(), S_OK);
    EXPECT_TRUE(Exists(clsid + "\\InprocServer"));
    EXPECT_FALSE(Exists(clsid + "\\InprocServer32"));
    EXPECT_TRUE(Exists("Plyx.TestWidget"));
    EXPECT_TRUE(Exists("Plyx.TestWidget.1"));
    EXPECT_FALSE(Exists(ClsidKey(TestGadgetClsid))) << "other rows go as usual";
    DeleteTree(clsid);
    DeleteTree("Plyx.TestWidget");
    DeleteTree("Plyx.TestWidget.1");
}

// A row that fails part-way fails the registration, and what the call wrote for every row is taken
// out again before it answers: a failure leaves nothing of the library registered.
TEST_F(Registration, AFailingRowIsTheAnswerAndNothingStaysRegistered)
{
    const std::string nothing = WholeTree();
    // A volatile key cannot take the lasting subkeys that the gadget's ProgID needs.
    HKEY blocker = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "Plyx.TestGadget", 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, &blocker, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(blocker);
    EXPECT_EQ(ServerRegistration::RegisterObjects(), HRESULT_FROM_WIN32(ERROR_CHILD_MUST_BE_VOLATILE));
    EXPECT_EQ(WholeTree(), nothing);
    for (const CLSID* clsid : {&TestWidgetClsid, &TestGadgetClsid, &TestPlainClsid})
        EXPECT_FALSE(Exists(ClsidKey(*clsid)));
    EXPECT_FALSE(Exists("Plyx.TestWidget"));
    EXPECT_FALSE(Exists(std::string(TypeLibraryKey) + "\\1.0"));
    DeleteTree("Plyx.TestGadget");

    // Once the obstacle is gone, the same call registers everything.
    ASSERT_EQ(ServerRegistration::RegisterObjects(), S_OK);
    EXPECT_EQ(Value("Plyx.TestGadget\\CurVer"), "Plyx.TestGadget.1");
}

// The versioned ProgID goes only with the plain one: when the plain ProgID cannot be deleted (here:
// it is gone already) the versioned one is left as it is.
TEST_F(Registration, TheVersionedProgIdGoesOnlyWhenThePlainOneWasDeleted)
{
    ASSERT_EQ(ServerRegistration::RegisterObjects(), S_OK);
    DeleteTree("Plyx.TestWidget");
    EXPECT_EQ(ServerRegistration::UnregisterObjects(), S_OK);
    EXPECT_FALSE(Exists(ClsidKey(TestWidgetClsid)));
    EXPECT_TRUE(Exists("Plyx.TestWidget.1"));
    EXPECT_FALSE(Exists("Plyx.TestGadget"));
    EXPECT_FALSE(Exists("Plyx.TestGadget.1")) << "rows whose plain ProgID went lose both";
    DeleteTree("Plyx.TestWidget.1");
}

// Where the help file is decides the help directory.
TEST_F(Registration, HelpDirectoryRule)
{
    const std::string folder = ModuleFolder();
    const std::string installed = folder + "\\InstalledHelp";
    const std::string path = ModulePath();
    const std::string helpFolder = folder + "\\Help";
    struct Case {
        const char* what;
        bool installedKey;               // the installation names a help folder
        std::string helpFile;            // where Widget.HLP is, or empty
        std::vector<const char*> rows;   // the help files of the rows, in table order
        std::string expected;            // the help directory, or Missing
    } cases[] = {
        {"nowhere", false, "", {"Widget.HLP"}, Missing},
        {"beside the module", false, folder + "\\Widget.HLP", {"Widget.HLP"}, folder},
        {"in the module's Help folder", false, helpFolder + "\\Widget.HLP", {"Widget.HLP"}, helpFolder},
        {"in the installed folder", true, installed + "\\Widget.HLP", {"Widget.HLP"}, installed},
        {"installed folder without it, beside the module", true, folder + "\\Widget.HLP", {"Widget.HLP"}, Missing},
        {"installed folder without it, in the Help folder", true, helpFolder + "\\Widget.HLP", {"Widget.HLP"},
         helpFolder},
        {"rows without a help file do not end the search", false, helpFolder + "\\Widget.HLP",
         {nullptr, "", "Other.HLP", "Widget.HLP"}, helpFolder},
        {"after a miss only the Help folder is searched", false, folder + "\\Widget.HLP",
         {"Other.HLP", "Widget.HLP"}, Missing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CleanUp();
        CreateDirectoryA((folder + "\\Help").c_str(), nullptr);
        CreateDirectoryA(installed.c_str(), nullptr);
        if (c.installedKey) {
            HKEY key = nullptr;
            ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, HelpDirectoryKey, &key), ERROR_SUCCESS);
            RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(installed.c_str()),
                           static_cast<DWORD>(installed.size() + 1));
            RegCloseKey(key);
        }
        if (!c.helpFile.empty())
            WriteFile(c.helpFile);
        ServerRegistration::HelpDirectory help(path.c_str());
        for (const char* row : c.rows)
            help.Consider(row);
        EXPECT_EQ(help.Found() != nullptr ? std::string(help.Found()) : Missing, c.expected);
    }
}

TEST_F(Registration, HelpDirectoryIsRegisteredWithTheTypeLibrary)
{
    const std::string folder = ModuleFolder();
    CreateDirectoryA((folder + "\\Help").c_str(), nullptr);
    WriteFile(folder + "\\Help\\Widget.HLP");
    ASSERT_EQ(ServerRegistration::RegisterObjects(), S_OK);
    EXPECT_EQ(Value(std::string(TypeLibraryKey) + "\\1.0\\HELPDIR"), folder + "\\Help");
}

} // namespace
