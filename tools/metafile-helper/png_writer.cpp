#include "png_writer.h"

#include <array>

namespace helper {
namespace {

const std::array<std::uint32_t, 256>& crcTable()
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xedb88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

void appendBigEndian(std::string& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xff);
}

void appendChunk(std::string& out, const char* type, const std::string& data)
{
    appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::string typed = std::string(type, 4) + data;
    std::uint32_t crc = 0xffffffffu;
    for (const char c : typed)
        crc = crcTable()[(crc ^ static_cast<unsigned char>(c)) & 0xff] ^ (crc >> 8);
    out += typed;
    appendBigEndian(out, crc ^ 0xffffffffu);
}

}  // namespace

std::string encodePng(const std::vector<std::uint32_t>& argb, int width, int height)
{
    // Rows of filter byte 0 and RGBA, in stored (uncompressed) deflate blocks.
    std::string raw;
    raw.reserve(static_cast<std::size_t>(height) * (1 + 4 * static_cast<std::size_t>(width)));
    for (int y = 0; y < height; ++y) {
        raw += '\0';
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = argb[static_cast<std::size_t>(y) * width + x];
            raw += static_cast<char>((p >> 16) & 0xff);
            raw += static_cast<char>((p >> 8) & 0xff);
            raw += static_cast<char>(p & 0xff);
            raw += static_cast<char>(p >> 24);
        }
    }
    std::string zlib("\x78\x01", 2);
    std::size_t done = 0;
    do {
        const std::size_t length = std::min<std::size_t>(65535, raw.size() - done);
        const bool last = done + length == raw.size();
        zlib += static_cast<char>(last ? 1 : 0);
        zlib += static_cast<char>(length & 0xff);
        zlib += static_cast<char>(length >> 8);
        zlib += static_cast<char>(~length & 0xff);
        zlib += static_cast<char>((~length >> 8) & 0xff);
        zlib.append(raw, done, length);
        done += length;
    } while (done < raw.size());
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const char c : raw) {
        a = (a + static_cast<unsigned char>(c)) % 65521;
        b = (b + a) % 65521;
    }
    appendBigEndian(zlib, (b << 16) | a);

    std::string header;
    appendBigEndian(header, static_cast<std::uint32_t>(width));
    appendBigEndian(header, static_cast<std::uint32_t>(height));
    header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA

    std::string png("\x89PNG\r\n\x1a\n", 8);
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", zlib);
    appendChunk(png, "IEND", std::string());
    return png;
}

std::string base64(std::string_view data)
{
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((data.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 2 < data.size(); i += 3) {
        const std::uint32_t v = static_cast<unsigned char>(data[i]) << 16 | static_cast<unsigned char>(data[i + 1]) << 8
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
