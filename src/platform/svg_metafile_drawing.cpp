#include "platform/svg_metafile_drawing.h"

#include "platform/invalid_metafile_error.h"

#include <QPainter>
#include <QSvgRenderer>

SvgMetafileDrawing::SvgMetafileDrawing(const QByteArray& svg, QSize size)
    : m_size(size), m_renderer(std::make_unique<QSvgRenderer>(svg))
{
    if (!m_renderer->isValid())
        throw InvalidMetafileError("the converted picture is not readable SVG");
}

SvgMetafileDrawing::~SvgMetafileDrawing() = default;

void SvgMetafileDrawing::render(QPainter& painter, const QRectF& target) const
{
    painter.save();
    painter.setClipRect(target, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    m_renderer->render(&painter, target);
    painter.restore();
}
