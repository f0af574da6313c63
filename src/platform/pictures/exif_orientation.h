#pragma once

#include <QByteArrayView>
#include <QImage>

// The EXIF orientation of a photo (1 upright ... 8, as the tag defines it),
// found in the metadata the way each container keeps it. Metadata that is
// missing or broken reads as 1: a photo is never refused for its metadata.

// `exif`: the EXIF block, a TIFF structure, optionally after "Exif\0\0".
int exifOrientation(QByteArrayView exif);
// From the first APP1 "Exif" segment before the scan.
int jpegExifOrientation(QByteArrayView jpeg);
// From the "EXIF" chunk of a RIFF WebP file.
int webpExifOrientation(QByteArrayView webp);

// The image turned and mirrored so that it shows as taken.
QImage orientedImage(const QImage& image, int orientation);

// True for the orientations (5 ... 8) that show the stored width upright.
constexpr bool turnsSideways(int orientation)
{
    return orientation >= 5 && orientation <= 8;
}
