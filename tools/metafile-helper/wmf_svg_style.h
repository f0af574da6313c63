#pragma once

#include "svg_writer.h"

#include <libwmf/api.h>
#include <libwmf/ipa.h>
#include <string>

namespace helper {

Rgb toRgb(const wmfRGB& color);

// The colour the device context's brush fills with, or "none". Qt SVG has
// no patterns: a hatch becomes a tint, a bitmap pattern its average colour.
std::string fillColor(wmfAPI* api, const wmfDC* dc);

// The fill and stroke attributes of a shape drawn with the device
// context's brush and pen.
void writeShapeStyle(SvgWriter& svg, wmfAPI* api, const wmfDC* dc, bool filled);

}  // namespace helper
