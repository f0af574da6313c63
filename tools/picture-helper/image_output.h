#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace helper {

// What the picture helper writes for a decoded picture: the magic
// "SLVXIMG1", then width, height and the length of the EXIF block as
// little-endian 32-bit numbers, the EXIF block (a TIFF structure, maybe
// after "Exif\0\0"), and the pixels, RGBA with 8 bits each, unpremultiplied,
// row after row without padding.
std::string imageOutput(std::uint32_t width, std::uint32_t height, std::string_view exif,
                        const std::uint8_t* rows, std::size_t stride);

}  // namespace helper
