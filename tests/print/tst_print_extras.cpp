#include "platform/printing/calibrated_device.h"
#include "platform/printing/print_preview.h"
#include "platform/printing/print_runner.h"
#include "platform/printing/print_support.h"
#include "platform/printing/printer_calibration.h"
#include "platform/printing/printer_choice.h"
#include "platform/printing/recording_device.h"
#include "platform/store/settings_store.h"
#include "platform/widgets/image_view.h"
#include "platform/widgets/spin_edit.h"
#include "platform/widgets/tabbed_pages.h"
#include "print/calibration_dialog.h"
#include "settings/t_cd_setup.h"
#include "support/recorded_printing.h"
#include "support/test_env.h"
#include "workspace/t_sleevix.h"

#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageLayout>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <functional>
#include <optional>

// The print preview, the PDF export and the printer calibration, driven from
// the main window's commands.

using testenv::RecordedPrinting;
using C = RecordedCall;
using Calls = QList<RecordedCall>;

namespace {

SettingsStore& store()
{
    return SettingsStore::user();
}

Picture solid(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(128, 128, 128));
    return Picture::fromImage(image);
}

void installPrinters(const QStringList& printers, const QString& current)
{
    PrinterChoice::instance().setPrinterListForTesting([printers] { return printers; }, current);
}

// Runs `act` on the next modal window of type T as soon as it shows.
template <typename T> void whenModal(std::function<void(T&)> act)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(*window);
        }
    });
    timer->start(10);
}

// The same calls moved by (dx, dy) device units.
Calls moved(Calls calls, int dx, int dy)
{
    for (RecordedCall& call : calls) {
        switch (call.kind) {
        case C::Kind::StretchDraw:
        case C::Kind::StretchDrawRound:
        case C::Kind::Rectangle:
        case C::Kind::Ellipse:
        case C::Kind::ClearEllipse:
            call.right += dx;
            call.bottom += dy;
            [[fallthrough]];
        case C::Kind::MoveTo:
        case C::Kind::LineTo:
            call.left += dx;
            call.top += dy;
            break;
        default: break;
        }
    }
    return calls;
}

// The device points a call draws at: the corners of a box, or one point.
QList<QPoint> pointsOf(const RecordedCall& call)
{
    switch (call.kind) {
    case C::Kind::StretchDraw:
    case C::Kind::StretchDrawRound:
    case C::Kind::Rectangle:
    case C::Kind::Ellipse:
    case C::Kind::ClearEllipse:
        return {QPoint(call.left, call.top), QPoint(call.right, call.bottom)};
    case C::Kind::MoveTo:
    case C::Kind::LineTo: return {QPoint(call.left, call.top)};
    default: return {};
    }
}

// Rasterises a one-page PDF at 600 dpi in grey levels; null without pdftoppm.
QImage rasterised(const QString& pdf)
{
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty())
        return {};
    QProcess process;
    const QString base = pdf + QStringLiteral("-page");
    process.start(pdftoppm, {"-r", "600", "-gray", "-singlefile", pdf, base});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QImage(base + QStringLiteral(".pgm"));
}

// The first black pixel within `reach` of `expected` along a line of the page.
std::optional<int> inkNear(int expected, const std::function<int(int)>& greyAt, int reach = 6)
{
    for (int distance = 0; distance <= reach; ++distance) {
        for (const int at : {expected - distance, expected + distance}) {
            if (greyAt(at) < 64)
                return at;
        }
    }
    return std::nullopt;
}

// The first and last pixel column and row of an item placed in millimetres
// from the paper's corner, at 600 dpi.
struct PaperBox {
    int left, top, right, bottom;
};

PaperBox paperBox(int leftMm, int topMm, int widthMm, int heightMm)
{
    const auto units = [](int mm) { return int(std::lround(mm * 600 / 25.4)); };
    return {units(leftMm), units(topMm), units(leftMm) + units(widthMm) - 1,
            units(topMm) + units(heightMm) - 1};
}

}  // namespace

class PrintExtrasTest : public QObject {
    Q_OBJECT

    std::unique_ptr<testenv::App> m_app;
    TSleevix& main() { return m_app->main(); }

    // A picture in both slots and the layout box `box` ticked (none: front and back).
    void prepareLayout(const char* box)
    {
        main().Image1->setPicture(solid(30, 20));
        main().Image2->setPicture(solid(20, 30));
        if (*box)
            main().findChild<QCheckBox*>(QLatin1String(box))->setChecked(true);
        main().FormPaint();
    }

    Calls printedCalls(RecordedPrinting& printing)
    {
        main().sbPrintClick();
        return printing.devices.back()->drawCalls();
    }

private slots:
    void init()
    {
        installPrinters({}, QString());
        m_app = std::make_unique<testenv::App>();
        store().writeBool("SelPrinter", false);
    }

    void cleanup()
    {
        m_app.reset();
        installPrinters({}, QString());
    }

    void menusOfferTheCommandsWhenThereIsSomethingToPrint()
    {
        QStringList captions;
        for (QAction* action : main().menuBar()->actions().at(1)->menu()->actions())
            captions << action->text();
        QCOMPARE(captions,
                 QStringList({"Dr&ucken", "Drucker &Konfiguration", "Druck&vorschau",
                              "Als &PDF speichern...", "Drucker &kalibrieren..."}));
        const std::pair<int, QString> items[] = {
            {TSleevix::kLoadItem, "Bild laden"},
            {TSleevix::kPrintItem, "Drucken"},
            {TSleevix::kPreviewItem, "Druckvorschau"},
            {TSleevix::kPasteItem, "Einfügen aus Zwischenablage"},
            {TSleevix::kClipboardCopyItem, "In Zwischenablage kopieren"},
            {TSleevix::kRecognitionItem, "Bilderkennung"},
            {TSleevix::kSettingsItem, "Einstellungen"},
        };
        for (int menu : {1, 2}) {
            for (const auto& [index, caption] : items)
                QCOMPARE(main().popupItem(menu, index)->text(), caption);
        }

        main().FormPaint();
        QVERIFY(!main().mPreview->isEnabled() && !main().mPdfExport->isEnabled());
        QVERIFY(!main().popupItem(1, TSleevix::kPreviewItem)->isEnabled());
        QVERIFY(main().mCalibrate->isEnabled());
        prepareLayout("");
        QVERIFY(main().mPreview->isEnabled() && main().mPdfExport->isEnabled());
        QVERIFY(main().popupItem(2, TSleevix::kPreviewItem)->isEnabled());
    }

    void previewShowsWhatThePrintCommandPrints()
    {
        installPrinters({"Laser"}, "Laser");
        store().writeString("PrinterName", "Laser");
        PrinterCalibration{15, -7}.save("Laser");
        RecordedPrinting printing;
        prepareLayout("cbDVD");
        m_app->setup().spDVDLeft->setValue(99);  // never saved, so never printed

        whenModal<PrintPreview>([](PrintPreview& preview) { preview.printButton()->click(); });
        main().popupItem(2, TSleevix::kPreviewItem)->trigger();
        QCOMPARE(printing.devices.size(), std::size_t(2));
        QCOMPARE(printing.devices[0]->calls(), printing.devices[1]->calls());
        // The stored cover at 10 / 10 mm, moved by the printer's calibration.
        // A landscape page lies turned on the paper: right on the paper is down
        // on the page, down on the paper is left on the page.
        QCOMPARE(printing.devices[0]->drawCalls().first(), C::rectangle(153, 171, 6602, 4517));
        QCOMPARE(store().readInteger("AnzPrint"), 1);  // printing from the preview

        whenModal<PrintPreview>([](PrintPreview& preview) { preview.reject(); });
        main().mPreview->trigger();
        QCOMPARE(printing.devices.size(), std::size_t(3));
        QCOMPARE(store().readInteger("AnzPrint"), 1);
    }

    void previewShowsTheSheetOnThePaper_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("orientation");
        QTest::newRow("CD") << "cbCD" << int(QPageLayout::Portrait);
        QTest::newRow("VHS") << "cbVHS" << int(QPageLayout::Landscape);
    }

    void previewShowsTheSheetOnThePaper()
    {
        QFETCH(QString, box);
        QFETCH(int, orientation);
        prepareLayout(box.toLatin1().constData());
        int pages = 0;
        QString problem = "not shown";
        QPageLayout layout;
        QString paper;
        whenModal<PrintPreview>([&](PrintPreview& preview) {
            pages = preview.view()->pageCount();
            problem = preview.problem();
            layout = preview.printer().pageLayout();
            paper = preview.findChild<QLabel*>("PaperInfo")->text();
            QTest::keyClick(&preview, Qt::Key_Escape);
        });
        main().mPreview->trigger();
        QCOMPARE(problem, QString());
        QCOMPARE(pages, 1);
        QCOMPARE(layout.pageSize().id(), QPageSize::A4);
        QCOMPARE(int(layout.orientation()), orientation);
        QVERIFY2(paper.contains("A4"), qPrintable(paper));
        QVERIFY(!store().exists("AnzPrint"));
    }

    void pdfExportPutsTheSheetAtItsPlaceOnA4()
    {
        installPrinters({"Laser"}, "Laser");
        PrinterCalibration{15, -7}.save("Laser");
        prepareLayout("");
        QTemporaryDir dir;
        QString proposed;
        PrintRunner::instance().chooseOutputFile = [&](QWidget*, const QString& title) {
            proposed = title;
            return dir.filePath("export.pdf");
        };
        main().mPdfExport->trigger();
        QCOMPARE(proposed, QString("Ausdruck Vorder-Rückseite von Sleevix"));
        QVERIFY(!store().exists("AnzPrint"));

        QImageReader::setAllocationLimit(512);
        const QImage page = rasterised(dir.filePath("export.pdf"));
        if (page.isNull())
            QSKIP("pdftoppm is not installed");
        // A4 portrait; Qt keeps the paper in whole points (up to 12 pixels).
        QVERIFY(qAbs(page.width() - 4961) <= 12 && qAbs(page.height() - 7016) <= 12);
        // The framed pages from the paper's corner (front 50 / 10 mm, 120 mm;
        // back 36 / 130 mm, 152 x 118 mm), each edge within 0.1 mm.
        for (const PaperBox& box : {paperBox(50, 10, 120, 120), paperBox(36, 130, 152, 118)}) {
            const int midX = (box.left + box.right) / 2, midY = (box.top + box.bottom) / 2;
            const std::function<int(int)> across
                = [&](int x) { return qGray(page.pixel(x, midY)); };
            const std::function<int(int)> down = [&](int y) { return qGray(page.pixel(midX, y)); };
            for (const auto& [edge, greyAt] :
                 {std::pair{box.left, &across}, std::pair{box.right, &across},
                  std::pair{box.top, &down}, std::pair{box.bottom, &down}})
                QVERIFY2(inkNear(edge, *greyAt, 2),
                         qPrintable(QString("no frame line near %1").arg(edge)));
            QVERIFY(qAbs(qGray(page.pixel(midX, midY)) - 128) < 8);
        }
        QCOMPARE(qGray(page.pixel(paperBox(50, 10, 120, 120).left - 4, 1000)), 255);
    }

    void calibrationMovesEveryCoordinateOnItsPrinterOnly_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        // +1.5 mm across and -0.7 mm down the paper at 600 dpi; a landscape
        // page lies on the paper turned counter-clockwise.
        QTest::newRow("front and back") << "" << 35 << -17;
        QTest::newRow("folded") << "cbDouble" << 17 << 35;
        QTest::newRow("round CD labels") << "cbCD" << 35 << -17;
        QTest::newRow("DVD") << "cbDVD" << 17 << 35;
        QTest::newRow("VHS") << "cbVHS" << 17 << 35;
    }

    void calibrationMovesEveryCoordinateOnItsPrinterOnly()
    {
        QFETCH(QString, box);
        QFETCH(int, dx);
        QFETCH(int, dy);
        installPrinters({"Laser", "Tinte"}, "Laser");
        store().writeString("PrinterName", "Laser");
        store().writeBool("CDRund", true);
        RecordedPrinting printing;
        prepareLayout(box.toLatin1().constData());
        const Calls plain = printedCalls(printing);
        QVERIFY(!plain.isEmpty());

        PrinterCalibration{15, -7}.save("Laser");
        QCOMPARE(printedCalls(printing), moved(plain, dx, dy));

        main().mPdfExport->trigger();
        QCOMPARE(printing.devices.back()->drawCalls(), plain);

        store().writeString("PrinterName", "Tinte");
        QCOMPARE(printedCalls(printing), plain);
    }

    void scaleStretchesFromThePapersCornerAlongThePaper_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("landscape");
        QTest::newRow("front and back") << "" << false;
        QTest::newRow("folded") << "cbDouble" << true;
        QTest::newRow("CD labels") << "cbCD" << false;
        QTest::newRow("DVD") << "cbDVD" << true;
        QTest::newRow("VHS") << "cbVHS" << true;
    }

    void scaleStretchesFromThePapersCornerAlongThePaper()
    {
        QFETCH(QString, box);
        QFETCH(bool, landscape);
        installPrinters({"Laser"}, "Laser");
        store().writeString("PrinterName", "Laser");
        RecordedPrinting printing;
        prepareLayout(box.toLatin1().constData());
        const Calls plain = printedCalls(printing);
        // 1.0 % longer across the paper, 0.5 % shorter down it.
        PrinterCalibration{0, 0, 1'010'000, 995'000}.save("Laser");
        const Calls stretched = printedCalls(printing);
        QCOMPARE(stretched.size(), plain.size());

        // Distances from the paper's top-left corner, in device units at
        // 600 dpi with offsets 100 on A4: across and down the paper.
        const int paperHeight = 7016;
        const auto across = [&](int x, int y) { return landscape ? y + 100 : x + 100; };
        const auto down
            = [&](int x, int y) { return landscape ? paperHeight - (x + 100) : y + 100; };
        for (qsizetype i = 0; i < plain.size(); ++i) {
            const QList<QPoint> before = pointsOf(plain[i]), after = pointsOf(stretched[i]);
            for (qsizetype j = 0; j < before.size(); ++j) {
                const QPoint p = before[j], c = after[j];
                QVERIFY2(qAbs(across(c.x(), c.y()) - across(p.x(), p.y()) * 1.010) <= 1,
                         qPrintable(stretched[i].toString()));
                QVERIFY2(qAbs(down(c.x(), c.y()) - down(p.x(), p.y()) * 0.995) <= 1,
                         qPrintable(stretched[i].toString()));
            }
        }
    }

    void crossEntryKeepsTheCrossWhereItPutsItUnderAScale()
    {
        // The cross 20 mm from the edges was measured at 18.5 mm across on
        // the uncorrected page (entry +1.5 mm) of a printer that prints 1 %
        // short across. Corrected, the cross lands 1.5 mm right of where it
        // was printed, stretched by the scale: (20 + 1.5) * 1.01 - 0.2 mm.
        const int scale = 1'010'000;
        const int offset = PrinterCalibration::offsetForEntry(15, scale);
        QCOMPARE(PrinterCalibration::entryForOffset(offset, scale), 15);
        RecordingDevice printer(600, 600, 100, 100);
        CalibratedDevice device(
            printer, PrinterCalibration{offset, 0, scale, PrinterCalibration::kUnitScale});
        device.moveTo(472 - 100, 472 - 100);  // 20 mm from both edges
        const C moved = printer.calls().last();
        QVERIFY(qAbs((moved.left + 100) * 25.4 / 600 - (20 + 1.5 * 1.01)) < 0.1);
        QCOMPARE(moved.top + 100, 472);
    }

    void calibrationMovesTestPrints()
    {
        installPrinters({"Laser"}, "Laser");
        RecordedPrinting printing;
        TCDSetup dialog(TCDSetup::Role::Dialog, main(), main(), &main());
        dialog.cbSelPrinter->setChecked(false);
        dialog.cbCDRund->setChecked(true);
        dialog.PageControl->setCurrentIndex(TCDSetup::PageCd);
        dialog.bTestDruckClick();
        PrinterCalibration{-3, 22}.save("Laser");
        dialog.bTestDruckClick();
        // -0.3 mm and +2.2 mm: -7 and +52 units (to the nearest unit).
        QCOMPARE(printing.devices[1]->drawCalls(), moved(printing.devices[0]->drawCalls(), -7, 52));
        QCOMPARE(printing.devices[0]->drawCalls().size(), 4);  // two circles with their holes
    }

    void calibrationDialogStoresTenthsAndPrintsTheUncorrectedPage()
    {
        installPrinters({"Laser"}, "Laser");
        PrinterCalibration{3, -3}.save("Laser");
        RecordedPrinting printing;
        const CalibrationRulers rulers
            = CalibrationRulers::forPaper(printSupport().paperArea("Laser"));
        const double across = rulers.acrossLengthMm, down = rulers.downLengthMm;
        double shownX = 0, shownY = 0, clamped = 0;
        QStringList captions;
        QString correction;
        whenModal<CalibrationDialog>([&](CalibrationDialog& dialog) {
            shownX = dialog.correctionX()->value();
            shownY = dialog.correctionY()->value();
            dialog.correctionX()->setValue(12);
            clamped = dialog.correctionX()->value();
            dialog.correctionX()->setValue(1.5);
            dialog.correctionY()->setValue(-0.7);
            for (const char* name : {"MeasuredAcrossLabel", "MeasuredDownLabel"})
                captions << dialog.findChild<QLabel*>(name)->text();
            // The printer printed the ruler across 2 mm short, the one down
            // 1 mm long.
            dialog.measuredAcross()->setValue(across - 2);
            dialog.measuredDown()->setValue(down + 1);
            correction = dialog.correctionShown()->text();
            dialog.printPageButton()->click();
            dialog.accept();
        });
        main().mCalibrate->trigger();
        QCOMPARE(shownX, 0.3);
        QCOMPARE(shownY, -0.3);
        QCOMPARE(clamped, 10.0);
        const int scaleX = qRound(across / (across - 2) * 1e6),
                  scaleY = qRound(down / (down + 1) * 1e6);
        QCOMPARE(store().readInteger("Kalibrierung Skalierung X Laser"), scaleX);
        QCOMPARE(store().readInteger("Kalibrierung Skalierung Y Laser"), scaleY);
        // The entries were measured on the uncorrected page.
        QCOMPARE(store().readInteger("Kalibrierung X Laser"),
                 PrinterCalibration::offsetForEntry(15, scaleX));
        QCOMPARE(store().readInteger("Kalibrierung Y Laser"),
                 PrinterCalibration::offsetForEntry(-7, scaleY));
        QCOMPARE(captions,
                 QStringList({QString("Lineal &quer (Soll %1 mm):").arg(across),
                              QString("Lineal &längs (Soll %1 mm):").arg(down)}));
        QVERIFY2(correction.startsWith("Korrektur auf 200 mm: quer +2,")
                     && correction.contains("längs −0,"),
                 qPrintable(correction));

        QCOMPARE(printing.titles(), QStringList{"Kalibrierung von Sleevix"});
        // The cross at 20 / 20 mm with arms to 10 and 30 mm, without correction.
        const Calls page = printing.devices[0]->drawCalls();
        for (const C& call :
             {C::moveTo(136, 372), C::lineTo(610, 372), C::moveTo(372, 136), C::lineTo(372, 610)})
            QVERIFY2(page.contains(call), qPrintable(call.toString()));
        // The rulers start at the paper's edge; the long ones carry the
        // lengths the dialog asks for.
        QVERIFY(page.contains(C::moveTo(-100, -100)));
        QStringList texts;
        for (const C& call : page) {
            if (call.kind == C::Kind::TextOut)
                texts << call.title;
        }
        QCOMPARE(texts,
                 QStringList({QString("Lineal quer: %1 mm").arg(across),
                              QString("Lineal längs: %1 mm").arg(down)}));
        QVERIFY(!store().exists("AnzPrint"));

        // Shown again as stored; cancelled changes are not kept.
        double measuredAcross = 0;
        whenModal<CalibrationDialog>([&](CalibrationDialog& dialog) {
            measuredAcross = dialog.measuredAcross()->value();
            shownX = dialog.correctionX()->value();
            dialog.correctionX()->setValue(-4);
            dialog.reject();
        });
        main().mCalibrate->trigger();
        QCOMPARE(measuredAcross, across - 2);
        QCOMPARE(shownX, 1.5);
        QCOMPARE(store().readInteger("Kalibrierung X Laser"),
                 PrinterCalibration::offsetForEntry(15, scaleX));

        // The reset takes every correction back.
        whenModal<CalibrationDialog>([&](CalibrationDialog& dialog) {
            dialog.resetButton()->click();
            correction = dialog.correctionShown()->text();
            dialog.accept();
        });
        main().mCalibrate->trigger();
        QCOMPARE(correction, QString("Korrektur auf 200 mm: quer ±0,0 mm, längs ±0,0 mm"));
        QCOMPARE(PrinterCalibration::load("Laser"), PrinterCalibration());
    }

    void calibrationNeedsAPrinter()
    {
        QString told;
        whenModal<QMessageBox>([&](QMessageBox& box) {
            told = box.text();
            box.accept();
        });
        main().mCalibrate->trigger();
        QVERIFY2(told.startsWith("Es ist kein Drucker eingerichtet."), qPrintable(told));
    }
};

SLEEVIX_TEST_MAIN(PrintExtrasTest)
#include "tst_print_extras.moc"
