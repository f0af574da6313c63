// The main window's print commands: print, preview, PDF export, printer
// setup and printer calibration.
#include "model/program_values.h"
#include "platform/printing/print_support.h"
#include "platform/printing/printer_choice.h"
#include "platform/store/settings_store.h"
#include "platform/widgets/error_box.h"
#include "print/calibrate_printer.h"
#include "print/sheets.h"
#include "settings/t_cd_setup.h"
#include "workspace/t_sleevix.h"

#include <QAction>
#include <QCheckBox>
#include <QMessageBox>
#include <QToolButton>

#include <limits>

namespace {

const QString kPrintCount = QStringLiteral("AnzPrint");

// Counts the command in the store, continuing from the stored count.
void countPrintCommand()
{
    SettingsStore& store = SettingsStore::user();
    if (store.exists(kPrintCount))
        program().PrintCount = store.readInteger(kPrintCount);
    // A count at the top of its range stays there.
    if (program().PrintCount < std::numeric_limits<qint32>::max())
        program().PrintCount += 1;
    store.writeInteger(kPrintCount, program().PrintCount);
}

// The sheets the layout boxes call for. Each test stands on its own; the
// boxes keep at most one ticked, so there is at most one sheet.
QList<TCDSetup::SheetRoutine> tickedSheets(const TSleevix& w)
{
    const bool cd = w.cbCD->isChecked();
    const bool folded = w.cbDouble->isChecked();
    QList<TCDSetup::SheetRoutine> sheets;
    if (!cd && !w.cbDVD->isChecked() && !w.cbVHS->isChecked() && !folded)
        sheets << &PrintFrontBack;
    if (cd && !folded)
        sheets << &PrintCDLabels;
    if (folded && !cd)
        sheets << &PrintDouble;
    if (w.cbDVD->isChecked())
        sheets << &PrintDVD;
    if (w.cbVHS->isChecked())
        sheets << &PrintVHS;
    return sheets;
}

// The sheets of the ticked layout, drawn from the stored settings.
QList<SheetJob> storedSheets(const TSleevix& w)
{
    TCDSetup& settings = w.runLongSettings();
    settings.ReadRegistry();
    QList<SheetJob> jobs;
    for (TCDSetup::SheetRoutine routine : tickedSheets(w))
        jobs << settings.sheetJob(routine, false);
    return jobs;
}

}  // namespace

void TSleevix::connectPrintCommands()
{
    connect(sbPrint, &QToolButton::clicked, this, &TSleevix::sbPrintClick);
    connect(mPrint, &QAction::triggered, this, &TSleevix::mPrintClick);
    connect(popupItem(1, kPrintItem), &QAction::triggered, this, &TSleevix::Drucken1Click);
    connect(popupItem(2, kPrintItem), &QAction::triggered, this, &TSleevix::Drucken2Click);
    connect(mPreview, &QAction::triggered, this, &TSleevix::mPreviewClick);
    connect(mPdfExport, &QAction::triggered, this, &TSleevix::mPdfExportClick);
    connect(mCalibrate, &QAction::triggered, this, &TSleevix::mCalibrateClick);
    for (int menu : {1, 2})
        connect(popupItem(menu, kPreviewItem), &QAction::triggered, this, &TSleevix::mPreviewClick);
    connect(mPrinterSetup, &QAction::triggered, this, &TSleevix::mPrinterSetupClick);
}

void TSleevix::sbPrintClick()
{
    runGuarded(this, [this] {
        countPrintCommand();
        m_runLongSettings->ReadRegistry();
        for (TCDSetup::SheetRoutine routine : tickedSheets(*this))
            m_runLongSettings->printSheet(routine, false);
    });
}

void TSleevix::mPrintClick()
{
    sbPrintClick();
}

void TSleevix::Drucken1Click()
{
    sbPrintClick();
}

void TSleevix::Drucken2Click()
{
    sbPrintClick();
}

void TSleevix::mPreviewClick()
{
    bool print = false;
    runGuarded(this, [&] {
        const QList<SheetJob> sheets = storedSheets(*this);
        if (sheets.isEmpty())
            return;
        print = printSupport().preview(this, sheets.constFirst());
    });
    if (print)
        sbPrintClick();
}

void TSleevix::mPdfExportClick()
{
    runGuarded(this, [this] {
        for (const SheetJob& sheet : storedSheets(*this))
            printSupport().exportPdf(this, sheet);
    });
}

void TSleevix::mPrinterSetupClick()
{
    runGuarded(this, [this] {
        PrinterChoice& printers = PrinterChoice::instance();
        const QString chosen = printSupport().choosePrinter(this, printers.installedPrinters(),
                                                            printers.currentPrinter());
        if (chosen.isEmpty())
            return;
        printers.setCurrentPrinter(chosen);
        SettingsStore::user().writeString(QStringLiteral("PrinterName"), chosen);
    });
}

void TSleevix::mCalibrateClick()
{
    runGuarded(this, [this] {
        const QString printer = PrinterChoice::instance().installedCurrentPrinter();
        if (printer.isEmpty()) {
            QMessageBox::information(
                this, QStringLiteral("Drucker kalibrieren"),
                QStringLiteral("Es ist kein Drucker eingerichtet. Ausdrucke werden als "
                               "PDF-Datei gespeichert und brauchen keine Kalibrierung."));
            return;
        }
        calibratePrinter(this, printer);
    });
}
