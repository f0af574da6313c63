#include "platform/pictures/bmp_check.h"

#include "platform/pictures/byte_reader.h"
#include "platform/pictures/picture_loader.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {

enum Compression : quint32 { Uncompressed = 0, Rle8 = 1, Rle4 = 2, BitFields = 3 };

constexpr qint64 kFileHeaderSize = 14;
constexpr quint32 kCoreHeaderSize = 12;  // OS/2 1.x: 16-bit sizes, 3-byte palette entries
constexpr quint32 kOs2HeaderSize = 64;
constexpr std::array<quint32, 7> kHeaderSizes{12, 40, 52, 56, 64, 108, 124};
constexpr std::array<int, 6> kBitsPerPixel{1, 4, 8, 16, 24, 32};

[[noreturn]] void reject(const char* reason)
{
    throw InvalidPictureError(QString::fromLatin1(reason));
}

template <typename List, typename Value> bool isOneOf(const List& list, Value value)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

class BmpChecker {
public:
    explicit BmpChecker(const QByteArray& data) : m_in(data) { }

    QSize check()
    {
        readHeaders();
        checkPalette();
        if (m_compression == Rle8 || m_compression == Rle4)
            checkRunLengthData();
        else
            checkUncompressedData();
        return {m_width, m_height};
    }

private:
    void readHeaders();
    void checkCompression() const;
    void checkPalette();
    void checkUncompressedData() const;
    void checkRunLengthData() const;
    void checkIndex(int index) const;
    void checkRunIndices(qint64 offset, int count) const;

    ByteReader m_in;
    quint32 m_headerSize = 0;
    qint64 m_pixelOffset = 0;
    int m_width = 0;
    int m_height = 0;
    bool m_topDown = false;
    int m_bitsPerPixel = 0;
    quint32 m_compression = Uncompressed;
    quint32 m_coloursUsed = 0;
    int m_paletteEntries = 0;
};

void BmpChecker::readHeaders()
{
    if (!m_in.contains(0, 2) || m_in.u8(0) != 'B' || m_in.u8(1) != 'M')
        reject("Not a BMP file");
    m_pixelOffset = m_in.u32(10);
    m_headerSize = m_in.u32(kFileHeaderSize);
    if (!isOneOf(kHeaderSizes, m_headerSize))
        reject("Unknown BMP header size");
    m_in.require(kFileHeaderSize, m_headerSize);

    qint64 height = 0;
    int planes = 0;
    if (m_headerSize == kCoreHeaderSize) {
        m_width = m_in.u16(18);
        height = m_in.u16(20);
        planes = m_in.u16(22);
        m_bitsPerPixel = m_in.u16(24);
    } else {
        m_width = m_in.i32(18);
        height = m_in.i32(22);
        planes = m_in.u16(26);
        m_bitsPerPixel = m_in.u16(28);
        m_compression = m_in.u32(30);
        m_coloursUsed = m_in.u32(46);
    }
    m_topDown = height < 0;
    height = std::abs(height);
    if (m_width <= 0 || height == 0 || height > std::numeric_limits<int>::max())
        reject("Bad BMP size");
    m_height = int(height);
    if (planes != 1 || !isOneOf(kBitsPerPixel, m_bitsPerPixel))
        reject("Bad BMP pixel format");
    if (exceedsPictureMemory(m_width, m_height, 4))
        reject("BMP picture too large");
    checkCompression();
    if (m_pixelOffset < kFileHeaderSize + m_headerSize || m_pixelOffset >= m_in.size())
        reject("BMP pixel data outside the file");
}

void BmpChecker::checkCompression() const
{
    const bool fits = (m_compression == Uncompressed)
        || (m_compression == Rle8 && m_bitsPerPixel == 8 && !m_topDown)
        || (m_compression == Rle4 && m_bitsPerPixel == 4 && !m_topDown)
        || (m_compression == BitFields && m_headerSize != kOs2HeaderSize
            && (m_bitsPerPixel == 16 || m_bitsPerPixel == 32));
    if (!fits)
        reject("Bad BMP compression");
}

void BmpChecker::checkPalette()
{
    if (m_bitsPerPixel > 8)
        return;
    const int entrySize = m_headerSize == kCoreHeaderSize ? 3 : 4;
    const qint64 start = kFileHeaderSize + m_headerSize;
    const qint64 possible = 1 << m_bitsPerPixel;
    if (m_coloursUsed > possible)
        reject("BMP palette too large");
    qint64 entries = m_coloursUsed ? m_coloursUsed : possible;
    if (m_headerSize == kCoreHeaderSize)
        entries = std::min(entries, (m_pixelOffset - start) / entrySize);
    m_in.require(start, entries * entrySize);
    m_paletteEntries = int(entries);
}

void BmpChecker::checkUncompressedData() const
{
    const qint64 bytesPerRow = (qint64(m_width) * m_bitsPerPixel + 31) / 32 * 4;
    m_in.require(m_pixelOffset, bytesPerRow * m_height);
    if (m_bitsPerPixel > 8 || m_paletteEntries == 1 << m_bitsPerPixel)
        return;
    for (int y = 0; y < m_height; ++y)
        checkRunIndices(m_pixelOffset + y * bytesPerRow, m_width);
}

// Palette indices of `count` packed pixels starting at byte `offset`.
void BmpChecker::checkRunIndices(qint64 offset, int count) const
{
    const int perByte = 8 / m_bitsPerPixel;
    const uchar* bytes = m_in.at(offset, (qint64(count) + perByte - 1) / perByte);
    const int mask = (1 << m_bitsPerPixel) - 1;
    for (int i = 0; i < count; ++i) {
        const int shift = 8 - m_bitsPerPixel * (i % perByte + 1);
        checkIndex((bytes[i / perByte] >> shift) & mask);
    }
}

void BmpChecker::checkIndex(int index) const
{
    if (index >= m_paletteEntries)
        reject("BMP palette index out of range");
}

// Walks the RLE stream as a decoder would, without writing pixels: every
// run and every jump must stay inside the picture.
void BmpChecker::checkRunLengthData() const
{
    const bool rle8 = m_compression == Rle8;
    const auto requireRoom = [&](qint64 x, qint64 y, int count) {
        if (y >= m_height || x + count > m_width)
            reject("BMP RLE data runs past the picture");
    };
    qint64 pos = m_pixelOffset;
    qint64 x = 0;
    qint64 y = 0;
    for (;;) {
        if (!m_in.contains(pos, 2)) {
            if (y >= m_height)
                return;
            reject("BMP RLE data ends early");
        }
        const int count = m_in.u8(pos);
        const int code = m_in.u8(pos + 1);
        pos += 2;
        if (count > 0) {
            requireRoom(x, y, count);
            checkIndex(rle8 ? code : code >> 4);
            if (!rle8 && count > 1)
                checkIndex(code & 0x0f);
            x += count;
        } else if (code == 0) {  // end of line
            x = 0;
            if (++y > m_height)
                reject("BMP RLE data runs past the picture");
        } else if (code == 1) {  // end of picture
            return;
        } else if (code == 2) {  // jump right and down
            x += m_in.u8(pos);
            y += m_in.u8(pos + 1);
            pos += 2;
            if (x > m_width || y > m_height)
                reject("BMP RLE jump leaves the picture");
        } else {  // `code` literal pixels, padded to 16 bits
            requireRoom(x, y, code);
            checkRunIndices(pos, code);
            const int bytes = rle8 ? code : (code + 1) / 2;
            pos += (bytes + 1) / 2 * 2;
            x += code;
        }
    }
}

}  // namespace

QSize checkBmp(const QByteArray& data)
{
    return BmpChecker(data).check();
}
