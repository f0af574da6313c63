#include "emf_object_defaults.h"

#include "emf_stream.h"

#include <cstdint>

namespace helper {
namespace {

constexpr std::uint32_t kHeader = 1;
constexpr std::uint32_t kSelectObject = 37;
constexpr std::uint32_t kStockObject = 0x80000000;
constexpr std::uint32_t kWhiteBrush = 0;
constexpr std::uint32_t kBlackPen = 7;

}  // namespace

void selectDefaultObjects(std::string& data)
{
    const EmfStream in(data);
    if (in.records().empty() || in.records().front().type != kHeader)
        return;
    const EmfRecord& header = in.records().front();
    if (header.size < 56)
        return;
    const std::size_t end = header.offset + header.size;
    std::string out = data.substr(0, end);
    out += emfRecord(kSelectObject, {kStockObject | kWhiteBrush});
    out += emfRecord(kSelectObject, {kStockObject | kBlackPen});
    out.append(data, end, std::string::npos);
    setHeaderCounts(out, in.u32(48) + 2 * 12, in.u32(52) + 2);
    data = std::move(out);
}

}  // namespace helper
