#include "platform/pictures/picture.h"

#include "platform/pictures/image_scaling.h"
#include "platform/pictures/metafile_drawing.h"

#include <QPainter>

Picture Picture::fromImage(const QImage& image, bool fromJpeg)
{
    Picture picture;
    picture.m_image = image;
    picture.m_fromJpeg = fromJpeg && !image.isNull();
    return picture;
}

Picture Picture::fromMetafile(std::shared_ptr<const MetafileDrawing> drawing)
{
    Picture picture;
    picture.m_metafile = std::move(drawing);
    return picture;
}

Picture::Kind Picture::kind() const
{
    if (m_metafile)
        return Kind::Metafile;
    return m_image.isNull() ? Kind::Empty : Kind::Raster;
}

int Picture::width() const
{
    return m_metafile ? m_metafile->size().width() : m_image.width();
}

int Picture::height() const
{
    return m_metafile ? m_metafile->size().height() : m_image.height();
}

QImage Picture::image() const
{
    if (!m_metafile)
        return m_image;
    return rendered(m_metafile->size());
}

QImage Picture::rendered(const QSize& size) const
{
    if (isEmpty() || size.isEmpty())
        return {};
    if (!m_metafile)
        return sampledForScaling(m_image, size)
            .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage canvas(size, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    m_metafile->render(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return canvas;
}

void Picture::drawStretched(QPainter& painter, const QRectF& target) const
{
    if (m_metafile) {
        m_metafile->render(painter, target);
    } else if (!m_image.isNull()) {
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, m_image);
        painter.restore();
    }
}

bool Picture::sharesDataWith(const Picture& other) const
{
    if (m_metafile || other.m_metafile)
        return m_metafile == other.m_metafile;
    return m_image.cacheKey() == other.m_image.cacheKey();
}
