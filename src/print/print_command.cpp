// The main window's print command and printer setup command.
#include "workspace/sleevix.h"

#include "app/globals.h"
#include "platform/error_box.h"
#include "platform/settings_store.h"
#include "print/print_runner.h"
#include "print/printer_choice.h"
#include "settings/cdsetup.h"
#include "settings/program_values.h"

#include <QAction>
#include <QCheckBox>
#include <QToolButton>

namespace {

const QString kPrintCount = QStringLiteral("AnzPrint");

// Counts the command in the store, continuing from the stored count.
void countPrintCommand()
{
    SettingsStore& store = SettingsStore::user();
    if (store.exists(kPrintCount))
        program().PrintCount = store.readInteger(kPrintCount);
    program().PrintCount += 1;
    store.writeInteger(kPrintCount, program().PrintCount);
}

}  // namespace

void TSleevix::connectPrintCommands()
{
    connect(sbPrint, &QToolButton::clicked, this, &TSleevix::sbPrintClick);
    connect(mPrint, &QAction::triggered, this, &TSleevix::sbPrintClick);
    connect(popupItem(1, kPrintItem), &QAction::triggered, this, &TSleevix::sbPrintClick);
    connect(popupItem(2, kPrintItem), &QAction::triggered, this, &TSleevix::sbPrintClick);
    connect(mPrinterSetup, &QAction::triggered, this, &TSleevix::mPrinterSetupClick);
}

void TSleevix::sbPrintClick()
{
    runGuarded(this, [this] {
        countPrintCommand();
        if (!CDSetup)
            return;
        CDSetup->ReadRegistry();
        const bool cd = cbCD->isChecked();
        const bool folded = cbDouble->isChecked();
        // Each test stands on its own; the layout boxes keep at most one
        // ticked, so one job results.
        if (!cd && !cbDVD->isChecked() && !cbVHS->isChecked() && !folded)
            CDSetup->PrintFrontBack(false);
        if (cd && !folded)
            CDSetup->PrintCDLabels(false);
        if (folded && !cd)
            CDSetup->PrintDouble(false);
        if (cbDVD->isChecked())
            CDSetup->PrintDVD(false);
        if (cbVHS->isChecked())
            CDSetup->PrintVHS(false);
    });
}

void TSleevix::mPrinterSetupClick()
{
    PrinterChoice& printers = PrinterChoice::instance();
    const QString chosen = PrintRunner::instance().printerSetupDialog(
        this, printers.installedPrinters(), printers.currentPrinter());
    if (chosen.isEmpty())
        return;
    printers.setCurrentPrinter(chosen);
    runGuarded(this, [&] { SettingsStore::user().writeString(QStringLiteral("PrinterName"), chosen); });
}
