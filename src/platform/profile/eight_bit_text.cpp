#include "platform/profile/eight_bit_text.h"

#include <QHash>
#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// Qt reaches the code page through ICU, which gives each of its five unused
// bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D) the C1 control of the same number, as
// Windows itself does, so that any byte sequence survives reading and
// writing back.
constexpr char kCodePage[] = "windows-1252";
constexpr char kUnmappable = '?';
const QByteArray kUtf8Bom("\xEF\xBB\xBF");

bool isAscii(const QByteArray& bytes)
{
    for (const char b : bytes) {
        if (static_cast<unsigned char>(b) >= 0x80)
            return false;
    }
    return true;
}

char windows1252Byte(char32_t codePoint)
{
    QStringEncoder encoder(kCodePage, QStringConverter::Flag::Stateless);
    const QByteArray byte = encoder(QString::fromUcs4(&codePoint, 1));
    return !encoder.hasError() && byte.size() == 1 ? byte.front() : kUnmappable;
}

// One byte for each character, one "?" for each the code page lacks. ICU
// writes its own substitute (0x1A) instead, and drops some characters (the
// zero-width and other ignorable ones, a lone surrogate at the end) without
// a trace.
QByteArray encodeCharByChar(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    QHash<char32_t, char> byteOf;
    for (const char32_t codePoint : text.toUcs4()) {
        auto found = byteOf.constFind(codePoint);
        if (found == byteOf.constEnd())
            found = byteOf.insert(codePoint, windows1252Byte(codePoint));
        bytes += *found;
    }
    return bytes;
}

}  // namespace

QString decodeWindows1252(const QByteArray& bytes)
{
    QStringDecoder decoder(kCodePage, QStringConverter::Flag::Stateless);
    return decoder(bytes);
}

QByteArray encodeWindows1252(const QString& text)
{
    QStringEncoder encoder(kCodePage, QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder(text);
    if (!encoder.hasError() && bytes.size() == text.size())
        return bytes;
    return encodeCharByChar(text);
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
    case TextEncoding::Utf8: return text.toUtf8();
    case TextEncoding::Utf8WithBom: return kUtf8Bom + text.toUtf8();
    case TextEncoding::Windows1252: break;
    }
    QByteArray bytes = encodeWindows1252(text);
    // Code page bytes that happen to form valid UTF-8 (a file whose only
    // invalid byte was just replaced) would read back as other text.
    if (decodeEightBitText(bytes).encoding != TextEncoding::Windows1252)
        return kUtf8Bom + text.toUtf8();
    return bytes;
}
