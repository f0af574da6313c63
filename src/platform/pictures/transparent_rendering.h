#pragma once

#include "platform/pictures/picture.h"

#include <QImage>
#include <QSize>

// The picture stretched to `size` pixels (aspect ratio not kept) as a
// transparent drawing, Format_ARGB32_Premultiplied: in a raster picture the
// pixels of the bottom-left pixel's colour are left out, a metafile is drawn
// on a transparent background. Null for an empty picture or size.
QImage renderTransparent(const Picture& picture, const QSize& size);
