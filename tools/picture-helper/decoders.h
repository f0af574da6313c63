#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace helper {

// Why a file gave no picture.
enum class Refusal { Rejected, TooLarge };

struct Result {
    std::optional<std::string> output;  // see image_output.h, or text
    Refusal refusal = Refusal::Rejected;
};

// The primary picture of a HEIC, HEIF or AVIF file, turned and mirrored as
// the file's transformations say, with its EXIF block. Refused as too large
// when its pixels would take more than `maxBytes`, before decoding.
Result heifToImage(std::string_view data, std::uint64_t maxBytes);

// The size of a PDF file's first page in points, as "width height".
Result pdfPageSize(std::string_view data);
// The first page rendered to exactly width x height pixels on white paper.
Result pdfToImage(std::string_view data, int width, int height, std::uint64_t maxBytes);

}  // namespace helper
