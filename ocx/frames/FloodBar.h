// The panel's flood (progress) bar as rectangles: how much of the interior a percentage fills in
// each of the five directions, and the ten segments of the segmented look.
#pragma once
#include <windows.h>

#include <vector>

// Constants_FloodType.
enum FloodType : BYTE {
    NoFlood = 0,
    FloodLeftToRight = 1,
    FloodRightToLeft = 2,
    FloodTopToBottom = 3,
    FloodBottomToTop = 4,
    FloodWideningCircle = 5,
};

// Constants_FloodFillStyle.
enum FloodFillStyle : BYTE {
    SolidFlood = 0,
    SegmentedFlood = 1,
};

constexpr int FloodSegments = 10;
// A bar shorter than this along its direction is drawn solid even when segmented.
constexpr LONG ShortestSegmentedBar = 18;

struct FloodShape {
    RECT filled;                 // the filled extent (the circle's box for the widening circle)
    bool ellipse;                // the widening circle
    std::vector<RECT> segments;  // the segmented look; empty when the bar is drawn solid
};

// The shape of `percent` (0..100) of `interior` for a flood type 1..5 and a fill style.
FloodShape FloodShapeOf(const RECT& interior, BYTE type, int percent, BYTE fillStyle);
