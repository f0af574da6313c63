#pragma once

#include "platform/metafiles/little_endian_reader.h"

#include <QByteArray>

// The 16-bit parameter words of one whole WMF record (size and function
// first, then the parameters).
class WmfParameters {
public:
    static constexpr quint32 kRecordHeaderWords = 3;

    explicit WmfParameters(const QByteArray& record)
        : m_in(record), m_count(quint32(record.size() / 2) - kRecordHeaderWords)
    { }

    quint32 count() const { return m_count; }
    quint16 operator[](quint32 index) const { return m_in.u16(6 + 2ull * index); }
    qint16 signedAt(quint32 index) const { return m_in.i16(6 + 2ull * index); }

private:
    LittleEndianReader m_in;
    quint32 m_count;
};
