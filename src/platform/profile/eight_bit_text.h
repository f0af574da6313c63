#pragma once

#include <QByteArray>
#include <QString>

// The character encodings of small text files that users exchange between
// Windows and this program.
enum class TextEncoding {
    Windows1252,  // the Western 8-bit code page
    Utf8,
    Utf8WithBom,
};

struct DecodedText {
    QString text;
    TextEncoding encoding = TextEncoding::Windows1252;
};

// Bytes that form valid UTF-8 with at least one non-ASCII character are read
// as UTF-8 (a leading byte order mark removed); everything else, binary data
// included, as Windows-1252. Every byte maps to one character, so no content
// is lost either way.
DecodedText decodeEightBitText(const QByteArray& bytes);

// Windows-1252 output writes one "?" for each character the code page lacks.
// Text whose Windows-1252 bytes would read back as UTF-8 is written as UTF-8
// with a byte order mark instead, so that it reads back as written.
QByteArray encodeEightBitText(const QString& text, TextEncoding encoding);

QString decodeWindows1252(const QByteArray& bytes);
QByteArray encodeWindows1252(const QString& text);
