#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace helper {

// A PNG file of `width` × `height` pixels given as 0xAARRGGBB, row by row,
// stored without compression: the SVG only carries it to Qt.
std::string encodePng(const std::vector<std::uint32_t>& argb, int width, int height);

std::string base64(std::string_view data);

}  // namespace helper
