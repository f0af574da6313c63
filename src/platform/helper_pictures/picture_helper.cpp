#include "platform/helper_pictures/picture_helper.h"

#include "platform/helper_pictures/heif_transformations.h"
#include "platform/helper_pictures/helper_image.h"
#include "platform/metafiles/invalid_metafile_error.h"
#include "platform/pictures/exif_orientation.h"
#include "platform/pictures/picture_loader.h"

namespace {

QString memoryLimit()
{
    return QString::number(kPictureMemoryLimit);
}

}  // namespace

QString PictureHelper::locate()
{
    return MetafileHelper::locate(QLatin1String(kProgramName));
}

PictureHelper::PictureHelper(QString program, MetafileHelperLimits limits)
    : m_process(std::move(program), limits)
{ }

QByteArray PictureHelper::run(const QStringList& arguments, const QByteArray& input) const
{
    try {
        return m_process.convert(arguments, input);
    } catch (const InvalidMetafileError& error) {
        throw InvalidPictureError(QString::fromUtf8(error.what()));
    }
}

QImage PictureHelper::heifImage(const QByteArray& file) const
{
    const HelperImage decoded = readHelperImage(run({QStringLiteral("heif"), memoryLimit()}, file));
    // libheif has applied the file's own rotation and mirroring; only a file
    // without them is turned by its EXIF orientation.
    if (heifHasTransformations(file))
        return decoded.image;
    return orientedImage(decoded.image, exifOrientation(decoded.exif));
}

QSizeF PictureHelper::pdfPageSize(const QByteArray& file) const
{
    const QList<QByteArray> numbers = run({QStringLiteral("pdf-size")}, file).trimmed().split(' ');
    bool widthRead = false;
    bool heightRead = false;
    const QSizeF points(numbers.value(0).toDouble(&widthRead),
                        numbers.value(1).toDouble(&heightRead));
    if (numbers.size() != 2 || !widthRead || !heightRead
        || !(points.width() > 0 && points.height() > 0))
        throw InvalidPictureError(QStringLiteral("The PDF page has no size"));
    return points;
}

QImage PictureHelper::pdfPage(const QByteArray& file, const QSize& pixels) const
{
    const QStringList arguments{QStringLiteral("pdf"), memoryLimit(),
                                QString::number(pixels.width()), QString::number(pixels.height())};
    return readHelperImage(run(arguments, file)).image;
}
