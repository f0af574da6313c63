#include "platform/helper_pictures/heif_transformations.h"
#include "platform/helper_pictures/helper_image.h"
#include "platform/metafiles/invalid_metafile_error.h"
#include "platform/metafiles/svg_metafile_drawing.h"
#include "platform/pictures/bitmap_decoders.h"
#include "platform/pictures/exif_orientation.h"
#include "platform/pictures/picture_formats.h"
#include "platform/pictures/picture_loader.h"
#include "targets.h"

#include <QImage>
#include <QPainter>

namespace {

QImage (*const kQtReaders[])(const QByteArray&) = {decodePng, decodeGif, decodeWebp, decodeTiff};

}  // namespace

namespace fuzz {

void drawAsASlotDoes(const VectorDrawing& drawing)
{
    QImage image(48, 48, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    drawing.render(painter, QRectF(0, 0, 48, 48));
}

// The first byte chooses the reader, so that each reader sees every input.
void qtPictures(QByteArrayView data)
{
    if (data.isEmpty())
        return;
    const QByteArray bytes = data.sliced(1).toByteArray();
    try {
        const QImage image = kQtReaders[uchar(data[0]) % std::size(kQtReaders)](bytes);
        FUZZ_CHECK(!image.isNull());
        FUZZ_CHECK(qint64(image.bytesPerLine()) * image.height() <= kPictureMemoryLimit);
    } catch (const InvalidPictureError&) {
    }
}

void metadata(QByteArrayView data)
{
    for (int orientation :
         {exifOrientation(data), jpegExifOrientation(data), webpExifOrientation(data)})
        FUZZ_CHECK(orientation >= 1 && orientation <= 8);
    heifHasTransformations(data);
    formatOfContent(PictureFormat::Png, data);
    try {
        const HelperImage image = readHelperImage(data.toByteArray());
        FUZZ_CHECK(!image.image.isNull());
    } catch (const InvalidPictureError&) {
    }
}

void svg(QByteArrayView data)
{
    try {
        const SvgMetafileDrawing drawing(data.toByteArray());
        FUZZ_CHECK(!drawing.size().isEmpty());
        drawAsASlotDoes(drawing);
    } catch (const InvalidMetafileError&) {
    }
}

}  // namespace fuzz
