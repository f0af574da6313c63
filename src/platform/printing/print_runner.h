#pragma once

#include "platform/printing/sheet_job.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

struct PrinterCalibration;
class QPrinter;
class QWidget;

// Runs one sheet on the current printer: shows the print dialog when asked
// to, sets the printer up (or, with no printer installed, a PDF file that
// the user names) and hands the device to the sheet routine, moved by the
// printer's calibration. Tests replace the device and the dialogs.
class PrintRunner {
public:
    static PrintRunner& instance();

    enum class Calibration { Apply, Ignore };

    // Returns false when the user cancelled a dialog and nothing was printed.
    // Errors of the printing platform are thrown as PrintError.
    bool run(QWidget* parent, bool askForPrinter, const SheetJob& sheet,
             Calibration calibration = Calibration::Apply);

    // Writes the sheet into a PDF file the user names: A4 at 600 dpi with
    // positions from the paper's corner (no margins) and no calibration.
    bool exportPdf(QWidget* parent, const SheetJob& sheet);

    // Draws the sheet on `printer`, a printer that setUpCurrentPrinter()
    // prepared for `printerName`, as run() would print it there, but with
    // lines that stay visible at any zoom (used for the screen preview).
    void draw(QPrinter& printer, const QString& printerName, const SheetJob& sheet);

    // Sets `printer` up for the current printer, at the resolution it prints
    // at, or, with none installed, as the A4 PDF file at 600 dpi that stands
    // in for it. Returns the name of the printer, empty for the PDF file.
    static QString setUpCurrentPrinter(QPrinter& printer);

    // The print dialog; returns false when cancelled.
    std::function<bool(QWidget* parent, QPrinter& printer)> printDialog;
    // Asks for the PDF file a job goes to when no printer is installed;
    // returns an empty name when cancelled.
    std::function<QString(QWidget* parent, const QString& proposedName)> chooseOutputFile;
    // The printer setup dialog: offers the installed printers with the
    // current one chosen; returns the chosen name, or empty when cancelled.
    std::function<QString(QWidget* parent, const QStringList& printers, const QString& current)>
        printerSetupDialog;
    // Replaces the printer for tests: when set, every job, preview and PDF
    // export goes to the device it returns, after the dialog step.
    std::function<PrintDevice&()> deviceForTesting;

private:
    PrintRunner();
    bool runOn(QPrinter& printer, QWidget* parent, const QString& printerName,
               const PrinterCalibration& calibration, const SheetJob& sheet);
    void drawOn(PrintDevice& printer, const PrinterCalibration& calibration, const SheetJob& sheet);
};

// The print job's title turned into a file name for a PDF.
QString pdfFileNameForTitle(const QString& title);
