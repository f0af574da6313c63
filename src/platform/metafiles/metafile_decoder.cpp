#include "platform/metafiles/metafile_decoder.h"

#include "platform/metafiles/emf_header.h"
#include "platform/metafiles/emf_record_check.h"
#include "platform/metafiles/emf_svg_adjustment.h"
#include "platform/metafiles/emf_window_origin.h"
#include "platform/metafiles/libwmf_input.h"
#include "platform/metafiles/metafile_helper.h"
#include "platform/metafiles/wmf_file.h"
#include "platform/pictures/picture_codecs.h"

#include <QXmlStreamReader>

#include <memory>

namespace {

constexpr qsizetype kLargestMetafile = 128 * 1024 * 1024;

Picture pictureFrom(const QByteArray& svg, QSize size)
{
    return Picture::fromDrawing(pictureCodecs().svgDrawing(svg, size));
}

Picture decodeEmf(const QByteArray& data, const MetafileHelper& helper)
{
    const EmfHeader header = EmfHeader::read(data);
    checkEmfRecords(data, header);
    const QByteArray svg = helper.convert({QStringLiteral("emf")}, data.left(header.fileSize));
    // libemf2svg draws in reference-device pixels, shifted so that the
    // drawing's bounds start at the origin.
    const QRectF frame
        = header.frameRelativeToBounds().translated(emfTextModeWindowOrigin(data, header));
    return pictureFrom(adjustEmfSvg(svg, frame), header.sizeAt96Dpi());
}

// The helper's own size for the drawing, from the SVG root's width and height.
QSize svgSize(const QByteArray& svg)
{
    QXmlStreamReader reader(svg);
    while (reader.readNextStartElement()) {
        if (reader.name() == QLatin1String("svg")) {
            const QSizeF size(reader.attributes().value(QLatin1String("width")).toDouble(),
                              reader.attributes().value(QLatin1String("height")).toDouble());
            return QSize(qMax(1, qRound(size.width())), qMax(1, qRound(size.height())));
        }
    }
    return QSize(1, 1);
}

Picture decodeWmf(const QByteArray& data, const MetafileHelper& helper)
{
    const WmfFile file = WmfFile::read(data);
    QStringList arguments{QStringLiteral("wmf")};
    if (const std::optional<QRectF> frame = file.logicalFrame()) {
        for (double value : {frame->left(), frame->top(), frame->right(), frame->bottom()})
            arguments << QString::number(value);
    }
    const QByteArray svg = helper.convert(arguments, libwmfInput(file));
    return pictureFrom(svg, file.sizeAt96Dpi().value_or(svgSize(svg)));
}

}  // namespace

Picture decodeMetafile(const QByteArray& data, const QString& extensionLowercase)
{
    return decodeMetafile(data, extensionLowercase, MetafileHelper());
}

Picture decodeMetafile(const QByteArray& data, const QString& extensionLowercase,
                       const MetafileHelper& helper)
{
    if (data.size() > kLargestMetafile)
        throw InvalidMetafileError("metafile too large");
    if (extensionLowercase == QLatin1String("emf"))
        return decodeEmf(data, helper);
    if (extensionLowercase == QLatin1String("wmf"))
        return decodeWmf(data, helper);
    throw InvalidMetafileError("not a metafile extension");
}
