// What a form tells its controls about itself through the ambient properties.
#pragma once

#include <windows.h>
#include <olectl.h>

#include <string>

namespace korvane::activex {

struct AmbientSettings {
    std::string fontName = "MS Sans Serif";
    double fontPoints = 8.25;
    bool fontBold = false;
    bool fontItalic = false;
    OLE_COLOR foreColor = 0x80000012;  // the system's button text colour
    OLE_COLOR backColor = 0x8000000F;  // the system's button face colour
    LCID locale = GetUserDefaultLCID();
    bool userMode = true;              // the forms run; nothing is designed here
};

} // namespace korvane::activex
