#pragma once

#include <QByteArray>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QSizeF>

// The EMR_HEADER record that starts every enhanced metafile.
struct EmfHeader {
    QRect bounds;  // the drawing's extent in reference-device pixels, inclusive
    QRect frame;   // the picture frame in hundredths of a millimetre, inclusive
    quint32 headerSize = 0;
    quint32 fileSize = 0;  // nBytes: the metafile's length, header included
    quint32 handleCount = 0;
    QSizeF pixelsPerMillimetre;  // of the reference device

    // Reads and checks the header; throws InvalidMetafileError.
    static EmfHeader read(const QByteArray& data);

    // The frame's size in pixels at 96 dots per inch.
    QSize sizeAt96Dpi() const;
    // The frame in reference-device pixels, the unit of the drawing.
    QRectF frameInDevicePixels() const;
    // The same, moved as libemf2svg moves the drawing: so that the bounds
    // start at the origin.
    QRectF frameRelativeToBounds() const;
};
