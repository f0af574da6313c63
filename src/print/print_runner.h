#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class PrintDevice;
class QPrinter;
class QWidget;

// Runs one sheet on the current printer: shows the print dialog when asked
// to, sets the printer up (or, with no printer installed, a PDF file that
// the user names) and hands the device to the sheet routine. Tests replace
// the device and the dialogs.
class PrintRunner {
public:
    static PrintRunner& instance();

    // Returns false when the user cancelled a dialog and nothing was printed.
    // Errors of the printing platform are thrown as PrintError.
    bool run(QWidget* parent, bool askForPrinter, const std::function<void(PrintDevice&)>& sheet);

    // The print dialog; returns false when cancelled.
    std::function<bool(QWidget* parent, QPrinter& printer)> printDialog;
    // Asks for the PDF file a job goes to when no printer is installed;
    // returns an empty name when cancelled.
    std::function<QString(QWidget* parent, const QString& proposedName)> chooseOutputFile;
    // The printer setup dialog: offers the installed printers with the
    // current one chosen; returns the chosen name, or empty when cancelled.
    std::function<QString(QWidget* parent, const QStringList& printers, const QString& current)>
        printerSetupDialog;
    // Replaces the printer for tests: when set, every job goes to the device
    // it returns, after the dialog step.
    std::function<PrintDevice&()> deviceForTesting;

private:
    PrintRunner();
};

// The print job's title turned into a file name for a PDF.
QString pdfFileNameForTitle(const QString& title);
