#include "platform/profile/eight_bit_text.h"

#include <QStringDecoder>

#include <array>

namespace {

// Characters of the bytes 0x80 ... 0x9F. The five bytes without a character
// keep the C1 control of the same number, as Windows itself maps them, so
// that any byte sequence survives reading and writing back.
constexpr std::array<char16_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr unsigned char kFirstHighControl = 0x80;
constexpr unsigned char kLastHighControl = 0x9F;
constexpr char kUnmappable = '?';
const QByteArray kUtf8Bom("\xEF\xBB\xBF");

QChar windows1252Char(unsigned char byte)
{
    if (byte >= kFirstHighControl && byte <= kLastHighControl)
        return QChar(kHighControlRange[byte - kFirstHighControl]);
    return QChar(byte);
}

// The byte for `c`, or 0 when the code page has no such character (the NUL
// character itself is handled by the caller).
unsigned char windows1252Byte(char16_t c)
{
    if (c < kFirstHighControl || (c > kLastHighControl && c <= 0xFF))
        return static_cast<unsigned char>(c);
    for (std::size_t i = 0; i < kHighControlRange.size(); ++i) {
        if (kHighControlRange[i] == c)
            return static_cast<unsigned char>(kFirstHighControl + i);
    }
    return 0;
}

bool isAscii(const QByteArray& bytes)
{
    for (const char b : bytes) {
        if (static_cast<unsigned char>(b) >= 0x80)
            return false;
    }
    return true;
}

}  // namespace

QString decodeWindows1252(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char b : bytes)
        *out++ = windows1252Char(static_cast<unsigned char>(b));
    return text;
}

QByteArray encodeWindows1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        const bool surrogatePair = QChar::isHighSurrogate(c) && i + 1 < text.size()
                                   && text.at(i + 1).isLowSurrogate();
        if (surrogatePair)
            ++i;
        const unsigned char b = surrogatePair ? 0 : windows1252Byte(c);
        bytes.append(b != 0 || c == 0 ? static_cast<char>(b) : kUnmappable);
    }
    return bytes;
}

DecodedText decodeEightBitText(const QByteArray& bytes)
{
    if (isAscii(bytes))
        return {QString::fromLatin1(bytes), TextEncoding::Windows1252};

    const bool hasBom = bytes.startsWith(kUtf8Bom);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(QByteArrayView(bytes).sliced(hasBom ? kUtf8Bom.size() : 0));
    if (!utf8.hasError())
        return {text, hasBom ? TextEncoding::Utf8WithBom : TextEncoding::Utf8};
    return {decodeWindows1252(bytes), TextEncoding::Windows1252};
}

QByteArray encodeEightBitText(const QString& text, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
        return text.toUtf8();
    case TextEncoding::Utf8WithBom:
        return kUtf8Bom + text.toUtf8();
    case TextEncoding::Windows1252:
        break;
    }
    QByteArray bytes = encodeWindows1252(text);
    // Code page bytes that happen to form valid UTF-8 (a file whose only
    // invalid byte was just replaced) would read back as other text.
    if (decodeEightBitText(bytes).encoding != TextEncoding::Windows1252)
        return kUtf8Bom + text.toUtf8();
    return bytes;
}
