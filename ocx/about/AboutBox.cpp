// The about box: the product's name and version under a header with the maker's name, in a frame of
// hand-drawn 3D lines. Its state lives with the box itself, so that boxes of two threads never share it.
#include "AboutBox.h"

#include "AboutBoxIds.h"
#include "Bevels.h"
#include "ColorScheme.h"
#include "Module.h"
#include "OleControl.h"

#include <initializer_list>
#include <new>

namespace plyx {

namespace {

const char* const ProductName = "ActivePlyx";
const char* const ProductVersion = "2.0";
const char* const MakerName = "Oskadel";
constexpr COLORREF MakerColor = RGB(0, 0, 255);

constexpr int TextItems[] = {IDC_ABOUT_PRODUCT, IDC_ABOUT_DESCRIPTION, IDC_ABOUT_RIGHTS};
constexpr int EtchedPairs = 11;
constexpr int EtchedSpacing = 4;
constexpr int EtchedBlockRise = 20;

struct AboutState {
    HFONT bodyFont = nullptr;
    HFONT lightFont = nullptr;
    HFONT titleFont = nullptr;
    HBRUSH background = nullptr;
    COLORREF backgroundColor = RGB(255, 255, 255);
    RECT header = {};

    ~AboutState()
    {
        for (HFONT font : {bodyFont, lightFont, titleFont})
            if (font != nullptr)
                DeleteObject(font);
        if (background != nullptr)
            DeleteObject(background);
    }
};

AboutState* StateOf(HWND dialog)
{
    return reinterpret_cast<AboutState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// The item's rectangle in the dialog's client coordinates; false without the item.
bool ItemRect(HWND dialog, int id, RECT* rect)
{
    HWND item = GetDlgItem(dialog, id);
    if (item == nullptr || !GetWindowRect(item, rect))
        return false;
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(rect), 2);
    return true;
}

HFONT FontLike(HFONT font, LONG height, LONG weight, bool keepWidth)
{
    LOGFONTA description = {};
    if (font == nullptr || GetObjectA(font, sizeof description, &description) == 0)
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
    if (height != 0)
        description.lfHeight = height;
    if (weight != 0)
        description.lfWeight = weight;
    if (!keepWidth)
        description.lfWidth = 0;
    return CreateFontIndirectA(&description);
}

// "2.0" as it stands, without anything but digits at its end.
void ProductLine(char* line, size_t size)
{
    char version[16] = {};
    lstrcpynA(version, ProductVersion, sizeof version);
    for (int end = lstrlenA(version) - 1; end >= 0 && (version[end] < '0' || version[end] > '9'); --end)
        version[end] = '\0';
    wsprintfA(line, "%s %s", ProductName, version);
    line[size - 1] = '\0';
}

void InitializeBox(HWND dialog, AboutState& state)
{
    RECT box = {};
    GetWindowRect(dialog, &box);
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 3, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW);
    HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    state.bodyFont = FontLike(dialogFont, 0, FW_NORMAL, true);
    state.titleFont = FontLike(dialogFont, -16, 0, false);
    state.lightFont = FontLike(dialogFont, -16, FW_THIN, false);
    char line[64] = {};
    ProductLine(line, sizeof line);
    SetDlgItemTextA(dialog, IDC_ABOUT_PRODUCT, line);
    if (state.titleFont != nullptr)
        SendDlgItemMessageA(dialog, IDC_ABOUT_PRODUCT, WM_SETFONT, reinterpret_cast<WPARAM>(state.titleFont), FALSE);
    for (int id : {IDC_ABOUT_DESCRIPTION, IDC_ABOUT_RIGHTS})
        if (state.bodyFont != nullptr)
            SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(state.bodyFont), FALSE);
    ItemRect(dialog, IDC_ABOUT_HEADER, &state.header);
}

void EtchedLine(HDC dc, ColorScheme& scheme, int left, int right, int y)
{
    HGDIOBJ previous = SelectObject(dc, scheme.ShadowPen());
    MoveToEx(dc, left, y, nullptr);
    LineTo(dc, right, y);
    SelectObject(dc, scheme.HighlightPen());
    MoveToEx(dc, left, y + 1, nullptr);
    LineTo(dc, right, y + 1);
    SelectObject(dc, previous);
}

void PaintBox(HWND dialog, AboutState& state)
{
    PAINTSTRUCT paint = {};
    HDC dc = BeginPaint(dialog, &paint);
    if (dc == nullptr)
        return;
    ColorScheme scheme = ColorScheme::SystemScheme();
    RECT client = {};
    GetClientRect(dialog, &client);
    FillRect(dc, &client, scheme.FaceBrush());
    DrawBevelLines(dc, client.left, client.top, client.right, client.bottom, 3, TRUE, scheme.ButtonShadowColor(),
                   scheme.ButtonHighlightColor());
    DrawItemFrame(dc, dialog, IDC_ABOUT_PICTURE, 1, 2, 1, FALSE, TRUE, scheme.ButtonShadowColor(),
                  scheme.ButtonHighlightColor());

    // The maker's name in the header.
    HGDIOBJ previousFont = SelectObject(dc, state.lightFont != nullptr ? state.lightFont : GetStockObject(DEFAULT_GUI_FONT));
    const COLORREF face = scheme.ButtonFaceColor();
    SetBkColor(dc, face);
    SetTextColor(dc, face == MakerColor ? scheme.DarkTextColor() : MakerColor);
    RECT header = state.header;
    DrawTextA(dc, MakerName, -1, &header, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    SelectObject(dc, previousFont);

    RECT firstText = {};
    if (ItemRect(dialog, TextItems[0], &firstText)) {
        const int y = (state.header.bottom + firstText.top) / 2;
        EtchedLine(dc, scheme, client.left + 3, client.right - 3, y);
        RECT marker = {};
        if (ItemRect(dialog, IDC_ABOUT_MARKER, &marker)) {
            for (int pair = 0; pair < EtchedPairs; ++pair)
                EtchedLine(dc, scheme, marker.left - 1, firstText.left, y - EtchedBlockRise + pair * EtchedSpacing);
            DrawItemFrame(dc, dialog, IDC_ABOUT_MARKER, 1, 0, 0, FALSE, FALSE, scheme.ButtonShadowColor(),
                          scheme.ButtonHighlightColor());
            ShowWindow(GetDlgItem(dialog, IDC_ABOUT_MARKER), SW_HIDE);
        }
        for (int id : TextItems)
            DrawItemFrame(dc, dialog, id, 1, 0, 0, TRUE, TRUE, scheme.ButtonShadowColor(),
                          scheme.ButtonHighlightColor());
    }
    EndPaint(dialog, &paint);
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        InitializeBox(dialog, *reinterpret_cast<AboutState*>(lParam));
        return FALSE;
    case WM_PAINT:
        if (AboutState* state = StateOf(dialog)) {
            PaintBox(dialog, *state);
            return TRUE;
        }
        return FALSE;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        AboutState* state = StateOf(dialog);
        if (state == nullptr)
            return FALSE;
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        if (state->background == nullptr || state->backgroundColor != face) {
            if (state->background != nullptr)
                DeleteObject(state->background);
            state->background = CreateSolidBrush(face);
            state->backgroundColor = face;
        }
        SetBkColor(reinterpret_cast<HDC>(wParam), face);
        return reinterpret_cast<INT_PTR>(state->background);
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 1);
            return TRUE;
        }
        return FALSE;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE || (wParam & 0xFFF0) == 0xF160) {
            EndDialog(dialog, 1);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

// The window of this process that the box belongs to: the control's top-level container window, or
// else the foreground window when it is ours.
HWND OwnerFor(OleControl* control)
{
    if (control != nullptr && control->ParentWindow() != nullptr)
        return GetAncestor(control->ParentWindow(), GA_ROOT);
    HWND foreground = GetForegroundWindow();
    DWORD process = 0;
    if (foreground != nullptr && GetWindowThreadProcessId(foreground, &process) != 0 &&
        process == GetCurrentProcessId())
        return foreground;
    return nullptr;
}

} // namespace

void ShowAboutBox(OleControl* control)
{
    auto* state = new (std::nothrow) AboutState();
    if (state == nullptr)
        return;
    HINSTANCE resources = control != nullptr ? control->GetResourceInstance() : Module::Instance();
    HWND owner = OwnerFor(control);
    if (control != nullptr)
        control->SetModalState(TRUE);
    INT_PTR result = DialogBoxParamA(resources, MAKEINTRESOURCEA(IDD_ABOUTBOX), owner, AboutDialogProc,
                                     reinterpret_cast<LPARAM>(state));
    // A satellite library without the box: the library's own.
    if (result == -1 && resources != Module::Instance())
        DialogBoxParamA(Module::Instance(), MAKEINTRESOURCEA(IDD_ABOUTBOX), owner, AboutDialogProc,
                        reinterpret_cast<LPARAM>(state));
    if (control != nullptr)
        control->SetModalState(FALSE);
    delete state;
}

} // namespace plyx
