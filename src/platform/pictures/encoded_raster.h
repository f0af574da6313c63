#pragma once

#include <QImage>
#include <QSize>

// A raster picture kept as its file's content, decoded anew at the
// resolution each use needs: a slot shows a small copy and prints from this.
class EncodedRaster {
public:
    virtual ~EncodedRaster() = default;
    // The picture's size as it shows (turned as its file says).
    virtual QSize size() const = 0;
    // The picture with at least `atLeast` pixels in both directions, or the
    // whole picture where it has fewer.
    virtual QImage decoded(const QSize& atLeast) const = 0;
};
