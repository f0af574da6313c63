#include "platform/metafiles/wmf_file.h"

#include "platform/metafiles/dib_check.h"
#include "platform/metafiles/invalid_metafile_error.h"
#include "platform/metafiles/little_endian_reader.h"
#include "platform/metafiles/metafile_limits.h"
#include "platform/metafiles/wmf_parameters.h"

#include <QHash>
#include <QSet>

#include <string>

namespace {

constexpr quint32 kPlaceableKey = 0x9AC6CDD7;
constexpr qsizetype kPlaceableSize = 22;
constexpr qsizetype kStandardHeaderSize = 18;
constexpr quint16 kHeaderWords = 9;

enum Function : quint16 {
    EndOfFile = 0x0000,
    DibCreatePatternBrush = 0x0142,
    DibBitBlt = 0x0940,
    DibStretchBlt = 0x0B41,
    StretchDib = 0x0F43,
    SetDibToDev = 0x0D33,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    OffsetWindowOrg = 0x020F,
    Polygon = 0x0324,
    Polyline = 0x0325,
    PolyPolygon = 0x0538,
    TextOut = 0x0521,
    ExtTextOut = 0x0A32,
    CreatePalette = 0x00F7,
};

// Records that only change state or create objects; any other record draws.
const QSet<quint16>& stateFunctions()
{
    static const QSet<quint16> functions{
        0x0035, 0x0037, 0x00F7, 0x0102, 0x0103, 0x0104, 0x0105, 0x0106, 0x0107, 0x0108, 0x001E,
        0x0127, 0x012C, 0x012D, 0x012E, 0x0139, 0x0142, 0x0149, 0x01F0, 0x01F9, 0x0201, 0x0209,
        0x020A, 0x020B, 0x020C, 0x020D, 0x020E, 0x020F, 0x0211, 0x0214, 0x0220, 0x0231, 0x0234,
        0x02FA, 0x02FB, 0x02FC, 0x0410, 0x0412, 0x0415, 0x0416, 0x0436, 0x0626, 0x06FF,
    };
    return functions;
}

// Fewest parameter words each record needs (MS-WMF); others need none.
const QHash<quint16, quint32>& minimumParameters()
{
    static const QHash<quint16, quint32> words{
        {0x0102, 1}, {0x0103, 1}, {0x0104, 1},  {0x0106, 1},  {0x0107, 1}, {0x0108, 1},
        {0x0127, 1}, {0x012A, 1}, {0x012B, 1},  {0x012C, 1},  {0x012D, 1}, {0x012E, 1},
        {0x0139, 1}, {0x0142, 2}, {0x01F0, 1},  {0x0201, 2},  {0x0209, 2}, {0x020A, 2},
        {0x020B, 2}, {0x020C, 2}, {0x020D, 2},  {0x020E, 2},  {0x020F, 2}, {0x0211, 2},
        {0x0213, 2}, {0x0214, 2}, {0x0220, 2},  {0x0228, 2},  {0x0231, 2}, {0x0234, 1},
        {0x02FA, 5}, {0x02FB, 9}, {0x02FC, 4},  {0x0324, 1},  {0x0325, 1}, {0x0410, 4},
        {0x0412, 4}, {0x0415, 4}, {0x0416, 4},  {0x0418, 4},  {0x0419, 4}, {0x041B, 4},
        {0x041F, 4}, {0x0429, 4}, {0x0521, 1},  {0x0538, 1},  {0x0548, 5}, {0x061C, 6},
        {0x061D, 6}, {0x0626, 2}, {0x0817, 8},  {0x081A, 8},  {0x0830, 8}, {0x0922, 8},
        {0x0940, 8}, {0x0A32, 4}, {0x0B23, 10}, {0x0B41, 10}, {0x0D33, 9}, {0x0F43, 11},
        {0x00F7, 2},
    };
    return words;
}

quint32 wordsForBytes(quint32 bytes)
{
    return (bytes + 1) / 2;
}

bool variablePartFits(quint16 function, const WmfParameters& p)
{
    switch (function) {
    case Polygon:
    case Polyline: return 1 + 2ull * p[0] <= p.count();
    case PolyPolygon: {
        quint64 points = 0;
        if (1ull + p[0] > p.count())
            return false;
        for (quint32 i = 0; i < p[0]; ++i)
            points += p[1 + i];
        return 1ull + p[0] + 2 * points <= p.count();
    }
    case TextOut: return 1ull + wordsForBytes(p[0]) + 2 <= p.count();
    case ExtTextOut: {
        const bool hasRect = (p[3] & 0x0006) != 0;  // ETO_OPAQUE | ETO_CLIPPED
        return 4ull + (hasRect ? 4 : 0) + wordsForBytes(p[2]) <= p.count();
    }
    case CreatePalette: return 2ull + 2ull * p[1] <= p.count();
    default: return true;
    }
}

// Where a record keeps its device-independent bitmap, in parameter words.
struct DibPlace {
    quint16 function;
    quint32 parameterWord;
    bool mayBeAbsent;  // the blit records come without one when they only fill
    bool allRows;      // SETDIBTODEV may hold only some scan lines
};

constexpr DibPlace kDibPlaces[] = {
    {DibCreatePatternBrush, 2, false, true}, {DibBitBlt, 8, true, true},
    {DibStretchBlt, 10, true, true},         {StretchDib, 11, false, true},
    {SetDibToDev, 9, false, false},
};

// libwmf's bitmap reader loops forever or reads far beyond the record on
// some broken headers, so each embedded bitmap is checked here first.
bool dibFits(quint16 function, const QByteArray& record)
{
    for (const DibPlace& place : kDibPlaces) {
        if (place.function != function)
            continue;
        // With the BS_PATTERN style the brush holds an old Bitmap16 instead.
        constexpr quint16 kPatternStyle = 3;
        if (function == DibCreatePatternBrush && WmfParameters(record)[0] == kPatternStyle)
            return true;
        const qsizetype words = record.size() / 2;
        // MS-WMF: a blit record without a bitmap is (function >> 8) + 3 words long.
        if (place.mayBeAbsent && words == (function >> 8) + 3)
            return true;
        const QByteArrayView dib = QByteArrayView(record).sliced(qMin<qsizetype>(
            record.size(), 2 * (WmfParameters::kRecordHeaderWords + place.parameterWord)));
        const qint64 bits
            = place.allRows ? qMax<qint64>(0, dib.size() - LittleEndianReader(dib).u32(0)) : -1;
        return isSoundDib(dib, bits);
    }
    return true;
}

[[noreturn]] void fail(const char* problem, qsizetype offset)
{
    throw InvalidMetafileError(std::string("WMF: ") + problem + " at offset "
                               + std::to_string(offset));
}

}  // namespace

WmfFile WmfFile::read(const QByteArray& data)
{
    WmfFile file;
    const LittleEndianReader in(data);
    qsizetype offset = 0;
    if (in.u32(0) == kPlaceableKey) {
        file.m_placeable = readPlaceable(data);
        file.m_placeableHeader = data.left(kPlaceableSize);
        offset = kPlaceableSize;
    }
    if (!in.has(quint64(offset), kStandardHeaderSize))
        fail("file shorter than its header", offset);
    const quint16 type = in.u16(quint64(offset));
    const quint16 headerWords = in.u16(quint64(offset) + 2);
    const quint16 version = in.u16(quint64(offset) + 4);
    if ((type != 1 && type != 2) || headerWords != kHeaderWords
        || (version != 0x0100 && version != 0x0300))
        fail("bad header", offset);
    file.m_standardHeader = data.mid(offset, kStandardHeaderSize);
    file.readRecords(data, offset + kStandardHeaderSize);
    return file;
}

WmfFile::Placeable WmfFile::readPlaceable(const QByteArray& data)
{
    const LittleEndianReader in(data);
    if (!in.has(0, kPlaceableSize))
        fail("placeable header cut off", 0);
    Placeable placeable;
    placeable.boundingBox = QRectF(QPointF(in.i16(6), in.i16(8)), QPointF(in.i16(10), in.i16(12)));
    placeable.unitsPerInch = in.u16(14);
    if (placeable.unitsPerInch == 0 || placeable.boundingBox.width() == 0
        || placeable.boundingBox.height() == 0)
        fail("bad placeable header", 0);
    return placeable;
}

void WmfFile::readRecords(const QByteArray& data, qsizetype offset)
{
    const LittleEndianReader in(data);
    while (offset < data.size()) {
        if (!in.has(quint64(offset), 6))
            fail("record header cut off", offset);
        const quint32 words = in.u32(quint64(offset));
        const quint16 function = in.u16(quint64(offset) + 4);
        if (words < WmfParameters::kRecordHeaderWords || !in.has(quint64(offset), 2ull * words))
            fail("bad record size", offset);
        Record current{function, data.mid(offset, qsizetype(2 * words))};
        const WmfParameters parameters(current.bytes);
        if (parameters.count() < minimumParameters().value(function, 0))
            fail("record too short for its function", offset);
        if (!variablePartFits(function, parameters))
            fail("record contents overrun the record", offset);
        if (!dibFits(function, current.bytes))
            fail("broken bitmap", offset);
        if (function == EndOfFile)
            return;
        if (m_records.size() == kMostMetafileRecords)
            fail("too many records", offset);
        noteMapping(current);
        m_records.append(current);
        offset += qsizetype(2 * words);
    }
}

void WmfFile::noteMapping(const Record& record)
{
    if (m_drawingStarted)
        return;
    if (!stateFunctions().contains(record.function)) {
        m_drawingStarted = true;
        return;
    }
    const WmfParameters p(record.bytes);
    switch (record.function) {
    case SetWindowOrg: m_windowOrigin = QPointF(p.signedAt(1), p.signedAt(0)); break;
    case OffsetWindowOrg: m_windowOrigin += QPointF(p.signedAt(1), p.signedAt(0)); break;
    case SetWindowExt: m_windowExtent = QSizeF(p.signedAt(1), p.signedAt(0)); break;
    default: break;
    }
}

std::optional<QSize> WmfFile::sizeAt96Dpi() const
{
    if (m_placeable) {
        const double inches = 96.0 / m_placeable->unitsPerInch;
        return QSize(qMax(1, qRound(qAbs(m_placeable->boundingBox.width()) * inches)),
                     qMax(1, qRound(qAbs(m_placeable->boundingBox.height()) * inches)));
    }
    if (m_windowExtent && m_windowExtent->width() != 0 && m_windowExtent->height() != 0)
        return QSize(qRound(qAbs(m_windowExtent->width())), qRound(qAbs(m_windowExtent->height())));
    return std::nullopt;
}

std::optional<QRectF> WmfFile::logicalFrame() const
{
    if (m_windowExtent && m_windowExtent->width() != 0 && m_windowExtent->height() != 0)
        return QRectF(m_windowOrigin, *m_windowExtent);
    if (m_placeable)
        return m_placeable->boundingBox;
    return std::nullopt;
}
