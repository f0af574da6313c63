#pragma once

#include <QIcon>
#include <QtGlobal>

// The icons of the main window, rendered from resources/icons at build time
// (tools/embed_icons): showing them reads no SVG and loads no icon plugin.
// Pixel arrays rather than PNG resources: Qt's image reader loads every
// image-format plugin, and with them Qt SVG and libjpeg, at the first PNG
// it reads: a start took 11 to 15 % more CPU time that way (bench/run).
// Each holds the sizes the window asks for, 16 pixels for buttons and 32
// for screens at twice the pixel density; the program icon also 64 and 128,
// the sizes a window manager is offered for a scalable icon.
QIcon programIcon(const char* name);

struct EmbeddedIconPixels {
    const char* name;
    int size;
    const quint32* pixels;  // premultiplied ARGB, size x size
};
extern const EmbeddedIconPixels kEmbeddedIconPixels[];
extern const int kEmbeddedIconPixelsCount;
