// How the push buttons compare with the system's own button: painting a QvCommand and a QvRibbon of
// 100 x 30 pixels a thousand times each beside a BUTTON window of that size, and creating, loading
// and activating each in place a thousand times beside creating the BUTTON window. Run beside the
// built Plyx20.ocx; it registers the library for the run and unregisters it afterwards.
#include "ControlContainer.h"
#include "forms/FormDescription.h"

#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

using korvane::activex::ControlContainer;
using korvane::activex::ControlSite;

namespace {

constexpr int Rounds = 1000;
constexpr int Width = 100;
constexpr int Height = 30;

using ServerEntry = HRESULT(STDAPICALLTYPE*)();

double MicrosecondsPerRound(const std::function<void()>& round)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < Rounds; ++i)
        round();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    return std::chrono::duration<double, std::micro>(elapsed).count() / Rounds;
}

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

std::string Element(const char* clsid)
{
    return std::string("form Bench {\n  activex Button {\n    clsid \"") + clsid +
           "\"\n    rect 10 10 100 30\n    Caption \"Bench\"\n  }\n}\n";
}

struct Measured {
    double paint;
    double create;
};

Measured MeasureControl(ControlContainer& container, const char* clsid, HDC canvas)
{
    const auto description = korvane::forms::ParseFormDescription(Element(clsid));
    const auto& element = description.children.front();
    ControlSite& site = container.Add(element);
    Pump();
    // The control's window paints into the canvas it is handed with WM_PAINT, as a window of the
    // system's button class does.
    Measured measured = {0, 0};
    HWND window = site.Window();
    measured.paint = MicrosecondsPerRound(
        [&] { SendMessageA(window, WM_PAINT, reinterpret_cast<WPARAM>(canvas), 0); });
    container.Remove(site);
    measured.create = MicrosecondsPerRound([&] {
        ControlSite& made = container.Add(element);
        container.Remove(made);
    });
    Pump();
    return measured;
}

} // namespace

int main()
{
    if (FAILED(OleInitialize(nullptr)))
        return 1;
    HMODULE library = LoadLibraryA("Plyx20.ocx");
    if (library == nullptr) {
        std::fprintf(stderr, "Plyx20.ocx is not beside the benchmark\n");
        return 1;
    }
    const auto entry = [library](const char* name) {
        return reinterpret_cast<ServerEntry>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    };
    if (entry("DllRegisterServer") == nullptr || FAILED(entry("DllRegisterServer")())) {
        std::fprintf(stderr, "the library cannot be registered\n");
        return 1;
    }

    HWND form = CreateWindowExA(0, "STATIC", "Button benchmark", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    HDC screen = GetDC(nullptr);
    HDC canvas = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, Width, Height);
    HGDIOBJ previous = SelectObject(canvas, bitmap);

    // The system's button: painted into the same canvas, created and destroyed.
    HWND button = CreateWindowExA(0, "BUTTON", "Bench", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, Width, Height,
                                  form, nullptr, GetModuleHandleA(nullptr), nullptr);
    Pump();
    const double buttonPaint = MicrosecondsPerRound(
        [&] { SendMessageA(button, WM_PAINT, reinterpret_cast<WPARAM>(canvas), 0); });
    DestroyWindow(button);
    const double buttonCreate = MicrosecondsPerRound([&] {
        HWND made = CreateWindowExA(0, "BUTTON", "Bench", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, Width, Height,
                                    form, nullptr, GetModuleHandleA(nullptr), nullptr);
        DestroyWindow(made);
    });

    Measured command = {};
    Measured ribbon = {};
    {
        ControlContainer container(form, [](const korvane::activex::ControlEvent&) {});
        command = MeasureControl(container, "{AAD093B2-F9CA-11CF-9C85-0000C09300C4}", canvas);
        ribbon = MeasureControl(container, "{B28088C2-F453-11CF-9C7D-0000C09300C4}", canvas);
    }

    std::printf("%d rounds, %d x %d pixels; microseconds per round, and the ratio to the system's BUTTON\n", Rounds,
                Width, Height);
    std::printf("%-34s %10s %10s %10s\n", "", "BUTTON", "QvCommand", "QvRibbon");
    std::printf("%-34s %10.1f %10.1f %10.1f\n", "paint", buttonPaint, command.paint, ribbon.paint);
    std::printf("%-34s %10s %10.2f %10.2f\n", "  ratio to BUTTON", "1.00", command.paint / buttonPaint,
                ribbon.paint / buttonPaint);
    std::printf("%-34s %10.1f %10.1f %10.1f\n", "create, load, activate in place", buttonCreate, command.create,
                ribbon.create);
    std::printf("%-34s %10s %10.2f %10.2f\n", "  ratio to BUTTON", "1.00", command.create / buttonCreate,
                ribbon.create / buttonCreate);

    SelectObject(canvas, previous);
    DeleteObject(bitmap);
    DeleteDC(canvas);
    ReleaseDC(nullptr, screen);
    DestroyWindow(form);
    if (ServerEntry unregister = entry("DllUnregisterServer"))
        unregister();
    OleUninitialize();
    return 0;
}
