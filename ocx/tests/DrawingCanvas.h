// A 32-bit memory canvas (a DIB section in a memory context) whose pixels the drawing tests read
// back, and the count of the process's GDI objects that tells a leak.
#pragma once
#include <windows.h>

#include <string>

class DrawingCanvas {
public:
    DrawingCanvas(int width, int height, COLORREF background);
    ~DrawingCanvas();
    DrawingCanvas(const DrawingCanvas&) = delete;
    DrawingCanvas& operator=(const DrawingCanvas&) = delete;

    HDC Dc() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    HBITMAP Bitmap() const { return bitmap_; }
    void Fill(COLORREF color);
    // The pixel at (x, y) as a COLORREF (top-down rows).
    COLORREF Pixel(int x, int y) const;
    // Number of pixels of a colour within a rectangle.
    int CountPixels(const RECT& area, COLORREF color) const;
    // Writes the canvas as a PNG file (24-bit, uncompressed deflate blocks).
    bool SavePng(const std::string& path) const;

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    DWORD* bits_ = nullptr;
};

// The number of GDI objects the process holds. Where the system does not answer GetGuiResources
// (Wine), the live handles are counted by asking the object type of every handle slot.
DWORD GdiObjectCount();
