#include "platform/pictures/reader_raster.h"

ReaderRaster::ReaderRaster(const QByteArray& data, Decoder decode, const QSize& size)
    : m_data(data), m_decode(decode), m_size(size)
{ }

QImage ReaderRaster::decoded(const QSize&) const
{
    return m_decode(m_data);
}
