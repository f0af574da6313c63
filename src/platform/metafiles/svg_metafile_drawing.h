#pragma once

#include "platform/pictures/vector_drawing.h"

#include <QByteArray>

#include <memory>

class QSvgRenderer;

// An SVG drawing (an SVG file, or a metafile converted to SVG) drawn by Qt
// SVG as vectors: sharp at any resolution. The SVG's view box is the
// picture frame.
class SvgMetafileDrawing final : public VectorDrawing {
public:
    // Throws InvalidMetafileError when Qt SVG cannot read `svg` or when it
    // has more than kMostSvgElements elements. Without a size, the drawing
    // has the SVG's own (which must not be empty).
    SvgMetafileDrawing(const QByteArray& svg, QSize size);
    explicit SvgMetafileDrawing(const QByteArray& svg);
    ~SvgMetafileDrawing() override;

    QSize size() const override { return m_size; }
    // Stretches the view box into `target`; nothing is drawn outside it.
    void render(QPainter& painter, const QRectF& target) const override;

private:
    QSize m_size;
    std::unique_ptr<QSvgRenderer> m_renderer;
};
