#include "model/program_values.h"
#include "platform/printing/print_runner.h"
#include "platform/printing/printer_choice.h"
#include "platform/printing/recording_device.h"
#include "platform/store/settings_store.h"
#include "platform/widgets/image_view.h"
#include "platform/widgets/spin_edit.h"
#include "platform/widgets/tabbed_pages.h"
#include "settings/t_cd_setup.h"
#include "support/recorded_printing.h"
#include "support/test_env.h"
#include "workspace/t_sleevix.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <limits>

using testenv::RecordedPrinting;

namespace {

SettingsStore& store()
{
    return SettingsStore::user();
}

Picture solid(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return Picture::fromImage(image);
}

}  // namespace

class PrintCommandTest : public QObject {
    Q_OBJECT

private slots:
    void counterContinuesFromTheStoreAndCountsCancelledPrints()
    {
        testenv::App app;
        RecordedPrinting printing;
        app.main().sbPrintClick();
        QCOMPARE(store().readInteger("AnzPrint"), 1);
        QCOMPARE(printing.dialogsShown, 1);  // "SelPrinter" is on by default

        store().writeInteger("AnzPrint", 10);
        printing.dialogAnswer = false;
        app.main().sbPrintClick();
        QCOMPARE(store().readInteger("AnzPrint"), 11);
        QCOMPARE(program().PrintCount, 11);
        QCOMPARE(printing.devices.size(), std::size_t(1));  // the cancelled one printed nothing

        // A count at the top of its range stays there.
        store().writeInteger("AnzPrint", std::numeric_limits<qint32>::max());
        app.main().sbPrintClick();
        QCOMPARE(store().readInteger("AnzPrint"), std::numeric_limits<qint32>::max());
    }

    void everyPrintCommandPrints_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("toolbar") << "sbPrint";
        QTest::newRow("menu") << "mPrint";
        QTest::newRow("front panel menu") << "Drucken1";
        QTest::newRow("back panel menu") << "Drucken2";
    }

    void everyPrintCommandPrints()
    {
        QFETCH(QString, command);
        testenv::App app;
        RecordedPrinting printing;
        TSleevix& w = app.main();
        w.slotView(1)->setPicture(solid(40, 40));
        w.FormPaint();
        if (auto* button = w.findChild<QToolButton*>(command))
            button->click();
        else
            w.findChild<QAction*>(command)->trigger();
        QCOMPARE(store().readInteger("AnzPrint"), 1);
        QCOMPARE(printing.devices.size(), std::size_t(1));
    }

    void eachLayoutPrintsItsSheet_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("title");
        QTest::newRow("none") << ""
                              << "Ausdruck Vorder-Rückseite von Sleevix";
        QTest::newRow("folded") << "cbDouble"
                                << "Ausdruck Doppelseite von Sleevix";
        QTest::newRow("cd") << "cbCD"
                            << "Ausdruck CD Labels von Sleevix";
        QTest::newRow("dvd") << "cbDVD"
                             << "Ausdruck DVD von Sleevix";
        QTest::newRow("vhs") << "cbVHS"
                             << "Ausdruck VHS von Sleevix";
    }

    void eachLayoutPrintsItsSheet()
    {
        QFETCH(QString, box);
        QFETCH(QString, title);
        testenv::App app;
        RecordedPrinting printing;
        if (!box.isEmpty())
            app.main().findChild<QCheckBox*>(box)->setChecked(true);
        app.main().sbPrintClick();
        QCOMPARE(printing.titles(), QStringList{title});
    }

    void printUsesStoredSettingsWhileTestPrintUsesTheDialogs()
    {
        testenv::App app;
        RecordedPrinting printing;
        store().writeBool("SelPrinter", false);
        app.main().Image1->setPicture(solid(30, 30));
        app.setup().spLeft->setValue(99);  // changed, never saved
        app.main().sbPrintClick();
        QCOMPARE(printing.devices.back()->drawCalls().first(),
                 RecordedCall::stretchDraw(1081, 136, 3916, 2971, QSize(30, 30)));
        QCOMPARE(printing.dialogsShown, 0);

        TCDSetup dialog(TCDSetup::Role::Dialog, app.main(), app.main(), &app.main());
        dialog.PageControl->setCurrentIndex(TCDSetup::PageFrontBack);
        dialog.spLeft->setValue(99);
        dialog.cbSelPrinter->setChecked(false);
        const int countBefore = store().readInteger("AnzPrint");
        dialog.bTestDruckClick();
        QCOMPARE(printing.titles().last(), QString("Testausdruck Vorder-Rückseite von Sleevix"));
        // 99 mm at 600 dpi (2339 units), less the offset of 100.
        QCOMPARE(printing.devices.back()->drawCalls().first(),
                 RecordedCall::rectangle(2239, 136, 5074, 2971));
        QCOMPARE(store().readInteger("AnzPrint"), countBefore);
    }

    void testPrintFollowsTheActivePage()
    {
        testenv::App app;
        RecordedPrinting printing;
        TCDSetup dialog(TCDSetup::Role::Dialog, app.main(), app.main(), &app.main());
        dialog.cbSelPrinter->setChecked(false);
        for (int page : {TCDSetup::PageCd, TCDSetup::PageDvd, TCDSetup::PageSizes}) {
            dialog.PageControl->setCurrentIndex(page);
            dialog.bTestDruckClick();
        }
        QCOMPARE(
            printing.titles(),
            QStringList({"Testausdruck CD Labels von Sleevix", "Testausdruck DVD von Sleevix"}));
    }

    void printerSetupStoresTheChosenPrinter()
    {
        PrinterChoice& printers = PrinterChoice::instance();
        printers.setPrinterListForTesting([] { return QStringList({"Laser", "Tinte"}); }, "Laser");
        testenv::App app;
        PrintRunner& runner = PrintRunner::instance();
        QString answer = "Tinte";
        runner.printerSetupDialog = [&](QWidget*, const QStringList& list, const QString& current) {
            if (list != QStringList({"Laser", "Tinte"}) || current != "Laser")
                return QString();
            return answer;
        };
        app.main().mPrinterSetupClick();
        QCOMPARE(store().readString("PrinterName"), QString("Tinte"));
        QCOMPARE(printers.currentPrinter(), QString("Tinte"));

        answer.clear();  // cancelled
        store().writeString("PrinterName", "Laser");
        app.main().mPrinterSetupClick();
        QCOMPARE(store().readString("PrinterName"), QString("Laser"));
        printers.setPrinterListForTesting([] { return QStringList(); }, QString());
    }

    void removedPrinterGivesWayToTheDefault()
    {
        QStringList installed{"Laser", "Tinte"};
        PrinterChoice& printers = PrinterChoice::instance();
        printers.setPrinterListForTesting([&] { return installed; }, "Laser");
        printers.setCurrentPrinter("Tinte");
        QCOMPARE(printers.currentPrinter(), QString("Tinte"));
        installed.removeOne("Tinte");
        QCOMPARE(printers.currentPrinter(), QString("Laser"));
        printers.setPrinterListForTesting([] { return QStringList(); }, QString());
    }

    void withoutPrinterTheJobGoesToTheNamedPdf()
    {
        testenv::App app;
        store().writeBool("SelPrinter", false);
        QTemporaryDir dir;
        QString proposed;
        QString answer = dir.filePath("cover.pdf");
        PrintRunner::instance().chooseOutputFile = [&](QWidget*, const QString& title) {
            proposed = title;
            return answer;
        };
        app.main().Image1->setPicture(solid(20, 20));
        app.main().sbPrintClick();
        QCOMPARE(proposed, QString("Ausdruck Vorder-Rückseite von Sleevix"));
        QVERIFY(QFileInfo(answer).size() > 0);

        answer = QString();  // cancelled: nothing printed, but counted
        app.main().sbPrintClick();
        QCOMPARE(store().readInteger("AnzPrint"), 2);
        QCOMPARE(pdfFileNameForTitle("Ausdruck CD/DVD: 1"), QString("Ausdruck CD-DVD- 1.pdf"));
    }
};

SLEEVIX_TEST_MAIN(PrintCommandTest)
#include "tst_print_command.moc"
