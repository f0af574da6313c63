#include "platform/metafiles/svg_metafile_drawing.h"

#include "platform/metafiles/invalid_metafile_error.h"
#include "platform/metafiles/metafile_limits.h"
#include "platform/pictures/picture_loader.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>

namespace {

// Start tags and empty elements: "<" before a name.
qsizetype elementCount(const QByteArray& svg)
{
    qsizetype count = 0;
    for (qsizetype at = svg.indexOf('<'); at >= 0 && at + 1 < svg.size();
         at = svg.indexOf('<', at + 1)) {
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

// Qt SVG takes a length in an absolute unit (cm, mm, in, pt, pc) at 90
// pixels an inch; CSS, and the program's sizes, have 96.
QSizeF absoluteUnitScale(const QByteArray& svg)
{
    QXmlStreamReader xml(svg);
    if (!xml.readNextStartElement())
        return {1, 1};
    const auto scale = [&xml](QLatin1String name) {
        const QStringView value = xml.attributes().value(name).trimmed();
        for (const char* unit : {"cm", "mm", "in", "pt", "pc"}) {
            if (value.endsWith(QLatin1String(unit)))
                return 96.0 / 90.0;
        }
        return 1.0;
    };
    return {scale(QLatin1String("width")), scale(QLatin1String("height"))};
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
    const QSizeF scale = absoluteUnitScale(svg);
    const QSize qtSize = m_renderer->defaultSize();
    const auto scaled = [](int length, qreal factor) { return qRound(qMin(length * factor, 1e9)); };
    m_size = QSize(scaled(qtSize.width(), scale.width()), scaled(qtSize.height(), scale.height()));
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
