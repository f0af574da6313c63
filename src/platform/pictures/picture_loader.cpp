#include "platform/pictures/picture_loader.h"

#include "platform/pictures/bitmap_decoders.h"
#include "platform/pictures/picture_codecs.h"

#include <QFile>
#include <QFileInfo>

#include <new>

namespace {

MetafileDecoder& installedMetafileDecoder()
{
    static MetafileDecoder decoder;
    return decoder;
}

Picture decodeJpegPicture(const QByteArray& data, const QString&,
                          const PartialPictureCallback& progressive)
{
    return Picture::fromImage(pictureCodecs().decodeJpeg(data, progressive), /*fromJpeg*/ true);
}

Picture decodeBmpPicture(const QByteArray& data, const QString&, const PartialPictureCallback&)
{
    return Picture::fromImage(decodeBmp(data));
}

Picture decodeIcoPicture(const QByteArray& data, const QString&, const PartialPictureCallback&)
{
    return Picture::fromImage(decodeIco(data));
}

Picture decodeMetafilePicture(const QByteArray& data, const QString& extension,
                              const PartialPictureCallback&)
{
    const MetafileDecoder& decoder = installedMetafileDecoder();
    if (!decoder)
        throw InvalidPictureError(QStringLiteral("No metafile decoder installed"));
    Picture picture = decoder(data, extension);
    if (picture.isEmpty())
        throw InvalidPictureError(QStringLiteral("Empty metafile"));
    return picture;
}

using Decode = Picture (*)(const QByteArray&, const QString&, const PartialPictureCallback&);

struct Format {
    const char* extension;
    Decode decode;
};

constexpr Format kFormats[] = {
    {"jpeg", decodeJpegPicture},     {"jpg", decodeJpegPicture},
    {"bmp", decodeBmpPicture},       {"ico", decodeIcoPicture},
    {"emf", decodeMetafilePicture},  {"wmf", decodeMetafilePicture},
};

const Format* formatFor(const QString& extension)
{
    for (const Format& format : kFormats) {
        if (extension == QLatin1String(format.extension))
            return &format;
    }
    return nullptr;
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

QStringList readablePictureExtensions()
{
    QStringList extensions;
    for (const Format& format : kFormats)
        extensions << QLatin1String(format.extension);
    return extensions;
}

Picture loadPicture(const QString& path, const PartialPictureCallback& progressive)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    const Format* format = formatFor(extension);
    if (!format)
        throw InvalidPictureError(QStringLiteral("Unknown extension \"%1\"").arg(extension));
    const QByteArray data = readWholeFile(path);
    try {
        return format->decode(data, extension, progressive);
    } catch (const std::bad_alloc&) {
        throw InvalidPictureError(QStringLiteral("Out of memory while decoding"));
    }
}
