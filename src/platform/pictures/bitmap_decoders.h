#pragma once

#include <QByteArray>
#include <QImage>

// BMP and ICO pictures through Qt's image readers, after the file's headers
// have been checked here. Throw InvalidPictureError.
QImage decodeBmp(const QByteArray& data);

// The largest picture of the icon file (most pixels, then most colours).
QImage decodeIco(const QByteArray& data);
