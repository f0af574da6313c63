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

// The raster sampled down to what `area` (the placed picture, unturned)
// needs, keyed.
QImage sampledRaster(const QImage& raster, const QSize& area, ColourKey key)
{
    QImage sampled
        = sampledForScaling(raster, area).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (!sampled.isNull() && key == ColourKey::BottomLeft)
        keyOut(sampled, qPremultiply(raster.pixel(0, raster.height() - 1)));
    return sampled;
}

QImage drawnOnTransparent(const Picture& picture, const QSize& size)
{
    QImage canvas(size, QImage::Format_ARGB32_Premultiplied);
    if (canvas.isNull())
        return canvas;
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    picture.draw(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return canvas;
}

QImage renderRaster(const Picture& picture, const QSize& size, ColourKey key)
{
    const PicturePlacement& placement = picture.placement();
    if (placement == PicturePlacement()) {
        const QImage sampled = sampledRaster(picture.imageFor(size), size, key);
        return sampled.isNull()
            ? sampled
            : sampled.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    const QSizeF area
        = placedArea(QSizeF(picture.size()), QRectF(QPointF(), QSizeF(size)), placement.fit).size();
    const QSize unturned
        = (placement.isTurnedSideways() ? area.transposed() : area).toSize().expandedTo({1, 1});
    return drawnOnTransparent(
        picture.withImage(sampledRaster(picture.imageFor(unturned), unturned, key)), size);
}

}  // namespace

QImage renderTransparent(const Picture& picture, const QSize& size, ColourKey key)
{
    if (size.isEmpty())
        return {};
    switch (picture.kind()) {
    case Picture::Kind::Raster: return renderRaster(picture, size, key);
    case Picture::Kind::Vector: return drawnOnTransparent(picture, size);
    case Picture::Kind::Empty: break;
    }
    return {};
}
