#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace helper {

// A PNG file of `width` × `height` pixels given as 0xAARRGGBB, row by row,
// compressed for speed rather than size: the SVG only carries it to Qt.
// Empty when libpng fails (out of memory).
std::string encodePng(const std::vector<std::uint32_t>& argb, int width, int height);

std::string base64(std::string_view data);

}  // namespace helper
