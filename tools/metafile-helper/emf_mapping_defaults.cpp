#include "emf_mapping_defaults.h"

#include "emf_stream.h"

#include <cstdint>

namespace helper {
namespace {

constexpr std::uint32_t kHeader = 1;
constexpr std::uint32_t kSetWindowExtEx = 9;
constexpr std::uint32_t kSetViewportExtEx = 11;
constexpr std::uint32_t kEndOfFile = 14;
constexpr std::uint32_t kSetMapMode = 17;
constexpr std::uint32_t kIsotropic = 7;
constexpr std::uint32_t kAnisotropic = 8;

}  // namespace

void insertDefaultExtents(std::string& data)
{
    const EmfStream in(data);
    std::string out;
    bool windowSet = false;
    bool viewportSet = false;
    std::uint32_t added = 0;
    for (const EmfRecord& record : in.records()) {
        out.append(data, record.offset, record.size);
        if (record.type == kSetWindowExtEx)
            windowSet = true;
        else if (record.type == kSetViewportExtEx)
            viewportSet = true;
        else if (record.type == kSetMapMode && record.size >= 12) {
            const std::uint32_t mode = in.u32(record.offset + 8);
            if (mode != kIsotropic && mode != kAnisotropic)
                continue;
            if (!windowSet) {
                out += emfRecord(kSetWindowExtEx, {1, 1});
                ++added;
            }
            if (!viewportSet) {
                out += emfRecord(kSetViewportExtEx, {1, 1});
                ++added;
            }
        }
        if (record.type == kEndOfFile)
            break;
    }
    if (added == 0 || in.records().empty() || in.records().front().type != kHeader
        || out.size() < 56)
        return;
    setHeaderCounts(out, static_cast<std::uint32_t>(out.size()), in.u32(52) + added);
    data = std::move(out);
}

}  // namespace helper
