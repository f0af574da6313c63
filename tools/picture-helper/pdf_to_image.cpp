#include "decoders.h"
#include "image_output.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfDocument>

#include <memory>

namespace helper {
namespace {

// The document, loaded from `data`, when it has a page.
std::unique_ptr<QPdfDocument> documentOf(std::string_view data, QBuffer& buffer)
{
    buffer.setData(data.data(), qsizetype(data.size()));
    buffer.open(QIODevice::ReadOnly);
    auto document = std::make_unique<QPdfDocument>();
    document->load(&buffer);
    if (document->status() != QPdfDocument::Status::Ready || document->pageCount() < 1)
        return nullptr;
    return document;
}

}  // namespace

Result pdfPageSize(std::string_view data)
{
    QBuffer buffer;
    const auto document = documentOf(data, buffer);
    if (!document)
        return {};
    const QSizeF points = document->pagePointSize(0);
    if (!(points.width() > 0 && points.height() > 0))
        return {};
    return {std::to_string(points.width()) + " " + std::to_string(points.height())};
}

Result pdfToImage(std::string_view data, int width, int height, std::uint64_t maxBytes)
{
    if (width <= 0 || height <= 0)
        return {};
    if (std::uint64_t(width) * std::uint64_t(height) * 4 > maxBytes)
        return {std::nullopt, Refusal::TooLarge};
    QBuffer buffer;
    const auto document = documentOf(data, buffer);
    if (!document)
        return {};
    const QImage page = document->render(0, QSize(width, height));
    if (page.isNull())
        return {};
    // A page is a sheet of paper: what it leaves blank is white.
    QImage paper(page.size(), QImage::Format_RGBA8888);
    paper.fill(Qt::white);
    QPainter(&paper).drawImage(0, 0, page);
    return {imageOutput(std::uint32_t(paper.width()), std::uint32_t(paper.height()), {},
                        paper.constBits(), std::size_t(paper.bytesPerLine()))};
}

}  // namespace helper
