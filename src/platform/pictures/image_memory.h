#pragma once

#include <QImage>

// Allocates an uninitialised image. Large images get their pixel memory in
// huge pages where the system offers them: writing a 70 MB picture into
// ordinary 4 KB pages costs about 18000 page faults, a third of the time of
// decoding it. Returns a null image when memory runs out.
QImage allocateImage(int width, int height, QImage::Format format);
