#pragma once

#include <QByteArray>
#include <QPointF>

struct EmfHeader;

// The window origin an enhanced metafile sets in the MM_TEXT mapping mode
// before it draws, in reference-device pixels. libemf2svg leaves that
// origin out, so its drawing sits shifted by this much.
QPointF emfTextModeWindowOrigin(const QByteArray& data, const EmfHeader& header);
