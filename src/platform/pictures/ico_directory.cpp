#include "platform/pictures/ico_directory.h"

#include "platform/pictures/byte_reader.h"
#include "platform/pictures/picture_loader.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr qint64 kDirectoryHeaderSize = 6;
constexpr qint64 kDirectoryEntrySize = 16;
constexpr quint16 kIconType = 1;
constexpr qint64 kBitmapHeaderSize = 40;
constexpr int kLargestDirectorySide = 256;  // stored as 0
constexpr std::array<int, 6> kBitsPerPixel{1, 4, 8, 16, 24, 32};
constexpr char kPngSignature[] = "\x89PNG\r\n\x1a\n";
constexpr qint64 kPngSignatureSize = 8;
constexpr qint64 kPngHeaderEnd = 26;  // signature, IHDR length and type, size, depth, colour type

[[noreturn]] void reject(const char* reason)
{
    throw InvalidPictureError(QString::fromLatin1(reason));
}

int directorySide(quint8 stored)
{
    return stored ? stored : kLargestDirectorySide;
}

// A directory entry as stored, before its picture's header is read.
struct StoredEntry {
    QSize size;
    qint64 offset = 0;
    qint64 length = 0;
};

class EntryChecker {
public:
    EntryChecker(const ByteReader& in, const StoredEntry& stored) : m_in(in), m_stored(stored) { }

    IcoEntry check(int index) const
    {
        if (!m_in.contains(m_stored.offset, m_stored.length))
            reject("Icon entry lies outside the file");
        IcoEntry entry = isPng() ? checkPng() : checkBitmap();
        entry.index = index;
        return entry;
    }

private:
    bool isPng() const
    {
        return m_stored.length >= kPngSignatureSize
            && std::memcmp(m_in.at(m_stored.offset, kPngSignatureSize), kPngSignature,
                           kPngSignatureSize)
            == 0;
    }

    IcoEntry checkPng() const;
    IcoEntry checkBitmap() const;

    const ByteReader& m_in;
    StoredEntry m_stored;
};

IcoEntry EntryChecker::checkPng() const
{
    if (m_stored.length < kPngHeaderEnd)
        reject("Icon PNG entry too short");
    const qint64 at = m_stored.offset;
    const qint64 width = m_in.u32BigEndian(at + 16);
    const qint64 height = m_in.u32BigEndian(at + 20);
    const int bitDepth = m_in.u8(at + 24);
    const int colourType = m_in.u8(at + 25);
    const auto matches = [](qint64 actual, int stored) {
        return actual == stored || (stored == kLargestDirectorySide && actual > stored);
    };
    if (!matches(width, m_stored.size.width()) || !matches(height, m_stored.size.height()))
        reject("Icon PNG size disagrees with the directory");
    if (exceedsPictureMemory(width, height, 4))
        reject("Icon too large");
    static constexpr std::array<int, 7> kChannelsByColourType{1, 0, 3, 1, 2, 0, 4};
    const int channels = colourType < 7 ? kChannelsByColourType[colourType] : 0;
    return {0, QSize(int(width), int(height)), channels * bitDepth};
}

IcoEntry EntryChecker::checkBitmap() const
{
    const qint64 at = m_stored.offset;
    if (m_stored.length < kBitmapHeaderSize || m_in.u32(at) != kBitmapHeaderSize)
        reject("Bad icon bitmap header");
    const QSize size = m_stored.size;
    const int bitsPerPixel = m_in.u16(at + 14);
    if (m_in.i32(at + 4) != size.width() || m_in.i32(at + 8) != 2 * size.height())
        reject("Icon bitmap size disagrees with the directory");
    if (!std::count(kBitsPerPixel.begin(), kBitsPerPixel.end(), bitsPerPixel)
        || m_in.u32(at + 16) != 0)
        reject("Bad icon bitmap format");

    const qint64 coloursUsed = m_in.u32(at + 32);
    const qint64 possibleColours = bitsPerPixel <= 8 ? 1 << bitsPerPixel : 0;
    if (coloursUsed > possibleColours && bitsPerPixel <= 8)
        reject("Icon palette too large");
    const qint64 paletteBytes = (coloursUsed ? coloursUsed : possibleColours) * 4;
    const qint64 colourRow = (qint64(size.width()) * bitsPerPixel + 31) / 32 * 4;
    const qint64 maskRow = (qint64(size.width()) + 31) / 32 * 4;
    const qint64 needed = kBitmapHeaderSize + (bitsPerPixel <= 8 ? paletteBytes : 0)
        + (colourRow + maskRow) * size.height();
    if (needed > m_stored.length)
        reject("Icon bitmap data ends early");
    return {0, size, bitsPerPixel};
}

}  // namespace

IcoDirectory::IcoDirectory(const QByteArray& data)
{
    const ByteReader in(data);
    if (!in.contains(0, kDirectoryHeaderSize) || in.u16(0) != 0 || in.u16(2) != kIconType)
        reject("Not an icon file");
    const int count = in.u16(4);
    if (count == 0)
        reject("Icon file without pictures");
    in.require(kDirectoryHeaderSize, count * kDirectoryEntrySize);

    for (int i = 0; i < count; ++i) {
        const qint64 at = kDirectoryHeaderSize + i * kDirectoryEntrySize;
        const StoredEntry stored{QSize(directorySide(in.u8(at)), directorySide(in.u8(at + 1))),
                                 in.u32(at + 12), in.u32(at + 8)};
        m_entries.push_back(EntryChecker(in, stored).check(i));
    }
}

IcoEntry IcoDirectory::largest() const
{
    const auto smaller = [](const IcoEntry& a, const IcoEntry& b) {
        const qint64 pixelsA = qint64(a.size.width()) * a.size.height();
        const qint64 pixelsB = qint64(b.size.width()) * b.size.height();
        return pixelsA != pixelsB ? pixelsA < pixelsB : a.depth < b.depth;
    };
    // max_element keeps the first of equal entries.
    return *std::max_element(m_entries.begin(), m_entries.end(), smaller);
}
