// Converts one EMF or WMF picture, read from standard input, into SVG on
// standard output. The program runs in its own short-lived process because
// the metafile libraries are not safe on hostile input: a crash or a hang
// here costs the caller nothing but this process.
//
//   sleevix-metafile-helper emf
//   sleevix-metafile-helper wmf [left top right bottom]
//
// The four numbers are the picture frame in the metafile's logical units.
// Exit status: 0 converted, 1 the library rejected the file, 2 bad usage.

#include "converters.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr int kConverted = 0;
constexpr int kRejected = 1;
constexpr int kUsage = 2;

std::string readStandardInput()
{
    std::ios::sync_with_stdio(false);
    return std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
}

bool parseFrame(char** argv, helper::Rect& frame)
{
    double values[4];
    for (int i = 0; i < 4; ++i) {
        char* end = nullptr;
        values[i] = std::strtod(argv[i], &end);
        if (end == argv[i] || *end != '\0')
            return false;
    }
    frame = {values[0], values[1], values[2], values[3]};
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return kUsage;
    const std::string_view format = argv[1];
    std::optional<helper::Rect> frame;
    if (format == "wmf" && argc == 6) {
        helper::Rect parsed;
        if (!parseFrame(argv + 2, parsed))
            return kUsage;
        frame = parsed;
    } else if (argc != 2 || (format != "emf" && format != "wmf")) {
        return kUsage;
    }

    std::string data = readStandardInput();
    const std::optional<std::string> svg
        = format == "emf" ? helper::emfToSvg(data) : helper::wmfToSvg(data, frame);
    if (!svg)
        return kRejected;
    std::fwrite(svg->data(), 1, svg->size(), stdout);
    return std::fflush(stdout) == 0 ? kConverted : kRejected;
}
