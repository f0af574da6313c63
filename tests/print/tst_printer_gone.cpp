// A printer removed between choosing it and printing on it.
#include "app/globals.h"
#include "platform/image_view.h"
#include "platform/recording_device.h"
#include "platform/settings_store.h"
#include "print/print_runner.h"
#include "print/printer_choice.h"
#include "settings/cdsetup.h"
#include "settings/program_values.h"
#include "support/message_boxes.h"
#include "support/test_env.h"
#include "workspace/sleevix.h"

#include <QApplication>

namespace {

SettingsStore& store()
{
    return SettingsStore::user();
}

}  // namespace

class PrinterGoneTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        PrinterChoice::instance().setPrinterListForTesting([] { return QStringList(); }, QString());
        PrintRunner::instance().deviceForTesting = nullptr;
    }

    void removedPrinterFailsTheJobWithAMessageAndCountsItOnce()
    {
        QStringList installed{"Laser"};
        PrinterChoice::instance().setPrinterListForTesting([&] { return installed; }, QString());
        testenv::App app;
        store().writeString("PrinterName", "Laser");
        store().writeInteger("AnzPrint", 4);
        store().writeBool("SelPrinter", false);
        app.setup().ReadRegistry();  // as at start-up: the saved printer becomes current
        QCOMPARE(PrinterChoice::instance().currentPrinter(), QString("Laser"));

        int jobs = 0;
        RecordingDevice device(600, 600, 0, 0);
        PrintRunner::instance().deviceForTesting = [&]() -> PrintDevice& {
            ++jobs;
            return device;
        };
        int pdfQuestions = 0;
        PrintRunner::instance().chooseOutputFile = [&](QWidget*, const QString&) {
            ++pdfQuestions;
            return QString();
        };
        app.main().Image1->setPicture(Picture::fromImage(QImage(20, 20, QImage::Format_RGB32)));

        installed.clear();  // the printer is switched off and removed
        testenv::MessageBoxWatch boxes;
        app.main().sbPrintClick();
        QCOMPARE(boxes.texts(),
                 QStringList{"Der Drucker \"Laser\" ist nicht mehr verfügbar. Es wurde nichts gedruckt."});
        QCOMPARE(jobs, 0);
        QCOMPARE(pdfQuestions, 0);  // no silent switch to a PDF file either
        QCOMPARE(store().readInteger("AnzPrint"), 5);
        QCOMPARE(program().PrintCount, 5);
        QCOMPARE(store().readString("PrinterName"), QString("Laser"));
        QCOMPARE(program().PrinterName, QString("Laser"));

        installed = QStringList{"Laser"};  // back again: the next print goes through
        app.main().sbPrintClick();
        QCOMPARE(boxes.texts().size(), 1);
        QCOMPARE(jobs, 1);
        QCOMPARE(store().readInteger("AnzPrint"), 6);
    }
};

SLEEVIX_TEST_MAIN(PrinterGoneTest)
#include "tst_printer_gone.moc"
