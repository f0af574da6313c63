// Pictures of every new format, loaded as a user loads them, on the panel
// and on the paper of a real CUPS queue (tests/e2e/e2e-services): each goes
// to the slot its shape names, shows its colours at known places on the
// panel, and prints them at the same places of the back page. Placements
// (fill, fit, turns) show and print the same part of the picture.
#include "platform/printing/printer_choice.h"
#include "platform/store/settings_store.h"
#include "platform/widgets/image_view.h"
#include "support/format_pictures.h"
#include "support/print_queues.h"
#include "support/test_env.h"
#include "workspace/slot_panel.h"
#include "workspace/t_sleevix.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace queues = testenv::queues;
using testenv::quadrantColours;

Q_DECLARE_METATYPE(PicturePlacement)

namespace {

// The back page, in millimetres from the paper's top-left corner.
const QRectF kBackPage(31, 137, 151, 117);
constexpr int kScanDpi = 50;

// The first page of a PDF file in colour at kScanDpi.
QImage colourPage(const QString& pdfFile, const QString& folder)
{
    const QString base = folder + QStringLiteral("/scan");
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"),
                   {"-r", QString::number(kScanDpi), "-png", "-singlefile", pdfFile, base});
    if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0)
        return {};
    return QImage(base + QStringLiteral(".png"));
}

QRectF inPixels(const QRectF& mm)
{
    const qreal scale = kScanDpi / 25.4;
    return QRectF(mm.topLeft() * scale, mm.size() * scale);
}

// A run of the program on settings that print the back page at kBackPage
// on the stock queue, without asking.
void useTestSettings(testenv::App& app)
{
    SettingsStore& store = SettingsStore::user();
    const std::pair<const char*, int> back[]
        = {{"Linker Rand Back", 31}, {"Oberer Rand Back", 137}, {"MBackW", 151}, {"MBackH", 117}};
    for (const auto& [name, mm] : back)
        store.writeInteger(QLatin1String(name), mm);
    store.writeBool("SelPrinter", false);
    store.writeBool("AutoFormat", true);
    store.writeString("PrinterName", queues::stock);
    PrinterChoice::instance().useSystemPrinters();
    app.restart();
}

PicturePlacement placed(int fit, int turns)
{
    return {PictureFit(fit), turns};
}

}  // namespace

class PicturePrintingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void picturesShowAndPrintAlike_data();
    void picturesShowAndPrintAlike();

private:
    QTemporaryDir m_dir;
};

void PicturePrintingTest::initTestCase()
{
    const QString missing = queues::missing();
    if (!missing.isEmpty())
        QSKIP(qPrintable(missing));
    testenv::writeFormatPictures(m_dir.path());
}

void PicturePrintingTest::picturesShowAndPrintAlike_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<PicturePlacement>("placement");
    // The colours at the quadrants' centres; "face": the panel's own.
    QTest::addColumn<QStringList>("panel");
    QTest::addColumn<QStringList>("paper");
    const QStringList upright = testenv::kUpright;
    for (const char* name : {"q.png", "q.gif", "q.tif", "q.webp", "q.heic", "q.avif", "q.svg",
                             "q.pdf", "lying.jpg", "lying.heic"})
        QTest::newRow(name) << QString::fromLatin1(name) << PicturePlacement() << upright
                            << upright;
    // Where the picture is transparent, the panel's face shows on screen and
    // the white paper on the sheet.
    QTest::newRow("alpha.png") << "alpha.png" << PicturePlacement()
                               << QStringList{"red", "face", "blue", "yellow"}
                               << QStringList{"red", "white", "blue", "yellow"};
    QTest::newRow("fill") << "q.png" << placed(int(PictureFit::Fill), 0) << upright << upright;
    QTest::newRow("turned right") << "q.png" << placed(int(PictureFit::Stretch), 1)
                                  << QStringList{"blue", "red", "yellow", "green"}
                                  << QStringList{"blue", "red", "yellow", "green"};
    QTest::newRow("turned left, fitted") << "q.png" << placed(int(PictureFit::Fit), 3)
                                         << QStringList{"green", "yellow", "red", "blue"}
                                         << QStringList{"green", "yellow", "red", "blue"};
}

void PicturePrintingTest::picturesShowAndPrintAlike()
{
    QFETCH(QString, file);
    QFETCH(PicturePlacement, placement);
    QFETCH(QStringList, panel);
    QFETCH(QStringList, paper);
    testenv::App app;
    useTestSettings(app);
    TSleevix& window = app.main();
    window.show();
    window.OpenImage(2, m_dir.filePath(file));
    // Every test picture is 60 x 40 as shown: not square, so slot 2.
    QVERIFY(window.slotPicture(1).isEmpty());
    QCOMPARE(window.slotPicture(2).size(), QSize(60, 40));
    Picture picture = window.slotPicture(2);
    picture.setPlacement(placement);
    window.slotView(2)->setPicture(picture);

    const QImage shown = window.slotView(2)->grab().toImage();
    const QString face = testenv::colourName(window.Panel2->palette().window().color().rgba());
    QCOMPARE(quadrantColours(shown), panel.replaceInStrings(QStringLiteral("face"), face));

    const QList<int> before = queues::completedJobs(queues::stock);
    window.sbPrintClick();
    const auto job = queues::newJob(queues::stock, before);
    QVERIFY2(job, "the queue completed no job");
    const QImage page = colourPage(job->pdfFile, m_dir.path());
    QVERIFY(!page.isNull());
    QCOMPARE(quadrantColours(page, inPixels(kBackPage)), paper);
    if (placement.fit == PictureFit::Fit) {
        // Turned, the picture is higher than wide: the sides stay blank.
        const QPointF edge
            = inPixels(kBackPage).center() - QPointF(inPixels(kBackPage).width() * 0.48, 0);
        QCOMPARE(testenv::colourName(page.pixel(edge.toPoint())), QStringLiteral("white"));
    }
}

int main(int argc, char* argv[])
{
    queues::connectToTestDaemon();
    QApplication app(argc, argv);
    testenv::prepareApplication(app);
    PicturePrintingTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_picture_printing.moc"
