#pragma once

#include "platform/pictures/picture_placement.h"

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>

#include <memory>

class EncodedRaster;
class QPainter;
class VectorDrawing;

// A picture as a slot holds it: empty, a raster image, or a vector drawing
// (metafile, SVG, PDF page), with the placement that says how it fills the
// rectangle it is drawn into. Copies share their data (cheap) but behave as
// values: nothing a copy does changes the original. A raster picture may hold
// a smaller copy of itself together with its encoded content (a JPEG file):
// it then decodes anew for every use that needs more pixels than the copy.
class Picture {
public:
    enum class Kind { Empty, Raster, Vector };

    Picture() = default;
    static Picture fromImage(const QImage& image, bool fromJpeg = false);
    static Picture fromDrawing(std::shared_ptr<const VectorDrawing> drawing);
    // `shown`: the picture decoded smaller, as `encoded` gives it.
    static Picture fromEncoded(std::shared_ptr<const EncodedRaster> encoded, const QImage& shown,
                               bool fromJpeg);

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
    // The same picture, placed the same way and of the same size, with other
    // raster content (a copy sampled down for the screen) and nothing else.
    Picture withImage(const QImage& image) const;

    // The whole raster content, unturned (decoded anew when the picture only
    // holds a smaller copy); for a vector drawing, the drawing rendered at
    // its own size.
    QImage image() const;
    // Raster content, unturned, with at least `pixels` in both directions
    // where the picture has them: the copy it holds when that is large
    // enough, otherwise decoded for the purpose.
    QImage imageFor(const QSize& pixels) const;
    // True when the raster content held has at least `pixels` in both
    // directions, or all of the picture's own.
    bool holdsPixelsFor(const QSize& pixels) const;

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
    // As draw(), with a raster picture first brought to the pixels `target`
    // covers on the painter's device (never more than its own): so a printer
    // or a PDF file receives the resolution it prints, not the file's.
    void drawForDevice(QPainter& painter, const QRectF& target) const;

    // True when both hold the same data (not a pixel comparison).
    bool sharesDataWith(const Picture& other) const;

private:
    void drawUnturned(QPainter& painter, const QRectF& target) const;
    // The size of the placed picture, unturned, when drawn into `target`.
    QSizeF unturnedArea(const QSizeF& target) const;

    QImage m_image;
    QSize m_rasterSize{0, 0};  // the raster picture's own size, which m_image may fall short of
    std::shared_ptr<const EncodedRaster> m_encoded;
    std::shared_ptr<const VectorDrawing> m_drawing;
    PicturePlacement m_placement;
    bool m_fromJpeg = false;
};
