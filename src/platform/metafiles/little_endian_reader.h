#pragma once

#include <QByteArrayView>
#include <QtEndian>

// Bounds-checked little-endian reads from a byte buffer. Every read checks
// `has()` first or accepts a zero for bytes past the end.
class LittleEndianReader {
public:
    explicit LittleEndianReader(QByteArrayView data) : m_data(data) { }

    qsizetype size() const { return m_data.size(); }

    bool has(quint64 offset, quint64 length) const
    {
        return offset <= quint64(m_data.size()) && length <= quint64(m_data.size()) - offset;
    }

    quint16 u16(quint64 offset) const
    {
        return has(offset, 2) ? qFromLittleEndian<quint16>(at(offset)) : 0;
    }
    qint16 i16(quint64 offset) const { return qint16(u16(offset)); }
    quint32 u32(quint64 offset) const
    {
        return has(offset, 4) ? qFromLittleEndian<quint32>(at(offset)) : 0;
    }
    qint32 i32(quint64 offset) const { return qint32(u32(offset)); }

private:
    const uchar* at(quint64 offset) const
    {
        return reinterpret_cast<const uchar*>(m_data.data()) + offset;
    }

    QByteArrayView m_data;
};
