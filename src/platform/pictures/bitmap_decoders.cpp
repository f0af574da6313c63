#include "platform/pictures/bitmap_decoders.h"

#include "platform/pictures/bmp_check.h"
#include "platform/pictures/ico_directory.h"
#include "platform/pictures/picture_loader.h"

#include <QBuffer>
#include <QImageReader>

namespace {

// Reads picture `index` of `data` with Qt's reader for exactly `format`
// (never guessed from the content) and insists on the size the checked
// headers gave.
QImage readWithQt(const QByteArray& data, const char* format, int index, const QSize& expected)
{
    QImageReader::setAllocationLimit(int(kPictureMemoryLimit / (1024 * 1024)));
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    if (index > 0 && !reader.jumpToImage(index))
        throw InvalidPictureError(reader.errorString());
    const QImage image = reader.read();
    if (image.isNull())
        throw InvalidPictureError(reader.errorString());
    if (image.size() != expected)
        throw InvalidPictureError(QStringLiteral("Decoded size differs from the header"));
    return image;
}

}  // namespace

QImage decodeBmp(const QByteArray& data)
{
    const QSize size = checkBmp(data);
    return readWithQt(data, "bmp", 0, size);
}

QImage decodeIco(const QByteArray& data)
{
    const IcoEntry entry = IcoDirectory(data).largest();
    return readWithQt(data, "ico", entry.index, entry.size);
}
