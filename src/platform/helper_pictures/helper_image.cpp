#include "platform/helper_pictures/helper_image.h"

#include "platform/pictures/picture_loader.h"

#include <QtEndian>

namespace {

constexpr QByteArrayView kMagic = "SLVXIMG1";
constexpr qsizetype kHeaderSize = 8 + 3 * 4;

quint32 numberAt(const QByteArray& output, qsizetype at)
{
    return qFromLittleEndian<quint32>(output.constData() + at);
}

}  // namespace

HelperImage readHelperImage(const QByteArray& output)
{
    if (output.size() < kHeaderSize || !output.startsWith(kMagic))
        throw InvalidPictureError(QStringLiteral("The picture helper wrote no picture"));
    const quint32 width = numberAt(output, 8);
    const quint32 height = numberAt(output, 12);
    const quint32 exifSize = numberAt(output, 16);
    if (width == 0 || height == 0 || width > 1'000'000 || height > 1'000'000
        || exceedsPictureMemory(width, height, 4))
        throw InvalidPictureError(
            QStringLiteral("The picture helper wrote a picture of no size or too large"));
    const qint64 pixelBytes = qint64(width) * height * 4;
    if (qint64(output.size()) != kHeaderSize + qint64(exifSize) + pixelBytes)
        throw InvalidPictureError(QStringLiteral("The picture helper's picture is cut short"));
    HelperImage result;
    result.exif = output.mid(kHeaderSize, exifSize);
    const auto* pixels
        = reinterpret_cast<const uchar*>(output.constData()) + kHeaderSize + exifSize;
    result.image
        = QImage(pixels, int(width), int(height), qsizetype(width) * 4, QImage::Format_RGBA8888)
              .copy();
    if (result.image.isNull())
        throw InvalidPictureError(QStringLiteral("Out of memory for the helper's picture"));
    return result;
}
