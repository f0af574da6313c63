#pragma once

#include <QByteArray>
#include <QImage>

// A picture as the picture helper writes it (tools/picture-helper/
// image_output.h): its pixels and its EXIF block.
struct HelperImage {
    QImage image;  // Format_RGBA8888
    QByteArray exif;
};

// Reads the helper's output; throws InvalidPictureError when it is not
// exactly one picture of the size it declares.
HelperImage readHelperImage(const QByteArray& output);
