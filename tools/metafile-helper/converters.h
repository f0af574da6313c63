#pragma once

#include "svg_writer.h"

#include <optional>
#include <string>

namespace helper {

// Each returns the SVG document, or nothing when the library rejects the
// file.
std::optional<std::string> emfToSvg(std::string& data);
std::optional<std::string> wmfToSvg(std::string& data, std::optional<Rect> logicalFrame);

}  // namespace helper
