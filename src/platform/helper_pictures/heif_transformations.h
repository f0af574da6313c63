#pragma once

#include <QByteArrayView>

// True when a HEIF or AVIF file has rotation or mirror properties ("irot",
// "imir"), which libheif applies while decoding; a file without them may
// still be turned by its EXIF orientation. Broken boxes read as none.
bool heifHasTransformations(QByteArrayView file);
