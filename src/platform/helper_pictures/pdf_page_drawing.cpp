#include "platform/helper_pictures/pdf_page_drawing.h"

#include "platform/pictures/picture_loader.h"

#include <QPainter>
#include <QtMath>

#include <cmath>

namespace {

constexpr qreal kPixelsPerPoint = 96.0 / 72.0;
// What one rendering may take: every item of every sheet at 600 dpi (a VHS
// cover is 30 million pixels); larger ones at 1200 dpi come at about 850.
// The helper writes 4 bytes a pixel, well inside its output limit.
constexpr qint64 kMostRenderedPixels = 32LL * 1024 * 1024;
static_assert(kMostRenderedPixels * 4 * 2 <= MetafileHelperLimits{}.maxOutputBytes);

// The device pixels `target` covers on the painter's device.
QSize devicePixels(const QPainter& painter, const QRectF& target)
{
    const QTransform transform = painter.deviceTransform();
    const qreal across = std::hypot(transform.m11(), transform.m12());
    const qreal down = std::hypot(transform.m21(), transform.m22());
    QSizeF pixels(target.width() * across, target.height() * down);
    const qreal area = pixels.width() * pixels.height();
    if (area > kMostRenderedPixels)
        pixels *= std::sqrt(kMostRenderedPixels / area);
    return QSize(qMax(1, qCeil(pixels.width())), qMax(1, qCeil(pixels.height())));
}

}  // namespace

PdfPageDrawing::PdfPageDrawing(QByteArray file, PictureHelper helper)
    : m_file(std::move(file)), m_helper(std::move(helper))
{
    const QSizeF points = m_helper.pdfPageSize(m_file);
    m_size = QSize(qMax(1, qRound(points.width() * kPixelsPerPoint)),
                   qMax(1, qRound(points.height() * kPixelsPerPoint)));
    if (exceedsPictureMemory(m_size.width(), m_size.height(), 4))
        throw InvalidPictureError(QStringLiteral("The PDF page is too large"));
}

void PdfPageDrawing::render(QPainter& painter, const QRectF& target) const
{
    const QSize pixels = devicePixels(painter, target);
    if (m_rendered.size() != pixels) {
        try {
            m_rendered = m_helper.pdfPage(m_file, pixels);
        } catch (const InvalidPictureError&) {
            // The page was read when it was loaded; a page that cannot be
            // rendered now (out of memory, say) stays blank.
            m_rendered = QImage();
            return;
        }
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_rendered);
    painter.restore();
}
