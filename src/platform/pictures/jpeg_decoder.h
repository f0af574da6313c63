#pragma once

#include "platform/pictures/picture_loader.h"

#include <QByteArray>
#include <QImage>

// Decodes JPEG data with libjpeg into a 24-bit RGB image (Format_RGB888),
// slow integer DCT and smooth upsampling. Grayscale, RGB, YCbCr, CMYK and
// YCCK files, Huffman or arithmetic coded, sequential or progressive.
// Throws InvalidPictureError on any libjpeg error or corrupt-data warning.
QImage decodeJpeg(const QByteArray& data, const PartialPictureCallback& showPartial = {});
