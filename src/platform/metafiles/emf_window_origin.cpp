#include "platform/metafiles/emf_window_origin.h"

#include "platform/metafiles/emf_header.h"
#include "platform/metafiles/little_endian_reader.h"

#include <QSet>

namespace {

constexpr quint32 kSetWindowOrg = 10;
constexpr quint32 kSetMapMode = 17;
constexpr quint32 kTextMapMode = 1;
constexpr quint32 kEndOfFile = 14;

// Records that set state, manage objects or comment; any other draws.
const QSet<quint32>& stateRecords()
{
    static const QSet<quint32> types{
        1,  9,  10, 11, 12, 13, 16, 17, 18, 19, 20, 21, 22, 23,  24,  25,  26,  27,  28,
        29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 48, 49,  50,  51,  52,  57,  58,
        59, 60, 61, 67, 68, 70, 75, 82, 93, 94, 95, 98, 99, 100, 101, 115, 119, 120, 122};
    return types;
}

}  // namespace

QPointF emfTextModeWindowOrigin(const QByteArray& data, const EmfHeader& header)
{
    const LittleEndianReader in(data);
    quint32 mapMode = kTextMapMode;
    QPointF origin;
    quint64 offset = 0;
    while (offset + 8 <= header.fileSize) {
        const quint32 type = in.u32(offset);
        const quint32 size = in.u32(offset + 4);
        if (type == kEndOfFile || size < 8 || !stateRecords().contains(type))
            break;
        if (type == kSetMapMode)
            mapMode = in.u32(offset + 8);
        else if (type == kSetWindowOrg)
            origin = QPointF(in.i32(offset + 8), in.i32(offset + 12));
        offset += size;
    }
    return mapMode == kTextMapMode ? origin : QPointF();
}
