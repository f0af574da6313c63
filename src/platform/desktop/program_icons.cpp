#include "platform/desktop/program_icons.h"

#include <QImage>
#include <QPixmap>

#include <cstring>

QIcon programIcon(const char* name)
{
    QIcon icon;
    for (int i = 0; i < kEmbeddedIconPixelsCount; ++i) {
        const EmbeddedIconPixels& entry = kEmbeddedIconPixels[i];
        if (std::strcmp(entry.name, name) != 0)
            continue;
        const QImage image(reinterpret_cast<const uchar*>(entry.pixels), entry.size, entry.size,
                           entry.size * 4, QImage::Format_ARGB32_Premultiplied);
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}
