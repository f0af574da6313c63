#include "settings/stock_outlines.h"

#include <QPainter>

#include <array>

namespace {

enum class Shape { Frame, Disc };
enum class Folds { None, Spines, Middle };

struct OutlineSpec {
    StockOutline id;
    QSize size;
    Shape shape;
    bool framed;  // black lines; light grey otherwise
    Folds folds;
};

// clang-format off
const OutlineSpec kOutlines[] = {
    {StockOutline::FrontPlain,   {65, 65},  Shape::Frame, false, Folds::None},
    {StockOutline::FrontFramed,  {65, 65},  Shape::Frame, true,  Folds::None},
    {StockOutline::BackPlain,    {69, 65},  Shape::Frame, false, Folds::None},
    {StockOutline::BackFramed,   {69, 65},  Shape::Frame, true,  Folds::None},
    {StockOutline::BackFolded,   {69, 65},  Shape::Frame, true,  Folds::Spines},
    {StockOutline::DoublePlain,  {113, 65}, Shape::Frame, false, Folds::None},
    {StockOutline::DoubleFramed, {113, 65}, Shape::Frame, true,  Folds::None},
    {StockOutline::DoubleFolded, {113, 65}, Shape::Frame, true,  Folds::Middle},
    {StockOutline::Disc,         {65, 65},  Shape::Disc,  true,  Folds::None},
    {StockOutline::DvdPlain,     {136, 92}, Shape::Frame, false, Folds::None},
    {StockOutline::DvdFramed,    {136, 92}, Shape::Frame, true,  Folds::None},
    {StockOutline::VhsPlain,     {136, 92}, Shape::Frame, false, Folds::None},
    {StockOutline::VhsFramed,    {136, 92}, Shape::Frame, true,  Folds::None},
};
// clang-format on

constexpr int kOutlineCount = int(std::size(kOutlines));

// Distance of a spine's fold line from the back page's edge, in pixels.
constexpr int kSpineFold = 3;

QPen linePen(const QColor& colour)
{
    return QPen(colour, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

// A line through the centres of whole pixels, so that it inks exactly one
// column without anti-aliasing.
void drawColumn(QPainter& painter, int x, int height)
{
    painter.drawLine(QPointF(x + 0.5, 0.5), QPointF(x + 0.5, height - 0.5));
}

QImage drawOutline(const OutlineSpec& item)
{
    if (item.shape == Shape::Disc)
        return withDiscCircle(QImage(), item.size);

    QImage canvas(item.size, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.setPen(linePen(item.framed ? QColor(Qt::black) : plainOutlineColour()));
    const int width = item.size.width();
    const int height = item.size.height();
    painter.drawRect(QRectF(0.5, 0.5, width - 1, height - 1));
    switch (item.folds) {
    case Folds::Spines:
        drawColumn(painter, kSpineFold, height);
        drawColumn(painter, width - 1 - kSpineFold, height);
        break;
    case Folds::Middle: drawColumn(painter, width / 2, height); break;
    case Folds::None: break;
    }
    return canvas;
}

const std::array<Picture, kOutlineCount>& allOutlines()
{
    static const std::array<Picture, kOutlineCount> outlines = [] {
        std::array<Picture, kOutlineCount> made;
        for (const OutlineSpec& item : kOutlines)
            made[size_t(item.id)] = Picture::fromImage(drawOutline(item));
        return made;
    }();
    return outlines;
}

}  // namespace

Picture stockOutline(StockOutline outline)
{
    return allOutlines()[size_t(outline)];
}

QColor plainOutlineColour()
{
    return QColor(192, 192, 192);
}

QImage withDiscCircle(const QImage& canvas, const QSize& size)
{
    QImage result;
    if (canvas.isNull()) {
        result = QImage(size, QImage::Format_RGB32);
        result.fill(Qt::white);
    } else {
        result = canvas.convertToFormat(QImage::Format_RGB32);
    }
    QPainter painter(&result);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRect(0, 0, size.width() - 1, size.height() - 1));
    return result;
}
