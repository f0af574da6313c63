#pragma once

#include <QRectF>
#include <QSizeF>

// A printer's paper as it lies in portrait, in millimetres: its size, and
// the area the printer can print on, measured from the paper's top-left
// corner.
struct PaperArea {
    QSizeF paper;
    QRectF printable;
};
