#include "platform/metafiles/libwmf_input.h"

#include "platform/metafiles/wmf_file.h"
#include "platform/metafiles/wmf_parameters.h"

#include <QList>
#include <QMap>
#include <QtEndian>

#include <array>
#include <optional>

namespace {

enum Function : quint16 {
    EndOfFile = 0x0000,
    SaveDc = 0x001E,
    RestoreDc = 0x0127,
    CreateRegion = 0x06FF,
    CreateBrushIndirect = 0x02FC,
    SelectObject = 0x012D,
};

// Where the object count lies in the standard header.
constexpr int kObjectCountAt = 10;

// The records that name objects by their index in the object table, with
// how many of their first parameters are such indexes.
struct ObjectReferences {
    quint16 function;
    int indexes;
};

constexpr std::array<ObjectReferences, 8> kObjectReferences{{
    {SelectObject, 1},
    {0x01F0, 1},  // DELETEOBJECT
    {0x0234, 1},  // SELECTPALETTE
    {0x012C, 1},  // SELECTCLIPREGION
    {0x012A, 1},  // INVERTREGION
    {0x012B, 1},  // PAINTREGION
    {0x0228, 2},  // FILLREGION: region and brush
    {0x0429, 2},  // FRAMEREGION: region and brush
}};

int objectIndexesOf(quint16 function)
{
    for (const ObjectReferences& references : kObjectReferences) {
        if (references.function == function)
            return references.indexes;
    }
    return 0;
}

// The state libwmf resets when it saves the device context.
constexpr std::array<quint16, 8> kResetOnSave{
    0x0201,  // SETBKCOLOR
    0x0209,  // SETTEXTCOLOR
    0x0102,  // SETBKMODE
    0x0106,  // SETPOLYFILLMODE
    0x0104,  // SETROP2
    0x012E,  // SETTEXTALIGN
    0x0108,  // SETTEXTCHAREXTRA
    0x020A,  // SETTEXTJUSTIFICATION
};

bool isResetOnSave(quint16 function)
{
    return std::find(kResetOnSave.begin(), kResetOnSave.end(), function) != kResetOnSave.end();
}

QByteArray makeRecord(quint16 function, const QList<quint16>& parameters)
{
    QByteArray bytes(2 * (WmfParameters::kRecordHeaderWords + parameters.size()), '\0');
    auto* out = reinterpret_cast<uchar*>(bytes.data());
    qToLittleEndian<quint32>(quint32(WmfParameters::kRecordHeaderWords + parameters.size()), out);
    qToLittleEndian<quint16>(function, out + 4);
    for (qsizetype i = 0; i < parameters.size(); ++i)
        qToLittleEndian<quint16>(parameters[i], out + 6 + 2 * i);
    return bytes;
}

// libwmf reads a region scan by scan and needs the counts on both ends of
// each scan to match.
bool libwmfReadsRegion(const WmfParameters& p)
{
    constexpr quint32 kFirstScan = 11;
    constexpr quint32 kScanCount = 5;
    if (p.count() < kFirstScan)
        return false;
    quint64 position = kFirstScan;
    for (quint32 scan = 0; scan < p[kScanCount]; ++scan) {
        if (position >= p.count())
            return false;
        const quint16 count = p[quint32(position)];
        const quint64 closing = position + count + 3;
        if (count % 2 != 0 || closing >= p.count() || p[quint32(closing)] != count)
            return false;
        position = closing + 1;
    }
    return true;
}

QByteArray emptyRegion()
{
    return makeRecord(CreateRegion, {0, 6, 0, 0, 22, 0, 0, 0, 0, 0, 0});
}

// The record with its object indexes moved up by one, past the default
// brush; an index outside the file's table stays outside.
QByteArray withIndexesAfterDefaultBrush(const QByteArray& record, int indexes, quint16 fileObjects)
{
    QByteArray moved = record;
    auto* out = reinterpret_cast<uchar*>(moved.data());
    const WmfParameters parameters(record);
    for (quint32 i = 0; i < quint32(indexes) && i < parameters.count(); ++i) {
        const quint16 index = parameters[i];
        qToLittleEndian<quint16>(index < fileObjects ? quint16(index + 1) : quint16(0xFFFF),
                                 out + 6 + 2 * i);
    }
    return moved;
}

class RecordStream {
public:
    // With `fileObjects` set, a white solid brush is selected first and the
    // file's objects come after it in the table.
    explicit RecordStream(std::optional<quint16> fileObjects) : m_fileObjects(fileObjects)
    {
        if (!m_fileObjects)
            return;
        // BS_SOLID, white, no hatch.
        append(makeRecord(CreateBrushIndirect, {0, 0xFFFF, 0x00FF, 0}));
        append(makeRecord(SelectObject, {0}));
    }

    void add(const WmfFile::Record& record)
    {
        const int indexes = objectIndexesOf(record.function);
        if (m_fileObjects && indexes > 0) {
            append(withIndexesAfterDefaultBrush(record.bytes, indexes, *m_fileObjects));
            return;
        }
        switch (record.function) {
        case CreateRegion:
            append(libwmfReadsRegion(WmfParameters(record.bytes)) ? record.bytes : emptyRegion());
            break;
        case SaveDc:
            append(record.bytes);
            m_saved.append(m_state);
            for (const QByteArray& setting : std::as_const(m_state))
                append(setting);
            break;
        case RestoreDc:
            append(record.bytes);
            restore(WmfParameters(record.bytes).signedAt(0));
            break;
        default:
            if (isResetOnSave(record.function))
                m_state.insert(record.function, record.bytes);
            append(record.bytes);
        }
    }

    void finish() { append(makeRecord(EndOfFile, {})); }

    const QByteArray& bytes() const { return m_bytes; }
    quint32 largestRecordWords() const { return m_largest; }

private:
    void append(const QByteArray& record)
    {
        m_bytes += record;
        m_largest = qMax(m_largest, quint32(record.size() / 2));
    }

    // A negative level counts back from the newest save; a positive one
    // names the save to return to.
    void restore(qint16 level)
    {
        const qsizetype keep = level < 0 ? m_saved.size() + level : level - 1;
        if (keep < 0 || keep >= m_saved.size())
            return;
        m_state = m_saved[keep];
        m_saved.resize(keep);
    }

    std::optional<quint16> m_fileObjects;
    QByteArray m_bytes;
    quint32 m_largest = 0;
    QMap<quint16, QByteArray> m_state;
    QList<QMap<quint16, QByteArray>> m_saved;
};

QByteArray withChecksum(QByteArray placeable)
{
    auto* p = reinterpret_cast<uchar*>(placeable.data());
    quint16 checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= qFromLittleEndian<quint16>(p + 2 * i);
    qToLittleEndian<quint16>(checksum, p + 20);
    return placeable;
}

}  // namespace

QByteArray libwmfInput(const WmfFile& file)
{
    QByteArray header = file.standardHeader();
    auto* out = reinterpret_cast<uchar*>(header.data());
    const quint16 fileObjects = qFromLittleEndian<quint16>(out + kObjectCountAt);
    const bool roomForBrush = fileObjects < 0xFFFF;
    RecordStream stream(roomForBrush ? std::optional<quint16>(fileObjects) : std::nullopt);
    for (const WmfFile::Record& record : file.records())
        stream.add(record);
    stream.finish();

    if (roomForBrush)
        qToLittleEndian<quint16>(quint16(fileObjects + 1), out + kObjectCountAt);
    qToLittleEndian<quint32>(quint32((header.size() + stream.bytes().size()) / 2), out + 6);
    qToLittleEndian<quint32>(stream.largestRecordWords(), out + 12);

    const QByteArray placeable
        = file.placeableHeader().isEmpty() ? QByteArray() : withChecksum(file.placeableHeader());
    return placeable + header + stream.bytes();
}
