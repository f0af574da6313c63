#include "platform/image_view.h"

#include "platform/transparent_rendering.h"

#include <QMouseEvent>
#include <QPainter>

ImageView::ImageView(QWidget* parent) : QWidget(parent) {}

void ImageView::setPicture(const Picture& picture)
{
    m_picture = picture;
    m_shown = QImage();
    update();
}

void ImageView::clear()
{
    setPicture(Picture());
}

void ImageView::paintEvent(QPaintEvent*)
{
    if (!hasPicture())
        return;
    const QImage& shown = shownImage();
    if (shown.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), shown);
}

void ImageView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    else
        QWidget::mouseDoubleClickEvent(event);
}

const QImage& ImageView::shownImage()
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (m_shown.isNull() || m_shown.size() != pixels) {
        m_shown = renderTransparent(m_picture, pixels);
        m_shown.setDevicePixelRatio(ratio);
    }
    return m_shown;
}
