#include "platform/pictures/image_memory.h"

#include <cstdlib>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace {

constexpr qsizetype kHugePageSize = 2 * 1024 * 1024;

void releasePixels(void* pixels)
{
    std::free(pixels);
}

}  // namespace

QImage allocateImage(int width, int height, QImage::Format format)
{
    const qsizetype bytesPerLine
        = (qsizetype(width) * QImage::toPixelFormat(format).bitsPerPixel() + 31) / 32 * 4;
    const qsizetype bytes = bytesPerLine * height;
#ifdef MADV_HUGEPAGE
    if (bytes >= 4 * kHugePageSize) {
        const qsizetype rounded = (bytes + kHugePageSize - 1) / kHugePageSize * kHugePageSize;
        void* pixels = std::aligned_alloc(kHugePageSize, size_t(rounded));
        if (!pixels)
            return {};
        madvise(pixels, size_t(rounded), MADV_HUGEPAGE);
        return QImage(static_cast<uchar*>(pixels), width, height, bytesPerLine, format,
                      releasePixels, pixels);
    }
#endif
    return QImage(width, height, format);
}
