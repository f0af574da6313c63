#include "platform/pictures/transparent_rendering.h"

#include "platform/pictures/image_scaling.h"

#include <QPainter>

#include <algorithm>

namespace {

// Keyed out before smoothing, so that the edges of what remains blend into
// transparency rather than into the background colour.
void keyOut(QImage& image, QRgb key)
{
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::replace(row, row + width, key, QRgb(0));
    }
}

QImage renderRaster(const QImage& raster, const QSize& size, ColourKey key)
{
    QImage sampled =
        sampledForScaling(raster, size).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (sampled.isNull())
        return sampled;
    if (key == ColourKey::BottomLeft)
        keyOut(sampled, qPremultiply(raster.pixel(0, raster.height() - 1)));
    return sampled.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage renderMetafile(const Picture& picture, const QSize& size)
{
    QImage canvas(size, QImage::Format_ARGB32_Premultiplied);
    if (canvas.isNull())
        return canvas;
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    picture.drawStretched(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return canvas;
}

}  // namespace

QImage renderTransparent(const Picture& picture, const QSize& size, ColourKey key)
{
    if (size.isEmpty())
        return {};
    switch (picture.kind()) {
    case Picture::Kind::Raster:
        return renderRaster(picture.image(), size, key);
    case Picture::Kind::Metafile:
        return renderMetafile(picture, size);
    case Picture::Kind::Empty:
        break;
    }
    return {};
}
