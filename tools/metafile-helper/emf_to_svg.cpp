#include "converters.h"
#include "emf_mapping_defaults.h"
#include "emf_object_defaults.h"

#include <cstdlib>
#include <emf2svg.h>

namespace helper {

std::optional<std::string> emfToSvg(std::string& data)
{
    generatorOptions options{};
    options.nameSpace = const_cast<char*>("");
    options.verbose = false;
    options.emfplus = false;
    options.svgDelimiter = true;
    options.imgWidth = 0;
    options.imgHeight = 0;

    if (std::optional<std::string> drawing = emfPlusToSvg(data))
        return drawing;
    insertDefaultExtents(data);
    selectDefaultObjects(data);

    char* svg = nullptr;
    size_t length = 0;
    const int converted = emf2svg(data.data(), data.size(), &svg, &length, &options);
    std::optional<std::string> result;
    if (converted && svg != nullptr && length > 0)
        result.emplace(svg, length);
    std::free(svg);
    return result;
}

}  // namespace helper
