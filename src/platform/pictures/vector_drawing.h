#pragma once

#include <QRectF>
#include <QSize>

class QPainter;

// A picture that draws itself into any rectangle at the resolution of the
// painter's device: a metafile or an SVG file drawn as vectors, a PDF page
// rendered for the pixels it covers. So it stays sharp on a 600-dpi printer.
class VectorDrawing {
public:
    virtual ~VectorDrawing() = default;
    // The stored size in pixels at 96 dpi.
    virtual QSize size() const = 0;
    // Draws the whole picture stretched into `target`.
    virtual void render(QPainter& painter, const QRectF& target) const = 0;
};
