#include "HelpViewerWindow.h"

#include <string>

namespace korvane::help {

namespace {

constexpr int kTextBoxId = 100;

LRESULT CALLBACK HelpViewerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        MoveWindow(GetDlgItem(window, kTextBoxId), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_SETFOCUS:
        SetFocus(GetDlgItem(window, kTextBoxId));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

// The edit box wants its lines ended by CR LF.
std::string BoxText(const std::string& text)
{
    std::string box;
    for (char c : text) {
        if (c == '\n')
            box += '\r';
        box += c;
    }
    return box;
}

} // namespace

HWND ShowHelpViewerWindow(HINSTANCE instance, const HelpPage& page, int show)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = HelpViewerProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kHelpViewerClass;
    if (!RegisterClassA(&windowClass))
        return nullptr;
    const std::string caption = (page.title.empty() ? std::string("Help") : page.title) + " - Korvane Help";
    HWND window = CreateWindowExA(0, kHelpViewerClass, caption.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  560, 420, nullptr, nullptr, instance, nullptr);
    if (!window)
        return nullptr;
    HWND box = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", BoxText(page.text).c_str(),
                               WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0, 0, 0,
                               window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextBoxId)), instance, nullptr);
    if (!box) {
        DestroyWindow(window);
        return nullptr;
    }
    SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    RECT client;
    GetClientRect(window, &client);
    MoveWindow(box, 0, 0, client.right, client.bottom, FALSE);
    ShowWindow(window, show);
    UpdateWindow(window);
    return window;
}

} // namespace korvane::help
