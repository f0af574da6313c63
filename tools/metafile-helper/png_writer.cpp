#include "png_writer.h"

#include <png.h>
#include <zlib.h>

namespace helper {
namespace {

void appendToString(png_structp writer, png_bytep data, png_size_t length)
{
    static_cast<std::string*>(png_get_io_ptr(writer))
        ->append(reinterpret_cast<const char*>(data), length);
}

void flushNothing(png_structp)
{ }

std::vector<unsigned char> rgbaBytes(const std::vector<std::uint32_t>& argb)
{
    std::vector<unsigned char> rgba;
    rgba.reserve(4 * argb.size());
    for (const std::uint32_t p : argb) {
        for (const int shift : {16, 8, 0, 24})
            rgba.push_back(static_cast<unsigned char>(p >> shift));
    }
    return rgba;
}

}  // namespace

// libpng's simplified writer would add an sRGB chunk: Qt then gives the
// picture a colour space, and its PDF output an ICC profile it never had.
std::string encodePng(const std::vector<std::uint32_t>& argb, int width, int height)
{
    std::vector<unsigned char> rgba = rgbaBytes(argb);
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    for (std::size_t y = 0; y < rows.size(); ++y)
        rows[y] = rgba.data() + y * 4 * static_cast<std::size_t>(width);
    std::string png;

    png_structp writer = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = writer ? png_create_info_struct(writer) : nullptr;
    if (!info) {
        png_destroy_write_struct(&writer, nullptr);
        return {};
    }
    if (setjmp(png_jmpbuf(writer))) {  // where libpng's errors come back
        png_destroy_write_struct(&writer, &info);
        return {};
    }
    png_set_write_fn(writer, &png, appendToString, flushNothing);
    png_set_IHDR(writer, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(writer, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(writer, Z_BEST_SPEED);
    png_set_rows(writer, info, rows.data());
    png_write_png(writer, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&writer, &info);
    return png;
}

std::string base64(std::string_view data)
{
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((data.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 2 < data.size(); i += 3) {
        const std::uint32_t v = static_cast<unsigned char>(data[i]) << 16
            | static_cast<unsigned char>(data[i + 1]) << 8
            | static_cast<unsigned char>(data[i + 2]);
        out += digits[v >> 18];
        out += digits[(v >> 12) & 63];
        out += digits[(v >> 6) & 63];
        out += digits[v & 63];
    }
    if (i < data.size()) {
        std::uint32_t v = static_cast<unsigned char>(data[i]) << 16;
        if (i + 1 < data.size())
            v |= static_cast<unsigned char>(data[i + 1]) << 8;
        out += digits[v >> 18];
        out += digits[(v >> 12) & 63];
        out += i + 1 < data.size() ? digits[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

}  // namespace helper
