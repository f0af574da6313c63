#include "emf_stream.h"

namespace helper {

EmfStream::EmfStream(std::string_view data) : m_data(data)
{
    std::size_t offset = 0;
    while (data.size() - offset >= 8 && m_records.size() < kMaxRecords) {
        const std::uint32_t type = u32(offset);
        const std::uint32_t size = u32(offset + 4);
        if (size < 8 || size % 4 != 0 || size > data.size() - offset)
            break;
        m_records.push_back({type, offset, size});
        if (type == 14)  // end of file
            break;
        offset += size;
    }
}

std::uint32_t EmfStream::u32(std::size_t at) const
{
    if (at > m_data.size() || m_data.size() - at < 4)
        return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(m_data.data() + at);
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16
        | std::uint32_t(p[3]) << 24;
}

void appendU32(std::string& out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xff);
}

void putU32(std::string& out, std::size_t at, std::uint32_t value)
{
    if (at > out.size() || out.size() - at < 4)
        return;
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<char>((value >> (8 * i)) & 0xff);
}

std::string emfRecord(std::uint32_t type, std::initializer_list<std::uint32_t> parameters)
{
    std::string record;
    appendU32(record, type);
    appendU32(record, static_cast<std::uint32_t>(8 + 4 * parameters.size()));
    for (const std::uint32_t parameter : parameters)
        appendU32(record, parameter);
    return record;
}

void setHeaderCounts(std::string& out, std::uint32_t bytes, std::uint32_t records)
{
    putU32(out, 48, bytes);
    putU32(out, 52, records);
}

}  // namespace helper
