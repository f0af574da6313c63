// Every input kept from fuzzing, seeds and findings alike, goes once more
// through the readers: each must be shown or refused, in bounded time.
#include "fuzz/targets/targets.h"
#include "platform/helper_pictures/helper_picture_decoder.h"
#include "platform/metafiles/invalid_metafile_error.h"
#include "platform/metafiles/metafile_decoder.h"
#include "platform/pictures/picture_loader.h"
#include "support/test_env.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <functional>

namespace {

using Target = std::function<void(QByteArrayView)>;

const QString kFuzzDir = QStringLiteral(SLEEVIX_FUZZ_DIR);
// Below the metafile helper's own time limit, so a hang in it shows here.
constexpr qint64 kMillisecondsPerInput = 10000;

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// One row per kept input of `reader`: its seeds and its findings.
void addInputRows(const QString& reader)
{
    for (const char* kind : {"corpus", "regressions"}) {
        const QDir dir(kFuzzDir + QLatin1Char('/') + QLatin1String(kind) + QLatin1Char('/')
                       + reader);
        for (const QString& name : dir.entryList(QDir::Files, QDir::Name))
            QTest::newRow(qPrintable(QStringLiteral("%1/%2").arg(kind, name)))
                << dir.filePath(name);
    }
}

// The program's whole metafile path, the helper process included.
void decodeThroughHelper(const QByteArray& data, const QString& extension)
{
    try {
        const Picture picture = decodeMetafile(data, extension);
        QVERIFY(picture.width() > 0 && picture.height() > 0);
    } catch (const InvalidMetafileError&) {
    }
}

// The program's whole path of the picture helper's formats.
void decodeThroughPictureHelper(QByteArrayView data, const char* format)
{
    try {
        const Picture picture = decodeHelperPicture(data.toByteArray(), QLatin1String(format));
        QVERIFY(picture.width() > 0 && picture.height() > 0);
        QVERIFY(!picture.rendered(QSize(40, 40)).isNull());
    } catch (const InvalidPictureError&) {
    }
}

}  // namespace

class TestFuzzCorpus : public QObject {
    Q_OBJECT

private:
    void replay(const Target& target)
    {
        QFETCH(QString, path);
        const QByteArray data = contentsOf(path);
        QVERIFY2(!data.isEmpty() || QFileInfo(path).size() == 0, qPrintable(path));
        QElapsedTimer timer;
        timer.start();
        target(data);
        QVERIFY2(timer.elapsed() < kMillisecondsPerInput, qPrintable(path));
    }

private slots:
    void jpegPicturesAreShownOrRefused_data() { declare(QStringLiteral("jpeg")); }
    void jpegPicturesAreShownOrRefused() { replay(fuzz::jpeg); }

    void bitmapPicturesAreShownOrRefused_data() { declare(QStringLiteral("bitmap")); }
    void bitmapPicturesAreShownOrRefused() { replay(fuzz::bitmap); }

    void emfPicturesAreShownOrRefused_data() { declare(QStringLiteral("emf")); }
    void emfPicturesAreShownOrRefused()
    {
        replay([](QByteArrayView data) {
            fuzz::emf(data);
            decodeThroughHelper(data.toByteArray(), QStringLiteral("emf"));
        });
    }

    void wmfPicturesAreShownOrRefused_data() { declare(QStringLiteral("wmf")); }
    void wmfPicturesAreShownOrRefused()
    {
        replay([](QByteArrayView data) {
            fuzz::wmf(data);
            decodeThroughHelper(data.toByteArray(), QStringLiteral("wmf"));
        });
    }

    void qtPicturesAreShownOrRefused_data() { declare(QStringLiteral("qt_pictures")); }
    void qtPicturesAreShownOrRefused() { replay(fuzz::qtPictures); }

    void metadataIsReadOrIgnored_data() { declare(QStringLiteral("metadata")); }
    void metadataIsReadOrIgnored() { replay(fuzz::metadata); }

    void svgPicturesAreShownOrRefused_data() { declare(QStringLiteral("svg")); }
    void svgPicturesAreShownOrRefused() { replay(fuzz::svg); }

    // Through the real picture helper process.
    void heifPicturesAreShownOrRefused_data() { declare(QStringLiteral("heif")); }
    void heifPicturesAreShownOrRefused()
    {
        replay([](QByteArrayView data) { decodeThroughPictureHelper(data, "heif"); });
    }

    void pdfPicturesAreShownOrRefused_data() { declare(QStringLiteral("pdf")); }
    void pdfPicturesAreShownOrRefused()
    {
        replay([](QByteArrayView data) { decodeThroughPictureHelper(data, "pdf"); });
    }

    void templatesReadAndWriteBack_data() { declare(QStringLiteral("ini_profile")); }
    void templatesReadAndWriteBack() { replay(fuzz::iniProfile); }

    void damagedStoresOpenAsWorkingStores_data() { declare(QStringLiteral("settings_store")); }
    void damagedStoresOpenAsWorkingStores() { replay(fuzz::settingsStore); }

private:
    static void declare(const QString& reader)
    {
        QTest::addColumn<QString>("path");
        addInputRows(reader);
    }
};

SLEEVIX_TEST_MAIN(TestFuzzCorpus)
#include "tst_fuzz_corpus.moc"
