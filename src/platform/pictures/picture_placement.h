#pragma once

#include <QRectF>
#include <QSizeF>

// How a slot picture fills the rectangle it is drawn into.
enum class PictureFit {
    Stretch,  // the whole picture over the whole rectangle, aspect ratio not kept
    Fill,     // aspect ratio kept, the rectangle covered, the overhang cut off evenly
    Fit,      // aspect ratio kept, the whole picture inside, centred
};

// A slot picture's placement: its fit and how far it is turned.
struct PicturePlacement {
    PictureFit fit = PictureFit::Stretch;
    int quarterTurns = 0;  // clockwise, 0 ... 3

    PicturePlacement turnedLeft() const { return {fit, (quarterTurns + 3) % 4}; }
    PicturePlacement turnedRight() const { return {fit, (quarterTurns + 1) % 4}; }
    bool isTurnedSideways() const { return quarterTurns % 2 != 0; }
    bool operator==(const PicturePlacement&) const = default;
};

// Where a picture of `shownSize` (already turned) lies when placed into
// `target` with `fit`; for Fill larger than the target, for Fit inside it.
QRectF placedArea(const QSizeF& shownSize, const QRectF& target, PictureFit fit);
