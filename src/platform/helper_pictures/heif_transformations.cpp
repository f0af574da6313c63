#include "platform/helper_pictures/heif_transformations.h"

#include <QtEndian>

#include <optional>

namespace {

struct Box {
    QByteArrayView type;
    QByteArrayView content;
};

// The box at the start of `data`, and how many bytes it takes.
std::optional<std::pair<Box, qsizetype>> boxAt(QByteArrayView data)
{
    if (data.size() < 8)
        return std::nullopt;
    const quint64 declared = qFromBigEndian<quint32>(data.data());
    qsizetype header = 8;
    quint64 size = declared;
    if (declared == 1) {  // a 64-bit size follows the type
        if (data.size() < 16)
            return std::nullopt;
        size = qFromBigEndian<quint64>(data.data() + 8);
        header = 16;
    } else if (declared == 0) {  // up to the end
        size = quint64(data.size());
    }
    if (size < quint64(header) || size > quint64(data.size()))
        return std::nullopt;
    return std::pair{Box{data.sliced(4, 4), data.sliced(header, qsizetype(size) - header)},
                     qsizetype(size)};
}

// The content of the first child box of `type`.
std::optional<QByteArrayView> child(QByteArrayView data, QByteArrayView type)
{
    while (const auto box = boxAt(data)) {
        if (box->first.type == type)
            return box->first.content;
        data = data.sliced(box->second);
    }
    return std::nullopt;
}

}  // namespace

bool heifHasTransformations(QByteArrayView file)
{
    const std::optional<QByteArrayView> meta = child(file, "meta");
    if (!meta || meta->size() < 4)
        return false;
    const std::optional<QByteArrayView> properties
        = child(meta->sliced(4), "iprp");  // after version and flags
    const std::optional<QByteArrayView> container
        = properties ? child(*properties, "ipco") : std::nullopt;
    return container && (child(*container, "irot") || child(*container, "imir"));
}
