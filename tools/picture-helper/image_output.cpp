#include "image_output.h"

namespace helper {
namespace {

void appendLittleEndian(std::string& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>((value >> shift) & 0xff);
}

}  // namespace

std::string imageOutput(std::uint32_t width, std::uint32_t height, std::string_view exif,
                        const std::uint8_t* rows, std::size_t stride)
{
    const std::size_t rowBytes = std::size_t(width) * 4;
    std::string out("SLVXIMG1");
    out.reserve(20 + exif.size() + rowBytes * height);
    appendLittleEndian(out, width);
    appendLittleEndian(out, height);
    appendLittleEndian(out, static_cast<std::uint32_t>(exif.size()));
    out += exif;
    for (std::uint32_t y = 0; y < height; ++y)
        out.append(reinterpret_cast<const char*>(rows + y * stride), rowBytes);
    return out;
}

}  // namespace helper
