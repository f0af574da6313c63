#pragma once

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>

#include <memory>

class QPainter;
class MetafileDrawing;

// A picture as a slot holds it: empty, a raster image, or a vector metafile.
// Copies share their data (cheap) but behave as values: nothing a copy does
// changes the original.
class Picture {
public:
    enum class Kind { Empty, Raster, Metafile };

    Picture() = default;
    static Picture fromImage(const QImage& image, bool fromJpeg = false);
    static Picture fromMetafile(std::shared_ptr<const MetafileDrawing> drawing);

    Kind kind() const;
    bool isEmpty() const { return kind() == Kind::Empty; }
    bool isJpeg() const { return m_fromJpeg; }

    // The picture's own size: pixels for raster pictures, the stored size for
    // metafiles.
    int width() const;
    int height() const;
    QSize size() const { return {width(), height()}; }

    // Raster content; for a metafile, the drawing rendered at its own size.
    QImage image() const;

    // The picture stretched (aspect ratio not kept) to exactly `size` pixels.
    QImage rendered(const QSize& size) const;

    // Draws the picture stretched into `target` (device coordinates of the
    // painter). Metafiles are drawn as vectors, so they stay sharp at any
    // resolution.
    void drawStretched(QPainter& painter, const QRectF& target) const;

    // True when both hold the same data (not a pixel comparison).
    bool sharesDataWith(const Picture& other) const;

private:
    QImage m_image;
    std::shared_ptr<const MetafileDrawing> m_metafile;
    bool m_fromJpeg = false;
};
