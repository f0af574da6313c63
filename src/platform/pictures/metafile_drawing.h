#pragma once

#include <QRectF>
#include <QSize>

class QPainter;

// A decoded vector picture (EMF or WMF). Implementations render it at any
// size, so a metafile stays sharp on a 600-dpi printer.
class MetafileDrawing {
public:
    virtual ~MetafileDrawing() = default;
    // The stored size in pixels at 96 dpi.
    virtual QSize size() const = 0;
    // Draws the whole picture stretched into `target`.
    virtual void render(QPainter& painter, const QRectF& target) const = 0;
};
