#include "text_encoding.h"

#include <array>
#include <cstdint>

#include <iconv.h>

namespace helper {
namespace {

struct CharsetCodepage {
    int charset;
    const char* codeset;
    bool doubleByte;
};

// Windows font character sets (LOGFONT lfCharSet) and their code pages.
constexpr std::array kCodepages{
    CharsetCodepage{128, "CP932", true},    // SHIFTJIS
    CharsetCodepage{129, "CP949", true},    // HANGUL
    CharsetCodepage{134, "CP936", true},    // GB2312
    CharsetCodepage{136, "CP950", true},    // CHINESEBIG5
    CharsetCodepage{161, "CP1253", false},  // GREEK
    CharsetCodepage{162, "CP1254", false},  // TURKISH
    CharsetCodepage{163, "CP1258", false},  // VIETNAMESE
    CharsetCodepage{177, "CP1255", false},  // HEBREW
    CharsetCodepage{178, "CP1256", false},  // ARABIC
    CharsetCodepage{186, "CP1257", false},  // BALTIC
    CharsetCodepage{204, "CP1251", false},  // RUSSIAN
    CharsetCodepage{222, "CP874", false},   // THAI
    CharsetCodepage{238, "CP1250", false},  // EASTEUROPE
};

constexpr int kSymbolCharset = 2;

// The Symbol font's own encoding: code points for 0x20..0x7F and 0xA0..0xFF.
constexpr std::array<std::uint16_t, 96> kSymbolLow{
    0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B, 0x0028, 0x0029, 0x2217, 0x002B,
    0x002C, 0x2212, 0x002E, 0x002F, 0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037,
    0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F, 0x2245, 0x0391, 0x0392, 0x03A7,
    0x0394, 0x0395, 0x03A6, 0x0393, 0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F,
    0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9, 0x039E, 0x03A8, 0x0396, 0x005B,
    0x2234, 0x005D, 0x22A5, 0x005F, 0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3,
    0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF, 0x03C0, 0x03B8, 0x03C1, 0x03C3,
    0x03C4, 0x03C5, 0x03D6, 0x03C9, 0x03BE, 0x03C8, 0x03B6, 0x007B, 0x007C, 0x007D, 0x223C, 0x0020};
constexpr std::array<std::uint16_t, 96> kSymbolHigh{
    0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663, 0x2666, 0x2665, 0x2660, 0x2194,
    0x2190, 0x2191, 0x2192, 0x2193, 0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022,
    0x00F7, 0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5, 0x2135, 0x2111, 0x211C, 0x2118,
    0x2297, 0x2295, 0x2205, 0x2229, 0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209,
    0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5, 0x00AC, 0x2227, 0x2228, 0x21D4,
    0x21D0, 0x21D1, 0x21D2, 0x21D3, 0x25CA, 0x2329, 0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, 0x239C,
    0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7, 0x23A8, 0x23A9, 0x23AA, 0x0020, 0x232A, 0x222B, 0x2320,
    0x23AE, 0x2321, 0x239E, 0x239F, 0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD, 0x0020};

void appendUtf8(std::string& out, std::uint32_t codePoint)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

std::uint32_t symbolCodePoint(unsigned char byte)
{
    if (byte >= 0x20 && byte < 0x80)
        return kSymbolLow[byte - 0x20];
    if (byte >= 0xA0)
        return kSymbolHigh[byte - 0xA0];
    return 0x20;
}

std::string convertWithIconv(std::string_view bytes, const char* codeset)
{
    iconv_t converter = iconv_open("UTF-8", codeset);
    if (converter == reinterpret_cast<iconv_t>(-1))
        return std::string(bytes);
    std::string out(bytes.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(converter, &in, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1))
            break;
        // An invalid or incomplete sequence: skip one byte and go on.
        ++in;
        --inLeft;
        if (outLeft > 0) {
            *outPtr++ = '?';
            --outLeft;
        }
    }
    iconv_close(converter);
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace

TextEncoding::TextEncoding(int windowsCharset)
{
    if (windowsCharset == kSymbolCharset) {
        m_kind = Kind::Symbol;
        return;
    }
    for (const CharsetCodepage& entry : kCodepages) {
        if (entry.charset == windowsCharset) {
            m_codeset = entry.codeset;
            m_doubleByte = entry.doubleByte;
        }
    }
}

TextEncoding TextEncoding::forFaceName(int windowsCharset)
{
    constexpr int kAnsiCharset = 0;
    return TextEncoding(windowsCharset == kSymbolCharset ? kAnsiCharset : windowsCharset);
}

std::string TextEncoding::toUtf8(std::string_view bytes) const
{
    if (m_kind == Kind::Iconv)
        return convertWithIconv(bytes, m_codeset);
    std::string out;
    for (const char c : bytes)
        appendUtf8(out, symbolCodePoint(static_cast<unsigned char>(c)));
    return out;
}

bool TextEncoding::isLeadByte(unsigned char byte) const
{
    if (!m_doubleByte)
        return false;
    if (std::string_view(m_codeset) == "CP932")
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    return byte >= 0x81 && byte <= 0xFE;
}

}  // namespace helper
