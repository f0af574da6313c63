#pragma once

#include <QByteArray>
#include <QRectF>

// Fits libemf2svg's output to what Qt SVG draws: the view box becomes the
// picture frame, and pattern fills, which Qt SVG cannot paint, become the
// pattern's average colour.
QByteArray adjustEmfSvg(const QByteArray& svg, const QRectF& viewBox);
