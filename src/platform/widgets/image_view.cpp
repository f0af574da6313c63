#include "platform/widgets/image_view.h"

#include "platform/pictures/image_scaling.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

ImageView::ImageView(QWidget* parent, ColourKey key) : QWidget(parent), m_key(key)
{ }

void ImageView::setPicture(const Picture& picture)
{
    m_picture = picture;
    m_working = Picture();
    m_shown = QImage();
    update();
}

void ImageView::setKeyed(bool keyed)
{
    m_key = keyed ? ColourKey::BottomLeft : ColourKey::None;
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
        m_shown = renderTransparent(workingPicture(), pixels, m_key);
        m_shown.setDevicePixelRatio(ratio);
    }
    return m_shown;
}

QSize ImageView::shownPixels() const
{
    // A turned picture may show its width across the view's height.
    const QSize pixels = (QSizeF(size()) * devicePixelRatioF()).toSize();
    const int across = std::max(pixels.width(), pixels.height());
    return {across, across};
}

const Picture& ImageView::workingPicture()
{
    const QSize windowPixels = (QSizeF(window()->size()) * devicePixelRatioF()).toSize();
    const QSize shown = shownPixels();
    if (m_working.isEmpty() || m_workingFor != windowPixels || !m_working.holdsPixelsFor(shown)) {
        m_workingFor = windowPixels;
        const int across = std::max(windowPixels.width(), windowPixels.height());
        m_working = m_picture.kind() == Picture::Kind::Raster ? m_picture.withImage(
                        sampledForScaling(m_picture.imageFor(shown), QSize(across, across)))
                                                              : m_picture;
    }
    return m_working;
}
