#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>

// The readable picture formats and how a file is matched to one.
enum class PictureFormat { Jpeg, Bmp, Ico, Metafile, Png, Gif, Webp, Tiff, Heif, Svg, Pdf };

// The extensions loadPicture() reads, in lower case.
QStringList readablePictureExtensions();
// The format a file extension (lower case) names, if any.
std::optional<PictureFormat> formatOfExtension(const QString& extension);
// The format of a MIME type (lower case) other programs offer pictures in.
std::optional<PictureFormat> formatOfMimeType(const QString& mimeType);
// The MIME types of formatOfMimeType(), in the order a paste prefers them.
QStringList pictureMimeTypes();

// The format to decode `data` with when its name says `named`: jpeg, bmp,
// ico and metafile names are taken at their word; for the others the
// content decides among png, gif, webp, tiff, heif, svg and pdf, and content
// of none of them goes to the named format's reader, which rejects it.
PictureFormat formatOfContent(PictureFormat named, QByteArrayView data);

// The open dialog's filters: all readable formats first, then one each.
QStringList pictureNameFilters();
