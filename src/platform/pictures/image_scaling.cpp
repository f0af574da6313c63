#include "platform/pictures/image_scaling.h"

#include <cstring>
#include <vector>

namespace {

// Two samples per target pixel and direction is as fine as a picture of
// the views' own order of size gets anyway.
constexpr int kSamplesPerPixel = 2;

// The source pixel that target pixel `index` of `count` takes: evenly
// spread, first and last included, so that the corner pixels stay exactly
// as they are (the colour key of a transparent picture is a corner pixel).
int sourceIndex(int index, int count, int sourceCount)
{
    return count > 1 ? int(qint64(index) * (sourceCount - 1) / (count - 1)) : 0;
}

template <int Bytes>
void sampleRow(const uchar* source, uchar* target, const std::vector<int>& columns)
{
    for (int column : columns) {
        std::memcpy(target, source + qsizetype(column) * Bytes, Bytes);
        target += Bytes;
    }
}

using RowSampler = void (*)(const uchar*, uchar*, const std::vector<int>&);

RowSampler rowSamplerFor(int depth)
{
    switch (depth) {
    case 8: return sampleRow<1>;
    case 16: return sampleRow<2>;
    case 24: return sampleRow<3>;
    case 32: return sampleRow<4>;
    case 64: return sampleRow<8>;
    }
    return nullptr;
}

// Nearest-pixel sampling, written out: QImage::scaled() draws through a
// painter for most formats and takes ten times as long.
QImage sampled(const QImage& image, const QSize& size)
{
    const RowSampler sampleRowOf = rowSamplerFor(image.depth());
    if (!sampleRowOf)
        return image.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QImage result(size, image.format());
    if (result.isNull())
        return result;
    result.setColorTable(image.colorTable());
    std::vector<int> columns(size_t(size.width()));
    for (int x = 0; x < size.width(); ++x)
        columns[size_t(x)] = sourceIndex(x, size.width(), image.width());
    for (int y = 0; y < size.height(); ++y)
        sampleRowOf(image.constScanLine(sourceIndex(y, size.height(), image.height())),
                    result.scanLine(y), columns);
    return result;
}

}  // namespace

QImage sampledForScaling(const QImage& image, const QSize& target)
{
    const QSize enough = (target * kSamplesPerPixel).boundedTo(image.size());
    if (enough == image.size() || enough.isEmpty())
        return image;
    return sampled(image, enough);
}
