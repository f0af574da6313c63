#include "platform/pictures/ico_directory.h"
#include "platform/pictures/picture_loader.h"
#include "platform/pictures/vector_drawing.h"
#include "support/test_env.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <set>

#include <unistd.h>

namespace {

QString picturePath(const QString& relative)
{
    return testenv::dataFile(QStringLiteral("pictures/") + relative);
}

QByteArray fileContent(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read test file %s", qPrintable(path));
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
}

QString invalidDetail(const QString& path)
{
    try {
        loadPicture(path);
    } catch (const InvalidPictureError& error) {
        return error.detail().isEmpty() ? QStringLiteral("(no detail)") : error.detail();
    }
    return {};
}

class SquareDrawing : public VectorDrawing {
public:
    QSize size() const override { return {40, 30}; }
    void render(QPainter&, const QRectF&) const override { }
};

}  // namespace

class PictureLoadingTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { setMetafileDecoder({}); }

    void validFilesLoadWithTheirSize_data();
    void validFilesLoadWithTheirSize();
    void everyInvalidFileIsAnInvalidPicture_data();
    void everyInvalidFileIsAnInvalidPicture();
    void extensionChoosesTheFormat_data();
    void extensionChoosesTheFormat();
    void truncatedFilesAreInvalid_data();
    void truncatedFilesAreInvalid();
    void hugeDeclaredJpegIsRejected();
    void invalidPictureShowsTheStatusText();

    void unreadableFilesNameTheFile_data();
    void unreadableFilesNameTheFile();
    void fileWithoutReadPermissionIsUnreadable();

    void jpegMatchesTheReferenceDecoder();
    void pixelsAtKnownPlaces_data();
    void pixelsAtKnownPlaces();
    void jpegForASmallPanelIsTheWholePictureSmaller_data();
    void jpegForASmallPanelIsTheWholePictureSmaller();
    void onlyJpegPicturesAreMarkedJpeg();
    void progressiveJpegShowsPartialPictures();

    void iconShowsItsLargestEntry_data();
    void iconShowsItsLargestEntry();
    void iconTieShowsTheDeepestEntry();

    void metafilesNeedADecoderThatGivesAPicture();
    void metafileDecoderReceivesContentAndExtension();
};

void PictureLoadingTest::validFilesLoadWithTheirSize_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    const struct {
        const char* file;
        QSize size;
    } files[] = {
        {"jpeg/tiny_1x1.jpg", {1, 1}},
        {"jpeg/ijg_testimgari.jpg", {227, 149}},
        {"jpeg/pillow_16bit_qtables.jpg", {128, 128}},
        {"jpeg/photoshop_cmyk_ycck_restart.jpg", {100, 100}},
        {"jpeg/im_progressive_400x300.jpeg", {400, 300}},
        {"jpeg/cmyk_adobe_plain.jpg", {320, 240}},
        {"jpeg/gdkpixbuf_cat_gray.jpg", {512, 512}},
        {"bmp/bmp1_mono.bmp", {200, 150}},
        {"bmp/bmpsuite_rle4.bmp", {127, 64}},
        {"bmp/bmpsuite_rle4_delta_skip.bmp", {127, 64}},
        {"bmp/bmpsuite_topdown_8bit.bmp", {127, 64}},
        {"bmp/bmpsuite_os2_v2.bmp", {127, 64}},
        {"bmp/bmpsuite_width126_padding.bmp", {126, 63}},
        {"bmp/bmpsuite_565_with_palette.bmp", {127, 64}},
        {"ico/pidgin_16px_4bit.ico", {16, 16}},
        {"ico/graphicsmagick_nonsquare_32x26.ico", {32, 26}},
        {"ico/nsis_pixel_8bit_24px.ico", {32, 32}},
        {"ico/pillow_single_png_entry.ico", {16, 16}},
    };
    for (const auto& entry : files)
        QTest::newRow(entry.file) << picturePath(QStringLiteral("valid/") + entry.file)
                                  << entry.size;
}

void PictureLoadingTest::validFilesLoadWithTheirSize()
{
    QFETCH(QString, file);
    QFETCH(QSize, size);
    const Picture picture = loadPicture(file);
    QCOMPARE(picture.kind(), Picture::Kind::Raster);
    QCOMPARE(picture.size(), size);
    QCOMPARE(picture.image().size(), size);
}

void PictureLoadingTest::everyInvalidFileIsAnInvalidPicture_data()
{
    QTest::addColumn<QString>("file");
    QDirIterator files(picturePath(QStringLiteral("invalid")), QDir::Files,
                       QDirIterator::Subdirectories);
    int count = 0;
    while (files.hasNext()) {
        const QString file = files.next();
        QTest::newRow(qPrintable(QFileInfo(file).fileName())) << file;
        ++count;
    }
    QVERIFY(count >= 20);
}

void PictureLoadingTest::everyInvalidFileIsAnInvalidPicture()
{
    QFETCH(QString, file);
    QVERIFY2(!invalidDetail(file).isEmpty(), "loaded without an error");
}

void PictureLoadingTest::extensionChoosesTheFormat_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("valid");
    const QString jpeg = QStringLiteral("valid/jpeg/ijg_testimgari.jpg");
    const QString bmp = QStringLiteral("valid/bmp/bmp1_mono.bmp");
    const QString ico = QStringLiteral("valid/ico/pidgin_16px_4bit.ico");
    QTest::newRow("upper-case JPG") << jpeg << "picture.JPG" << true;
    QTest::newRow("upper-case BMP") << bmp << "picture.BMP" << true;
    QTest::newRow("upper-case ICO") << ico << "picture.ICO" << true;
    QTest::newRow("jpeg named bmp") << jpeg << "picture.bmp" << false;
    QTest::newRow("bmp named jpg") << bmp << "picture.jpg" << false;
    QTest::newRow("icon named bmp") << ico << "picture.bmp" << false;
    QTest::newRow("png extension") << jpeg << "picture.png" << false;
    QTest::newRow("no extension") << jpeg << "picture" << false;
    QTest::newRow("jpg inside the name only") << jpeg << "picture.jpg.gif" << false;
}

void PictureLoadingTest::extensionChoosesTheFormat()
{
    QFETCH(QString, source);
    QFETCH(QString, name);
    QFETCH(bool, valid);
    QTemporaryDir dir;
    const QString copy = dir.filePath(name);
    QVERIFY(QFile::copy(picturePath(source), copy));
    if (valid)
        QVERIFY(!loadPicture(copy).isEmpty());
    else
        QVERIFY_THROWS_EXCEPTION(InvalidPictureError, loadPicture(copy));
}

void PictureLoadingTest::truncatedFilesAreInvalid_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<double>("keptShare");
    QTest::newRow("baseline jpeg, half") << "valid/jpeg/ijg_testimgari.jpg" << 0.5;
    QTest::newRow("baseline jpeg, end marker missing")
        << "valid/jpeg/gdkpixbuf_cat_gray.jpg" << 0.999;
    QTest::newRow("progressive jpeg, half") << "valid/jpeg/im_progressive_400x300.jpeg" << 0.5;
    QTest::newRow("bmp, half") << "valid/bmp/bmpsuite_os2_v2.bmp" << 0.5;
    QTest::newRow("rle bmp, half") << "valid/bmp/bmpsuite_rle4.bmp" << 0.5;
    QTest::newRow("icon, most") << "valid/ico/nsis3_png256_plus_bmp.ico" << 0.9;
}

void PictureLoadingTest::truncatedFilesAreInvalid()
{
    QFETCH(QString, source);
    QFETCH(double, keptShare);
    const QByteArray whole = fileContent(picturePath(source));
    QTemporaryDir dir;
    const QString cut = dir.filePath(QFileInfo(source).fileName());
    writeFile(cut, whole.left(qsizetype(whole.size() * keptShare)));
    QVERIFY(!invalidDetail(cut).isEmpty());
}

// A 1x1 file whose frame header claims 60000 x 60000 pixels: about 10 GB
// decoded, so it must be refused without trying.
void PictureLoadingTest::hugeDeclaredJpegIsRejected()
{
    QByteArray data = fileContent(picturePath(QStringLiteral("valid/jpeg/tiny_1x1.jpg")));
    const qsizetype frame = data.indexOf(QByteArray("\xff\xc0", 2));
    QVERIFY(frame > 0);
    for (const int field : {5, 7}) {
        data[frame + field] = char(0xea);
        data[frame + field + 1] = char(0x60);
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("huge.jpg"));
    writeFile(path, data);
    QElapsedTimer timer;
    timer.start();
    QVERIFY(invalidDetail(path).contains(QStringLiteral("too large")));
    QVERIFY(timer.elapsed() < 1000);
}

void PictureLoadingTest::invalidPictureShowsTheStatusText()
{
    try {
        loadPicture(picturePath(QStringLiteral("invalid/bmp/text_renamed.bmp")));
        QFAIL("no error");
    } catch (const InvalidPictureError& error) {
        QCOMPARE(error.message(), QStringLiteral("Ungültiges Format..."));
    }
}

void PictureLoadingTest::unreadableFilesNameTheFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("isDirectory");
    QTest::newRow("vanished file") << "gone.jpg" << false;
    QTest::newRow("directory") << "folder.jpg" << true;
}

void PictureLoadingTest::unreadableFilesNameTheFile()
{
    QFETCH(QString, name);
    QFETCH(bool, isDirectory);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (isDirectory)
        QVERIFY(QDir().mkdir(path));
    try {
        loadPicture(path);
        QFAIL("no error");
    } catch (const UnreadableFileError& error) {
        QCOMPARE(error.fileName(), path);
        QVERIFY(error.message().contains(path));
    }
}

void PictureLoadingTest::fileWithoutReadPermissionIsUnreadable()
{
    if (geteuid() == 0)
        QSKIP("root reads every file");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("locked.jpg"));
    QVERIFY(QFile::copy(picturePath(QStringLiteral("valid/jpeg/tiny_1x1.jpg")), path));
    QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    QVERIFY_THROWS_EXCEPTION(UnreadableFileError, loadPicture(path));
}

// The reference image is djpeg's output for the same file. The file is
// Photoshop CMYK: YCCK coded, Adobe marker, inverted ink values.
void PictureLoadingTest::jpegMatchesTheReferenceDecoder()
{
    const QImage decoded
        = loadPicture(picturePath(QStringLiteral("valid/jpeg/photoshop_cmyk_ycck_restart.jpg")))
              .image();
    const QImage reference(
        picturePath(QStringLiteral("reference/photoshop_cmyk_ycck_restart.ppm")));
    QVERIFY(!reference.isNull());
    QCOMPARE(decoded.convertToFormat(QImage::Format_RGB32),
             reference.convertToFormat(QImage::Format_RGB32));
}

// Expected colours as djpeg decodes the JPEG files and ImageMagick reads the
// others. The BMP suite files hold the same picture in different encodings.
void PictureLoadingTest::pixelsAtKnownPlaces_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QPoint>("place");
    QTest::addColumn<QColor>("colour");
    const struct {
        const char* file;
        QPoint place;
        QColor colour;
    } pixels[] = {
        {"jpeg/tiny_1x1.jpg", {0, 0}, QColor(51, 103, 153)},
        {"jpeg/gdkpixbuf_cat_gray.jpg", {200, 150}, QColor(124, 124, 124)},
        {"jpeg/cmyk_adobe_plain.jpg", {50, 60}, QColor(41, 68, 115)},
        {"jpeg/cmyk_adobe_plain.jpg", {200, 150}, QColor(161, 171, 173)},
        {"jpeg/ijg_testimgari.jpg", {50, 60}, QColor(233, 77, 80)},
        {"jpeg/im_progressive_400x300.jpeg", {200, 150}, QColor(117, 138, 155)},
        {"bmp/bmp1_mono.bmp", {100, 75}, Qt::white},
        {"bmp/bmp1_mono.bmp", {150, 100}, Qt::black},
        {"bmp/bmpsuite_rle4.bmp", {10, 20}, QColor(255, 128, 0)},
        {"bmp/bmpsuite_topdown_8bit.bmp", {0, 63}, QColor(0, 0, 0)},
        {"bmp/bmpsuite_topdown_8bit.bmp", {126, 0}, QColor(153, 170, 204)},
        {"bmp/bmpsuite_os2_v2.bmp", {126, 63}, QColor(102, 85, 102)},
    };
    for (const auto& pixel : pixels) {
        QTest::addRow("%s at %d,%d", pixel.file, pixel.place.x(), pixel.place.y())
            << picturePath(QStringLiteral("valid/") + pixel.file) << pixel.place << pixel.colour;
    }
}

void PictureLoadingTest::pixelsAtKnownPlaces()
{
    QFETCH(QString, file);
    QFETCH(QPoint, place);
    QFETCH(QColor, colour);
    QCOMPARE(loadPicture(file).image().pixelColor(place), colour);
    // Loaded for a small panel, the picture is whole where it is asked for.
    QCOMPARE(loadPicture(file, {}, QSize(16, 16)).image().pixelColor(place), colour);
}

void PictureLoadingTest::jpegForASmallPanelIsTheWholePictureSmaller_data()
{
    QTest::addColumn<QString>("file");
    for (const char* file : {"exif_orientation_6.jpg", "im_progressive_400x300.jpeg",
                             "cmyk_adobe_plain.jpg", "subsampling_411.jpg"})
        QTest::newRow(file) << picturePath(QStringLiteral("valid/jpeg/") + file);
}

void PictureLoadingTest::jpegForASmallPanelIsTheWholePictureSmaller()
{
    QFETCH(QString, file);
    const Picture whole = loadPicture(file);
    const Picture small = loadPicture(file, {}, QSize(16, 16));
    QCOMPARE(small.size(), whole.size());
    QVERIFY(!small.holdsPixelsFor(small.size()));
    const QImage shown = small.imageFor(QSize(16, 16));
    QVERIFY(shown.width() >= 16 && shown.height() >= 16);
    QVERIFY(shown.width() * 4 <= whole.width());
    // The same picture, turned the same way: alike at a coarse scale.
    const auto coarse = [](const QImage& image) {
        return image.convertToFormat(QImage::Format_RGB32)
            .scaled(8, 8, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    };
    const QImage a = coarse(shown);
    const QImage b = coarse(whole.image());
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x)
            QVERIFY(qAbs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) < 12);
    }
}

void PictureLoadingTest::onlyJpegPicturesAreMarkedJpeg()
{
    QVERIFY(loadPicture(picturePath(QStringLiteral("valid/jpeg/tiny_1x1.jpg"))).isJpeg());
    QVERIFY(!loadPicture(picturePath(QStringLiteral("valid/bmp/bmp1_mono.bmp"))).isJpeg());
    QVERIFY(!loadPicture(picturePath(QStringLiteral("valid/ico/pillow_1bit.ico"))).isJpeg());
}

void PictureLoadingTest::progressiveJpegShowsPartialPictures()
{
    const QString file = picturePath(QStringLiteral("valid/jpeg/im_progressive_400x300.jpeg"));
    QList<QImage> partials;
    const Picture picture = loadPicture(file, [&](const QImage& partial) { partials << partial; });

    // One partial picture: the first scan, coarser than the final picture.
    QCOMPARE(partials.size(), 1);
    QCOMPARE(partials.first().size(), QSize(400, 300));
    QVERIFY(partials.first() != picture.image());
    QCOMPARE(picture.image(), loadPicture(file).image());

    int sequentialPartials = 0;
    loadPicture(picturePath(QStringLiteral("valid/jpeg/ijg_testimgari.jpg")),
                [&](const QImage&) { ++sequentialPartials; });
    QCOMPARE(sequentialPartials, 0);
}

void PictureLoadingTest::iconShowsItsLargestEntry_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("index");
    QTest::newRow("PNG entry among bitmaps") << "nsis3_png256_plus_bmp.ico" << QSize(256, 256) << 2;
    QTest::newRow("largest entry last") << "nsis_classic_4bit.ico" << QSize(32, 32) << 1;
    // Three 48x48 entries at 4, 8 and 32 bits.
    QTest::newRow("tie goes to 32 bits")
        << "nsis_orange_9entries_4_8_32bit.ico" << QSize(48, 48) << 8;
}

void PictureLoadingTest::iconShowsItsLargestEntry()
{
    QFETCH(QString, file);
    QFETCH(QSize, size);
    QFETCH(int, index);
    const QString path = picturePath(QStringLiteral("valid/ico/") + file);
    const IcoEntry largest = IcoDirectory(fileContent(path)).largest();
    QCOMPARE(largest.index, index);
    QCOMPARE(largest.size, size);
    QCOMPARE(loadPicture(path).size(), size);
}

// The 32-bit entry shows far more colours than a palette entry could hold.
void PictureLoadingTest::iconTieShowsTheDeepestEntry()
{
    const QImage image
        = loadPicture(picturePath(QStringLiteral("valid/ico/nsis_orange_9entries_4_8_32bit.ico")))
              .image()
              .convertToFormat(QImage::Format_ARGB32);
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    QVERIFY(colours.size() > 256);
}

// Without a decoder, or with one that gives nothing, metafiles are invalid.
void PictureLoadingTest::metafilesNeedADecoderThatGivesAPicture()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("drawing.EMF"));
    writeFile(path, "metafile content");
    QVERIFY_THROWS_EXCEPTION(InvalidPictureError, loadPicture(path));
    setMetafileDecoder([](const QByteArray&, const QString&) { return Picture(); });
    QVERIFY_THROWS_EXCEPTION(InvalidPictureError, loadPicture(path));
}

void PictureLoadingTest::metafileDecoderReceivesContentAndExtension()
{
    QByteArray seenData;
    QString seenExtension;
    setMetafileDecoder([&](const QByteArray& data, const QString& extension) {
        seenData = data;
        seenExtension = extension;
        return Picture::fromDrawing(std::make_shared<SquareDrawing>());
    });
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("drawing.WMF"));
    writeFile(path, "metafile content");

    const Picture picture = loadPicture(path);
    QCOMPARE(picture.kind(), Picture::Kind::Vector);
    QCOMPARE(picture.size(), QSize(40, 30));
    QCOMPARE(seenData, QByteArray("metafile content"));
    QCOMPARE(seenExtension, QStringLiteral("wmf"));
}

QTEST_MAIN(PictureLoadingTest)
#include "tst_picture.moc"
