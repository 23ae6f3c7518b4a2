// The built files as a host finds them: the control library loads and exports the four server entry
// points; the program is a GUI executable of the same architecture as the tests.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::string BesideThisTest(const char* fileName)
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    EXPECT_GT(length, 0u);
    std::string folder(path, length);
    folder.erase(folder.find_last_of("\\/") + 1);
    return folder + fileName;
}

struct LibraryDeleter {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};

TEST(ControlLibrary, LoadsAndExportsTheServerEntryPoints)
{
    std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryDeleter> library(
        LoadLibraryA(BesideThisTest("Plyx20.ocx").c_str()));
    ASSERT_NE(library, nullptr) << "error " << GetLastError();
    for (const char* name : {"DllGetClassObject", "DllCanUnloadNow", "DllRegisterServer", "DllUnregisterServer"})
        EXPECT_NE(GetProcAddress(library.get(), name), nullptr) << name;
}

TEST(Program, IsAWindowsGuiExecutableOfThisArchitecture)
{
    HMODULE self = GetModuleHandleA(nullptr);
    const auto* selfDos = reinterpret_cast<const IMAGE_DOS_HEADER*>(self);
    const auto* selfNt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        reinterpret_cast<const BYTE*>(self) + selfDos->e_lfanew);

    HMODULE program = LoadLibraryExA(BesideThisTest("Korvane.exe").c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(program, nullptr) << "error " << GetLastError();
    // A data-file mapping tags the handle's low bits; the image starts at the aligned address.
    const BYTE* base = reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(program) & ~ULONG_PTR(3));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    ASSERT_EQ(dos->e_magic, IMAGE_DOS_SIGNATURE);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    EXPECT_EQ(nt->FileHeader.Machine, selfNt->FileHeader.Machine);
    EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
    FreeLibrary(program);
}

TEST(Program, ReadsASoundItemFileAndEnds)
{
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    std::string folder = std::string(temp) + "korvane-deliverables-test";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string itemFile = folder + "\\Item.dat";
    {
        HANDLE file = CreateFileA(itemFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        std::string item = "1\r\nAB-1           \r\nBolt                          \r\n1 \r\n0.5     \r\n10    \r\n"
                           "2     \r\n1\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n";
        DWORD written = 0;
        EXPECT_TRUE(WriteFile(file, item.data(), DWORD(item.size()), &written, nullptr));
        CloseHandle(file);
    }

    std::string commandLine = "\"" + BesideThisTest("Korvane.exe") + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                               &startup, &process)) << GetLastError();
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
    DWORD exitCode = 99;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    DeleteFileA(itemFile.c_str());
    RemoveDirectoryA(folder.c_str());
    EXPECT_EQ(exitCode, 0u);
}

} // namespace
