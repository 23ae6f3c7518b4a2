// hh: opens the help page named on its command line ("hh index.htm"), looked up in the current folder,
// in a window of its own. A missing name or page is reported in a message box, and the viewer ends with
// exit code 1 (no name) or 2 (no such page).
#include "HelpPage.h"
#include "HelpViewerWindow.h"

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

// The page name: the command line's first argument, quoted or not.
std::string PageName(const char* commandLine)
{
    std::string line = commandLine ? commandLine : "";
    size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos)
        return {};
    if (line[start] == '"') {
        const size_t end = line.find('"', start + 1);
        return line.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1);
    }
    const size_t end = line.find_first_of(" \t", start);
    return line.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string CurrentFolder()
{
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    return folder;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show)
{
    const std::string name = PageName(commandLine);
    if (name.empty()) {
        MessageBoxA(nullptr, "Name the help page to open, for example: hh index.htm", "Korvane Help", MB_OK | MB_ICONEXCLAMATION);
        return 1;
    }
    std::ifstream file(name, std::ios::binary);
    std::ostringstream html;
    if (file)
        html << file.rdbuf();
    if (!file || file.bad()) {
        const std::string message = "The help page \"" + name + "\" was not found in " + CurrentFolder() + ".";
        MessageBoxA(nullptr, message.c_str(), "Korvane Help", MB_OK | MB_ICONEXCLAMATION);
        return 2;
    }
    const korvane::help::HelpPage page = korvane::help::ReadHelpPage(html.str());
    if (!korvane::help::ShowHelpViewerWindow(instance, page, show)) {
        MessageBoxA(nullptr, "The help viewer's window could not be made.", "Korvane Help", MB_OK | MB_ICONEXCLAMATION);
        return 3;
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
