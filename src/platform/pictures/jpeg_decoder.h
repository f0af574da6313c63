#pragma once

#include "platform/pictures/picture_loader.h"
#include "platform/pictures/scaled_image.h"

#include <QByteArray>
#include <QImage>
#include <QSize>

// Decodes JPEG data with libjpeg into a 24-bit RGB image (Format_RGB888),
// slow integer DCT and smooth upsampling. Grayscale, RGB, YCbCr, CMYK and
// YCCK files, Huffman or arithmetic coded, sequential or progressive.
// With `atLeast` given, the picture comes at the smallest of libjpeg's
// scales 1/8 ... 8/8 that still has that many pixels in both directions
// (the whole picture when none does); the whole file is read all the same.
// Throws InvalidPictureError on any libjpeg error or corrupt-data warning.
ScaledImage decodeJpeg(const QByteArray& data, const PartialPictureCallback& showPartial = {},
                       const QSize& atLeast = {});
