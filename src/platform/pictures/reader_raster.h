#pragma once

#include "platform/pictures/encoded_raster.h"

#include <QByteArray>

// A picture one of Qt's image readers reads (PNG, GIF, WebP, TIFF), kept as
// its file's content: every use that needs more than the slot's small copy
// reads the whole picture anew, turned as the file says.
class ReaderRaster final : public EncodedRaster {
public:
    using Decoder = QImage (*)(const QByteArray& data);

    // `size`: the whole picture's size as `decode` gives it.
    ReaderRaster(const QByteArray& data, Decoder decode, const QSize& size);

    QSize size() const override { return m_size; }
    // The whole picture: these readers cannot decode smaller.
    QImage decoded(const QSize& atLeast) const override;

private:
    QByteArray m_data;
    Decoder m_decode;
    QSize m_size;
};
