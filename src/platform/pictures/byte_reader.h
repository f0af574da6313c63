#pragma once

#include "platform/pictures/picture_loader.h"

#include <QByteArray>
#include <QtEndian>

// Bounds-checked reads of the integers in a picture file's headers. Reading
// past the end of the data means the file is truncated: InvalidPictureError.
class ByteReader {
public:
    explicit ByteReader(const QByteArray& data) : m_data(data) { }

    qint64 size() const { return m_data.size(); }
    bool contains(qint64 offset, qint64 length) const
    {
        return offset >= 0 && length >= 0 && offset <= size() && length <= size() - offset;
    }
    const uchar* at(qint64 offset, qint64 length) const
    {
        require(offset, length);
        return reinterpret_cast<const uchar*>(m_data.constData()) + offset;
    }

    quint8 u8(qint64 offset) const { return *at(offset, 1); }
    quint16 u16(qint64 offset) const { return qFromLittleEndian<quint16>(at(offset, 2)); }
    quint32 u32(qint64 offset) const { return qFromLittleEndian<quint32>(at(offset, 4)); }
    qint32 i32(qint64 offset) const { return qFromLittleEndian<qint32>(at(offset, 4)); }
    quint32 u32BigEndian(qint64 offset) const { return qFromBigEndian<quint32>(at(offset, 4)); }

    void require(qint64 offset, qint64 length) const
    {
        if (!contains(offset, length))
            throw InvalidPictureError(QStringLiteral("Data ends early"));
    }

private:
    const QByteArray& m_data;
};
