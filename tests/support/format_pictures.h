#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// Pictures in every format beyond JPEG, BMP, ICO and the metafiles, made with
// the tools users' pictures come from: ImageMagick, cwebp, heif-enc,
// exiftool, Qt's PDF writer, and SVG written as text. Each shows four
// quadrants, red, green / blue, yellow, at 60 x 40 pixels (the PDF page is
// 45 x 30 points):
//   q.png q.gif q.tif q.webp q.heic q.avif q.svg q.pdf
//   webp-named.png      a WebP file with a PNG name
//   alpha.png alpha.heic the green quadrant transparent
//   lying.jpg lying.webp lying.heic lying.tif
//                       stored lying on their left side, with the EXIF
//                       orientation 6 that turns them upright
// plus square.png, the quadrants at 40 x 40.
namespace testenv {

void writeFormatPictures(const QString& folder);

// The quadrant colours upright, as quadrantColours() names them.
extern const QStringList kUpright;

// The colour nearest to `pixel` among the quadrants' colours and white
// ("red", "green", "blue", "yellow", "white"), "none" where transparent,
// "other" where none is near.
QString colourName(QRgb pixel);
// The names of the colours at the centres of the four quadrants of `area`
// of `image` (all of it by default), top left, top right, bottom left,
// bottom right.
QStringList quadrantColours(const QImage& image, QRectF area = {});

}  // namespace testenv
