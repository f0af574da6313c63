#pragma once

#include <QByteArray>
#include <QSize>

// Checks a BMP file before Qt's reader decodes it. Qt's reader shows some
// broken files anyway (pixel data cut short, palette indices past the
// palette, RLE runs past the picture); those are invalid pictures here, as
// are files whose headers claim a picture larger than the memory limit.
// Returns the picture's size; throws InvalidPictureError.
QSize checkBmp(const QByteArray& data);
