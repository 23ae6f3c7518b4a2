// What tests of hosted controls share: a plain top-level window to host controls in, message pumping,
// and reading back what the screen shows (pixels, PNG files).
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace korvane::activex::testing {

// A visible top-level window of the given client size; destroyed with the object. (Under Wine without a
// window manager, as on the test display, taking a top-level window down waits about two seconds: tests
// keep one for the whole program.)
class HostWindow {
public:
    HostWindow(int width, int height, const char* title = "Control host");
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    ~HostWindow();
    HWND Handle() const { return window_; }

private:
    HWND window_ = nullptr;
};

// Handles the messages waiting (and those they bring) for a while, so painting and posted input happen.
void PumpMessages(std::chrono::milliseconds duration = std::chrono::milliseconds(100));
// Handles messages until `done` answers true or the time is up; answers `done` at the end.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::milliseconds(3000));

// The client area of a window as it shows on the screen: width * height RGB triples, rows top down.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
    COLORREF At(int x, int y) const;
};
Picture CaptureClientArea(HWND window);
// The pixels of a bitmap; an empty picture when it is none.
Picture PixelsOfBitmap(HBITMAP bitmap);

// What is drawn on a control's face: the pixels `margin` pixels or more in from the picture's edges that
// are not the face colour, how many they are, the box around them (right and bottom the last pixel in)
// and their colours.
struct Ink {
    int count = 0;
    int left = 10000, right = -1, top = 10000, bottom = -1;
    std::set<COLORREF> colors;
    bool has(COLORREF color) const { return colors.count(color) != 0; }
};
Ink InkOf(const Picture& picture, int margin, COLORREF face = GetSysColor(COLOR_BTNFACE));

// Writes a picture as a PNG file; false when it cannot.
bool WritePng(const std::string& path, const Picture& picture);

} // namespace korvane::activex::testing
