#pragma once

#include <QIcon>
#include <QtGlobal>

// The icons of the main window, rendered from resources/icons at build time
// (tools/embed_icons): showing them reads no SVG and loads no icon plugin.
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
