// Decodes one HEIC, HEIF, AVIF or PDF picture, read from standard input, for
// the program. The program runs in its own short-lived process because
// libheif and the PDF renderer are not safe on hostile input: a crash or a
// hang here costs the caller nothing but this process.
//
//   sleevix-picture-helper heif MAXBYTES
//   sleevix-picture-helper pdf-size
//   sleevix-picture-helper pdf MAXBYTES WIDTH HEIGHT
//
// heif and pdf write the picture as image_output.h describes, pdf-size the
// first page's size in points. Exit status: 0 done, 1 the library rejected
// the file, 2 bad usage, 3 the picture is larger than MAXBYTES.

#include "decoders.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr int kDone = 0;
constexpr int kRejected = 1;
constexpr int kUsage = 2;
constexpr int kTooLarge = 3;

std::string readStandardInput()
{
    std::ios::sync_with_stdio(false);
    return std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
}

std::optional<unsigned long long> number(const char* text)
{
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (end == text || *end != '\0')
        return std::nullopt;
    return value;
}

int write(const helper::Result& result)
{
    if (!result.output)
        return result.refusal == helper::Refusal::TooLarge ? kTooLarge : kRejected;
    std::fwrite(result.output->data(), 1, result.output->size(), stdout);
    return std::fflush(stdout) == 0 ? kDone : kRejected;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return kUsage;
    const std::string_view mode = argv[1];
    if (mode == "heif" && argc == 3) {
        const auto maxBytes = number(argv[2]);
        return maxBytes ? write(helper::heifToImage(readStandardInput(), *maxBytes)) : kUsage;
    }
    if (mode == "pdf-size" && argc == 2)
        return write(helper::pdfPageSize(readStandardInput()));
    if (mode == "pdf" && argc == 5) {
        const auto maxBytes = number(argv[2]);
        const auto width = number(argv[3]);
        const auto height = number(argv[4]);
        if (!maxBytes || !width || !height || *width > 1'000'000 || *height > 1'000'000)
            return kUsage;
        return write(helper::pdfToImage(readStandardInput(), int(*width), int(*height), *maxBytes));
    }
    return kUsage;
}
