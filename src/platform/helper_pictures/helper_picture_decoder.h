#pragma once

#include "platform/pictures/picture.h"

#include <QByteArray>
#include <QString>

// Decodes the formats whose libraries run in the picture helper: "heif"
// (HEIC, HEIF and AVIF files) into a raster picture, turned as the file
// says, and "pdf" into a drawing of the first page. Throws
// InvalidPictureError.
Picture decodeHelperPicture(const QByteArray& data, const QString& format);
