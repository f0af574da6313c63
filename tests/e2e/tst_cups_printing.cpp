// Prints through real CUPS queues (tests/e2e/e2e-services): the print command
// and the settings window's test print, for every sheet, on a queue with
// the stock cups-pdf PPD and on one whose PPD has uneven hardware margins.
// Each job's PDF, as the queue wrote it, is rasterised at 600 dpi, and every
// outline, fold line and picture edge is looked for where the millimetre
// settings put it, measured from the paper's top-left corner.
#include "app/globals.h"
#include "platform/printing/q_printer_device.h"
#include "print/print_geometry.h"
#include "platform/store/settings_store.h"
#include "platform/widgets/tabbed_pages.h"
#include "platform/printing/print_runner.h"
#include "platform/printing/printer_choice.h"
#include "platform/printing/printer_resolution.h"
#include "settings/t_cd_setup.h"
#include "support/page_scan.h"
#include "support/print_queues.h"
#include "support/test_env.h"
#include "workspace/t_sleevix.h"

#include <QApplication>
#include <QCheckBox>
#include <QImageReader>
#include <QMessageBox>
#include <QPrinter>
#include <QTimer>
#include <QTransform>

#include <cmath>
#include <functional>
#include <map>

namespace queues = testenv::queues;
using testenv::PageScan;

namespace {

constexpr double kToleranceMm = 0.1;

SettingsStore& store()
{
    return SettingsStore::user();
}

// What the user has set, in whole millimetres, under the store's names.
const std::map<QString, int> kMillimetres = {
    {"Linker Rand Front", 48}, {"Oberer Rand Front", 9},   {"MVorderseite", 121},
    {"Linker Rand Back", 31},  {"Oberer Rand Back", 137},  {"MBackW", 151},
    {"MBackH", 117},           {"MKB", 8},                 {"Doppelseite links", 27},
    {"Doppelseite oben", 33},  {"MDopW", 243},             {"MDopH", 121},
    {"CD-links", 46},          {"CD-oben", 14},            {"CD-links 2", 53},
    {"CD-oben 2", 157},        {"MCD", 118},               {"DVD links", 12},
    {"DVD oben", 11},          {"MDVDW", 273},             {"MDVDH", 183},
    {"VHS links", 9},          {"VHS oben", 13},           {"MVHSW", 265},
    {"MVHSH", 190},
};
const char* const kTickedBoxes[] = {"UFront", "UBack", "TrennerVR", "TrennerD", "UDVD", "UVHS"};

// The hardware margins that e2e-services gives each queue on A4, in
// millimetres around the portrait paper.
struct HardwareMargins {
    QString queue;
    double left, top, right, bottom;
};
const HardwareMargins kHardwareMargins[] = {
    {queues::stock, 0, 0, 0, 0},
    {queues::margins, 6, 12, 4, 8},
};

const char* const kFrontPicture = "pictures/valid/jpeg/cmyk_adobe_plain.jpg";
const char* const kBackPicture = "pictures/valid/jpeg/ijg_testimgari.jpg";

// Millimetres to device units as the print geometry defines them.
struct Scale {
    int dpi;
    int units(int mm) const { return millimetresToUnits(mm, dpi); }
    int units(const char* name) const { return units(kMillimetres.at(QString::fromUtf8(name))); }
};

// An item's rectangle on the paper in device units; right and bottom lie
// just outside it.
struct Box {
    int left, top, right, bottom;
    double middleX() const { return (left + right) / 2.0; }
    double middleY() const { return (top + bottom) / 2.0; }
};

Box boxAt(const Scale& s, const char* left, const char* top, const char* width, const char* height)
{
    const int l = s.units(left);
    const int t = s.units(top);
    return {l, t, l + s.units(width), t + s.units(height)};
}

// One printed mark and where it belongs, in device units from the paper's
// corner: lines by the middle of the unit they ink, edges by the boundary.
struct Mark {
    enum Kind { LineDown, LineAcross, LeftEdge, TopEdge, RightEdge, BottomEdge };
    QString what;
    Kind kind;
    double at;
    double from, to;           // its extent along the other axis
    bool onlyMiddle = false;   // a circle touches its box only in the middle
};

using Marks = QList<Mark>;

Marks outline(const QString& what, const Box& b, bool circle = false)
{
    return {{what + " links", Mark::LineDown, b.left + 0.5, double(b.top), double(b.bottom), circle},
            {what + " rechts", Mark::LineDown, b.right - 0.5, double(b.top), double(b.bottom), circle},
            {what + " oben", Mark::LineAcross, b.top + 0.5, double(b.left), double(b.right), circle},
            {what + " unten", Mark::LineAcross, b.bottom - 0.5, double(b.left), double(b.right), circle}};
}

Marks pictureEdges(const QString& what, const Box& b)
{
    return {{what + " links", Mark::LeftEdge, double(b.left), double(b.top), double(b.bottom)},
            {what + " rechts", Mark::RightEdge, double(b.right), double(b.top), double(b.bottom)},
            {what + " oben", Mark::TopEdge, double(b.top), double(b.left), double(b.right)},
            {what + " unten", Mark::BottomEdge, double(b.bottom), double(b.left), double(b.right)}};
}

Mark foldLine(const QString& what, int x, const Box& b)
{
    return {what, Mark::LineDown, x + 0.5, b.top - 1.0, b.bottom + 1.0};
}

Marks frontBackMarks(const Scale& s, bool test)
{
    const Box front = boxAt(s, "Linker Rand Front", "Oberer Rand Front", "MVorderseite", "MVorderseite");
    const Box back = boxAt(s, "Linker Rand Back", "Oberer Rand Back", "MBackW", "MBackH");
    if (!test)
        return pictureEdges("Vorderseite", front) + pictureEdges("Rückseite", back);
    const int fold = s.units("MKB");
    return outline("Vorderseite", front) + outline("Rückseite", back) +
           Marks{foldLine("Knickhilfe links", back.left + fold - 1, back),
                 foldLine("Knickhilfe rechts", back.right + 1 - fold, back)};
}

Marks doubleMarks(const Scale& s, bool test)
{
    const Box sheet = boxAt(s, "Doppelseite links", "Doppelseite oben", "MDopW", "MDopH");
    if (!test)
        return pictureEdges("Doppelseite", sheet);
    const int half = s.units(kMillimetres.at("MDopW") / 2);
    return outline("Doppelseite", sheet) + Marks{foldLine("Falz", sheet.left + half - 1, sheet)};
}

Marks cdMarks(const Scale& s, bool test)
{
    const Box first = boxAt(s, "CD-links", "CD-oben", "MCD", "MCD");
    const Box second = boxAt(s, "CD-links 2", "CD-oben 2", "MCD", "MCD");
    if (!test)
        return pictureEdges("Label 1", first) + pictureEdges("Label 2", second);
    return outline("Label 1", first, true) + outline("Label 2", second, true);
}

Marks dvdMarks(const Scale& s, bool test)
{
    const Box cover = boxAt(s, "DVD links", "DVD oben", "MDVDW", "MDVDH");
    return test ? outline("DVD", cover) : pictureEdges("DVD", cover);
}

Marks vhsMarks(const Scale& s, bool test)
{
    const Box cover = boxAt(s, "VHS links", "VHS oben", "MVHSW", "MVHSH");
    return test ? outline("VHS", cover) : pictureEdges("VHS", cover);
}

struct Sheet {
    const char* name;       // as the job title ends
    const char* layoutBox;  // ticked in the main window, none for front/back
    TCDSetup::Page page;    // the settings page whose test print it is
    bool landscape;
    Marks (*marks)(const Scale&, bool test);
};

const Sheet kSheets[] = {
    {"Vorder-Rückseite", nullptr, TCDSetup::PageFrontBack, false, frontBackMarks},
    {"Doppelseite", "cbDouble", TCDSetup::PageDouble, true, doubleMarks},
    {"CD Labels", "cbCD", TCDSetup::PageCd, false, cdMarks},
    {"DVD", "cbDVD", TCDSetup::PageDvd, true, dvdMarks},
    {"VHS", "cbVHS", TCDSetup::PageVhs, true, vhsMarks},
};

// How far each mark lies from its place, and which were not found.
struct Measured {
    double largestMm = 0;
    QStringList failures;
};

QList<double> samplesAlong(const Mark& mark)
{
    const double middle = (mark.from + mark.to) / 2;
    if (mark.onlyMiddle)
        return {middle};
    const double span = mark.to - mark.from;
    return {mark.from + span / 4, middle, mark.to - span / 4};
}

QList<std::optional<double>> find(const PageScan& scan, const Mark& mark)
{
    using Side = PageScan::Side;
    switch (mark.kind) {
    case Mark::LineDown:
    case Mark::LineAcross: {
        QList<std::optional<double>> found;
        for (double along : samplesAlong(mark))
            found << (mark.kind == Mark::LineDown ? scan.verticalLineNear(mark.at, along)
                                                  : scan.horizontalLineNear(mark.at, along));
        return found;
    }
    case Mark::LeftEdge: return {scan.edgeNear(Side::Left, mark.at, mark.from, mark.to)};
    case Mark::TopEdge: return {scan.edgeNear(Side::Top, mark.at, mark.from, mark.to)};
    case Mark::RightEdge: return {scan.edgeNear(Side::Right, mark.at, mark.from, mark.to)};
    case Mark::BottomEdge: return {scan.edgeNear(Side::Bottom, mark.at, mark.from, mark.to)};
    }
    return {};
}

Measured measure(const PageScan& scan, const Marks& marks)
{
    Measured result;
    for (const Mark& mark : marks) {
        for (const std::optional<double>& found : find(scan, mark)) {
            const double deviation = found ? scan.millimetres(std::abs(*found - mark.at)) : 1e9;
            result.largestMm = std::max(result.largestMm, found ? deviation : 0.0);
            if (deviation > kToleranceMm) {
                result.failures << (found ? QStringLiteral("%1: %2 mm daneben").arg(mark.what).arg(deviation, 0, 'f', 3)
                                          : QStringLiteral("%1: nicht gefunden").arg(mark.what));
            }
        }
    }
    return result;
}

int printerDpi(const QString& queue)
{
    return defaultPrinterResolution(queue);
}

// The paper a job came out on, rasterised at 600 dpi; a landscape page,
// which the queue turns counter-clockwise onto the portrait paper, turned
// back. Null unless the paper is a portrait A4 sheet.
QImage paperAsPrinted(const QString& pdfFile, bool landscape)
{
    const QImage paper = testenv::rasterisedPage(pdfFile);
    const auto isPixels = [](int pixels, int mm) { return std::abs(pixels - mm * 600 / 25.4) < 3; };
    if (!isPixels(paper.width(), 210) || !isPixels(paper.height(), 297))
        return {};
    return landscape ? paper.transformed(QTransform().rotate(90)) : paper;
}

int storedPrintCount()
{
    return store().exists("AnzPrint") ? store().readInteger("AnzPrint") : 0;
}

// Closes every modal window that shows up while it lives, and says which.
class ModalWatch {
public:
    ModalWatch()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            const auto* box = qobject_cast<QMessageBox*>(modal);
            seen << (box ? box->text() : modal->windowTitle());
            modal->close();
        });
        m_timer.start(50);
    }
    QStringList seen;

private:
    QTimer m_timer;
};

}  // namespace

class CupsPrintingTest : public QObject {
    Q_OBJECT

private:
    std::map<QString, double> m_largest;  // per queue, sheet and kind of print

    void startProgram(testenv::App& app, const QString& printerName = {});
    static void printSheet(testenv::App& app, const Sheet& sheet, bool test);

private slots:
    void initTestCase();
    void cleanupTestCase();

    void offsetsAreTheQueuesHardwareMargins_data();
    void offsetsAreTheQueuesHardwareMargins();
    void sheetLandsWhereTheSettingsPutIt_data();
    void sheetLandsWhereTheSettingsPutIt();

    void printerSetupChoiceWinsOverTheSystemDefault();
    void removedPrinterGivesWayToTheDefaultSilently();
};

void CupsPrintingTest::initTestCase()
{
    const QString missing = queues::missing();
    if (!missing.isEmpty())
        QSKIP(qPrintable(missing));
    QImageReader::setAllocationLimit(512);  // an A4 page at 600 dpi
}

void CupsPrintingTest::cleanupTestCase()
{
    for (const auto& [what, mm] : m_largest)
        qInfo("largest deviation %s: %.3f mm", qPrintable(what), mm);
    if (queues::missing().isEmpty())
        queues::lpadmin({"-d", queues::stock});
}

// A fresh run of the program on the user's stored settings, printing
// without asking, with the pictures in the slots; `printerName`, when given,
// is the stored printer.
void CupsPrintingTest::startProgram(testenv::App& app, const QString& printerName)
{
    for (const auto& [name, mm] : kMillimetres)
        store().writeInteger(name, mm);
    for (const char* box : kTickedBoxes)
        store().writeBool(box, true);
    store().writeBool("SelPrinter", false);
    store().writeBool("AutoFormat", false);
    if (!printerName.isEmpty())
        store().writeString("PrinterName", printerName);
    PrinterChoice::instance().useSystemPrinters();
    app.restart();
    app.main().OpenImage(1, testenv::dataFile(kFrontPicture));
    app.main().OpenImage(2, testenv::dataFile(kBackPicture));
}

void CupsPrintingTest::printSheet(testenv::App& app, const Sheet& sheet, bool test)
{
    if (test) {
        TCDSetup dialog(TCDSetup::Role::Dialog, &app.main());
        dialog.PageControl->setCurrentIndex(sheet.page);
        dialog.bTestDruckClick();
        return;
    }
    if (sheet.layoutBox)
        app.main().findChild<QCheckBox*>(sheet.layoutBox)->setChecked(true);
    app.main().sbPrintClick();
}

void CupsPrintingTest::offsetsAreTheQueuesHardwareMargins_data()
{
    QTest::addColumn<QString>("queue");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<double>("leftMm");
    QTest::addColumn<double>("topMm");
    for (const HardwareMargins& m : kHardwareMargins) {
        QTest::newRow(qPrintable(m.queue + " hoch")) << m.queue << false << m.left << m.top;
        // The queue turns a landscape page counter-clockwise onto the paper:
        // the page's left edge is the paper's bottom edge, its top the
        // paper's left edge.
        QTest::newRow(qPrintable(m.queue + " quer")) << m.queue << true << m.bottom << m.left;
    }
}

void CupsPrintingTest::offsetsAreTheQueuesHardwareMargins()
{
    QFETCH(QString, queue);
    QFETCH(bool, landscape);
    QFETCH(double, leftMm);
    QFETCH(double, topMm);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(queue);
    QPrinterDevice device(printer);
    device.setOrientation(landscape ? PrintDevice::Orientation::Landscape : PrintDevice::Orientation::Portrait);
    // Qt keeps the PPD's margins in whole points: up to half a point off.
    const double tolerance = 25.4 / 72 / 2;
    const auto mm = [&](int units) { return units * 25.4 / device.logPixelsX(); };
    QVERIFY2(std::abs(mm(device.physicalOffsetX()) - leftMm) <= tolerance,
             qPrintable(QString::number(mm(device.physicalOffsetX()))));
    QVERIFY2(std::abs(mm(device.physicalOffsetY()) - topMm) <= tolerance,
             qPrintable(QString::number(mm(device.physicalOffsetY()))));
}

void CupsPrintingTest::sheetLandsWhereTheSettingsPutIt_data()
{
    QTest::addColumn<QString>("queue");
    QTest::addColumn<int>("sheet");
    QTest::addColumn<bool>("test");
    for (const QString& queue : {queues::stock, queues::margins}) {
        for (int sheet = 0; sheet < int(std::size(kSheets)); ++sheet) {
            for (bool test : {false, true}) {
                const QString name = QStringLiteral("%1 %2 %3").arg(
                    queue, QString::fromUtf8(kSheets[sheet].name), test ? "Testdruck" : "Druck");
                QTest::newRow(qPrintable(name)) << queue << sheet << test;
            }
        }
    }
}

void CupsPrintingTest::sheetLandsWhereTheSettingsPutIt()
{
    QFETCH(QString, queue);
    QFETCH(int, sheet);
    QFETCH(bool, test);
    const Sheet& printed = kSheets[sheet];
    testenv::App app;
    startProgram(app, queue);
    QVERIFY(!app.main().slotPicture(1).isEmpty() && !app.main().slotPicture(2).isEmpty());

    const QList<int> before = queues::completedJobs(queue);
    const int countBefore = storedPrintCount();
    ModalWatch messages;
    printSheet(app, printed, test);
    QCOMPARE(messages.seen, QStringList());
    QCOMPARE(storedPrintCount(), countBefore + (test ? 0 : 1));

    const auto job = queues::newJob(queue, before);
    QVERIFY2(job, "the queue completed no job, or more than one");
    QCOMPARE(job->title, QStringLiteral("%1 %2 von Sleevix")
                             .arg(test ? "Testausdruck" : "Ausdruck", QString::fromUtf8(printed.name)));
    QCOMPARE(testenv::pdfPageCount(job->pdfFile), 1);
    const QImage page = paperAsPrinted(job->pdfFile, printed.landscape);
    QVERIFY2(!page.isNull(), "not one portrait A4 sheet");

    const int dpi = printerDpi(queue);
    const Scale scale{dpi};
    const Measured measured = measure(PageScan(page, dpi), printed.marks(scale, test));
    m_largest[QString::fromUtf8(QTest::currentDataTag())] = measured.largestMm;
    QVERIFY2(measured.failures.isEmpty(), qPrintable(measured.failures.join(QStringLiteral("; "))));
}

void CupsPrintingTest::printerSetupChoiceWinsOverTheSystemDefault()
{
    QVERIFY(queues::lpadmin({"-d", queues::margins}));
    testenv::App app;
    startProgram(app);
    QStringList offered;
    PrintRunner::instance().printerSetupDialog = [&](QWidget*, const QStringList& printers, const QString&) {
        offered = printers;
        return queues::stock;
    };
    app.main().mPrinterSetupClick();
    QVERIFY(offered.contains(queues::stock) && offered.contains(queues::margins));
    QCOMPARE(store().readString("PrinterName"), queues::stock);

    const QList<int> stockBefore = queues::completedJobs(queues::stock);
    const QList<int> defaultBefore = queues::completedJobs(queues::margins);
    ModalWatch messages;
    app.main().sbPrintClick();
    QCOMPARE(messages.seen, QStringList());
    QVERIFY(queues::newJob(queues::stock, stockBefore));
    QCOMPARE(queues::completedJobs(queues::margins), defaultBefore);
}

void CupsPrintingTest::removedPrinterGivesWayToTheDefaultSilently()
{
    const QString spare = QStringLiteral("Sleevix-Spare");
    QVERIFY(queues::lpadmin({"-p", spare, "-v", queues::deviceUri(queues::stock), "-E", "-m",
                             "lsb/usr/cups-pdf/CUPS-PDF_opt.ppd"}));
    QVERIFY(queues::lpadmin({"-d", queues::margins}));
    testenv::App app;
    startProgram(app);
    PrintRunner::instance().printerSetupDialog = [&](QWidget*, const QStringList&, const QString&) {
        return spare;
    };
    app.main().mPrinterSetupClick();
    QList<int> before = queues::completedJobs(spare);
    app.main().sbPrintClick();
    QVERIFY(queues::newJob(spare, before));

    QVERIFY(queues::lpadmin({"-x", spare}));
    bool askedForFile = false;
    PrintRunner::instance().chooseOutputFile = [&](QWidget*, const QString&) {
        askedForFile = true;
        return QString();
    };
    ModalWatch messages;
    before = queues::completedJobs(queues::margins);
    app.main().sbPrintClick();
    const auto job = queues::newJob(queues::margins, before);
    QVERIFY2(job, "nothing printed on the default printer");
    QCOMPARE(job->title, QStringLiteral("Ausdruck Vorder-Rückseite von Sleevix"));
    QVERIFY(!askedForFile);
    QCOMPARE(messages.seen, QStringList());
}

int main(int argc, char* argv[])
{
    queues::connectToTestDaemon();
    QApplication app(argc, argv);
    testenv::prepareApplication(app);
    CupsPrintingTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_cups_printing.moc"
