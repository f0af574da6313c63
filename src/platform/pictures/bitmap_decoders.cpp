#include "platform/pictures/bitmap_decoders.h"

#include "platform/pictures/bmp_check.h"
#include "platform/pictures/exif_orientation.h"
#include "platform/pictures/ico_directory.h"
#include "platform/pictures/picture_loader.h"

#include <QBuffer>
#include <QImageReader>

#include <optional>

namespace {

// What a picture takes decoded, at the least: 32-bit pixels. (Qt's own
// allocation limit catches the 64-bit ones.)
constexpr int kPixelBytes = 4;

struct QtRead {
    const char* format = nullptr;
    int index = 0;
    std::optional<QSize> expected = std::nullopt;  // the size the checked headers gave
    bool autoTransform = false;
};

// Refuses what the reader cannot read and a declared size beyond the limit,
// before anything is decoded.
void checkDeclaredSize(QImageReader& reader)
{
    if (!reader.canRead())
        throw InvalidPictureError(
            QStringLiteral("Not a %1 file").arg(QLatin1String(reader.format())));
    const QSize declared = reader.size();
    if (exceedsPictureMemory(declared.width(), declared.height(), kPixelBytes))
        throw InvalidPictureError(QStringLiteral("Declared picture too large"));
}

QImage readWithQt(const QByteArray& data, const QtRead& read)
{
    QImageReader::setAllocationLimit(int(kPictureMemoryLimit / (1024 * 1024)));
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, read.format);
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    // The BMP and ICO headers have been checked before.
    if (!read.expected)
        checkDeclaredSize(reader);
    reader.setAutoTransform(read.autoTransform);
    if (read.index > 0 && !reader.jumpToImage(read.index))
        throw InvalidPictureError(reader.errorString());
    const QImage image = reader.read();
    if (image.isNull())
        throw InvalidPictureError(reader.errorString());
    if (read.expected && image.size() != *read.expected)
        throw InvalidPictureError(QStringLiteral("Decoded size differs from the header"));
    return image;
}

}  // namespace

QImage decodeBmp(const QByteArray& data)
{
    return readWithQt(data, {.format = "bmp", .expected = checkBmp(data)});
}

QImage decodeIco(const QByteArray& data)
{
    const IcoEntry entry = IcoDirectory(data).largest();
    return readWithQt(data, {.format = "ico", .index = entry.index, .expected = entry.size});
}

QImage decodePng(const QByteArray& data)
{
    return readWithQt(data, {.format = "png"});
}

QImage decodeGif(const QByteArray& data)
{
    return readWithQt(data, {.format = "gif"});
}

// Qt's WebP reader does not look at the EXIF chunk.
QImage decodeWebp(const QByteArray& data)
{
    return orientedImage(readWithQt(data, {.format = "webp"}), webpExifOrientation(data));
}

QImage decodeTiff(const QByteArray& data)
{
    return readWithQt(data, {.format = "tiff", .autoTransform = true});
}
