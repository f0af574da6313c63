#include "settings/preview_holder.h"

#include <QPainter>

PreviewHolder::PreviewHolder(QWidget* parent) : ImageView(parent)
{ }

void PreviewHolder::setLineDrawing(bool lineDrawing)
{
    m_lineDrawing = lineDrawing;
    m_opaque = QImage();
    update();
}

void PreviewHolder::paintEvent(QPaintEvent* event)
{
    if (isKeyed()) {
        ImageView::paintEvent(event);
        return;
    }
    if (!hasPicture())
        return;
    const QImage& image = opaqueImage();
    if (image.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), image);
}

const QImage& PreviewHolder::opaqueImage()
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (m_opaque.isNull() || m_opaque.size() != pixels || !m_source.sharesDataWith(picture())) {
        m_source = picture();
        if (m_lineDrawing) {
            m_opaque
                = m_source.image().scaled(pixels, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        } else {
            m_opaque = workingPicture().rendered(pixels);
        }
        m_opaque.setDevicePixelRatio(ratio);
    }
    return m_opaque;
}
