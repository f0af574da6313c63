#include "targets.h"

#include "platform/bitmap_decoders.h"
#include "platform/jpeg_decoder.h"
#include "platform/picture_loader.h"

#include <new>

namespace {

QByteArray copyOf(QByteArrayView data)
{
    return data.toByteArray();
}

// A decoded picture is exactly as large as it claims and within the limit.
void checkImage(const QImage& image)
{
    FUZZ_CHECK(!image.isNull());
    FUZZ_CHECK(qint64(image.bytesPerLine()) * image.height() <= kPictureMemoryLimit);
}

}  // namespace

namespace fuzz {

// The last byte chooses whether partial pictures are wanted: libjpeg ignores
// bytes after the end marker, so the fuzzer can reach both decoding modes.
void jpeg(QByteArrayView data)
{
    const bool partials = !data.isEmpty() && (data.back() & 1);
    int partialCount = 0;
    const PartialPictureCallback showPartial = [&](const QImage& partial) {
        checkImage(partial);
        ++partialCount;
    };
    try {
        const QImage image = decodeJpeg(copyOf(data), partials ? showPartial : PartialPictureCallback());
        checkImage(image);
        FUZZ_CHECK(image.format() == QImage::Format_RGB888);
    } catch (const InvalidPictureError&) {
    } catch (const std::bad_alloc&) {
    }
}

void bitmap(QByteArrayView data)
{
    const QByteArray bytes = copyOf(data);
    for (QImage (*decode)(const QByteArray&) : {decodeBmp, decodeIco}) {
        try {
            checkImage(decode(bytes));
        } catch (const InvalidPictureError&) {
        }
    }
}

}  // namespace fuzz
