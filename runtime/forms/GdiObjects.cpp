#include "forms/GdiObjects.h"

#include <cmath>

namespace korvane::forms {

namespace {

// Faces whose characters all have one width. Asking for them with the fixed-pitch hint lets the font
// mapper keep the columns of a list or a print-out where the face itself is not installed.
constexpr const char* kFixedPitchFaces[] = {"Courier New", "Courier", "Lucida Console", "Consolas", "Fixedsys",
                                            "Terminal"};

bool IsFixedPitchFace(const std::string& face) {
  for (const char* fixed : kFixedPitchFaces)
    if (lstrcmpiA(face.c_str(), fixed) == 0) return true;
  return false;
}

}  // namespace

GdiFont MakeFont(const FontDescription& font, int pixels_per_inch) {
  // A negative height asks for the character height (the em), which is what a point size measures.
  const int height = -static_cast<int>(std::lround(font.points * pixels_per_inch / 72.0));
  return GdiFont(CreateFontA(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic ? TRUE : FALSE, FALSE,
                             FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             IsFixedPitchFace(font.name) ? FIXED_PITCH | FF_MODERN : DEFAULT_PITCH | FF_DONTCARE, font.name.c_str()));
}

}  // namespace korvane::forms
