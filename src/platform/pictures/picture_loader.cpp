#include "platform/pictures/picture_loader.h"

#include "platform/pictures/bitmap_decoders.h"
#include "platform/pictures/exif_orientation.h"
#include "platform/pictures/image_scaling.h"
#include "platform/pictures/jpeg_raster.h"
#include "platform/pictures/picture_codecs.h"
#include "platform/pictures/picture_formats.h"
#include "platform/pictures/reader_raster.h"

#include <QFile>
#include <QFileInfo>

#include <new>

namespace {

MetafileDecoder& installedMetafileDecoder()
{
    static MetafileDecoder decoder;
    return decoder;
}

MetafileDecoder& installedHelperDecoder()
{
    static MetafileDecoder decoder;
    return decoder;
}

// A picture decoded smaller than it is keeps the file's content, to be
// decoded anew where more is needed.
Picture decodeJpegPicture(const QByteArray& data, const PartialPictureCallback& progressive,
                          const QSize& shown)
{
    const int orientation = jpegExifOrientation(data);
    PartialPictureCallback turnedPartial = progressive;
    if (progressive && orientation != 1)
        turnedPartial
            = [&](const QImage& partial) { progressive(orientedImage(partial, orientation)); };
    const bool sideways = turnsSideways(orientation);
    const ScaledImage decoded
        = pictureCodecs().decodeJpeg(data, turnedPartial, sideways ? shown.transposed() : shown);
    const QImage image = orientedImage(decoded.image, orientation);
    if (decoded.image.size() == decoded.fullSize)
        return Picture::fromImage(image, /*fromJpeg*/ true);
    const QSize size = sideways ? decoded.fullSize.transposed() : decoded.fullSize;
    return Picture::fromEncoded(std::make_shared<const JpegRaster>(data, orientation, size), image,
                                /*fromJpeg*/ true);
}

// A picture through one of Qt's readers, larger than what is shown and
// smaller as a file than decoded, keeps the file's content and a copy that
// just covers `shown`.
Picture decodeReaderPicture(ReaderRaster::Decoder decode, const QByteArray& data,
                            const QSize& shown)
{
    const QImage image = decode(data);
    const QSize small = image.size().scaled(shown, Qt::KeepAspectRatioByExpanding);
    if (shown.isEmpty() || data.size() >= image.sizeInBytes() || small.width() >= image.width()
        || small.height() >= image.height())
        return Picture::fromImage(image);
    return Picture::fromEncoded(std::make_shared<const ReaderRaster>(data, decode, image.size()),
                                sampledForScaling(image, small)
                                    .scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                                /*fromJpeg*/ false);
}

Picture decodeWith(const MetafileDecoder& decoder, const QByteArray& data, const QString& format)
{
    if (!decoder)
        throw InvalidPictureError(QStringLiteral("No decoder installed for %1").arg(format));
    Picture picture = decoder(data, format);
    if (picture.isEmpty())
        throw InvalidPictureError(QStringLiteral("Empty %1 picture").arg(format));
    return picture;
}

Picture decodeFormat(PictureFormat format, const QByteArray& data, const QString& extension,
                     const PartialPictureCallback& progressive, const QSize& shown)
{
    switch (format) {
    case PictureFormat::Jpeg: return decodeJpegPicture(data, progressive, shown);
    case PictureFormat::Bmp: return Picture::fromImage(decodeBmp(data));
    case PictureFormat::Ico: return Picture::fromImage(decodeIco(data));
    case PictureFormat::Metafile: return decodeWith(installedMetafileDecoder(), data, extension);
    case PictureFormat::Png: return decodeReaderPicture(decodePng, data, shown);
    case PictureFormat::Gif: return decodeReaderPicture(decodeGif, data, shown);
    case PictureFormat::Webp: return decodeReaderPicture(decodeWebp, data, shown);
    case PictureFormat::Tiff: return decodeReaderPicture(decodeTiff, data, shown);
    case PictureFormat::Heif:
        return decodeWith(installedHelperDecoder(), data, QStringLiteral("heif"));
    case PictureFormat::Pdf:
        return decodeWith(installedHelperDecoder(), data, QStringLiteral("pdf"));
    case PictureFormat::Svg: return pictureCodecs().svgPicture(data);
    }
    throw InvalidPictureError(QStringLiteral("Unknown format"));
}

Picture decodeGuarded(PictureFormat format, const QByteArray& data, const QString& extension,
                      const PartialPictureCallback& progressive = {}, const QSize& shown = {})
{
    try {
        return decodeFormat(format, data, extension, progressive, shown);
    } catch (const std::bad_alloc&) {
        throw InvalidPictureError(QStringLiteral("Out of memory while decoding"));
    }
}

QByteArray readWholeFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())  // missing, a directory, a device or a pipe
        throw UnreadableFileError(path);
    // Every format needs more memory decoded than the file takes.
    if (info.size() > kPictureMemoryLimit)
        throw InvalidPictureError(QStringLiteral("File too large"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw UnreadableFileError(path);
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw UnreadableFileError(path);
    return data;
}

}  // namespace

void setMetafileDecoder(MetafileDecoder decoder)
{
    installedMetafileDecoder() = std::move(decoder);
}

void setHelperDecoder(MetafileDecoder decoder)
{
    installedHelperDecoder() = std::move(decoder);
}

Picture loadPicture(const QString& path, const PartialPictureCallback& progressive,
                    const QSize& shown)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    const std::optional<PictureFormat> named = formatOfExtension(extension);
    if (!named)
        throw InvalidPictureError(QStringLiteral("Unknown extension \"%1\"").arg(extension));
    const QByteArray data = readWholeFile(path);
    return decodeGuarded(formatOfContent(*named, data), data, extension, progressive, shown);
}

Picture decodePictureData(const QByteArray& data, const QString& formatOrMimeType,
                          const QSize& shown)
{
    const QString name = formatOrMimeType.toLower();
    const std::optional<PictureFormat> named
        = formatOfExtension(name) ? formatOfExtension(name) : formatOfMimeType(name);
    if (!named)
        throw InvalidPictureError(QStringLiteral("Unknown format \"%1\"").arg(formatOrMimeType));
    return decodeGuarded(formatOfContent(*named, data), data, name, {}, shown);
}
