// Picture files that vanish after being chosen, or that declare far more
// than they hold: each ends in a status text, in bounded time and memory.
#include "model/cover_settings.h"
#include "platform/widgets/image_view.h"
#include "settings/t_cd_setup.h"
#include "support/test_env.h"
#include "workspace/t_sleevix.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtEndian>

#include <sys/resource.h>

namespace {

const QString kInvalid = QStringLiteral("Ungültiges Format...");
constexpr qint64 kPatienceMs = 20000;  // sanitizer builds are slow
constexpr long kMostKilobytes = 1536 * 1024;

// The most memory this process has used so far, in KB.
long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

// A real 1 × 1 JPEG whose frame header claims `width` × `height`.
QByteArray jpegClaiming(quint16 width, quint16 height)
{
    QByteArray jpeg = contentsOf(testenv::dataFile("pictures/valid/jpeg/tiny_1x1.jpg"));
    const qsizetype frame = jpeg.indexOf("\xff\xc0");
    auto* size = reinterpret_cast<uchar*>(jpeg.data()) + frame + 5;
    qToBigEndian<quint16>(height, size);
    qToBigEndian<quint16>(width, size + 2);
    return jpeg;
}

// A placeable WMF of `records` SETPIXEL records, each drawing one dot.
QByteArray wmfWithRecords(int records)
{
    QByteArray wmf;
    auto put16 = [&wmf](quint16 value) { wmf.append(char(value & 0xff)).append(char(value >> 8)); };
    auto put32 = [&](quint32 value) {
        put16(quint16(value));
        put16(quint16(value >> 16));
    };
    put32(0x9AC6CDD7);
    for (quint16 word : {0, 0, 0, 1000, 1000, 1440, 0, 0})
        put16(word);
    put16(0);  // checksum, not checked
    put16(1);
    put16(9);
    put16(0x0300);
    put32(9 + 7 * quint32(records) + 3);
    put16(0);
    put32(7);
    put16(0);
    for (int i = 0; i < records; ++i) {
        put32(7);
        put16(0x041F);  // SETPIXEL: colour, y, x
        put32(0x0000ff);
        put16(quint16(i % 1000));
        put16(quint16(i / 1000 % 1000));
    }
    put32(3);
    put16(0);
    return wmf;
}

// An EMF of `records` SETPIXELV records after a minimal header.
QByteArray emfWithRecords(int records)
{
    QByteArray emf(88, '\0');
    auto* header = reinterpret_cast<uchar*>(emf.data());
    const quint32 fileSize = 88 + 20 * quint32(records) + 20;
    const qint32 fields[] = {1,
                             88,
                             0,
                             0,
                             999,
                             999,
                             0,
                             0,
                             26458,
                             26458,
                             0x464D4520,
                             0x10000,
                             qint32(fileSize),
                             records + 2,
                             1,
                             0,
                             0,
                             0,
                             1000,
                             1000,
                             264,
                             264};
    for (std::size_t i = 0; i < std::size(fields); ++i)
        qToLittleEndian<qint32>(fields[i], header + 4 * i);
    for (int i = 0; i < records; ++i) {
        uchar record[20];
        const qint32 values[] = {15, 20, i % 1000, i / 1000 % 1000, 0x0000ff};
        for (int v = 0; v < 5; ++v)
            qToLittleEndian<qint32>(values[v], record + 4 * v);
        emf.append(reinterpret_cast<const char*>(record), sizeof record);
    }
    const qint32 eof[] = {14, 20, 0, 16, 20};
    for (qint32 value : eof) {
        uchar bytes[4];
        qToLittleEndian<qint32>(value, bytes);
        emf.append(reinterpret_cast<const char*>(bytes), 4);
    }
    return emf;
}

}  // namespace

class PictureFaultsTest : public QObject {
    Q_OBJECT

private slots:
    void fileDeletedAfterChoosingIsReported()
    {
        testenv::App app;
        TSleevix& w = app.main();
        QTemporaryDir dir;
        const QString kept = writeFile(
            dir, "bleibt.jpg", contentsOf(testenv::dataFile("pictures/valid/jpeg/tiny_1x1.jpg")));
        const QString gone = writeFile(dir, "weg.jpg", contentsOf(kept));
        w.OpenImage(1, kept);
        QVERIFY(w.Image1->hasPicture());

        // Both files chosen; the second is deleted before it is read.
        w.runOpenDialog = [&] {
            QFile::remove(gone);
            return QStringList{kept, gone};
        };
        app.settings().setTicked(Check::cbAutoFormat, false);
        w.bFront->click();
        QCOMPARE(w.statusText(1), kept);
        QCOMPARE(w.statusText(2), QString("Datei kann nicht gelesen werden: %1").arg(gone));
        QVERIFY(w.Image1->hasPicture());
    }

    void hugeDeclaredPicturesAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("JPEG beyond the memory limit") << "riesig.jpg" << jpegClaiming(65500, 65500);
        QTest::newRow("JPEG within the limit, no data")
            << "gross.jpg" << jpegClaiming(12000, 12000);
        QTest::newRow("BMP 100000 x 100000")
            << "riesig.bmp"
            << contentsOf(testenv::dataFile("pictures/invalid/bmp/huge_dims_100000x100000.bmp"));
        QTest::newRow("ICO 65535 x 32767")
            << "riesig.ico"
            << contentsOf(testenv::dataFile(
                   "pictures/invalid/ico/pillow_decompression_bomb_65535x32767.ico"));
    }

    void hugeDeclaredPicturesAreRefused()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QVERIFY(!content.isEmpty());
        testenv::App app;
        QTemporaryDir dir;
        const QString path = writeFile(dir, name, content);
        QElapsedTimer timer;
        timer.start();
        app.main().OpenImage(1, path);
        QVERIFY(timer.elapsed() < kPatienceMs);
        QCOMPARE(app.main().statusText(1), kInvalid);
        QVERIFY2(peakKilobytes() < kMostKilobytes, qPrintable(QString::number(peakKilobytes())));
    }

    void metafilesWithMillionsOfRecords_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("shown");
        QTest::newRow("WMF, 3 million dots") << "punkte.wmf" << wmfWithRecords(3'000'000) << false;
        QTest::newRow("EMF, 3 million dots") << "punkte.emf" << emfWithRecords(3'000'000) << false;
        // The helper converts it, but Qt SVG would need seconds and gigabytes.
        QTest::newRow("WMF, 300,000 dots") << "punkte.wmf" << wmfWithRecords(300'000) << false;
        QTest::newRow("WMF, 50,000 dots") << "punkte.wmf" << wmfWithRecords(50'000) << true;
    }

    void metafilesWithMillionsOfRecords()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(bool, shown);
        testenv::App app;
        QTemporaryDir dir;
        const QString path = writeFile(dir, name, content);
        QElapsedTimer timer;
        timer.start();
        app.main().OpenImage(1, path);
        QVERIFY2(timer.elapsed() < kPatienceMs, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(app.main().Image1->hasPicture() || app.main().Image2->hasPicture(), shown);
        if (!shown)
            QCOMPARE(app.main().statusText(1), kInvalid);
        QVERIFY2(peakKilobytes() < kMostKilobytes, qPrintable(QString::number(peakKilobytes())));
    }
};

SLEEVIX_TEST_MAIN(PictureFaultsTest)
#include "tst_picture_faults.moc"
