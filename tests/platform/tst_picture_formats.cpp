// The formats beyond JPEG, BMP, ICO and the metafiles, made here with the
// tools users' pictures come from (ImageMagick, cwebp, heif-enc, exiftool,
// Qt's PDF writer, SVG as text): each loads with its size and its colours,
// a turned photo comes upright, and a placement draws the part it says.
#include "platform/helper_pictures/picture_helper.h"
#include "platform/pictures/picture_loader.h"
#include "support/format_pictures.h"
#include "support/test_env.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using testenv::colourName;
using testenv::kUpright;
using testenv::quadrantColours;

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
    void pdfPageOnALargeItemIsDrawn();
    void helperEndsAPdfThatHangs();

private:
    QString file(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

void PictureFormatsTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    testenv::writeFormatPictures(m_dir.path());
}

void PictureFormatsTest::formatsLoadWithSizeAndColours_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QStringList>("colours");
    // Through Qt's readers: kept as the file and a small copy for a panel.
    QTest::addColumn<bool>("keptSmall");
    const QStringList withAlpha = {"red", "none", "blue", "yellow"};
    for (const char* name : {"q.png", "q.gif", "q.tif", "q.webp", "webp-named.png"})
        QTest::newRow(name) << file(QLatin1String(name)) << QSize(60, 40) << kUpright << true;
    for (const char* name : {"q.heic", "q.avif", "q.svg", "q.pdf"})
        QTest::newRow(name) << file(QLatin1String(name)) << QSize(60, 40) << kUpright << false;
    QTest::newRow("alpha.png") << file("alpha.png") << QSize(60, 40) << withAlpha << true;
    QTest::newRow("alpha.heic") << file("alpha.heic") << QSize(60, 40) << withAlpha << false;
    QTest::newRow("real-world png")
        << testenv::dataFile("pictures/valid/png/imagemagick_elephants_200x150.png")
        << QSize(200, 150) << QStringList() << true;
}

void PictureFormatsTest::formatsLoadWithSizeAndColours()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QFETCH(QStringList, colours);
    QFETCH(bool, keptSmall);
    const Picture picture = loadPicture(path);
    QCOMPARE(picture.size(), size);
    if (!colours.isEmpty())
        QCOMPARE(quadrantColours(picture.rendered(QSize(60, 40))), colours);

    // Loaded for a small panel: the same picture, whole wherever more than
    // the panel's pixels are asked for.
    const Picture small = loadPicture(path, {}, QSize(16, 16));
    QCOMPARE(small.size(), size);
    QCOMPARE(small.holdsPixelsFor(size), !keptSmall);
    QCOMPARE(small.image(), picture.image());
    if (!colours.isEmpty())
        QCOMPARE(quadrantColours(small.rendered(QSize(24, 16))), colours);
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
    const Picture small = loadPicture(path, {}, QSize(16, 16));
    QCOMPARE(quadrantColours(small.rendered(QSize(24, 16))), kUpright);
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
        << "huge.svg"
        << QByteArray(
               R"(<svg xmlns="http://www.w3.org/2000/svg" width="100000000" height="100000000"/>)");
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
    QTest::newRow("turned left, fitted")
        << int(PictureFit::Fit) << 3 << QSize(40, 60)
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
        QCOMPARE(colourName(square.pixel(2, 2)),
                 QStringLiteral("red"));  // covered, the sides cut off
}

// Pixels of the middle row between `from` and `to` darker than `grey`.
int darkerThan(const QImage& image, int from, int to, int grey)
{
    int count = 0;
    for (int x = from; x < to; ++x)
        count += qGray(image.pixel(x, image.height() / 2)) < grey;
    return count;
}

// A PDF page drawn on a 600-dpi device is rendered for that device: a
// 0.3-point line comes out 2.5 device pixels wide and black, an edge goes
// from black to white within two pixels. The page as a 96-dpi bitmap blown
// up would make the line a grey band of six pixels and the edge a ramp.
void PictureFormatsTest::pdfPageIsDrawnAtTheDeviceResolution()
{
    {
        QPdfWriter pdf(file("line.pdf"));
        pdf.setPageSize(QPageSize(QSizeF(45, 30), QPageSize::Point));
        pdf.setPageMargins({});
        pdf.setResolution(72);
        QPainter painter(&pdf);
        painter.setPen(QPen(Qt::black, 0.3));
        painter.drawLine(QPointF(20, 0), QPointF(20, 30));
        painter.fillRect(QRectF(30.5, 0, 14.5, 30), Qt::black);
    }
    const Picture picture = loadPicture(file("line.pdf"));
    QCOMPARE(picture.size(), QSize(60, 40));
    constexpr qreal kDevicePixelsPerPoint = 600.0 / 72;
    QImage device(QSizeF(QSizeF(45, 30) * kDevicePixelsPerPoint).toSize(), QImage::Format_RGB32);
    device.fill(Qt::white);
    QPainter painter(&device);
    picture.draw(painter, QRectF(device.rect()));
    painter.end();

    const int line = qRound(20 * kDevicePixelsPerPoint);
    const int blackLine = darkerThan(device, line - 12, line + 12, 100);
    QVERIFY2(blackLine >= 1 && blackLine <= 3, qPrintable(QString::number(blackLine)));
    QVERIFY(darkerThan(device, line - 12, line + 12, 240) <= 4);
    const int edge = qRound(30.5 * kDevicePixelsPerPoint);
    QVERIFY(darkerThan(device, edge - 12, edge + 12, 240)
                - darkerThan(device, edge - 12, edge + 12, 16)
            <= 2);
}

// A page drawn over more device pixels than one rendering may take (a large
// cover at 1200 dpi) is rendered at fewer pixels, never left blank.
void PictureFormatsTest::pdfPageOnALargeItemIsDrawn()
{
    const Picture picture = loadPicture(file("q.pdf"));
    QImage corner(90, 60, QImage::Format_RGB32);
    corner.fill(Qt::white);
    QPainter painter(&corner);
    painter.scale(150, 150);  // the page covers 13500 x 9000 device pixels
    picture.draw(painter, QRectF(0, 0, 90, 60));
    painter.end();
    QCOMPARE(colourName(corner.pixel(45, 30)), QStringLiteral("red"));
}

// Qt PDF loops for ever on a page tree that lists itself as its own page (a
// one-byte change found by fuzzing); the picture helper's time limit ends
// it, and the file is refused.
void PictureFormatsTest::helperEndsAPdfThatHangs()
{
    QFile pdf(testenv::dataFile("pictures/helper_limits/qtpdf_page_tree_loop.pdf"));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    MetafileHelperLimits limits;
    limits.timeout = std::chrono::seconds(2);
    QElapsedTimer clock;
    clock.start();
    QVERIFY_THROWS_EXCEPTION(
        InvalidPictureError,
        PictureHelper(PictureHelper::locate(), limits).pdfPageSize(pdf.readAll()));
    QVERIFY(clock.elapsed() < 10000);
}

SLEEVIX_TEST_MAIN(PictureFormatsTest)
#include "tst_picture_formats.moc"
