#include "platform/printing/print_canvas.h"

#include "platform/pictures/picture.h"

#include <QFont>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <utility>

namespace {

const QPointF pixelCentre(0.5, 0.5);
constexpr qreal kClipInset = 1.0 / 64;

// The path through the centres of the outermost pixels of the box that a
// classic (l, t, r, b) call covers. Reversed edges are swapped; a box that
// covers no pixel gives nothing.
std::optional<QRectF> outlinePath(int left, int top, int right, int bottom)
{
    const auto [x0, x1] = std::minmax(left, right);
    const auto [y0, y1] = std::minmax(top, bottom);
    if (x0 == x1 || y0 == y1)
        return std::nullopt;
    return QRectF(QPointF(x0, y0) + pixelCentre, QSizeF(x1 - x0 - 1, y1 - y0 - 1));
}

// A one-pixel band from the pixel centre `from` towards `to`, covering the
// start pixel and stopping just before the end pixel. For horizontal and
// vertical lines it is exactly the row or column of pixels.
QPolygonF lineBand(const QPointF& from, const QPointF& to)
{
    const QPointF along = (to - from) / QLineF(from, to).length() * 0.5;
    const QPointF across(-along.y(), along.x());
    return QPolygonF(
        {from - along - across, to - along - across, to - along + across, from - along + across});
}

}  // namespace

PrintCanvas::PrintCanvas(QPainter& painter, Lines lines) : m_painter(painter), m_lines(lines)
{
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    const int width = lines == Lines::Hairline ? 0 : 1;
    m_painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    m_painter.setBrush(Qt::NoBrush);
}

void PrintCanvas::stretchDraw(const QRect& target, const Picture& picture)
{
    drawStretched(target, picture, Clip::Box);
}

void PrintCanvas::stretchDrawRound(const QRect& target, const Picture& picture)
{
    drawStretched(target, picture, Clip::Ellipse);
}

void PrintCanvas::drawStretched(const QRect& target, const Picture& picture, Clip clip)
{
    if (target.width() == 0 || target.height() == 0)
        return;
    const QRectF area(0, 0, std::abs(target.width()), std::abs(target.height()));
    m_painter.save();
    m_painter.translate(target.topLeft());
    m_painter.scale(target.width() < 0 ? -1 : 1, target.height() < 0 ? -1 : 1);
    // Some renderers widen a scaled image by a pixel at its right or bottom
    // edge, over the frame drawn just outside it; others count a pixel whose
    // edge the clip only touches (within rounding) as inside. A clip a
    // sixty-fourth of a unit inside the target keeps both off the frame.
    if (clip == Clip::Box) {
        m_painter.setClipRect(area.adjusted(kClipInset, kClipInset, -kClipInset, -kClipInset));
    } else {
        QPainterPath disc;
        disc.addEllipse(area);
        m_painter.setClipPath(disc);
    }
    picture.drawForDevice(m_painter, area);
    m_painter.restore();
}

void PrintCanvas::rectangle(int left, int top, int right, int bottom)
{
    if (const auto path = outlinePath(left, top, right, bottom))
        m_painter.drawRect(*path);
}

void PrintCanvas::ellipse(int left, int top, int right, int bottom)
{
    if (const auto path = outlinePath(left, top, right, bottom))
        m_painter.drawEllipse(*path);
}

void PrintCanvas::clearEllipse(int left, int top, int right, int bottom)
{
    const auto [x0, x1] = std::minmax(left, right);
    const auto [y0, y1] = std::minmax(top, bottom);
    if (x0 == x1 || y0 == y1)
        return;
    m_painter.save();
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(Qt::white);
    m_painter.drawEllipse(QRectF(x0, y0, x1 - x0, y1 - y0));
    m_painter.restore();
}

void PrintCanvas::moveTo(int x, int y)
{
    m_position = QPoint(x, y);
}

void PrintCanvas::lineTo(int x, int y)
{
    const QPoint from = std::exchange(m_position, QPoint(x, y));
    if (from == m_position)
        return;
    if (m_lines == Lines::Hairline) {
        m_painter.drawLine(QPointF(from) + pixelCentre, QPointF(m_position) + pixelCentre);
        return;
    }
    m_painter.save();
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(Qt::black);
    m_painter.drawPolygon(lineBand(QPointF(from) + pixelCentre, QPointF(m_position) + pixelCentre));
    m_painter.restore();
}

void PrintCanvas::textOut(int x, int y, int height, const QString& text)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(qMax(1, height));
    m_painter.save();
    m_painter.setFont(font);
    m_painter.setPen(Qt::black);
    m_painter.drawText(QRectF(x, y, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
    m_painter.restore();
}
