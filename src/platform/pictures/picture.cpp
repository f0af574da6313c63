#include "platform/pictures/picture.h"

#include "platform/pictures/encoded_raster.h"
#include "platform/pictures/image_scaling.h"
#include "platform/pictures/vector_drawing.h"

#include <QPainter>

#include <cmath>

namespace {

bool covers(const QSize& held, const QSize& wanted)
{
    return held.width() >= wanted.width() && held.height() >= wanted.height();
}

// The pixels a rectangle of `size` in the painter's coordinates covers on
// its device, along the rectangle's own sides (which a turned painter lays
// across the device's).
QSize devicePixels(const QPainter& painter, const QSizeF& size)
{
    const QTransform transform = painter.deviceTransform();
    const qreal across = std::hypot(transform.m11(), transform.m12());
    const qreal down = std::hypot(transform.m21(), transform.m22());
    return QSize(int(std::ceil(size.width() * across - 1e-6)),
                 int(std::ceil(size.height() * down - 1e-6)))
        .expandedTo(QSize(1, 1));
}

}  // namespace

Picture Picture::fromImage(const QImage& image, bool fromJpeg)
{
    Picture picture;
    picture.m_image = image;
    picture.m_rasterSize = image.size();
    picture.m_fromJpeg = fromJpeg && !image.isNull();
    return picture;
}

Picture Picture::fromEncoded(std::shared_ptr<const EncodedRaster> encoded, const QImage& shown,
                             bool fromJpeg)
{
    Picture picture = fromImage(shown, fromJpeg);
    picture.m_rasterSize = encoded->size();
    picture.m_encoded = std::move(encoded);
    return picture;
}

Picture Picture::fromDrawing(std::shared_ptr<const VectorDrawing> drawing)
{
    Picture picture;
    picture.m_drawing = std::move(drawing);
    return picture;
}

Picture::Kind Picture::kind() const
{
    if (m_drawing)
        return Kind::Vector;
    return m_image.isNull() ? Kind::Empty : Kind::Raster;
}

QSize Picture::ownSize() const
{
    return m_drawing ? m_drawing->size() : m_rasterSize;
}

int Picture::width() const
{
    return m_placement.isTurnedSideways() ? ownSize().height() : ownSize().width();
}

int Picture::height() const
{
    return m_placement.isTurnedSideways() ? ownSize().width() : ownSize().height();
}

Picture Picture::withImage(const QImage& image) const
{
    Picture picture = fromImage(image, m_fromJpeg);
    picture.m_placement = m_placement;
    if (!m_drawing && !image.isNull())
        picture.m_rasterSize = m_rasterSize;
    return picture;
}

QImage Picture::image() const
{
    if (!m_drawing)
        return imageFor(m_rasterSize);
    Picture unplaced = *this;
    unplaced.m_placement = {};
    return unplaced.rendered(m_drawing->size());
}

QImage Picture::imageFor(const QSize& pixels) const
{
    if (m_drawing)
        return image();
    if (!m_encoded || holdsPixelsFor(pixels))
        return m_image;
    return m_encoded->decoded(pixels.boundedTo(m_rasterSize));
}

bool Picture::holdsPixelsFor(const QSize& pixels) const
{
    return m_drawing || covers(m_image.size(), pixels.boundedTo(m_rasterSize));
}

QImage Picture::rendered(const QSize& size) const
{
    if (isEmpty() || size.isEmpty())
        return {};
    if (!m_drawing && m_placement == PicturePlacement())
        return sampledForScaling(imageFor(size), size)
            .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage canvas(size, QImage::Format_ARGB32_Premultiplied);
    if (canvas.isNull())
        return canvas;
    // Vector drawings have always been shown on white here.
    canvas.fill(m_drawing ? Qt::white : Qt::transparent);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return canvas;
}

QImage Picture::drawnAtOwnResolution(const QSizeF& frame) const
{
    if (m_placement.fit == PictureFit::Stretch || frame.isEmpty())
        return rendered(size());
    // The scale at which the picture covers the frame or fits into it.
    const QRectF area = placedArea(QSizeF(size()), QRectF(QPointF(), frame), m_placement.fit);
    const qreal scale = area.width() / width();
    return rendered((frame / scale).toSize().expandedTo(QSize(1, 1)));
}

void Picture::draw(QPainter& painter, const QRectF& target) const
{
    if (isEmpty() || target.isEmpty())
        return;
    if (m_placement == PicturePlacement()) {
        drawUnturned(painter, target);
        return;
    }
    const QRectF area = placedArea(QSizeF(size()), target, m_placement.fit);
    const QSizeF unturned = m_placement.isTurnedSideways() ? area.size().transposed() : area.size();
    painter.save();
    painter.setClipRect(target, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    painter.translate(area.center());
    painter.rotate(90.0 * m_placement.quarterTurns);
    drawUnturned(painter, QRectF(QPointF(-unturned.width() / 2, -unturned.height() / 2), unturned));
    painter.restore();
}

void Picture::drawForDevice(QPainter& painter, const QRectF& target) const
{
    if (kind() != Kind::Raster || target.isEmpty()) {
        draw(painter, target);
        return;
    }
    const QSizeF area = unturnedArea(target.size());
    const QSize needed = devicePixels(painter, area).boundedTo(m_rasterSize);
    if (m_image.size() == needed) {
        draw(painter, target);
        return;
    }
    const QImage held = imageFor(needed);
    withImage(sampledForScaling(held, needed)
                  .scaled(needed, Qt::IgnoreAspectRatio, Qt::SmoothTransformation))
        .draw(painter, target);
}

QSizeF Picture::unturnedArea(const QSizeF& target) const
{
    const QSizeF area
        = placedArea(QSizeF(size()), QRectF(QPointF(), target), m_placement.fit).size();
    return m_placement.isTurnedSideways() ? area.transposed() : area;
}

void Picture::drawUnturned(QPainter& painter, const QRectF& target) const
{
    if (m_drawing) {
        m_drawing->render(painter, target);
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_encoded ? imageFor(devicePixels(painter, target.size())) : m_image);
    painter.restore();
}

bool Picture::sharesDataWith(const Picture& other) const
{
    if (m_drawing || other.m_drawing)
        return m_drawing == other.m_drawing && m_placement == other.m_placement;
    return m_image.cacheKey() == other.m_image.cacheKey() && m_encoded == other.m_encoded
        && m_placement == other.m_placement;
}
