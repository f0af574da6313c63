// A printer removed between choosing it and printing on it.
#include "model/program_values.h"
#include "platform/printing/print_runner.h"
#include "platform/printing/printer_choice.h"
#include "platform/printing/recording_device.h"
#include "platform/store/settings_store.h"
#include "platform/widgets/image_view.h"
#include "settings/t_cd_setup.h"
#include "support/message_boxes.h"
#include "support/test_env.h"
#include "workspace/t_sleevix.h"

#include <QApplication>
#include <QPrinter>

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

    // The printer is chosen in the print dialog and switched off and removed
    // before the job starts: the job fails with a message instead of going
    // elsewhere, and the print counter in the store and in the program agree.
    void printerRemovedAfterTheDialogFailsTheJobWithAMessage()
    {
        QStringList installed{"Laser"};
        PrinterChoice::instance().setPrinterListForTesting([&] { return installed; },
                                                           QString("Laser"));
        testenv::App app;
        store().writeString("PrinterName", "Laser");
        store().writeInteger("AnzPrint", 4);
        store().writeBool("SelPrinter", true);
        app.setup().ReadRegistry();
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
        bool removeWhileDialogIsOpen = true;
        PrintRunner::instance().printDialog = [&](QWidget*, QPrinter&) {
            if (removeWhileDialogIsOpen)
                installed.clear();
            return true;
        };
        app.main().Image1->setPicture(Picture::fromImage(QImage(20, 20, QImage::Format_RGB32)));

        testenv::MessageBoxWatch boxes;
        app.main().sbPrintClick();
        QCOMPARE(boxes.texts(),
                 QStringList{
                     "Der Drucker \"Laser\" ist nicht mehr verfügbar. Es wurde nichts gedruckt."});
        QCOMPARE(jobs, 0);
        QCOMPARE(pdfQuestions, 0);  // no silent switch to a PDF file either
        QCOMPARE(store().readInteger("AnzPrint"), program().PrintCount);
        QCOMPARE(store().readString("PrinterName"), QString("Laser"));
        QCOMPARE(program().printerName(), QString("Laser"));

        installed = QStringList{"Laser"};  // back again: the next print goes through
        removeWhileDialogIsOpen = false;
        app.main().sbPrintClick();
        QCOMPARE(boxes.texts().size(), 1);
        QCOMPARE(jobs, 1);
        QCOMPARE(store().readInteger("AnzPrint"), program().PrintCount);
    }
};

SLEEVIX_TEST_MAIN(PrinterGoneTest)
#include "tst_printer_gone.moc"
