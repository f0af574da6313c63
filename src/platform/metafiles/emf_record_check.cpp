#include "platform/metafiles/emf_record_check.h"

#include "platform/metafiles/emf_header.h"
#include "platform/metafiles/invalid_metafile_error.h"
#include "platform/metafiles/little_endian_reader.h"
#include "platform/metafiles/metafile_limits.h"

#include <QHash>

#include <string>

namespace {

constexpr quint32 kEndOfFile = 14;

// Smallest size in bytes of each record type (MS-EMF), fixed part only.
const QHash<quint32, quint32>& minimumSizes()
{
    static const QHash<quint32, quint32> sizes{
        {1, 88},   {2, 28},   {3, 28},   {4, 28},    {5, 28},   {6, 28},    {7, 32},   {8, 32},
        {9, 16},   {10, 16},  {11, 16},  {12, 16},   {13, 16},  {14, 20},   {15, 20},  {16, 12},
        {17, 12},  {18, 12},  {19, 12},  {20, 12},   {21, 12},  {22, 12},   {23, 12},  {24, 12},
        {25, 12},  {26, 16},  {27, 16},  {28, 8},    {29, 24},  {30, 24},   {31, 24},  {32, 24},
        {33, 8},   {34, 12},  {35, 32},  {36, 36},   {37, 12},  {38, 28},   {39, 24},  {40, 12},
        {41, 28},  {42, 24},  {43, 24},  {44, 32},   {45, 40},  {46, 40},   {47, 40},  {48, 12},
        {49, 16},  {50, 20},  {51, 16},  {52, 8},    {53, 24},  {54, 16},   {55, 40},  {56, 28},
        {57, 12},  {58, 12},  {59, 8},   {60, 8},    {61, 8},   {62, 24},   {63, 24},  {64, 24},
        {65, 8},   {66, 8},   {67, 12},  {68, 8},    {70, 12},  {71, 32},   {72, 40},  {73, 28},
        {74, 28},  {75, 16},  {76, 100}, {77, 108},  {78, 128}, {79, 140},  {80, 76},  {81, 80},
        {82, 104}, {83, 76},  {84, 76},  {85, 28},   {86, 28},  {87, 28},   {88, 28},  {89, 28},
        {90, 32},  {91, 32},  {92, 28},  {93, 32},   {94, 32},  {95, 52},   {98, 12},  {99, 24},
        {100, 12}, {101, 12}, {108, 36}, {114, 108}, {115, 12}, {116, 108}, {118, 36}, {120, 16},
    };
    return sizes;
}

// Records that create an object in the handle table at the index they name.
bool createsObject(quint32 type)
{
    switch (type) {
    case 38:
    case 39:
    case 49:
    case 82:
    case 93:
    case 94:
    case 95:
    case 99:
    case 122: return true;
    default: return false;
    }
}

// Where a record keeps a (offset, size) pair of embedded bitmap data.
struct BitmapFields {
    quint32 type;
    quint32 headerOffset;  // offBmi; cbBmi, offBits and cbBits follow
};

constexpr BitmapFields kBitmapRecords[] = {
    {76, 84}, {77, 84}, {114, 84}, {116, 84}, {80, 48}, {81, 48}, {93, 16}, {94, 16}, {95, 12},
};

class RecordCheck {
public:
    RecordCheck(const LittleEndianReader& in, quint64 offset, quint32 size)
        : m_in(in), m_offset(offset), m_size(size)
    { }

    quint32 u32(quint32 at) const { return m_in.u32(m_offset + at); }
    quint16 u16(quint32 at) const { return m_in.u16(m_offset + at); }

    // The record holds `length` bytes from `at`.
    bool holds(quint64 at, quint64 length) const { return at <= m_size && length <= m_size - at; }

    bool pointsFit(quint32 countAt, quint32 firstPointAt, quint32 pointSize) const
    {
        return holds(firstPointAt, quint64(u32(countAt)) * pointSize);
    }

    bool polyPolygonFits(quint32 pointSize) const
    {
        const quint64 polygons = u32(24);
        const quint64 points = u32(28);
        if (!holds(32, polygons * 4 + points * pointSize))
            return false;
        quint64 sum = 0;
        for (quint64 i = 0; i < polygons; ++i)
            sum += u32(32 + quint32(i) * 4);
        return sum == points;
    }

    bool textFits(quint32 characterSize) const
    {
        const quint64 characters = u32(44);
        const quint32 options = u32(52);
        const quint32 stringOffset = u32(48);
        const quint32 spacingOffset = u32(72);
        const quint64 spacingPerCharacter = (options & 0x2000) ? 8 : 4;  // ETO_PDY
        if (characters == 0)
            return true;
        return holds(stringOffset, characters * characterSize)
            && (spacingOffset == 0 || holds(spacingOffset, characters * spacingPerCharacter));
    }

    bool bitmapFits(quint32 headerOffset) const
    {
        const quint32 infoOffset = u32(headerOffset);
        const quint32 infoSize = u32(headerOffset + 4);
        const quint32 bitsOffset = u32(headerOffset + 8);
        const quint32 bitsSize = u32(headerOffset + 12);
        return infoSize == 0 || (holds(infoOffset, infoSize) && holds(bitsOffset, bitsSize));
    }

private:
    const LittleEndianReader& m_in;
    quint64 m_offset;
    quint64 m_size;
};

bool variablePartFits(quint32 type, const RecordCheck& record)
{
    switch (type) {
    case 2:
    case 3:
    case 4:
    case 5:
    case 6: return record.pointsFit(24, 28, 8);
    case 85:
    case 86:
    case 87:
    case 88:
    case 89: return record.pointsFit(24, 28, 4);
    case 56: return record.pointsFit(24, 28, 9);
    case 92: return record.pointsFit(24, 28, 5);
    case 7:
    case 8: return record.polyPolygonFits(8);
    case 90:
    case 91: return record.polyPolygonFits(4);
    case 83: return record.textFits(1);
    case 84: return record.textFits(2);
    case 70: return record.holds(12, record.u32(8));
    case 75: return record.holds(16, record.u32(8));
    case 71: return record.holds(32, record.u32(24));
    case 72: return record.holds(40, record.u32(24));
    case 73:
    case 74: return record.holds(28, record.u32(24));
    case 49: return record.holds(16, quint64(record.u16(14)) * 4);
    case 50: return record.holds(20, quint64(record.u32(16)) * 4);
    default: break;
    }
    for (const BitmapFields& fields : kBitmapRecords) {
        if (fields.type == type)
            return record.bitmapFits(fields.headerOffset);
    }
    return true;
}

[[noreturn]] void fail(const char* problem, quint64 offset)
{
    throw InvalidMetafileError(std::string("EMF: ") + problem + " at offset "
                               + std::to_string(offset));
}

}  // namespace

void checkEmfRecords(const QByteArray& data, const EmfHeader& header)
{
    const LittleEndianReader in(data);
    quint64 offset = 0;
    for (qsizetype records = 0; offset < header.fileSize; ++records) {
        if (records == kMostMetafileRecords)
            fail("too many records", offset);
        if (header.fileSize - offset < 8)
            fail("record header cut off", offset);
        const quint32 type = in.u32(offset);
        const quint32 size = in.u32(offset + 4);
        if (size < 8 || size % 4 != 0 || size > header.fileSize - offset)
            fail("bad record size", offset);
        if (size < minimumSizes().value(type, 8))
            fail("record too short for its type", offset);
        const RecordCheck record(in, offset, size);
        if (!variablePartFits(type, record))
            fail("record contents overrun the record", offset);
        if (createsObject(type)) {
            const quint32 index = record.u32(8);
            if (index == 0 || index >= header.handleCount)
                fail("object index outside the handle table", offset);
        }
        if (type == kEndOfFile)
            return;
        offset += size;
    }
    fail("no end-of-file record", offset);
}
