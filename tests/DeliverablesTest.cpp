// The built files as a host finds them: the control library loads and exports the four server entry
// points; the program is a GUI executable of the same architecture as the tests and starts at its main
// menu.
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

struct WindowSearch {
    DWORD processId;
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    if (owner != search->processId || std::string(text) != search->title)
        return TRUE;
    search->found = window;
    return FALSE;
}

// A top-level window of a process with that title, or null.
HWND WindowOfProcess(DWORD processId, const char* title)
{
    WindowSearch search{processId, title, nullptr};
    EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void SwitchCapsLockOff()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    if (!(GetKeyState(VK_CAPITAL) & 1))
        return;
    INPUT press[2] = {};
    press[0].type = press[1].type = INPUT_KEYBOARD;
    press[0].ki.wVk = press[1].ki.wVk = VK_CAPITAL;
    press[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, press, sizeof(INPUT));
}

// The program's windows host the control library's buttons; until the library can make them, the
// program cannot show its main menu.
bool LibraryButtonsCanBeMade()
{
    const CLSID ribbon = {0xB28088C2, 0xF453, 0x11CF, {0x9C, 0x7D, 0x00, 0x00, 0xC0, 0x93, 0x00, 0xC4}};
    if (FAILED(CoInitialize(nullptr)))
        return false;
    IUnknown* control = nullptr;
    const HRESULT made = CoCreateInstance(ribbon, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                          reinterpret_cast<void**>(&control));
    if (control)
        control->Release();
    CoUninitialize();
    return SUCCEEDED(made);
}

TEST(Program, StartsAtItsMainMenuAndEndsWhenItIsClosed)
{
    if (!LibraryButtonsCanBeMade())
        GTEST_SKIP() << "the control library cannot make its ribbon buttons yet";

    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    std::string folder = std::string(temp) + "korvane-deliverables-test";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string commandLine = "\"" + BesideThisTest("Korvane.exe") + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                               &startup, &process)) << GetLastError();
    HWND menu = nullptr;
    for (int round = 0; round < 600 && !menu; ++round) {
        menu = WindowOfProcess(process.dwProcessId, "Main Menu- Korvane Duze Ver. 1.0");
        if (!menu)
            Sleep(50);
    }
    EXPECT_NE(menu, nullptr) << "no main menu within 30 seconds";
    if (menu)
        PostMessageA(menu, WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
    EXPECT_TRUE(ended);
    if (!ended)
        TerminateProcess(process.hProcess, 99);   // no program of the test is left running
    DWORD exitCode = 99;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    RemoveDirectoryA(folder.c_str());
    EXPECT_EQ(exitCode, 0u);
    SwitchCapsLockOff();   // the main menu switched it on: leave the display as it was found
}

} // namespace
