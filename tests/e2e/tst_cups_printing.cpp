// Prints through real CUPS queues (tests/e2e/e2e-services): the print command
// and the settings window's test print, for every sheet, on queues at 300,
// 360, 600, 720 and 1200 dpi, all but the first with uneven hardware margins;
// a scale calibration; and every ready template. Each job's PDF, as the queue
// wrote it, is read from its content streams, and every outline, fold line
// and picture edge is looked for where the millimetre settings put it: in
// true millimetres from the paper's top-left corner, within 0.1 mm.
#include "model/ready_templates.h"
#include "platform/printing/print_runner.h"
#include "platform/printing/printer_calibration.h"
#include "platform/printing/printer_choice.h"
#include "platform/printing/printer_resolution.h"
#include "platform/printing/q_printer_device.h"
#include "platform/store/settings_store.h"
#include "platform/widgets/tabbed_pages.h"
#include "settings/t_cd_setup.h"
#include "support/pdf_ink.h"
#include "support/print_queues.h"
#include "support/test_env.h"
#include "workspace/t_sleevix.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

#include <cmath>
#include <map>

namespace queues = testenv::queues;
using testenv::PdfInk;

namespace {

constexpr double kToleranceMm = 0.1;

SettingsStore& store()
{
    return SettingsStore::user();
}

// What the user has set, in whole millimetres, under the store's names.
const std::map<QString, int> kMillimetres = {
    {"Linker Rand Front", 48},
    {"Oberer Rand Front", 9},
    {"MVorderseite", 121},
    {"Linker Rand Back", 31},
    {"Oberer Rand Back", 137},
    {"MBackW", 151},
    {"MBackH", 117},
    {"MKB", 8},
    {"Doppelseite links", 27},
    {"Doppelseite oben", 33},
    {"MDopW", 243},
    {"MDopH", 121},
    {"CD-links", 46},
    {"CD-oben", 14},
    {"CD-links 2", 53},
    {"CD-oben 2", 157},
    {"MCD", 118},
    {"DVD links", 12},
    {"DVD oben", 11},
    {"MDVDW", 273},
    {"MDVDH", 183},
    {"VHS links", 9},
    {"VHS oben", 13},
    {"MVHSW", 265},
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
    {queues::stock, 0, 0, 0, 0},  {queues::margins, 6, 12, 4, 8}, {queues::at360, 6, 12, 4, 8},
    {queues::at720, 6, 12, 4, 8}, {queues::at1200, 6, 12, 4, 8},
};

const char* const kFrontPicture = "pictures/valid/jpeg/cmyk_adobe_plain.jpg";
const char* const kBackPicture = "pictures/valid/jpeg/ijg_testimgari.jpg";

// The settings of a print and where they put things: true millimetres from
// the paper's corner in device units, stretched by a scale calibration
// across and down the paper (a landscape page lies on it turned
// counter-clockwise, its left edge on the paper's bottom edge).
struct Layout {
    std::map<QString, int> millimetres;
    bool secondFront = false;
    int dpi = 600;
    bool landscape = false;
    double scaleAcross = 1;
    double scaleDown = 1;

    int mm(const char* name) const { return millimetres.at(QString::fromUtf8(name)); }
    double units(double mm) const { return mm * dpi / 25.4; }
    double x(double mm) const
    {
        return landscape ? units(kPaperHeightMm - (kPaperHeightMm - mm) * scaleDown)
                         : units(mm * scaleAcross);
    }
    double y(double mm) const { return units(mm * (landscape ? scaleAcross : scaleDown)); }

    static constexpr double kPaperHeightMm = 297;
};

// An item's rectangle on the paper in device units; right and bottom lie
// just outside it.
struct Box {
    double left, top, right, bottom;
};

Box boxAt(const Layout& l, const char* left, const char* top, const char* width, const char* height)
{
    return {l.x(l.mm(left)), l.y(l.mm(top)), l.x(l.mm(left) + l.mm(width)),
            l.y(l.mm(top) + l.mm(height))};
}

// One printed mark and where it belongs, in device units from the paper's
// corner: lines by the middle of the unit they ink, edges by the boundary.
struct Mark {
    enum Kind { LineDown, LineAcross, LeftEdge, TopEdge, RightEdge, BottomEdge };
    QString what;
    Kind kind;
    double at;
    double from, to;          // its extent along the other axis
    bool onlyMiddle = false;  // a circle touches its box only in the middle
};

using Marks = QList<Mark>;

Marks outline(const QString& what, const Box& b, bool circle = false)
{
    return {{what + " links", Mark::LineDown, b.left + 0.5, b.top, b.bottom, circle},
            {what + " rechts", Mark::LineDown, b.right - 0.5, b.top, b.bottom, circle},
            {what + " oben", Mark::LineAcross, b.top + 0.5, b.left, b.right, circle},
            {what + " unten", Mark::LineAcross, b.bottom - 0.5, b.left, b.right, circle}};
}

Marks pictureEdges(const QString& what, const Box& b)
{
    return {{what + " links", Mark::LeftEdge, b.left, b.top, b.bottom},
            {what + " rechts", Mark::RightEdge, b.right, b.top, b.bottom},
            {what + " oben", Mark::TopEdge, b.top, b.left, b.right},
            {what + " unten", Mark::BottomEdge, b.bottom, b.left, b.right}};
}

// A line `x` units from the paper's left edge, reaching one unit beyond the
// box's top and bottom.
Mark foldLine(const QString& what, double x, const Box& b)
{
    return {what, Mark::LineDown, x, b.top - 1.0, b.bottom + 1.0};
}

Marks frontBackMarks(const Layout& l, bool test)
{
    const Box front
        = boxAt(l, "Linker Rand Front", "Oberer Rand Front", "MVorderseite", "MVorderseite");
    if (l.secondFront) {
        const Box second
            = boxAt(l, "Linker Rand Back 2", "Oberer Rand Back 2", "MVorderseite", "MVorderseite");
        return test
            ? outline("Vorderseite", front) + outline("Zweite Vorderseite", second)
            : pictureEdges("Vorderseite", front) + pictureEdges("Zweite Vorderseite", second);
    }
    const Box back = boxAt(l, "Linker Rand Back", "Oberer Rand Back", "MBackW", "MBackH");
    if (!test)
        return pictureEdges("Vorderseite", front) + pictureEdges("Rückseite", back);
    // Each fold line one unit inside the fold's distance from the edge.
    const int left = l.mm("Linker Rand Back"), width = l.mm("MBackW"), fold = l.mm("MKB");
    return outline("Vorderseite", front) + outline("Rückseite", back)
        + Marks{foldLine("Knickhilfe links", l.x(left + fold) - 0.5, back),
                foldLine("Knickhilfe rechts", l.x(left + width - fold) + 1.5, back)};
}

Marks doubleMarks(const Layout& l, bool test)
{
    const Box sheet = boxAt(l, "Doppelseite links", "Doppelseite oben", "MDopW", "MDopH");
    if (!test)
        return pictureEdges("Doppelseite", sheet);
    const double fold = l.x(l.mm("Doppelseite links") + l.mm("MDopW") / 2) - 0.5;
    return outline("Doppelseite", sheet) + Marks{foldLine("Falz", fold, sheet)};
}

Marks cdMarks(const Layout& l, bool test)
{
    const Box first = boxAt(l, "CD-links", "CD-oben", "MCD", "MCD");
    const Box second = boxAt(l, "CD-links 2", "CD-oben 2", "MCD", "MCD");
    if (!test)
        return pictureEdges("Label 1", first) + pictureEdges("Label 2", second);
    return outline("Label 1", first, true) + outline("Label 2", second, true);
}

Marks dvdMarks(const Layout& l, bool test)
{
    const Box cover = boxAt(l, "DVD links", "DVD oben", "MDVDW", "MDVDH");
    return test ? outline("DVD", cover) : pictureEdges("DVD", cover);
}

Marks vhsMarks(const Layout& l, bool test)
{
    const Box cover = boxAt(l, "VHS links", "VHS oben", "MVHSW", "MVHSH");
    return test ? outline("VHS", cover) : pictureEdges("VHS", cover);
}

struct Sheet {
    const char* name;       // as the job title ends
    const char* layoutBox;  // ticked in the main window, none for front/back
    TCDSetup::Page page;    // the settings page whose test print it is
    bool landscape;
    Marks (*marks)(const Layout&, bool test);
};

enum SheetIndex { FrontBack, Double, Cd, Dvd, Vhs };
const Sheet kSheets[] = {
    {"Vorder-Rückseite", nullptr, TCDSetup::PageFrontBack, false, frontBackMarks},
    {"Doppelseite", "cbDouble", TCDSetup::PageDouble, true, doubleMarks},
    {"CD Labels", "cbCD", TCDSetup::PageCd, false, cdMarks},
    {"DVD", "cbDVD", TCDSetup::PageDvd, true, dvdMarks},
    {"VHS", "cbVHS", TCDSetup::PageVhs, true, vhsMarks},
};

// The sheet each ready template is for. A template missing here fails the
// test that prints them all.
const std::map<QString, SheetIndex> kTemplateSheets = {
    {"A4 CD-Hülle Inlay 150 x 118 mm.lab", FrontBack},
    {"A4 CD-Labels 117 mm.lab", Cd},
    {"A4 CD-Labels Avery L7676.lab", Cd},
    {"A4 CD-Labels Herma 5115.lab", Cd},
    {"A4 CD-Labels Zweckform L6015.lab", Cd},
    {"A4 CD-Slimcase Vorderseiten.lab", FrontBack},
    {"A4 Vorder- und Rückseite.lab", FrontBack},
    {"A4 quer Blu-ray-Hülle.lab", Dvd},
    {"A4 quer DVD-Hülle doppelt 27 mm.lab", Dvd},
    {"A4 quer DVD-Hülle slim 7 mm.lab", Dvd},
    {"A4 quer DVD-Hülle.lab", Dvd},
    {"A4 quer Inlay gefaltet.lab", Double},
};

// How far each mark lies from its place, which were not found, and where
// each was found (in the middle of its samples).
struct Measured {
    double largestMm = 0;
    QStringList failures;
    std::map<QString, double> found;
};

QList<double> samplesAlong(const Mark& mark)
{
    const double middle = (mark.from + mark.to) / 2;
    if (mark.onlyMiddle)
        return {middle};
    const double span = mark.to - mark.from;
    return {mark.from + span / 4, middle, mark.to - span / 4};
}

QList<std::optional<double>> find(const PdfInk& ink, const Mark& mark)
{
    using Side = PdfInk::Side;
    switch (mark.kind) {
    case Mark::LineDown:
    case Mark::LineAcross: {
        QList<std::optional<double>> found;
        for (double along : samplesAlong(mark))
            found << (mark.kind == Mark::LineDown ? ink.verticalLineNear(mark.at, along)
                                                  : ink.horizontalLineNear(mark.at, along));
        return found;
    }
    case Mark::LeftEdge: return {ink.edgeNear(Side::Left, mark.at, mark.from, mark.to)};
    case Mark::TopEdge: return {ink.edgeNear(Side::Top, mark.at, mark.from, mark.to)};
    case Mark::RightEdge: return {ink.edgeNear(Side::Right, mark.at, mark.from, mark.to)};
    case Mark::BottomEdge: return {ink.edgeNear(Side::Bottom, mark.at, mark.from, mark.to)};
    }
    return {};
}

Measured measure(const PdfInk& ink, const Marks& marks)
{
    Measured result;
    for (const Mark& mark : marks) {
        const QList<std::optional<double>> samples = find(ink, mark);
        if (const std::optional<double> middle = samples.value(samples.size() / 2))
            result.found[mark.what] = *middle;
        for (const std::optional<double>& found : samples) {
            const double deviation = found ? ink.millimetres(std::abs(*found - mark.at)) : 1e9;
            result.largestMm = std::max(result.largestMm, found ? deviation : 0.0);
            if (deviation > kToleranceMm) {
                result.failures << (found ? QStringLiteral("%1: %2 mm daneben")
                                                .arg(mark.what)
                                                .arg(deviation, 0, 'f', 3)
                                          : QStringLiteral("%1: nicht gefunden").arg(mark.what));
            }
        }
    }
    return result;
}

bool isPortraitA4(const PdfInk& ink, bool landscape)
{
    const QSizeF paper = landscape ? ink.paperMm().transposed() : ink.paperMm();
    return std::abs(paper.width() - 210) < 0.5 && std::abs(paper.height() - 297) < 0.5;
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
    std::map<QString, double> m_largest;  // per resolution
    QElapsedTimer m_clock;

    void startProgram(testenv::App& app, const QString& printerName = {});
    static void printSheet(testenv::App& app, const Sheet& sheet, bool test);
    // Prints `sheet` on `queue` and measures it against `layout`; the
    // largest deviation, or a failure.
    Measured printAndMeasure(testenv::App& app, const QString& queue, const Sheet& sheet, bool test,
                             const Layout& layout, QRectF* inkedMm = nullptr);

private slots:
    void initTestCase();
    void cleanupTestCase();

    void offsetsAreTheQueuesHardwareMargins_data();
    void offsetsAreTheQueuesHardwareMargins();
    void sheetLandsWhereTheSettingsPutIt_data();
    void sheetLandsWhereTheSettingsPutIt();
    void scaleCalibrationStretchesThePrint_data();
    void scaleCalibrationStretchesThePrint();
    void readyTemplatePrintsInsideThePaper_data();
    void readyTemplatePrintsInsideThePaper();

    void printerSetupChoiceWinsOverTheSystemDefault();
    void removedPrinterGivesWayToTheDefaultSilently();
};

void CupsPrintingTest::initTestCase()
{
    const QString missing = queues::missing();
    if (!missing.isEmpty())
        QSKIP(qPrintable(missing));
    m_clock.start();
}

void CupsPrintingTest::cleanupTestCase()
{
    for (const auto& [what, mm] : m_largest)
        qInfo("largest deviation %s: %.3f mm", qPrintable(what), mm);
    if (queues::missing().isEmpty())
        queues::lpadmin({"-d", queues::stock});
    qInfo("printing and measuring took %.1f s", m_clock.elapsed() / 1000.0);
}

// A fresh run of the program on the user's stored settings, printing
// without asking, with the pictures in the slots; `printerName`, when given,
// is the stored printer.
void CupsPrintingTest::startProgram(testenv::App& app, const QString& printerName)
{
    store().changeTogether([&] {
        for (const auto& [name, mm] : kMillimetres)
            store().writeInteger(name, mm);
        for (const char* box : kTickedBoxes)
            store().writeBool(box, true);
        store().writeBool("SelPrinter", false);
        store().writeBool("AutoFormat", false);
        if (!printerName.isEmpty())
            store().writeString("PrinterName", printerName);
    });
    PrinterChoice::instance().useSystemPrinters();
    app.restart();
    app.main().OpenImage(1, testenv::dataFile(kFrontPicture));
    app.main().OpenImage(2, testenv::dataFile(kBackPicture));
}

void CupsPrintingTest::printSheet(testenv::App& app, const Sheet& sheet, bool test)
{
    if (test) {
        TCDSetup dialog(TCDSetup::Role::Dialog, app.main(), app.main(), &app.main());
        dialog.PageControl->setCurrentIndex(sheet.page);
        dialog.bTestDruckClick();
        return;
    }
    if (sheet.layoutBox)
        app.main().findChild<QCheckBox*>(sheet.layoutBox)->setChecked(true);
    app.main().sbPrintClick();
}

Measured CupsPrintingTest::printAndMeasure(testenv::App& app, const QString& queue,
                                           const Sheet& sheet, bool test, const Layout& layout,
                                           QRectF* inkedMm)
{
    Measured failed;
    const QList<int> before = queues::completedJobs(queue);
    const int countBefore = storedPrintCount();
    ModalWatch messages;
    printSheet(app, sheet, test);
    if (!messages.seen.isEmpty())
        failed.failures << messages.seen;
    if (storedPrintCount() != countBefore + (test ? 0 : 1))
        failed.failures << QStringLiteral("print count %1").arg(storedPrintCount());

    const auto job = queues::newJob(queue, before);
    if (!job)
        return {0,
                failed.failures << QStringLiteral("the queue completed no job, or more than one")};
    const QString title
        = QStringLiteral("%1 %2 von Sleevix")
              .arg(test ? "Testausdruck" : "Ausdruck", QString::fromUtf8(sheet.name));
    if (job->title != title)
        failed.failures << QStringLiteral("job title \"%1\"").arg(job->title);
    if (PdfInk::pageCount(job->pdfFile) != 1)
        failed.failures << QStringLiteral("not one page");
    const std::optional<PdfInk> ink = PdfInk::read(job->pdfFile, layout.dpi, layout.landscape);
    if (!ink || !isPortraitA4(*ink, layout.landscape) || ink->isEmpty())
        return {0, failed.failures << QStringLiteral("not one portrait A4 sheet with ink")};
    if (inkedMm) {
        const QRectF units = ink->bounds();
        *inkedMm
            = QRectF(QPointF(ink->millimetres(units.left()), ink->millimetres(units.top())),
                     QPointF(ink->millimetres(units.right()), ink->millimetres(units.bottom())));
    }
    Measured measured = measure(*ink, sheet.marks(layout, test));
    measured.failures = failed.failures + measured.failures;
    return measured;
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
    PrinterChoice::instance().useSystemPrinters();
    PrinterChoice::instance().setCurrentPrinter(queue);
    QPrinter printer(QPrinter::HighResolution);
    QCOMPARE(PrintRunner::setUpCurrentPrinter(printer), queue);
    QCOMPARE(printer.resolution(), defaultPrinterResolution(queue));
    QPrinterDevice device(printer);
    device.setOrientation(landscape ? PrintDevice::Orientation::Landscape
                                    : PrintDevice::Orientation::Portrait);
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
    for (const QString& queue : queues::all) {
        for (int sheet = 0; sheet < int(std::size(kSheets)); ++sheet) {
            for (bool test : {false, true}) {
                const QString name = QStringLiteral("%1 %2 %3")
                                         .arg(queue, QString::fromUtf8(kSheets[sheet].name),
                                              test ? "Testdruck" : "Druck");
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
    const int dpi = defaultPrinterResolution(queue);
    QVERIFY(dpi > 0);
    testenv::App app;
    startProgram(app, queue);
    QVERIFY(!app.main().slotPicture(1).isEmpty() && !app.main().slotPicture(2).isEmpty());

    const Sheet& printed = kSheets[sheet];
    const Layout layout{kMillimetres, false, dpi, printed.landscape};
    const Measured measured = printAndMeasure(app, queue, printed, test, layout);
    const QString resolution = QStringLiteral("%1 dpi").arg(dpi, 4);
    m_largest[resolution] = std::max(m_largest[resolution], measured.largestMm);
    QVERIFY2(measured.failures.isEmpty(), qPrintable(measured.failures.join(QStringLiteral("; "))));
}

void CupsPrintingTest::scaleCalibrationStretchesThePrint_data()
{
    QTest::addColumn<int>("sheet");
    QTest::addColumn<bool>("test");
    QTest::newRow("Vorder-Rückseite Druck") << int(FrontBack) << false;
    QTest::newRow("DVD Druck") << int(Dvd) << false;
    QTest::newRow("Doppelseite Testdruck") << int(Double) << true;
}

void CupsPrintingTest::scaleCalibrationStretchesThePrint()
{
    QFETCH(int, sheet);
    QFETCH(bool, test);
    testenv::App app;
    startProgram(app, queues::margins);
    // 1.0 % longer across the paper, 0.5 % shorter down it.
    PrinterCalibration{0, 0, 1'010'000, 995'000}.save(queues::margins);
    const Sheet& printed = kSheets[sheet];
    const Layout layout{kMillimetres,      false, defaultPrinterResolution(queues::margins),
                        printed.landscape, 1.010, 0.995};
    const Measured measured = printAndMeasure(app, queues::margins, printed, test, layout);
    m_largest[QStringLiteral("with scale calibration")]
        = std::max(m_largest[QStringLiteral("with scale calibration")], measured.largestMm);
    QVERIFY2(measured.failures.isEmpty(), qPrintable(measured.failures.join(QStringLiteral("; "))));

    // Every item's width and height changed by the scale along the paper.
    std::map<QString, double> expected;
    for (const Mark& mark : printed.marks(layout, test))
        expected[mark.what] = mark.at;
    const auto mm = [&](double units) { return units * 25.4 / layout.dpi; };
    for (const auto& [start, end] : {std::pair{"links", "rechts"}, std::pair{"oben", "unten"}}) {
        for (const auto& [what, at] : measured.found) {
            if (!what.endsWith(QLatin1String(start)))
                continue;
            const QString other = what.chopped(qstrlen(start)) + QLatin1String(end);
            const double length = mm(measured.found.at(other) - at);
            const double wanted = mm(expected.at(other) - expected.at(what));
            qInfo("%s: %.3f mm, stretched %.3f mm", qPrintable(what.chopped(qstrlen(start) + 1)),
                  length, wanted);
            QVERIFY2(std::abs(length - wanted) <= kToleranceMm, qPrintable(other));
        }
    }
}

void CupsPrintingTest::readyTemplatePrintsInsideThePaper_data()
{
    QTest::addColumn<QString>("name");
    for (const QString& name : QDir(QStringLiteral(":/templates")).entryList(QDir::Files))
        QTest::newRow(qPrintable(name)) << name;
}

void CupsPrintingTest::readyTemplatePrintsInsideThePaper()
{
    QFETCH(QString, name);
    QVERIFY2(kTemplateSheets.count(name), "no sheet named for this template");
    const Sheet& printed = kSheets[kTemplateSheets.at(name)];
    testenv::App app;
    startProgram(app);
    QDir(defaultTemplatesFolder()).removeRecursively();

    // Loaded on the template page and saved, as a user does.
    {
        TCDSetup dialog(TCDSetup::Role::Dialog, app.main(), app.main(), &app.main());
        dialog.eLabels->setText(defaultTemplatesFolder());
        dialog.LoadFileList();
        dialog.ListView->setCurrentItem(
            dialog.ListView->findItems(name, Qt::MatchExactly).value(0));
        QCOMPARE(dialog.SelItem() >= 0, true);
        dialog.bLoadLabel->click();
        dialog.WriteRegistry();
    }
    store().writeString("PrinterName", queues::margins);
    Layout layout;
    for (const auto& [setting, mm] : kMillimetres)
        layout.millimetres[setting] = store().readInteger(setting);
    layout.millimetres["Linker Rand Back 2"] = store().readInteger("Linker Rand Back 2");
    layout.millimetres["Oberer Rand Back 2"] = store().readInteger("Oberer Rand Back 2");
    layout.secondFront = store().readBool("2 Front");
    layout.dpi = defaultPrinterResolution(queues::margins);
    layout.landscape = printed.landscape;

    QRectF inked;
    const Measured measured = printAndMeasure(app, queues::margins, printed, false, layout, &inked);
    m_largest[QStringLiteral("ready templates")]
        = std::max(m_largest[QStringLiteral("ready templates")], measured.largestMm);
    QVERIFY2(measured.failures.isEmpty(), qPrintable(measured.failures.join(QStringLiteral("; "))));
    const QRectF paper(QPointF(0, 0), printed.landscape ? QSizeF(297, 210) : QSizeF(210, 297));
    QVERIFY2(paper.contains(inked),
             qPrintable(QStringLiteral("ink from %1/%2 to %3/%4 mm")
                            .arg(inked.left())
                            .arg(inked.top())
                            .arg(inked.right())
                            .arg(inked.bottom())));
}

void CupsPrintingTest::printerSetupChoiceWinsOverTheSystemDefault()
{
    QVERIFY(queues::lpadmin({"-d", queues::margins}));
    testenv::App app;
    startProgram(app);
    QStringList offered;
    PrintRunner::instance().printerSetupDialog
        = [&](QWidget*, const QStringList& printers, const QString&) {
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
    PrintRunner::instance().printerSetupDialog
        = [&](QWidget*, const QStringList&, const QString&) { return spare; };
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
