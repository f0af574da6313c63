#include "platform/metafiles/metafile_decoder.h"
#include "platform/metafiles/metafile_helper.h"
#include "support/test_env.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace std::chrono_literals;

namespace {

QByteArray readData(const QString& relative)
{
    QFile file(testenv::dataFile(QStringLiteral("metafile/") + relative));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test file %s", qPrintable(relative));
    return file.readAll();
}

Picture decodeFile(const QString& name)
{
    return decodeMetafile(readData(name), QFileInfo(name).suffix());
}

QRgb pixelAt(const QImage& image, double x, double y)
{
    return image.pixel(int(x * (image.width() - 1)), int(y * (image.height() - 1)));
}

bool isRed(QRgb c)
{
    return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60;
}
bool isWhite(QRgb c)
{
    return qRed(c) > 240 && qGreen(c) > 240 && qBlue(c) > 240;
}
bool isBlack(QRgb c)
{
    return qRed(c) < 40 && qGreen(c) < 40 && qBlue(c) < 40;
}

int blackPixelsIn(const QImage& image, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += isBlack(image.pixel(x, y)) ? 1 : 0;
    }
    return count;
}

QStringList invalidFiles()
{
    return QDir(testenv::dataFile(QStringLiteral("metafile/invalid")))
        .entryList(QDir::Files, QDir::Name);
}

// A stand-in for the helper program: a shell script with the given body.
QString writeFakeHelper(const QTemporaryDir& dir, const QByteArray& body)
{
    const QString path = dir.filePath(QStringLiteral("fake-helper"));
    QFile script(path);
    script.open(QIODevice::WriteOnly);
    script.write("#!/bin/sh\n" + body + "\n");
    script.close();
    script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}

}  // namespace

class TestMetafile : public QObject {
    Q_OBJECT

private slots:
    void storedSizeComesFromTheHeader_data();
    void storedSizeComesFromTheHeader();
    void picturesShowTheirColoursWhereTheyBelong();
    void drawingStretchesIntoAnyRectangle();
    void drawingStaysSharpAtPrinterResolution();
    void textIsDrawnWhereTheFilePutsIt();
    void windowOriginMovesTheDrawing();
    void emptyDrawingStillLoads();
    void pictureDrawnOnlyWithEmfPlusRecordsIsShown();
    void diagramWithoutViewportExtentShowsItsTitle();
    void fileThatLibwmfRefusesIsShown();
    void brokenFilesAreInvalid_data();
    void brokenFilesAreInvalid();
    void otherExtensionsAreInvalid();
    void manyBrokenFilesInARowNeverTakeTheProgramDown();
    void truncatedCopiesOfValidFilesAreInvalid();
    void damagedCopiesLoadOrAreInvalid();
    void helperRefusesUnknownRequests();
    void hangingHelperIsStoppedAtTheTimeLimit();
    void crashingHelperMakesThePictureInvalid();
    void floodingHelperIsStoppedAtTheOutputLimit();
    void missingHelperMakesThePictureInvalid();
};

void TestMetafile::storedSizeComesFromTheHeader_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    // EMF: the frame (hundredths of a millimetre) at 96 dpi.
    QTest::newRow("emf, negative frame") << "adobe_tiny_negative_bounds.emf" << QSize(298, 231);
    QTest::newRow("emf, square") << "inkscape_091_drawing.emf" << QSize(110, 110);
    QTest::newRow("emf, tiny") << "metafile_companion_vector.emf" << QSize(55, 54);
    QTest::newRow("emf, window origin") << "word_vector_image.emf" << QSize(706, 578);
    // Placeable WMF: bounding box over units per inch, at 96 dpi.
    QTest::newRow("wmf, 1200 units per inch") << "inkscape_drawing.wmf" << QSize(110, 110);
    QTest::newRow("wmf, 2305 units per inch") << "equation_tiny.wmf" << QSize(13, 39);
    QTest::newRow("wmf, flipped window") << "libreoffice_sdk_beef.wmf" << QSize(268, 209);
    QTest::newRow("wmf, 2540 units per inch") << "wmf2svg_fulltest_bitmaps.wmf" << QSize(1056, 816);
    // WMF without placeable header: the window extent.
    QTest::newRow("wmf, not placeable") << "word_nonplaceable_pattern_text.wmf" << QSize(443, 182);
}

void TestMetafile::storedSizeComesFromTheHeader()
{
    QFETCH(QString, file);
    QFETCH(QSize, size);
    const Picture picture = decodeFile(file);
    QCOMPARE(picture.kind(), Picture::Kind::Vector);
    QCOMPARE(picture.size(), size);
}

void TestMetafile::picturesShowTheirColoursWhereTheyBelong()
{
    const QImage circle
        = decodeFile(QStringLiteral("inkscape_091_drawing.emf")).rendered(QSize(200, 200));
    QVERIFY(isRed(pixelAt(circle, 0.5, 0.5)));
    QVERIFY(isWhite(pixelAt(circle, 0.02, 0.02)));

    const QImage bubble
        = decodeFile(QStringLiteral("adobe_tiny_negative_bounds.emf")).rendered(QSize(298, 231));
    QVERIFY(isWhite(pixelAt(bubble, 0.5, 0.15)));     // inside the speech bubble
    QCOMPARE(qGray(pixelAt(bubble, 0.5, 0.9)), 127);  // its grey tail

    const QImage storm
        = decodeFile(QStringLiteral("metafile_companion_vector.emf")).rendered(QSize(110, 108));
    QCOMPARE(pixelAt(storm, 0.5, 0.5), qRgb(255, 255, 10));  // the yellow lightning

    const QImage beef
        = decodeFile(QStringLiteral("libreoffice_sdk_beef.wmf")).rendered(QSize(268, 209));
    QCOMPARE(pixelAt(beef, 0.2, 0.05), qRgb(150, 204, 204));  // the exact teal of the file
    QVERIFY(isWhite(pixelAt(beef, 0.01, 0.5)));

    const QImage dot = decodeFile(QStringLiteral("inkscape_drawing.wmf")).rendered(QSize(200, 200));
    QVERIFY(isRed(pixelAt(dot, 0.6, 0.6)));
    QVERIFY(isWhite(pixelAt(dot, 0.05, 0.05)));

    const QImage sketch = decodeFile(QStringLiteral("word_nonplaceable_pattern_text.wmf"))
                              .rendered(QSize(443, 182));
    QVERIFY(blackPixelsIn(sketch, sketch.rect()) > 1000);  // lines, text and the black base
}

void TestMetafile::textIsDrawnWhereTheFilePutsIt()
{
    // The fraction 3/8: the digits above and below the bar.
    const QImage fraction
        = decodeFile(QStringLiteral("equation_tiny.wmf")).rendered(QSize(130, 390));
    const int third = fraction.height() / 3;
    QVERIFY(blackPixelsIn(fraction, QRect(0, 0, fraction.width(), third)) > 500);
    QVERIFY(blackPixelsIn(fraction, QRect(0, 2 * third, fraction.width(), third)) > 500);

    // A drawing's title at the top, its list of parts below the bar, and
    // nothing left of the stand.
    const QImage sketch = decodeFile(QStringLiteral("word_nonplaceable_pattern_text.wmf"))
                              .rendered(QSize(886, 364));
    QVERIFY(blackPixelsIn(sketch, QRect(100, 15, 400, 35)) > 300);
    QVERIFY(blackPixelsIn(sketch, QRect(150, 185, 350, 140)) > 1000);
    QCOMPARE(blackPixelsIn(sketch, QRect(10, 180, 75, 140)), 0);
}

void TestMetafile::windowOriginMovesTheDrawing()
{
    // Drawn with its window origin at (112, 64): the arrows between the
    // four circles sit where Windows puts them.
    const QImage diagram
        = decodeFile(QStringLiteral("word_vector_image.emf")).rendered(QSize(706, 578));
    QVERIFY(isBlack(diagram.pixel(84, 289)));   // left arrow
    QVERIFY(isBlack(diagram.pixel(353, 450)));  // bottom arrow
    QVERIFY(isWhite(diagram.pixel(353, 120)));  // between the top circles, above the arrow
}

void TestMetafile::drawingStretchesIntoAnyRectangle()
{
    const Picture circle = decodeFile(QStringLiteral("inkscape_091_drawing.emf"));
    const QImage wide = circle.rendered(QSize(400, 100));
    QVERIFY(isRed(pixelAt(wide, 0.1, 0.5)));
    QVERIFY(isRed(pixelAt(wide, 0.9, 0.5)));
    QVERIFY(isWhite(pixelAt(wide, 0.02, 0.05)));

    // Drawn into part of a larger canvas, nothing lands outside the target.
    QImage canvas(300, 300, QImage::Format_ARGB32);
    canvas.fill(Qt::blue);
    QPainter painter(&canvas);
    decodeFile(QStringLiteral("inkscape_drawing.wmf")).draw(painter, QRectF(100, 100, 100, 50));
    painter.end();
    QCOMPARE(canvas.pixel(50, 50), qRgb(0, 0, 255));
    QCOMPARE(canvas.pixel(150, 160), qRgb(0, 0, 255));
    QVERIFY(isRed(canvas.pixel(165, 130)));
}

void TestMetafile::drawingStaysSharpAtPrinterResolution()
{
    // A 5 cm picture at 600 dpi: the circle's edge must stay a few pixels
    // wide, as vectors do, not a blurred ramp from an enlarged bitmap.
    const QImage large
        = decodeFile(QStringLiteral("inkscape_091_drawing.emf")).rendered(QSize(1181, 1181));
    const int y = large.height() / 2;
    int transitionPixels = 0;
    for (int x = 0; x < large.width() / 2; ++x) {
        const QRgb c = large.pixel(x, y);
        if (!isRed(c) && !isWhite(c) && !isBlack(c))
            ++transitionPixels;
    }
    QVERIFY2(transitionPixels <= 6, qPrintable(QString::number(transitionPixels)));
}

void TestMetafile::emptyDrawingStillLoads()
{
    const Picture empty = decodeFile(QStringLiteral("graphapp_empty_bounds.emf"));
    QCOMPARE(empty.size(), QSize(635, 762));
    QVERIFY(isWhite(pixelAt(empty.rendered(QSize(64, 76)), 0.5, 0.5)));
}

void TestMetafile::pictureDrawnOnlyWithEmfPlusRecordsIsShown()
{
    // A test page of GDI+ drawing: its EMF records draw nothing at all.
    const Picture page = decodeFile(QStringLiteral("libuemf_emfplus_only.emf"));
    QCOMPARE(page.size(), QSize(1122, 794));
    const QImage image = page.rendered(page.size());
    QCOMPARE(pixelAt(image, 0.5, 0.93), qRgb(255, 255, 173));      // the pale yellow page
    QCOMPARE(pixelAt(image, 0.0463, 0.146), qRgb(196, 127, 255));  // the lilac square, top left
    QCOMPARE(pixelAt(image, 0.287, 0.283), qRgb(139, 0, 0));       // a dark red square
    // The three lines of its title, top right, and nothing beside them.
    QVERIFY(blackPixelsIn(image, QRect(790, 10, 300, 65)) > 1500);
    QCOMPARE(blackPixelsIn(image, QRect(600, 10, 150, 40)), 0);
}

void TestMetafile::diagramWithoutViewportExtentShowsItsTitle()
{
    // Drawn in anisotropic mapping with only a window extent set: Windows
    // maps one logical unit to one pixel. Its frame holds the title line.
    const QImage diagram
        = decodeFile(QStringLiteral("enterprise_architect_diagram.emf")).rendered(QSize(614, 672));
    QVERIFY(blackPixelsIn(diagram, QRect(0, 0, 330, 20)) > 200);
    QVERIFY(isWhite(diagram.pixel(400, 5)));
}

void TestMetafile::fileThatLibwmfRefusesIsShown()
{
    // Its region records are malformed; libwmf alone gives up on the file.
    const QImage image
        = decodeFile(QStringLiteral("wmf2svg_fulltest_bitmaps.wmf")).rendered(QSize(528, 408));
    int coloured = 0;
    for (int y = 0; y < image.height(); y += 4) {
        for (int x = 0; x < image.width(); x += 4)
            coloured += isWhite(image.pixel(x, y)) ? 0 : 1;
    }
    QVERIFY(coloured > 500);
}

void TestMetafile::brokenFilesAreInvalid_data()
{
    QTest::addColumn<QString>("file");
    for (const QString& name : invalidFiles())
        QTest::newRow(qPrintable(name)) << QStringLiteral("invalid/") + name;
}

void TestMetafile::brokenFilesAreInvalid()
{
    QFETCH(QString, file);
    QVERIFY_THROWS_EXCEPTION(InvalidMetafileError, decodeFile(file));
}

void TestMetafile::otherExtensionsAreInvalid()
{
    const QByteArray emf = readData(QStringLiteral("inkscape_091_drawing.emf"));
    QVERIFY_THROWS_EXCEPTION(InvalidMetafileError, decodeMetafile(emf, QStringLiteral("bmp")));
    QVERIFY_THROWS_EXCEPTION(InvalidMetafileError, decodeMetafile(emf, QStringLiteral("wmf")));
    QVERIFY_THROWS_EXCEPTION(InvalidMetafileError,
                             decodeMetafile(QByteArray(), QStringLiteral("emf")));
}

void TestMetafile::manyBrokenFilesInARowNeverTakeTheProgramDown()
{
    int rejected = 0;
    for (int round = 0; round < 3; ++round) {
        for (const QString& name : invalidFiles()) {
            try {
                decodeFile(QStringLiteral("invalid/") + name);
            } catch (const InvalidMetafileError&) {
                ++rejected;
            }
        }
    }
    QCOMPARE(rejected, 3 * int(invalidFiles().size()));
    // The decoder still works afterwards.
    QCOMPARE(decodeFile(QStringLiteral("inkscape_drawing.wmf")).size(), QSize(110, 110));
}

void TestMetafile::truncatedCopiesOfValidFilesAreInvalid()
{
    for (const QString& name :
         {QStringLiteral("word_vector_image.emf"), QStringLiteral("libreoffice_sdk_beef.wmf")}) {
        const QByteArray whole = readData(name);
        for (int percent : {1, 10, 33, 50, 77, 99}) {
            const QByteArray cut = whole.left(whole.size() * percent / 100);
            QVERIFY_THROWS_EXCEPTION(InvalidMetafileError,
                                     decodeMetafile(cut, QFileInfo(name).suffix()));
        }
    }
}

void TestMetafile::damagedCopiesLoadOrAreInvalid()
{
    // Bytes overwritten at random, as a damaged disk or a fuzzer would:
    // each copy either loads or is reported invalid, and nothing else.
    QRandomGenerator random(20241208);
    int loaded = 0;
    int rejected = 0;
    for (const QString& name : {QStringLiteral("metafile_companion_vector.emf"),
                                QStringLiteral("libreoffice_sdk_beef.wmf")}) {
        const QByteArray original = readData(name);
        for (int copy = 0; copy < 20; ++copy) {
            QByteArray damaged = original;
            for (int i = 0; i < 1 + copy % 8; ++i)
                damaged[random.bounded(damaged.size())] = char(random.bounded(256));
            try {
                const Picture picture = decodeMetafile(damaged, QFileInfo(name).suffix());
                QVERIFY(!picture.size().isEmpty());
                ++loaded;
            } catch (const InvalidMetafileError&) {
                ++rejected;
            }
        }
    }
    QCOMPARE(loaded + rejected, 40);
}

void TestMetafile::helperRefusesUnknownRequests()
{
    const MetafileHelper helper;
    QVERIFY_THROWS_EXCEPTION(InvalidMetafileError,
                             helper.convert({QStringLiteral("gif")}, QByteArray("GIF89a")));
    QVERIFY_THROWS_EXCEPTION(InvalidMetafileError,
                             helper.convert({QStringLiteral("wmf"), QStringLiteral("x")}, {}));
    // An empty file is not a metafile for either library.
    QVERIFY_THROWS_EXCEPTION(InvalidMetafileError, helper.convert({QStringLiteral("emf")}, {}));
    QVERIFY_THROWS_EXCEPTION(InvalidMetafileError, helper.convert({QStringLiteral("wmf")}, {}));
}

void TestMetafile::hangingHelperIsStoppedAtTheTimeLimit()
{
    QTemporaryDir dir;
    MetafileHelperLimits limits;
    limits.timeout = 500ms;
    const MetafileHelper hanging(writeFakeHelper(dir, "exec sleep 30"), limits);
    QElapsedTimer clock;
    clock.start();
    QVERIFY_THROWS_EXCEPTION(
        InvalidMetafileError,
        decodeMetafile(readData(QStringLiteral("inkscape_drawing.wmf")), "wmf", hanging));
    QVERIFY(clock.elapsed() < 5000);
}

void TestMetafile::crashingHelperMakesThePictureInvalid()
{
    QTemporaryDir dir;
    const MetafileHelper crashing(writeFakeHelper(dir, "cat > /dev/null; kill -SEGV $$"));
    QVERIFY_THROWS_EXCEPTION(
        InvalidMetafileError,
        decodeMetafile(readData(QStringLiteral("inkscape_091_drawing.emf")), "emf", crashing));
}

void TestMetafile::floodingHelperIsStoppedAtTheOutputLimit()
{
    QTemporaryDir dir;
    MetafileHelperLimits limits;
    limits.maxOutputBytes = 1024 * 1024;
    const MetafileHelper flooding(writeFakeHelper(dir, "exec cat /dev/zero"), limits);
    QVERIFY_THROWS_EXCEPTION(
        InvalidMetafileError,
        decodeMetafile(readData(QStringLiteral("inkscape_091_drawing.emf")), "emf", flooding));
}

void TestMetafile::missingHelperMakesThePictureInvalid()
{
    const MetafileHelper missing(QStringLiteral("/nonexistent/sleevix-metafile-helper"));
    QVERIFY_THROWS_EXCEPTION(
        InvalidMetafileError,
        decodeMetafile(readData(QStringLiteral("inkscape_drawing.wmf")), "wmf", missing));
}

QTEST_MAIN(TestMetafile)
#include "tst_metafile.moc"
