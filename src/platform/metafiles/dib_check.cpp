#include "platform/metafiles/dib_check.h"

#include "platform/metafiles/little_endian_reader.h"
#include "platform/pictures/picture_loader.h"

#include <algorithm>
#include <array>

namespace {

constexpr quint32 kCoreHeaderSize = 12;  // OS/2: 16-bit sizes
constexpr std::array<quint32, 7> kHeaderSizes{12, 40, 52, 56, 64, 108, 124};
constexpr std::array<int, 7> kBitsPerPixel{0, 1, 4, 8, 16, 24, 32};  // 0: JPEG or PNG inside
constexpr quint32 kUncompressed = 0;
constexpr quint32 kBitFields = 3;
constexpr qint64 kSmallestColourEntry = 2;  // a palette index; RGB entries take 4

template <typename List, typename Value> bool isOneOf(const List& list, Value value)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

}  // namespace

bool isSoundDib(QByteArrayView dib, qint64 bitsAvailable)
{
    const LittleEndianReader in(dib);
    const quint32 headerSize = in.u32(0);
    if (!isOneOf(kHeaderSizes, headerSize) || !in.has(0, headerSize))
        return false;
    const bool core = headerSize == kCoreHeaderSize;
    const qint64 width = core ? in.u16(4) : in.i32(4);
    const qint64 height = core ? in.u16(6) : in.i32(8);
    const int planes = core ? in.u16(8) : in.u16(12);
    const int bitsPerPixel = core ? in.u16(10) : in.u16(14);
    const quint32 compression = core ? kUncompressed : in.u32(16);
    if (width <= 0 || height == 0 || planes != 1 || !isOneOf(kBitsPerPixel, bitsPerPixel))
        return false;
    const qint64 rows = height < 0 ? -height : height;
    if (exceedsPictureMemory(width, rows, 4))
        return false;
    // libwmf allocates the colour table as the header declares it.
    const qint64 coloursUsed = core ? 0 : in.u32(32);
    const bool indexed = bitsPerPixel > 0 && bitsPerPixel <= 8;
    if ((indexed && coloursUsed > (1 << bitsPerPixel))
        || coloursUsed * kSmallestColourEntry > dib.size() - headerSize)
        return false;
    const bool uncompressed = compression == kUncompressed || compression == kBitFields;
    if (bitsAvailable < 0 || !uncompressed || bitsPerPixel == 0)
        return true;
    const qint64 bytesPerRow = (width * bitsPerPixel + 31) / 32 * 4;
    return bytesPerRow * rows <= bitsAvailable;
}
