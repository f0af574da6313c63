#pragma once

#include "platform/pictures/metafile_drawing.h"

#include <QByteArray>

#include <memory>

class QSvgRenderer;

// A metafile converted to SVG, drawn by Qt SVG as vectors: sharp at any
// resolution. The SVG's view box is the picture frame.
class SvgMetafileDrawing final : public MetafileDrawing {
public:
    // Throws InvalidMetafileError when Qt SVG cannot read `svg` or when it
    // has more than kMostSvgElements elements.
    SvgMetafileDrawing(const QByteArray& svg, QSize size);
    ~SvgMetafileDrawing() override;

    QSize size() const override { return m_size; }
    // Stretches the view box into `target`; nothing is drawn outside it.
    void render(QPainter& painter, const QRectF& target) const override;

private:
    QSize m_size;
    std::unique_ptr<QSvgRenderer> m_renderer;
};
