// Writes a picture as a PNG file: 8-bit RGB, rows top to bottom, without compression (stored blocks).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace korvane::forms::testing {

// `rgb` holds width * height * 3 bytes. False when the file cannot be written.
bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb);

}  // namespace korvane::forms::testing
