// Every real picture file of the test corpus: the valid ones load with the
// size they declare, the broken ones are refused as invalid pictures.
#include "platform/pictures/picture_loader.h"
#include "support/test_env.h"

#include <QApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

class PictureCorpusTest : public QObject {
    Q_OBJECT

private slots:
    void validPicturesLoadWithTheirSize_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QFile list(testenv::dataFile("pictures/sizes.tsv"));
        QVERIFY(list.open(QIODevice::ReadOnly | QIODevice::Text));
        while (!list.atEnd()) {
            const QString line = QString::fromUtf8(list.readLine()).trimmed();
            if (line.isEmpty() || line.startsWith('#'))
                continue;
            const QStringList fields = line.split('\t');
            QTest::newRow(qPrintable(fields[0])) << testenv::dataFile("pictures/" + fields[0])
                                                 << QSize(fields[1].toInt(), fields[2].toInt());
        }
    }

    void validPicturesLoadWithTheirSize()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        const Picture picture = loadPicture(path);
        QCOMPARE(picture.size(), size);
    }

    void brokenFilesAreInvalidPictures_data()
    {
        QTest::addColumn<QString>("path");
        QDirIterator files(testenv::dataFile("pictures/invalid"), QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            QTest::newRow(qPrintable(path.section('/', -2))) << path;
        }
    }

    void brokenFilesAreInvalidPictures()
    {
        QFETCH(QString, path);
        QElapsedTimer clock;
        clock.start();
        QVERIFY_THROWS_EXCEPTION(InvalidPictureError, loadPicture(path));
        // Decoded small for a panel, the whole file is still checked.
        QVERIFY_THROWS_EXCEPTION(InvalidPictureError, loadPicture(path, {}, QSize(16, 16)));
        QVERIFY2(clock.elapsed() < 20000, "refusing a broken file took too long");
    }
};

SLEEVIX_TEST_MAIN(PictureCorpusTest)
#include "tst_picture_corpus.moc"
