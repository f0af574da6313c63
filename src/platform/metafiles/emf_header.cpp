#include "platform/metafiles/emf_header.h"

#include "platform/metafiles/invalid_metafile_error.h"
#include "platform/metafiles/little_endian_reader.h"

#include <QtMath>

namespace {

constexpr quint32 kHeaderRecordType = 1;
constexpr quint32 kSignature = 0x464D4520;  // " EMF"
constexpr quint32 kBaseHeaderSize = 88;
constexpr quint32 kHeaderSizeWithMicrometres = 108;
constexpr double kHundredthsMmPerInch = 2540.0;

void require(bool condition, const char* reason)
{
    if (!condition)
        throw InvalidMetafileError(reason);
}

QRect rectAt(const LittleEndianReader& in, quint64 offset)
{
    return QRect(QPoint(in.i32(offset), in.i32(offset + 4)),
                 QPoint(in.i32(offset + 8), in.i32(offset + 12)));
}

// Some writers leave the micrometre fields as garbage; trust them only when
// they agree with the millimetres.
QSizeF referenceSizeInMm(const LittleEndianReader& in, quint32 headerSize)
{
    const QSizeF millimetres(in.i32(80), in.i32(84));
    if (headerSize < kHeaderSizeWithMicrometres)
        return millimetres;
    const QSizeF micrometres(in.i32(100) / 1000.0, in.i32(104) / 1000.0);
    const bool agrees = qAbs(micrometres.width() - millimetres.width()) < 1.0
        && qAbs(micrometres.height() - millimetres.height()) < 1.0;
    return agrees ? micrometres : millimetres;
}

}  // namespace

EmfHeader EmfHeader::read(const QByteArray& data)
{
    const LittleEndianReader in(data);
    require(in.has(0, kBaseHeaderSize), "EMF: file shorter than its header");
    require(in.u32(0) == kHeaderRecordType, "EMF: no header record");
    require(in.u32(40) == kSignature, "EMF: bad signature");

    EmfHeader header;
    header.headerSize = in.u32(4);
    header.fileSize = in.u32(48);
    header.handleCount = in.u16(56);
    header.bounds = rectAt(in, 8);
    header.frame = rectAt(in, 24);
    require(header.headerSize >= kBaseHeaderSize && header.headerSize % 4 == 0,
            "EMF: bad header size");
    require(header.headerSize <= header.fileSize, "EMF: header larger than the file");
    require(header.fileSize <= quint64(data.size()), "EMF: file truncated");
    require(header.handleCount >= 1, "EMF: no handle table");
    require(header.frame.right() > header.frame.left()
                && header.frame.bottom() > header.frame.top(),
            "EMF: empty frame");

    const quint32 descriptionLength = in.u32(60);
    const quint32 descriptionOffset = in.u32(64);
    if (descriptionLength > 0) {
        require(descriptionOffset >= kBaseHeaderSize
                    && quint64(descriptionOffset) + 2ull * descriptionLength <= header.headerSize,
                "EMF: description outside the header");
    }

    const QSizeF devicePixels(in.i32(72), in.i32(76));
    const QSizeF millimetres = referenceSizeInMm(in, header.headerSize);
    require(devicePixels.width() > 0 && devicePixels.height() > 0 && millimetres.width() > 0
                && millimetres.height() > 0,
            "EMF: bad reference device");
    header.pixelsPerMillimetre = QSizeF(devicePixels.width() / millimetres.width(),
                                        devicePixels.height() / millimetres.height());
    return header;
}

QSize EmfHeader::sizeAt96Dpi() const
{
    const double width = (qint64(frame.right()) - frame.left()) * 96.0 / kHundredthsMmPerInch;
    const double height = (qint64(frame.bottom()) - frame.top()) * 96.0 / kHundredthsMmPerInch;
    return QSize(qMax(1, qRound(width)), qMax(1, qRound(height)));
}

QRectF EmfHeader::frameInDevicePixels() const
{
    const double sx = pixelsPerMillimetre.width() / 100.0;
    const double sy = pixelsPerMillimetre.height() / 100.0;
    return QRectF(QPointF(frame.left() * sx, frame.top() * sy),
                  QPointF(frame.right() * sx, frame.bottom() * sy));
}

QRectF EmfHeader::frameRelativeToBounds() const
{
    // In floating point: the bounds may lie anywhere in the 32-bit range.
    return frameInDevicePixels().translated(-QPointF(bounds.topLeft()));
}
