// BAKITEMD.BAT started as the main menu starts it: by its name as a command line, minimized, not waited
// for by the program (the test waits to see its work).
#include "shell/Shell.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string Folder(const std::string& path) { return path.substr(0, path.find_last_of("\\/") + 1); }

std::string ThisProgramsFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return Folder(path);
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class ItemBackup : public testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "korvane-backup-" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
        ASSERT_TRUE(CopyFileA((ThisProgramsFolder() + "BAKITEMD.BAT").c_str(), (folder_ + "BAKITEMD.BAT").c_str(), FALSE));
    }
    void TearDown() override
    {
        for (const char* name : {"BAKITEMD.BAT", "Item.dat", "Item.bak"})
            DeleteFileA((folder_ + name).c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    // Starts the batch file by name in `current`, minimized, and waits for it; its exit code.
    DWORD Start(const std::string& commandLine, const std::string& current)
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWMINIMIZED;
        PROCESS_INFORMATION process = {};
        std::string line = commandLine;
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, current.c_str(), &startup, &process)) {
            ADD_FAILURE() << "not started: " << GetLastError();
            return 999;
        }
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
        DWORD code = 999;
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return code;
    }

    std::string folder_;
};

TEST_F(ItemBackup, CopiesTheItemFileBesideIt)
{
    const std::string items = "1\r\nAB-100\r\nBolt, 6 mm\r\n";
    std::ofstream(folder_ + "Item.dat", std::ios::binary) << items;
    EXPECT_EQ(Start("cmd /c BAKITEMD.BAT", folder_), 0u);
    EXPECT_EQ(ReadAll(folder_ + "Item.bak"), items);

    // Again over an older backup, started by its full name from another folder.
    const std::string changed = "2\r\nAB-200\r\n";
    std::ofstream(folder_ + "Item.dat", std::ios::binary | std::ios::trunc) << changed;
    EXPECT_EQ(Start("cmd /c \"" + folder_ + "BAKITEMD.BAT\"", ThisProgramsFolder()), 0u);
    EXPECT_EQ(ReadAll(folder_ + "Item.bak"), changed);
}

TEST_F(ItemBackup, StartedAsTheMainMenuStartsItWithoutWaiting)
{
    const std::string items = "3\r\nCD-300\r\n";
    std::ofstream(folder_ + "Item.dat", std::ios::binary) << items;
    const korvane::shell::StartResult started =
        korvane::shell::StartProgram("\"" + folder_ + "BAKITEMD.BAT\"", korvane::shell::WindowStyle::MinimizedFocus);
    ASSERT_TRUE(started) << started.error;
    // The program goes on at once; the test waits for the backup to appear.
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, started.process_id);
    if (process) {
        EXPECT_EQ(WaitForSingleObject(process, 30000), WAIT_OBJECT_0);
        CloseHandle(process);
    }
    for (int attempt = 0; attempt < 100 && ReadAll(folder_ + "Item.bak") != items; ++attempt)
        Sleep(50);
    EXPECT_EQ(ReadAll(folder_ + "Item.bak"), items);
}

TEST_F(ItemBackup, WithoutAnItemFileBacksUpNothingAndSaysSo)
{
    EXPECT_EQ(Start("cmd /c BAKITEMD.BAT", folder_), 1u);
    EXPECT_EQ(GetFileAttributesA((folder_ + "Item.bak").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ItemBackup, ItsMessagesNameAFolderWhoseNameHoldsCommandCharactersWhole)
{
    // The folder's name would end the message and start a command of its own if it were not quoted.
    const std::string folder = folder_ + "R&D\\";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(CopyFileA((folder_ + "BAKITEMD.BAT").c_str(), (folder + "BAKITEMD.BAT").c_str(), FALSE));
    struct Case {
        const char* what;
        bool itemFile;
        DWORD exitCode;
        std::string message;
    };
    const Case cases[] = {
        {"no item file", false, 1, "Item.dat was not found in \"" + folder + "\"; nothing was backed up."},
        // The item file held open by another program without sharing: the copy fails.
        {"the copy fails", true, 2, "Item.dat could not be copied to Item.bak in \"" + folder + "\"."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HANDLE held = INVALID_HANDLE_VALUE;
        if (c.itemFile) {
            std::ofstream(folder + "Item.dat", std::ios::binary) << "0001\r\n";
            held = CreateFileA((folder + "Item.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(held, INVALID_HANDLE_VALUE);
        }
        EXPECT_EQ(Start("cmd /c BAKITEMD.BAT >said.txt", folder), c.exitCode);
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        std::string said = ReadAll(folder + "said.txt");
        while (!said.empty() && (said.back() == '\n' || said.back() == '\r'))
            said.pop_back();
        EXPECT_EQ(said, c.message);
        DeleteFileA((folder + "said.txt").c_str());
    }
    for (const char* name : {"BAKITEMD.BAT", "Item.dat", "Item.bak"})
        DeleteFileA((folder + name).c_str());
    RemoveDirectoryA(folder.c_str());
}

} // namespace
