#pragma once

#include "svg_writer.h"

#include <optional>
#include <string>
#include <string_view>

namespace helper {

// Each returns the SVG document, or nothing when the library rejects the
// file.
std::optional<std::string> emfToSvg(std::string& data);
// The drawing of a file whose picture is all in EMF+ records, or nothing
// when its EMF records draw it (or part of it) too.
std::optional<std::string> emfPlusToSvg(std::string_view data);
std::optional<std::string> wmfToSvg(std::string& data, std::optional<Rect> logicalFrame);

}  // namespace helper
