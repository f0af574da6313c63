#pragma once

#include <string>
#include <string_view>

namespace helper {

// Converts metafile text, stored in the 8-bit or double-byte code page that
// the font's character set names, into UTF-8.
class TextEncoding {
public:
    explicit TextEncoding(int windowsCharset);
    // Font names are plain text even for symbol fonts.
    static TextEncoding forFaceName(int windowsCharset);

    std::string toUtf8(std::string_view bytes) const;

    // True when `byte` starts a two-byte character in this code page.
    bool isLeadByte(unsigned char byte) const;

private:
    enum class Kind { Iconv, Symbol };

    Kind m_kind = Kind::Iconv;
    const char* m_codeset = "CP1252";
    bool m_doubleByte = false;
};

}  // namespace helper
