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

std::string selectRecord(std::uint32_t object)
{
    std::string record;
    appendU32(record, kSelectObject);
    appendU32(record, 12);
    appendU32(record, object);
    return record;
}

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
    out += selectRecord(kStockObject | kWhiteBrush);
    out += selectRecord(kStockObject | kBlackPen);
    out.append(data, end, std::string::npos);
    // nBytes at 48, nRecords at 52.
    putU32(out, 48, in.u32(48) + 2 * 12);
    putU32(out, 52, in.u32(52) + 2);
    data = std::move(out);
}

}  // namespace helper
