#include "platform/pictures/jpeg_raster.h"

#include "platform/pictures/exif_orientation.h"
#include "platform/pictures/picture_codecs.h"

JpegRaster::JpegRaster(const QByteArray& data, int orientation, const QSize& size)
    : m_data(data), m_orientation(orientation), m_size(size)
{ }

QImage JpegRaster::decoded(const QSize& atLeast) const
{
    const QSize stored = turnsSideways(m_orientation) ? atLeast.transposed() : atLeast;
    return orientedImage(pictureCodecs().decodeJpeg(m_data, {}, stored).image, m_orientation);
}
