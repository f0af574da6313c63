#include "platform/metafiles/libwmf_input.h"

#include "platform/metafiles/wmf_file.h"
#include "platform/metafiles/wmf_parameters.h"

#include <QList>
#include <QMap>
#include <QtEndian>

#include <array>

namespace {

enum Function : quint16 {
    EndOfFile = 0x0000,
    SaveDc = 0x001E,
    RestoreDc = 0x0127,
    CreateRegion = 0x06FF,
};

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

class RecordStream {
public:
    void add(const WmfFile::Record& record)
    {
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
    RecordStream stream;
    for (const WmfFile::Record& record : file.records())
        stream.add(record);
    stream.finish();

    QByteArray header = file.standardHeader();
    auto* out = reinterpret_cast<uchar*>(header.data());
    qToLittleEndian<quint32>(quint32((header.size() + stream.bytes().size()) / 2), out + 6);
    qToLittleEndian<quint32>(stream.largestRecordWords(), out + 12);

    const QByteArray placeable = file.placeableHeader().isEmpty() ? QByteArray() : withChecksum(file.placeableHeader());
    return placeable + header + stream.bytes();
}
