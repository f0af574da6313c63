// The formats beyond JPEG, BMP, ICO and the metafiles, made here with the
// tools users' pictures come from (ImageMagick, cwebp, heif-enc, exiftool,
// Qt's PDF writer, SVG as text): each loads with its size and its colours,
// a turned photo comes upright, and a placement draws the part it says.
#include "platform/pictures/picture_loader.h"
#include "support/test_env.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The test picture: four quadrants of plain colours.
const QColor kTopLeft = Qt::red, kTopRight = Qt::green, kBottomLeft = Qt::blue, kBottomRight = Qt::yellow;

void run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        qFatal("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
}

// The colour nearest to `pixel` among the quadrants' colours and white; a
// transparent pixel is "none".
QString colourName(QRgb pixel)
{
    if (qAlpha(pixel) < 128)
        return QStringLiteral("none");
    const std::pair<const char*, QColor> known[] = {{"red", kTopLeft},    {"green", kTopRight}, {"blue", kBottomLeft},
                                                    {"yellow", kBottomRight}, {"white", Qt::white}};
    const QColor colour = QColor::fromRgba(qUnpremultiply(pixel));
    const char* nearest = "";
    int best = INT_MAX;
    for (const auto& [name, value] : known) {
        const int distance = std::abs(colour.red() - value.red()) + std::abs(colour.green() - value.green()) +
                             std::abs(colour.blue() - value.blue());
        if (distance < best)
            std::tie(best, nearest) = std::tie(distance, name);
    }
    return best < 150 ? QLatin1String(nearest) : QStringLiteral("other");
}

// The names of the colours at the four quadrants' centres of `image`.
QStringList quadrantColours(const QImage& image)
{
    QStringList names;
    for (const QPointF at : {QPointF(0.25, 0.25), QPointF(0.75, 0.25), QPointF(0.25, 0.75), QPointF(0.75, 0.75)})
        names << colourName(image.pixel(int(at.x() * image.width()), int(at.y() * image.height())));
    return names;
}

const QStringList kUpright = {"red", "green", "blue", "yellow"};

}  // namespace

class PictureFormatsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void formatsLoadWithSizeAndColours_data();
    void formatsLoadWithSizeAndColours();
    void turnedPhotosComeUpright_data();
    void turnedPhotosComeUpright();
    void brokenAndHugeFilesAreInvalid_data();
    void brokenAndHugeFilesAreInvalid();
    void placementDrawsItsPart_data();
    void placementDrawsItsPart();
    void pdfPageIsDrawnAtTheDeviceResolution();

private:
    QString file(const QString& name) const { return m_dir.filePath(name); }
    void writeQuadrants(const QString& name, QSize size, bool alpha = false) const;

    QTemporaryDir m_dir;
};

void PictureFormatsTest::writeQuadrants(const QString& name, QSize size, bool alpha) const
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const int w = size.width() / 2;
    const int h = size.height() / 2;
    painter.fillRect(0, 0, w, h, kTopLeft);
    painter.fillRect(w, 0, w, h, alpha ? QColor(Qt::transparent) : kTopRight);
    painter.fillRect(0, h, w, h, kBottomLeft);
    painter.fillRect(w, h, w, h, kBottomRight);
    painter.end();
    QVERIFY(image.save(file(name)));
}

void PictureFormatsTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    writeQuadrants(QStringLiteral("q.png"), {60, 40});
    writeQuadrants(QStringLiteral("alpha.png"), {60, 40}, true);
    const auto path = [this](const char* name) { return file(QLatin1String(name)); };
    run("convert", {path("q.png"), path("q.gif")});
    run("convert", {path("q.png"), "-compress", "lzw", path("q.tif")});
    run("cwebp", {"-quiet", "-lossless", path("q.png"), "-o", path("q.webp")});
    run("heif-enc", {"-q", "95", path("q.png"), "-o", path("q.heic")});
    run("heif-enc", {"-q", "95", path("alpha.png"), "-o", path("alpha.heic")});
    run("heif-enc", {"-A", "-p", "chroma=422", "-q", "95", path("q.png"), "-o", path("q.avif")});
    QFile::copy(path("q.webp"), path("webp-named.png"));
    QFile svg(path("q.svg"));
    QVERIFY(svg.open(QIODevice::WriteOnly));
    svg.write(R"(<svg xmlns="http://www.w3.org/2000/svg" width="60" height="40">
<rect width="30" height="20" fill="#f00"/><rect x="30" width="30" height="20" fill="#0f0"/>
<rect y="20" width="30" height="20" fill="#00f"/><rect x="30" y="20" width="30" height="20" fill="#ff0"/></svg>)");
    svg.close();
    {
        // 45 x 30 points: 60 x 40 pixels at 96 dpi.
        QPdfWriter pdf(path("q.pdf"));
        pdf.setPageSize(QPageSize(QSizeF(45, 30), QPageSize::Point));
        pdf.setPageMargins({});
        pdf.setResolution(72);
        QPainter painter(&pdf);
        painter.fillRect(QRectF(0, 0, 22.5, 15), kTopLeft);
        painter.fillRect(QRectF(22.5, 0, 22.5, 15), kTopRight);
        painter.fillRect(QRectF(0, 15, 22.5, 15), kBottomLeft);
        painter.fillRect(QRectF(22.5, 15, 22.5, 15), kBottomRight);
    }

    // Photos stored lying on their left side, with the EXIF orientation
    // that turns them upright (6: a quarter turn clockwise).
    run("convert", {path("q.png"), "-rotate", "-90", "-quality", "95", path("lying.jpg")});
    run("exiftool", {"-q", "-overwrite_original", "-Orientation=6", "-n", path("lying.jpg")});
    run("cwebp", {"-quiet", "-q", "95", "-metadata", "exif", path("lying.jpg"), "-o", path("lying.webp")});
    run("heif-enc", {"-q", "95", path("lying.jpg"), "-o", path("lying.heic")});
    run("convert", {path("q.png"), "-rotate", "-90", "-orient", "right-top", path("lying.tif")});
}

void PictureFormatsTest::formatsLoadWithSizeAndColours_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QStringList>("colours");
    const QStringList withAlpha = {"red", "none", "blue", "yellow"};
    for (const char* name : {"q.png", "q.gif", "q.tif", "q.webp", "q.heic", "q.avif", "q.svg", "q.pdf", "webp-named.png"})
        QTest::newRow(name) << file(QLatin1String(name)) << QSize(60, 40) << kUpright;
    QTest::newRow("alpha.png") << file("alpha.png") << QSize(60, 40) << withAlpha;
    QTest::newRow("alpha.heic") << file("alpha.heic") << QSize(60, 40) << withAlpha;
    QTest::newRow("real-world png") << testenv::dataFile("pictures/valid/png/imagemagick_elephants_200x150.png")
                                    << QSize(200, 150) << QStringList();
}

void PictureFormatsTest::formatsLoadWithSizeAndColours()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QFETCH(QStringList, colours);
    const Picture picture = loadPicture(path);
    QCOMPARE(picture.size(), size);
    if (!colours.isEmpty())
        QCOMPARE(quadrantColours(picture.rendered(QSize(60, 40))), colours);
}

void PictureFormatsTest::turnedPhotosComeUpright_data()
{
    QTest::addColumn<QString>("path");
    for (const char* name : {"lying.jpg", "lying.webp", "lying.heic", "lying.tif"})
        QTest::newRow(name) << file(QLatin1String(name));
}

void PictureFormatsTest::turnedPhotosComeUpright()
{
    QFETCH(QString, path);
    const Picture picture = loadPicture(path);
    QCOMPARE(picture.size(), QSize(60, 40));
    QCOMPARE(quadrantColours(picture.rendered(QSize(60, 40))), kUpright);
}

void PictureFormatsTest::brokenAndHugeFilesAreInvalid_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QFile png(file("q.png"));
    QVERIFY(png.open(QIODevice::ReadOnly));
    const QByteArray pngData = png.readAll();
    QByteArray hugePng = pngData.left(33);
    hugePng.replace(16, 8, QByteArray::fromHex("000186a0000186a0"));  // 100000 x 100000
    QTest::newRow("png declaring 100000 x 100000") << "huge.png" << hugePng;
    QTest::newRow("svg declaring 10^8 x 10^8")
        << "huge.svg" << QByteArray(R"(<svg xmlns="http://www.w3.org/2000/svg" width="100000000" height="100000000"/>)");
    QTest::newRow("truncated png") << "cut.png" << pngData.left(pngData.size() / 2);
    QTest::newRow("text named webp") << "text.webp" << QByteArray("not a picture");
    QTest::newRow("text named svg") << "text.svg" << QByteArray("<html>no drawing</html>");
    QTest::newRow("text named heic") << "text.heic" << QByteArray("....ftypheic....");
    QTest::newRow("broken pdf") << "broken.pdf" << QByteArray("%PDF-1.4\n1 0 obj\n<<\n");
    QTest::newRow("png named jpg") << "png.jpg" << pngData;
}

void PictureFormatsTest::brokenAndHugeFilesAreInvalid()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFile out(file(name));
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(content);
    out.close();
    QVERIFY_THROWS_EXCEPTION(InvalidPictureError, loadPicture(out.fileName()));
}

void PictureFormatsTest::placementDrawsItsPart_data()
{
    QTest::addColumn<int>("fit");
    QTest::addColumn<int>("turns");
    QTest::addColumn<QSize>("shownSize");
    QTest::addColumn<QStringList>("colours");  // of a square drawn from the 60 x 40 picture
    QTest::addColumn<QString>("topEdge");      // colour at the top edge, a quarter across
    QTest::newRow("stretch") << int(PictureFit::Stretch) << 0 << QSize(60, 40) << kUpright << "red";
    QTest::newRow("fill") << int(PictureFit::Fill) << 0 << QSize(60, 40) << kUpright << "red";
    QTest::newRow("fit") << int(PictureFit::Fit) << 0 << QSize(60, 40) << kUpright << "none";
    QTest::newRow("turned right") << int(PictureFit::Stretch) << 1 << QSize(40, 60)
                                  << QStringList{"blue", "red", "yellow", "green"} << "blue";
    QTest::newRow("turned left, fitted") << int(PictureFit::Fit) << 3 << QSize(40, 60)
                                         << QStringList{"green", "yellow", "red", "blue"} << "green";
}

void PictureFormatsTest::placementDrawsItsPart()
{
    QFETCH(int, fit);
    QFETCH(int, turns);
    QFETCH(QSize, shownSize);
    QFETCH(QStringList, colours);
    QFETCH(QString, topEdge);
    Picture picture = loadPicture(file("q.png"));
    picture.setPlacement({PictureFit(fit), turns});
    QCOMPARE(picture.size(), shownSize);
    const QImage square = picture.rendered(QSize(80, 80));
    QCOMPARE(quadrantColours(square), colours);
    QCOMPARE(colourName(square.pixel(20, 2)), topEdge);
    if (PictureFit(fit) == PictureFit::Fill)
        QCOMPARE(colourName(square.pixel(2, 2)), QStringLiteral("red"));  // covered, the sides cut off
}

// A 600-dpi rendering of the page is sharp: the colour border is one
// device pixel wide, not a blown-up screen pixel.
void PictureFormatsTest::pdfPageIsDrawnAtTheDeviceResolution()
{
    const Picture picture = loadPicture(file("q.pdf"));
    QCOMPARE(picture.kind(), Picture::Kind::Vector);
    const QImage large = picture.rendered(QSize(600, 400));
    QCOMPARE(colourName(large.pixel(298, 100)), QStringLiteral("red"));
    QCOMPARE(colourName(large.pixel(301, 100)), QStringLiteral("green"));
}

SLEEVIX_TEST_MAIN(PictureFormatsTest)
#include "tst_picture_formats.moc"
