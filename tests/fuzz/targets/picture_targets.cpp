#include "platform/pictures/bitmap_decoders.h"
#include "platform/pictures/jpeg_decoder.h"
#include "platform/pictures/picture_loader.h"
#include "targets.h"

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

// The pixels the first frame header declares, or 0.
qint64 declaredJpegPixels(QByteArrayView data)
{
    for (qsizetype at = 0; at + 9 <= data.size(); ++at) {
        const uchar marker = uchar(data[at + 1]);
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8
            && marker != 0xCC;
        if (uchar(data[at]) == 0xFF && frame) {
            const auto word
                = [&](qsizetype i) { return (uchar(data[i]) << 8) | uchar(data[i + 1]); };
            return qint64(word(at + 5)) * word(at + 7);
        }
    }
    return 0;
}

// Pictures this large but within the limit only make libjpeg work for
// seconds, which the fuzzer would spend there instead of on the decoder's
// own paths; larger ones still go in, to be refused.
bool isSlowButAllowed(QByteArrayView data)
{
    constexpr qint64 kFuzzPixels = 4LL * 1024 * 1024;
    const qint64 pixels = declaredJpegPixels(data);
    return pixels > kFuzzPixels && pixels * 3 <= kPictureMemoryLimit;
}

}  // namespace

namespace fuzz {

// The last byte chooses whether partial pictures are wanted: libjpeg ignores
// bytes after the end marker, so the fuzzer can reach both decoding modes.
void jpeg(QByteArrayView data)
{
    if (isSlowButAllowed(data))
        return;
    const bool partials = !data.isEmpty() && (data.back() & 1);
    // A slot decodes at a small scale, a print at a larger one.
    const QSize atLeast = !data.isEmpty() && (data.back() & 2) ? QSize(40, 30) : QSize();
    int partialCount = 0;
    const PartialPictureCallback showPartial = [&](const QImage& partial) {
        checkImage(partial);
        ++partialCount;
    };
    try {
        const QImage image
            = decodeJpeg(copyOf(data), partials ? showPartial : PartialPictureCallback(), atLeast)
                  .image;
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
