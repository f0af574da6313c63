#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace helper {

struct EmfRecord {
    std::uint32_t type = 0;
    std::size_t offset = 0;  // of the record's type field
    std::size_t size = 0;    // the whole record, at least 8
};

// The records of an enhanced metafile, up to the end-of-file record or the
// first record that does not fit. Reads never leave the data: a value past
// its end reads as zero.
class EmfStream {
public:
    explicit EmfStream(std::string_view data);

    const std::vector<EmfRecord>& records() const { return m_records; }

    std::uint32_t u32(std::size_t at) const;
    std::int32_t i32(std::size_t at) const { return static_cast<std::int32_t>(u32(at)); }

    // The most records looked at; more make the file suspect anyway.
    static constexpr std::size_t kMaxRecords = 4'000'000;

private:
    std::string_view m_data;
    std::vector<EmfRecord> m_records;
};

void appendU32(std::string& out, std::uint32_t value);
void putU32(std::string& out, std::size_t at, std::uint32_t value);

// A whole record of `type` with 32-bit parameters.
std::string emfRecord(std::uint32_t type, std::initializer_list<std::uint32_t> parameters);
// Sets the header's byte and record counts (nBytes at 48, nRecords at 52).
void setHeaderCounts(std::string& out, std::uint32_t bytes, std::uint32_t records);

}  // namespace helper
