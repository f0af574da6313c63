#pragma once

#include "platform/pictures/picture.h"

#include <QColor>

// The line drawings the settings pages use to stand for printed items:
// black or light grey lines on white, drawn pixel-exact at a fixed size.
// Unframed items are outlined in light grey, framed ones in black.
enum class StockOutline {
    FrontPlain,    // 65 x 65
    FrontFramed,   // 65 x 65
    BackPlain,     // 69 x 65
    BackFramed,    // 69 x 65
    BackFolded,    // 69 x 65, with the fold lines of both spines
    DoublePlain,   // 113 x 65
    DoubleFramed,  // 113 x 65
    DoubleFolded,  // 113 x 65, with the middle fold line
    Disc,          // 65 x 65 circle on white; the disc overlays key the white out
    DvdPlain,      // 136 x 92
    DvdFramed,     // 136 x 92
    VhsPlain,      // 136 x 92
    VhsFramed,     // 136 x 92
};

// The drawing of `outline`, made once and shared by every caller.
Picture stockOutline(StockOutline outline);

// The grey of unframed outlines.
QColor plainOutlineColour();

// A copy of `canvas` (or a white one of `size` when it is null) with a disc
// outline of `size` drawn from its top-left corner: black 1-pixel circle,
// white inside.
QImage withDiscCircle(const QImage& canvas, const QSize& size);
