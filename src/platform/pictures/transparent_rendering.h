#pragma once

#include "platform/pictures/picture.h"

#include <QImage>
#include <QSize>

// What of a raster picture lets the background show through when drawn.
enum class ColourKey {
    None,        // only the picture's own alpha channel
    BottomLeft,  // also every pixel of the bottom-left pixel's colour
};

// The picture drawn as placed (see Picture::draw) into `size` pixels as a
// drawing over a transparent background, Format_ARGB32_Premultiplied: a
// raster picture with its alpha channel and, keyed, without the pixels of
// the key colour; a metafile with what it leaves undrawn transparent. Null
// for an empty picture or size.
QImage renderTransparent(const Picture& picture, const QSize& size, ColourKey key);
