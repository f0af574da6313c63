#include "support/format_pictures.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>

#include <climits>

namespace testenv {
namespace {

const QColor kTopLeft = Qt::red, kTopRight = Qt::green, kBottomLeft = Qt::blue,
             kBottomRight = Qt::yellow;

void run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0)
        qFatal("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
}

void paintQuadrants(QPainter& painter, QSizeF size, bool alpha)
{
    const qreal w = size.width() / 2;
    const qreal h = size.height() / 2;
    painter.fillRect(QRectF(0, 0, w, h), kTopLeft);
    painter.fillRect(QRectF(w, 0, w, h), alpha ? QColor(Qt::transparent) : kTopRight);
    painter.fillRect(QRectF(0, h, w, h), kBottomLeft);
    painter.fillRect(QRectF(w, h, w, h), kBottomRight);
}

void writeQuadrants(const QString& path, QSize size, bool alpha = false)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    paintQuadrants(painter, size, alpha);
    painter.end();
    if (!image.save(path))
        qFatal("cannot write %s", qPrintable(path));
}

}  // namespace

const QStringList kUpright = {"red", "green", "blue", "yellow"};

void writeFormatPictures(const QString& folder)
{
    const QDir dir(folder);
    const auto path = [&dir](const char* name) { return dir.filePath(QLatin1String(name)); };
    writeQuadrants(path("q.png"), {60, 40});
    writeQuadrants(path("alpha.png"), {60, 40}, true);
    writeQuadrants(path("square.png"), {40, 40});
    run("convert", {path("q.png"), path("q.gif")});
    run("convert", {path("q.png"), "-compress", "lzw", path("q.tif")});
    run("cwebp", {"-quiet", "-lossless", path("q.png"), "-o", path("q.webp")});
    run("heif-enc", {"-q", "95", path("q.png"), "-o", path("q.heic")});
    run("heif-enc", {"-q", "95", path("alpha.png"), "-o", path("alpha.heic")});
    // Debian 12's AV1 encoder asserts on 4:2:0 and 4:4:4 input.
    run("heif-enc", {"-A", "-p", "chroma=422", "-q", "95", path("q.png"), "-o", path("q.avif")});
    QFile::copy(path("q.webp"), path("webp-named.png"));
    QFile svg(path("q.svg"));
    if (!svg.open(QIODevice::WriteOnly))
        qFatal("cannot write q.svg");
    svg.write(R"(<svg xmlns="http://www.w3.org/2000/svg" width="60" height="40">
<rect width="30" height="20" fill="#f00"/><rect x="30" width="30" height="20" fill="#0f0"/>
<rect y="20" width="30" height="20" fill="#00f"/><rect x="30" y="20" width="30" height="20" fill="#ff0"/></svg>)");
    svg.close();
    {
        QPdfWriter pdf(path("q.pdf"));
        pdf.setPageSize(QPageSize(QSizeF(45, 30), QPageSize::Point));
        pdf.setPageMargins({});
        pdf.setResolution(72);
        QPainter painter(&pdf);
        paintQuadrants(painter, {45, 30}, false);
    }
    run("convert", {path("q.png"), "-rotate", "-90", "-quality", "95", path("lying.jpg")});
    run("exiftool", {"-q", "-overwrite_original", "-Orientation=6", "-n", path("lying.jpg")});
    run("cwebp",
        {"-quiet", "-q", "95", "-metadata", "exif", path("lying.jpg"), "-o", path("lying.webp")});
    run("heif-enc", {"-q", "95", path("lying.jpg"), "-o", path("lying.heic")});
    run("convert", {path("q.png"), "-rotate", "-90", "-orient", "right-top", path("lying.tif")});
}

QString colourName(QRgb pixel)
{
    if (qAlpha(pixel) < 128)
        return QStringLiteral("none");
    const std::pair<const char*, QColor> known[] = {{"red", kTopLeft},
                                                    {"green", kTopRight},
                                                    {"blue", kBottomLeft},
                                                    {"yellow", kBottomRight},
                                                    {"white", Qt::white}};
    const QColor colour = QColor::fromRgba(qUnpremultiply(pixel));
    const char* nearest = "";
    int best = INT_MAX;
    for (const auto& [name, value] : known) {
        const int distance = std::abs(colour.red() - value.red())
            + std::abs(colour.green() - value.green()) + std::abs(colour.blue() - value.blue());
        if (distance < best) {
            best = distance;
            nearest = name;
        }
    }
    return best < 150 ? QLatin1String(nearest) : QStringLiteral("other");
}

QStringList quadrantColours(const QImage& image, QRectF area)
{
    if (area.isEmpty())
        area = QRectF(image.rect());
    QStringList names;
    for (const QPointF at :
         {QPointF(0.25, 0.25), QPointF(0.75, 0.25), QPointF(0.25, 0.75), QPointF(0.75, 0.75)})
        names << colourName(image.pixel(int(area.left() + at.x() * area.width()),
                                        int(area.top() + at.y() * area.height())));
    return names;
}

}  // namespace testenv
