#pragma once

#include <QByteArray>
#include <QImage>

// Pictures through Qt's image readers, the reader chosen by the caller and
// never guessed from the content. Throw InvalidPictureError.

// BMP and ICO after the file's headers have been checked here.
QImage decodeBmp(const QByteArray& data);
// The largest picture of the icon file (most pixels, then most colours).
QImage decodeIco(const QByteArray& data);

// PNG, GIF (its first frame), WebP and TIFF (its first page) through Qt's
// own readers and the image format plugins; a declared size beyond the
// memory limit is refused before anything is decoded. WebP and TIFF
// pictures come turned as their EXIF orientation says.
QImage decodePng(const QByteArray& data);
QImage decodeGif(const QByteArray& data);
QImage decodeWebp(const QByteArray& data);
QImage decodeTiff(const QByteArray& data);
