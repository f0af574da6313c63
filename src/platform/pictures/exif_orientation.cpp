#include "platform/pictures/exif_orientation.h"

#include <QTransform>
#include <QtEndian>

#include <optional>

namespace {

constexpr quint16 kOrientationTag = 0x0112;
constexpr quint16 kShortType = 3;
constexpr int kUpright = 1;

class Bytes {
public:
    Bytes(QByteArrayView data, bool bigEndian) : m_data(data), m_bigEndian(bigEndian) { }

    std::optional<quint32> u16(qsizetype at) const { return read<quint16>(at); }
    std::optional<quint32> u32(qsizetype at) const { return read<quint32>(at); }

private:
    template <typename T> std::optional<quint32> read(qsizetype at) const
    {
        if (at < 0 || at > m_data.size() - qsizetype(sizeof(T)))
            return std::nullopt;
        const uchar* p = reinterpret_cast<const uchar*>(m_data.data()) + at;
        return m_bigEndian ? qFromBigEndian<T>(p) : qFromLittleEndian<T>(p);
    }

    QByteArrayView m_data;
    bool m_bigEndian;
};

int orientationInTiff(QByteArrayView tiff)
{
    if (tiff.size() < 8)
        return kUpright;
    const bool bigEndian = tiff.startsWith("MM\0*");
    if (!bigEndian && !tiff.startsWith("II*\0"))
        return kUpright;
    const Bytes bytes(tiff, bigEndian);
    const qsizetype directory = *bytes.u32(4);
    const std::optional<quint32> entries = bytes.u16(directory);
    if (!entries)
        return kUpright;
    for (quint32 i = 0; i < *entries; ++i) {
        const qsizetype entry = directory + 2 + qsizetype(i) * 12;
        const std::optional<quint32> tag = bytes.u16(entry);
        if (!tag)
            break;
        if (*tag != kOrientationTag)
            continue;
        const std::optional<quint32> value = bytes.u16(entry + 8);
        if (bytes.u16(entry + 2) != kShortType || !value || *value < 1 || *value > 8)
            return kUpright;
        return int(*value);
    }
    return kUpright;
}

quint32 bigEndian16(QByteArrayView data, qsizetype at)
{
    return (quint32(uchar(data[at])) << 8) | uchar(data[at + 1]);
}

}  // namespace

int exifOrientation(QByteArrayView exif)
{
    if (exif.startsWith(QByteArrayView("Exif\0\0", 6)))
        exif = exif.sliced(6);
    return orientationInTiff(exif);
}

int jpegExifOrientation(QByteArrayView jpeg)
{
    constexpr uchar kStartOfScan = 0xDA;
    constexpr uchar kApp1 = 0xE1;
    qsizetype at = 2;  // after the start-of-image marker
    while (at + 4 <= jpeg.size() && uchar(jpeg[at]) == 0xFF) {
        const uchar marker = uchar(jpeg[at + 1]);
        if (marker == kStartOfScan)
            break;
        const qsizetype length = bigEndian16(jpeg, at + 2);
        if (length < 2 || at + 2 + length > jpeg.size())
            break;
        const QByteArrayView segment = jpeg.sliced(at + 4, length - 2);
        if (marker == kApp1 && segment.startsWith(QByteArrayView("Exif\0\0", 6)))
            return exifOrientation(segment);
        at += 2 + length;
    }
    return kUpright;
}

int webpExifOrientation(QByteArrayView webp)
{
    qsizetype at = 12;  // after "RIFF", the size and "WEBP"
    while (at + 8 <= webp.size()) {
        const quint32 length = qFromLittleEndian<quint32>(webp.data() + at + 4);
        if (length > quint32(webp.size() - at - 8))
            break;
        if (webp.sliced(at, 4) == "EXIF")
            return exifOrientation(webp.sliced(at + 8, length));
        at += 8 + length + (length & 1);
    }
    return kUpright;
}

QImage orientedImage(const QImage& image, int orientation)
{
    // Mirrored first (2, 4, 5, 7), then turned clockwise.
    constexpr struct {
        bool mirrored;
        int degrees;
    } kTransforms[] = {{false, 0},  {false, 0},  {true, 0},  {false, 180}, {true, 180},
                       {true, 270}, {false, 90}, {true, 90}, {false, 270}};
    if (orientation < 1 || orientation > 8 || orientation == kUpright)
        return image;
    const auto& transform = kTransforms[orientation];
    const QImage mirrored = transform.mirrored ? image.mirrored(true, false) : image;
    return transform.degrees ? mirrored.transformed(QTransform().rotate(transform.degrees))
                             : mirrored;
}
