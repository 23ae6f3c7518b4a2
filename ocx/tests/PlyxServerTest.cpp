// Plyx20.ocx loaded as a host loads it: class objects for every row of its table, the module object
// count that decides unloading, and the registry tree of self-registration, also through regsvr32.
#include "RegistryReader.h"

#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace RegistryReader;

typedef HRESULT(STDAPICALLTYPE* GetClassObjectFunction)(REFCLSID, REFIID, void**);
typedef HRESULT(STDAPICALLTYPE* ServerFunction)();

const char LibraryId[] = "{0BA686C6-F7D3-101A-993E-0000C0EF6F5E}";
const GUID LibraryGuid = {0x0BA686C6, 0xF7D3, 0x101A, {0x99, 0x3E, 0x00, 0x00, 0xC0, 0xEF, 0x6F, 0x5E}};
// The locale the library is registered under: its own.
constexpr LCID LibraryLocale = 1033;
const CLSID DataObjectClsid = {0x6B976286, 0x3692, 0x11D0, {0x9B, 0x8A, 0x00, 0x00, 0xC0, 0xF0, 0x4C, 0x96}};

std::string LibraryPath()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    folder.erase(folder.find_last_of("\\/") + 1);
    return folder + "Plyx20.ocx";
}

// One control row as the registry must show it.
struct ControlRow {
    const char* name;
    CLSID clsid;
    const char* miscStatus;   // OLEMISC in decimal
    bool frameCategories;     // frame and panel: simple frame, no windowless
    const char* bitmap;
};

const ControlRow ControlRows[] = {
    {"QvFrame", {0x1E8B9953, 0xDB45, 0x11CF, {0x9B, 0x47, 0x00, 0x00, 0xC0, 0xF0, 0x4C, 0x96}}, "205201", true, "109"},
    {"QvPanel", {0x240210C2, 0xE3B3, 0x11CF, {0xBE, 0x3F, 0x00, 0x00, 0xC0, 0xF0, 0x4C, 0x96}}, "237969", true, "102"},
    {"QvOption", {0xEFF47B00, 0xEEB2, 0x11CF, {0x86, 0x02, 0x00, 0x00, 0xC0, 0x93, 0x00, 0xC4}}, "131473", false, "103"},
    {"QvCheck", {0x4113FBA2, 0xF14B, 0x11CF, {0x9C, 0x79, 0x00, 0x00, 0xC0, 0x93, 0x00, 0xC4}}, "131473", false, "104"},
    {"QvRibbon", {0xB28088C2, 0xF453, 0x11CF, {0x9C, 0x7D, 0x00, 0x00, 0xC0, 0x93, 0x00, 0xC4}}, "139665", false, "105"},
    {"QvCommand", {0xAAD093B2, 0xF9CA, 0x11CF, {0x9C, 0x85, 0x00, 0x00, 0xC0, 0x93, 0x00, 0xC4}}, "135569", false, "106"},
};

const std::set<std::string> FrameCategories = {
    "{7DD95801-9882-11CF-9FA9-00AA006C42C4}", "{7DD95802-9882-11CF-9FA9-00AA006C42C4}",
    "{157083E0-2368-11CF-87B9-00AA006C8166}", "{157083E1-2368-11CF-87B9-00AA006C8166}",
    "{0DE86A53-2BAA-11CF-A229-00AA003D7352}", "{0DE86A54-2BAA-11CF-A229-00AA003D7352}",
    "{0DE86A57-2BAA-11CF-A229-00AA003D7352}",
};
const std::set<std::string> ButtonCategories = {
    "{7DD95801-9882-11CF-9FA9-00AA006C42C4}", "{7DD95802-9882-11CF-9FA9-00AA006C42C4}",
    "{157083E1-2368-11CF-87B9-00AA006C8166}", "{0DE86A53-2BAA-11CF-A229-00AA003D7352}",
    "{0DE86A54-2BAA-11CF-A229-00AA003D7352}", "{0DE86A57-2BAA-11CF-A229-00AA003D7352}",
    "{1D06B600-3AE3-11CF-87B9-00AA006C8166}",
};

class PlyxServer : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        library_ = LoadLibraryA(LibraryPath().c_str());
        ASSERT_NE(library_, nullptr) << GetLastError();
        getClassObject_ = Export<GetClassObjectFunction>("DllGetClassObject");
        canUnloadNow_ = Export<ServerFunction>("DllCanUnloadNow");
        register_ = Export<ServerFunction>("DllRegisterServer");
        unregister_ = Export<ServerFunction>("DllUnregisterServer");
        ASSERT_TRUE(getClassObject_ && canUnloadNow_ && register_ && unregister_);
        hasTypeLibrary_ = FindResourceA(library_, MAKEINTRESOURCEA(1), "TYPELIB") != nullptr;
    }
    void TearDown() override
    {
        if (unregister_ != nullptr)
            unregister_();
        if (library_ != nullptr)
            FreeLibrary(library_);
        CoUninitialize();
    }

    template <class Function>
    Function Export(const char* name) const
    {
        return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library_, name)));
    }

    // Every key the library's registration may touch.
    static std::string WholeTree()
    {
        std::string text;
        for (const ControlRow& row : ControlRows) {
            text += Tree(ClsidKey(row.clsid));
            text += Tree(std::string("Plyx.") + row.name);
            text += Tree(std::string("Plyx.") + row.name + ".2");
        }
        text += Tree(ClsidKey(DataObjectClsid)) + Tree("Plyx.QvDataObject") + Tree("Plyx.QvDataObject.1");
        return text + Tree(std::string("TypeLib\\") + LibraryId);
    }

    // Registration answers S_OK once the library carries its type library; without it the load of
    // the type library fails and that failure is the answer (the rows are written all the same).
    void ExpectRegistrationResult(HRESULT hr) const
    {
        if (hasTypeLibrary_)
            EXPECT_EQ(hr, S_OK);
        else
            EXPECT_TRUE(FAILED(hr)) << std::hex << hr;
    }

    HMODULE library_ = nullptr;
    GetClassObjectFunction getClassObject_ = nullptr;
    ServerFunction canUnloadNow_ = nullptr;
    ServerFunction register_ = nullptr;
    ServerFunction unregister_ = nullptr;
    bool hasTypeLibrary_ = false;
};

TEST_F(PlyxServer, EveryControlHasAClassObject)
{
    for (const ControlRow& row : ControlRows) {
        IClassFactory* factory = nullptr;
        EXPECT_EQ(getClassObject_(row.clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK) << row.name;
        ASSERT_NE(factory, nullptr) << row.name;
        factory->Release();
    }
    EXPECT_EQ(canUnloadNow_(), S_OK);
}

TEST_F(PlyxServer, ClassObjectRefusals)
{
    struct Case { const char* what; const CLSID* clsid; const IID* iid; bool outPointer; HRESULT hr; } cases[] = {
        {"the data object (no CLSID in the table)", &DataObjectClsid, &IID_IClassFactory, true, CLASS_E_CLASSNOTAVAILABLE},
        {"an unknown CLSID", &IID_IDispatch, &IID_IClassFactory, true, CLASS_E_CLASSNOTAVAILABLE},
        {"an interface the factory lacks", &ControlRows[4].clsid, &IID_IDispatch, true, E_NOINTERFACE},
        {"no out pointer", &ControlRows[0].clsid, &IID_IClassFactory, false, E_INVALIDARG},
    };
    for (const Case& c : cases) {
        void* object = reinterpret_cast<void*>(1);
        EXPECT_EQ(getClassObject_(*c.clsid, *c.iid, c.outPointer ? &object : nullptr), c.hr) << c.what;
        if (c.outPointer) {
            EXPECT_EQ(object, nullptr) << c.what;
        }
        EXPECT_EQ(canUnloadNow_(), S_OK) << c.what << ": nothing is left alive";
    }
}

TEST_F(PlyxServer, CanUnloadOnlyWhenNoFactoryIsHeldAndNoLockTaken)
{
    IClassFactory* first = nullptr;
    IClassFactory* second = nullptr;
    ASSERT_EQ(getClassObject_(ControlRows[5].clsid, IID_IClassFactory, reinterpret_cast<void**>(&first)), S_OK);
    EXPECT_EQ(canUnloadNow_(), S_FALSE);
    EXPECT_EQ(first->LockServer(TRUE), S_OK);
    first->Release();
    EXPECT_EQ(canUnloadNow_(), S_FALSE) << "locked";
    ASSERT_EQ(getClassObject_(ControlRows[0].clsid, IID_IUnknown, reinterpret_cast<void**>(&second)), S_OK);
    EXPECT_EQ(second->LockServer(FALSE), S_OK);
    EXPECT_EQ(canUnloadNow_(), S_FALSE) << "a factory is held";
    second->Release();
    EXPECT_EQ(canUnloadNow_(), S_OK);
}

TEST_F(PlyxServer, RegistrationWritesEveryControlRow)
{
    ExpectRegistrationResult(register_());
    const std::string path = LibraryPath();
    char fullPath[MAX_PATH];
    ASSERT_GT(GetFullPathNameA(path.c_str(), MAX_PATH, fullPath, nullptr), 0u);
    for (const ControlRow& row : ControlRows) {
        SCOPED_TRACE(row.name);
        const std::string clsid = ClsidKey(row.clsid);
        const std::string progId = std::string("Plyx.") + row.name;
        EXPECT_EQ(Subkeys(clsid), (std::set<std::string>{"Control", "Implemented Categories", "InprocServer32",
                                                          "MiscStatus", "ProgID", "ToolboxBitmap32", "TypeLib",
                                                          "Version", "VersionIndependentProgID"}));
        struct Case { std::string key; const char* name; std::string value; } cases[] = {
            {clsid, nullptr, std::string(row.name) + " Object"},
            {clsid + "\\InprocServer32", nullptr, fullPath},
            {clsid + "\\InprocServer32", "ThreadingModel", "Apartment"},
            {clsid + "\\ProgID", nullptr, progId + ".2"},
            {clsid + "\\VersionIndependentProgID", nullptr, progId},
            {clsid + "\\TypeLib", nullptr, LibraryId},
            {clsid + "\\Control", nullptr, Missing},
            {clsid + "\\MiscStatus", nullptr, "0"},
            {clsid + "\\MiscStatus\\1", nullptr, row.miscStatus},
            {clsid + "\\ToolboxBitmap32", nullptr, std::string(fullPath) + ", " + row.bitmap},
            {clsid + "\\Version", nullptr, "2.0"},
            {progId, nullptr, std::string(row.name) + " Control"},
            {progId + "\\CLSID", nullptr, GuidText(row.clsid)},
            {progId + "\\CurVer", nullptr, progId + ".2"},
            {progId + ".2", nullptr, std::string(row.name) + " Object"},
            {progId + ".2\\CLSID", nullptr, GuidText(row.clsid)},
        };
        for (const Case& c : cases)
            EXPECT_EQ(Value(c.key, c.name), c.value) << c.key << " " << (c.name != nullptr ? c.name : "");
        EXPECT_TRUE(Exists(clsid + "\\Control"));
        EXPECT_EQ(Subkeys(clsid + "\\Implemented Categories"), row.frameCategories ? FrameCategories : ButtonCategories);
    }
    EXPECT_FALSE(Exists("Plyx.QvDataObject")) << "the data object's row has no CLSID";
    EXPECT_FALSE(Exists(ClsidKey(DataObjectClsid)));
    if (hasTypeLibrary_) {
        EXPECT_TRUE(Exists(std::string("TypeLib\\") + LibraryId + "\\2.0"));
    }
}

TEST_F(PlyxServer, RegisteringTwiceGivesTheSameTreeAndUnregisteringRemovesIt)
{
    const std::string before = WholeTree();
    ExpectRegistrationResult(register_());
    const std::string once = WholeTree();
    ASSERT_NE(once, before);
    ExpectRegistrationResult(register_());
    EXPECT_EQ(WholeTree(), once);
    EXPECT_EQ(unregister_(), S_OK);
    EXPECT_EQ(WholeTree(), before);
}

// A copy of the library at a path of 256 characters: the path fits a registry text, but the toolbox
// bitmap entry (the path, a comma, a blank and the bitmap id) does not, so the first control row
// fails part-way. A failed registration registers nothing: the registry is as it was.
TEST_F(PlyxServer, ARegistrationThatFailsLeavesTheRegistryAsItWas)
{
    const std::string library = LibraryPath();
    std::string folder = library.substr(0, library.find_last_of('\\'));
    const std::string fileName = "Plyx20.ocx";
    const size_t wanted = 256 - 1 - fileName.size();
    ASSERT_LT(folder.size() + 2, wanted) << "the build folder is already too deep for this test";
    std::vector<std::string> created;
    while (folder.size() < wanted) {
        const size_t part = std::min<size_t>(wanted - folder.size() - 1, 60);
        folder += "\\" + std::string(part, 'L');
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) << folder;
        created.push_back(folder);
    }
    const std::string copyPath = folder + "\\" + fileName;
    ASSERT_EQ(copyPath.size(), 256u);
    ASSERT_TRUE(CopyFileA(library.c_str(), copyPath.c_str(), FALSE)) << GetLastError();

    const std::string before = WholeTree();
    const HMODULE copy = LoadLibraryA(copyPath.c_str());
    ASSERT_NE(copy, nullptr) << GetLastError();
    EXPECT_NE(copy, library_) << "the copy is a module of its own";
    const auto registerCopy =
        reinterpret_cast<ServerFunction>(reinterpret_cast<void (*)()>(GetProcAddress(copy, "DllRegisterServer")));
    ASSERT_NE(registerCopy, nullptr);
    const HRESULT hr = registerCopy();
    EXPECT_TRUE(FAILED(hr)) << std::hex << hr;
    EXPECT_EQ(WholeTree(), before);
    for (const ControlRow& row : ControlRows)
        EXPECT_FALSE(Exists(ClsidKey(row.clsid))) << row.name;
    FreeLibrary(copy);

    EXPECT_TRUE(DeleteFileA(copyPath.c_str())) << GetLastError();
    for (auto level = created.rbegin(); level != created.rend(); ++level)
        RemoveDirectoryA(level->c_str());
}

// regsvr32 of the prefix, in both directions; its exit code is 0 only when the export succeeded.
DWORD RunRegsvr32(const std::string& arguments)
{
    std::string command = "regsvr32.exe /s " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return GetLastError() | 0x80000000u;
    WaitForSingleObject(process.hProcess, 60000);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

// What a host finds of the registered type library: version 2.0 of the library, and the path it
// comes from; an HRESULT that failed when the library is not registered.
HRESULT FindRegisteredTypeLibrary(std::string* path, WORD* majorVersion, WORD* minorVersion)
{
    ITypeLib* library = nullptr;
    HRESULT hr = LoadRegTypeLib(LibraryGuid, 2, 0, LibraryLocale, &library);
    if (FAILED(hr))
        return hr;
    TLIBATTR* attributes = nullptr;
    hr = library->GetLibAttr(&attributes);
    if (SUCCEEDED(hr)) {
        EXPECT_TRUE(IsEqualGUID(attributes->guid, LibraryGuid));
        *majorVersion = attributes->wMajorVerNum;
        *minorVersion = attributes->wMinorVerNum;
        library->ReleaseTLibAttr(attributes);
    }
    library->Release();
    BSTR registeredPath = nullptr;
    if (SUCCEEDED(hr))
        hr = QueryPathOfRegTypeLib(LibraryGuid, 2, 0, LibraryLocale, &registeredPath);
    if (SUCCEEDED(hr)) {
        char narrow[MAX_PATH];
        if (WideCharToMultiByte(CP_ACP, 0, registeredPath, -1, narrow, MAX_PATH, nullptr, nullptr) > 0)
            *path = narrow;
        else
            hr = HRESULT_FROM_WIN32(GetLastError());
    }
    SysFreeString(registeredPath);
    return hr;
}

TEST_F(PlyxServer, Regsvr32RegistersAndUnregistersTheLibrary)
{
    const std::string path = "\"" + LibraryPath() + "\"";
    const DWORD registered = RunRegsvr32(path);
    if (hasTypeLibrary_)
        EXPECT_EQ(registered, 0u);
    else
        EXPECT_NE(registered, 0u) << "the type library cannot be loaded";
    EXPECT_EQ(Value(std::string("Plyx.QvRibbon\\CurVer")), "Plyx.QvRibbon.2");
    if (hasTypeLibrary_) {
        std::string typeLibraryPath;
        WORD major = 0;
        WORD minor = 0;
        EXPECT_EQ(FindRegisteredTypeLibrary(&typeLibraryPath, &major, &minor), S_OK);
        EXPECT_EQ(major, 2);
        EXPECT_EQ(minor, 0);
        char fullPath[MAX_PATH];
        ASSERT_GT(GetFullPathNameA(LibraryPath().c_str(), MAX_PATH, fullPath, nullptr), 0u);
        EXPECT_EQ(lstrcmpiA(typeLibraryPath.c_str(), fullPath), 0) << "registered from " << typeLibraryPath;
    }
    EXPECT_EQ(RunRegsvr32("/u " + path), 0u);
    EXPECT_FALSE(Exists("Plyx.QvRibbon"));
    EXPECT_FALSE(Exists(ClsidKey(ControlRows[4].clsid)));
    std::string unregisteredPath;
    WORD major = 0;
    WORD minor = 0;
    EXPECT_EQ(FindRegisteredTypeLibrary(&unregisteredPath, &major, &minor), TYPE_E_LIBNOTREGISTERED);
}

} // namespace
