// BAKITEMD.BAT started as the main menu starts it: by its name as a command line, minimized, not waited
// for by the program (the test waits to see its work).
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

TEST_F(ItemBackup, WithoutAnItemFileBacksUpNothingAndSaysSo)
{
    EXPECT_EQ(Start("cmd /c BAKITEMD.BAT", folder_), 1u);
    EXPECT_EQ(GetFileAttributesA((folder_ + "Item.bak").c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
