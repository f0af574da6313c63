#pragma once

#include "platform/pictures/invalid_picture_error.h"
#include "platform/pictures/picture.h"
#include "platform/pictures/unreadable_file_error.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>

// The most memory one decoded picture may take. Files that declare a larger
// picture are rejected before anything is allocated for them.
inline constexpr qint64 kPictureMemoryLimit = 512LL * 1024 * 1024;

// True when a picture of the declared size would take more than the limit.
// Safe for any sizes a header can declare: nothing is multiplied that could
// overflow.
constexpr bool exceedsPictureMemory(qint64 width, qint64 height, qint64 bytesPerPixel)
{
    return width > 0 && height > 0 && width > kPictureMemoryLimit / bytesPerPixel / height;
}

// Receives the partly decoded picture while a progressive JPEG file decodes.
using PartialPictureCallback = std::function<void(const QImage&)>;

// Decodes EMF or WMF content; `extension` is "emf" or "wmf". Throws
// InvalidPictureError for content it cannot show.
using MetafileDecoder = std::function<Picture(const QByteArray& data, const QString& extension)>;

// Installs the metafile decoder; until one is installed, emf and wmf files
// are invalid pictures. An empty function removes it again.
void setMetafileDecoder(MetafileDecoder decoder);

// Installs the decoder of the formats whose libraries run in the picture
// helper process; it receives "heif" (HEIC, HEIF and AVIF) or "pdf". Until
// one is installed, such files are invalid pictures.
void setHelperDecoder(MetafileDecoder decoder);

// Loads a picture file. The extension (case does not matter) must name a
// readable format. jpeg, jpg, bmp, ico, emf and wmf files are read as what
// their extension says; png, gif, webp, tif, tiff, heic, heif, avif, svg and
// pdf files as what their content is among these formats, so that a WebP
// picture named .png still loads. JPEG pictures come turned as their EXIF
// orientation says. For progressive JPEG files `progressive` is called once,
// with the coarse picture of the first scan; the returned picture is the
// complete one. With `shown` given (the most pixels the picture is shown on,
// in both directions), a JPEG picture is decoded at the smallest scale that
// still has them, a PNG, GIF, WebP or TIFF picture whole and then kept as a
// copy that just covers them; either keeps its file's content for larger
// uses (printing, the clipboard). The whole file is read and checked all
// the same.
// Throws InvalidPictureError or UnreadableFileError.
Picture loadPicture(const QString& path, const PartialPictureCallback& progressive = {},
                    const QSize& shown = {});

// Decodes picture data of a known format, named as in the open dialog's
// extensions ("png", "svg", ...; see loadPicture) or by a MIME type
// ("image/png", "image/svg+xml", "application/pdf", ...): how pictures of
// other programs arrive from the clipboard. `shown` as for loadPicture.
// Throws InvalidPictureError.
Picture decodePictureData(const QByteArray& data, const QString& formatOrMimeType,
                          const QSize& shown = {});
