#include "platform/metafiles/svg_metafile_drawing.h"

#include "platform/metafiles/invalid_metafile_error.h"
#include "platform/metafiles/metafile_limits.h"
#include "platform/pictures/picture_loader.h"

#include <QPainter>
#include <QSvgRenderer>

namespace {

// Start tags and empty elements: "<" before a name.
qsizetype elementCount(const QByteArray& svg)
{
    qsizetype count = 0;
    for (qsizetype at = svg.indexOf('<'); at >= 0 && at + 1 < svg.size(); at = svg.indexOf('<', at + 1)) {
        if (QChar::isLetter(uchar(svg.at(at + 1))))
            ++count;
    }
    return count;
}

const QByteArray& checkedSize(const QByteArray& svg)
{
    if (elementCount(svg) > kMostSvgElements)
        throw InvalidMetafileError("the converted picture has too many elements");
    return svg;
}

}  // namespace

SvgMetafileDrawing::SvgMetafileDrawing(const QByteArray& svg, QSize size)
    : m_size(size), m_renderer(std::make_unique<QSvgRenderer>(checkedSize(svg)))
{
    if (!m_renderer->isValid())
        throw InvalidMetafileError("the converted picture is not readable SVG");
}

SvgMetafileDrawing::SvgMetafileDrawing(const QByteArray& svg) : SvgMetafileDrawing(svg, QSize())
{
    m_size = m_renderer->defaultSize();
    if (m_size.isEmpty())
        throw InvalidMetafileError("the drawing has no size");
    if (exceedsPictureMemory(m_size.width(), m_size.height(), 4))
        throw InvalidMetafileError("the drawing is too large");
}

SvgMetafileDrawing::~SvgMetafileDrawing() = default;

void SvgMetafileDrawing::render(QPainter& painter, const QRectF& target) const
{
    painter.save();
    painter.setClipRect(target, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    m_renderer->render(&painter, target);
    painter.restore();
}
