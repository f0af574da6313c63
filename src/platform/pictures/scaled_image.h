#pragma once

#include <QImage>
#include <QSize>

// A picture decoded at a smaller scale than its own, and its own size.
struct ScaledImage {
    QImage image;
    QSize fullSize;
};
