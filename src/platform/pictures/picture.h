#pragma once

#include "platform/pictures/picture_placement.h"

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>

#include <memory>

class QPainter;
class VectorDrawing;

// A picture as a slot holds it: empty, a raster image, or a vector drawing
// (metafile, SVG, PDF page), with the placement that says how it fills the
// rectangle it is drawn into. Copies share their data (cheap) but behave as
// values: nothing a copy does changes the original.
class Picture {
public:
    enum class Kind { Empty, Raster, Vector };

    Picture() = default;
    static Picture fromImage(const QImage& image, bool fromJpeg = false);
    static Picture fromDrawing(std::shared_ptr<const VectorDrawing> drawing);

    Kind kind() const;
    bool isEmpty() const { return kind() == Kind::Empty; }
    bool isJpeg() const { return m_fromJpeg; }

    // The picture's size as shown, that is turned by its placement: pixels
    // for raster pictures, the stored size at 96 dpi for vector drawings.
    int width() const;
    int height() const;
    QSize size() const { return {width(), height()}; }
    // The size of the content itself, before any turn.
    QSize ownSize() const;

    const PicturePlacement& placement() const { return m_placement; }
    void setPlacement(const PicturePlacement& placement) { m_placement = placement; }
    // The same picture, placed the same way, with other raster content (a
    // copy sampled down for the screen).
    Picture withImage(const QImage& image) const;

    // Raster content as decoded, unturned; for a vector drawing, the drawing
    // rendered at its own size.
    QImage image() const;

    // The picture drawn as placed into a canvas of exactly `size` pixels: a
    // vector drawing on white, a raster picture with what the placement
    // leaves uncovered transparent.
    QImage rendered(const QSize& size) const;

    // The picture as it is drawn into a rectangle of the shape of `frame`,
    // at the picture's own resolution: turned, cut to the frame's shape when
    // it fills, with what it leaves uncovered when it fits (as rendered()).
    QImage drawnAtOwnResolution(const QSizeF& frame) const;

    // Draws the picture as placed into `target` (the painter's coordinates),
    // nothing outside it. Vector drawings are drawn at the device's own
    // resolution, so they stay sharp at any size.
    void draw(QPainter& painter, const QRectF& target) const;

    // True when both hold the same data (not a pixel comparison).
    bool sharesDataWith(const Picture& other) const;

private:
    void drawUnturned(QPainter& painter, const QRectF& target) const;

    QImage m_image;
    std::shared_ptr<const VectorDrawing> m_drawing;
    PicturePlacement m_placement;
    bool m_fromJpeg = false;
};
