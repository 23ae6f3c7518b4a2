// The framework's part of a control's persisted state. In a stream: the extent header (magic, the
// byte count of the extent, the extent in HIMETRIC), then the version word, then one block per class
// level. In a property bag: "_ExtentX", "_ExtentY" and "_Version" beside the properties.
#pragma once
#include <windows.h>
#include <objidl.h>

#include "StreamBytes.h"

#pragma pack(push, 1)
struct ExtentHeader {
    static constexpr DWORD Magic = 0x12344321;
    static constexpr DWORD ExtentSize = 8;

    DWORD magic;
    DWORD extentSize;
    LONG cx;  // HIMETRIC
    LONG cy;
};
#pragma pack(pop)
static_assert(sizeof(ExtentHeader) == 16, "the extent header is stored as 16 bytes");

constexpr const wchar_t* ExtentXName = L"_ExtentX";
constexpr const wchar_t* ExtentYName = L"_ExtentY";
constexpr const wchar_t* VersionName = L"_Version";
