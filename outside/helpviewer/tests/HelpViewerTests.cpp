// The help pages of the build, and hh.exe started as the windows start it: "hh <page>" in the folder
// that holds the pages.
#include "HelpPage.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string BinFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every page a window of the program opens by name.
const char* const kPages[] = {
    "index.htm",           "KorvaneSupport.htm",         "fendrixupload.htm",       "SortInventoryFile.htm",
    "korvane.htm",         "inventoryadjust-1050.htm",   "printinvadjust-1065.htm", "printsandi-1074.htm",
    "zeroinvtranslist-1089.htm", "dailyprocessing-1033.htm", "mainweeklyprocess-1085.htm",
    "mainmonthprocess-1056.htm", "mailyearlyprocess-1088.htm", "DebugTool.htm",
};

TEST(HelpPages, EveryPageTheWindowsOpenIsThereWithATitleAndText)
{
    for (const char* name : kPages) {
        SCOPED_TRACE(name);
        const std::string html = ReadAll(BinFolder() + "Help\\" + name);
        ASSERT_FALSE(html.empty());
        const korvane::help::HelpPage page = korvane::help::ReadHelpPage(html);
        EXPECT_FALSE(page.title.empty());
        EXPECT_GT(page.text.size(), page.title.size() + 40);
    }
}

struct FoundWindow {
    DWORD process;
    const char* className;
    HWND window = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data)
{
    auto* wanted = reinterpret_cast<FoundWindow*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (owner == wanted->process && std::string(name) == wanted->className && IsWindowVisible(window)) {
        wanted->window = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindWindowOf(DWORD process, const char* className)
{
    FoundWindow found{process, className};
    for (int attempt = 0; attempt < 200 && !found.window; ++attempt) {
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&found));
        if (!found.window)
            Sleep(50);
    }
    return found.window;
}

std::string TextOf(HWND window)
{
    char text[4096] = {};
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
    return text;
}

BOOL CALLBACK CollectText(HWND child, LPARAM data)
{
    *reinterpret_cast<std::string*>(data) += TextOf(child) + "\n";
    return TRUE;
}

class HelpViewer : public testing::Test {
protected:
    // Starts "hh <arguments>" in `folder` as the windows do: a normal window, not waited for.
    bool Start(const std::string& arguments, const std::string& folder)
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        std::string line = "\"" + BinFolder() + "hh.exe\" " + arguments;
        return CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &process_);
    }
    DWORD WaitForExit()
    {
        EXPECT_EQ(WaitForSingleObject(process_.hProcess, 10000), WAIT_OBJECT_0);
        DWORD code = 999;
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }
    void TearDown() override
    {
        if (process_.hProcess) {
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(process_.hProcess, 99);
            CloseHandle(process_.hThread);
            CloseHandle(process_.hProcess);
        }
    }
    PROCESS_INFORMATION process_ = {};
};

TEST_F(HelpViewer, ShowsTheNamedPageOfTheCurrentFolder)
{
    ASSERT_TRUE(Start("DebugTool.htm", BinFolder() + "Help"));
    HWND viewer = FindWindowOf(process_.dwProcessId, "KorvaneHelpViewer");
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(TextOf(viewer), "Debug Inventory - Korvane Help");
    HWND box = FindWindowExA(viewer, nullptr, "Edit", nullptr);
    ASSERT_NE(box, nullptr);
    const std::string text = TextOf(box);
    EXPECT_NE(text.find("Start Debug reads the file line by line"), std::string::npos) << text;
    EXPECT_NE(text.find("\"Error Condition Exists, goto (Debug Inventory) to correct.\""), std::string::npos) << text;
    PostMessageA(viewer, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(), 0u);
}

TEST_F(HelpViewer, ReportsAPageThatIsNotInTheCurrentFolder)
{
    // The program's own folder holds no pages: they are in its Help folder.
    ASSERT_TRUE(Start("index.htm", BinFolder()));
    HWND box = FindWindowOf(process_.dwProcessId, "#32770");
    ASSERT_NE(box, nullptr);
    std::string shown;
    EnumChildWindows(box, CollectText, reinterpret_cast<LPARAM>(&shown));
    EXPECT_NE(shown.find("The help page \"index.htm\" was not found in"), std::string::npos) << shown;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(WaitForExit(), 2u);
}

} // namespace
