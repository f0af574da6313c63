#pragma once

#include "platform/pictures/encoded_raster.h"

#include <QByteArray>

// A JPEG file's content and its EXIF orientation, decoded through the
// module's libjpeg at the smallest scale that gives what is asked for.
class JpegRaster final : public EncodedRaster {
public:
    // `size`: the whole picture's size as it shows, turned.
    JpegRaster(const QByteArray& data, int orientation, const QSize& size);

    QSize size() const override { return m_size; }
    QImage decoded(const QSize& atLeast) const override;

private:
    QByteArray m_data;
    int m_orientation;
    QSize m_size;
};
