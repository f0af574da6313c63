#include "platform/printing/print_runner.h"

#include "platform/printing/calibrated_device.h"
#include "platform/printing/print_error.h"
#include "platform/printing/print_support.h"
#include "platform/printing/printer_calibration.h"
#include "platform/printing/printer_choice.h"
#include "platform/printing/printer_resolution.h"
#include "platform/printing/q_printer_device.h"

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

// Thrown when the user cancels the PDF file choice in the middle of a job.
struct JobCancelled { };

QString printerGone(const QString& name)
{
    return QStringLiteral("Der Drucker \"%1\" ist nicht mehr verfügbar. Es wurde nichts gedruckt.")
        .arg(name);
}

// The printer device of one job. With no printer, the job goes into a PDF
// file that is chosen once the job's title is known.
class JobDevice : public QPrinterDevice {
public:
    // `printerName` is the printer chosen for the job, empty for a PDF file.
    JobDevice(QPrinter& printer, QWidget* parent, const QString& printerName)
        : QPrinterDevice(printer), m_printer(printer), m_parent(parent), m_printerName(printerName)
    { }

    void setTitle(const QString& title) override
    {
        m_title = title;
        QPrinterDevice::setTitle(title);
    }

    void beginDoc() override
    {
        // Qt keeps its previous printer when told one it no longer knows.
        if (!m_printerName.isEmpty() && m_printer.printerName() != m_printerName)
            throw PrintError(printerGone(m_printerName));
        if (m_printer.outputFormat() == QPrinter::PdfFormat
            && m_printer.outputFileName().isEmpty()) {
            const QString file = PrintRunner::instance().chooseOutputFile(m_parent, m_title);
            if (file.isEmpty())
                throw JobCancelled();
            m_printer.setOutputFileName(file);
        }
        QPrinterDevice::beginDoc();
    }

private:
    QPrinter& m_printer;
    QWidget* m_parent;
    QString m_printerName;
    QString m_title;
};

// A printer chosen in the print dialog that has since been removed stops
// the job: printing elsewhere would surprise the user.
void requireInstalled(const QString& printerName)
{
    if (!printerName.isEmpty()
        && !PrinterChoice::instance().installedPrinters().contains(printerName))
        throw PrintError(printerGone(printerName));
}

void setUpPdfFile(QPrinter& printer)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(600);
    const QMarginsF none;
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, none,
                                      QPageLayout::Millimeter, none));
}

// Qt draws every job for a printer at 1200 dpi; the sheets are placed in
// device units of the printer's own resolution, as the printer prints them.
void useThePrintersResolution(QPrinter& printer)
{
    if (printer.outputFormat() != QPrinter::NativeFormat || !printer.isValid())
        return;
    if (const int dpi = defaultPrinterResolution(printer.printerName()))
        printer.setResolution(dpi);
}

// The printer the user chose in the print dialog: a file chosen there is
// no printer and has no calibration.
QString chosenPrinter(const QPrinter& printer, const QString& before)
{
    if (printer.outputFormat() == QPrinter::NativeFormat)
        return printer.printerName();
    return printer.outputFileName().isEmpty() ? before : QString();
}

}  // namespace

QString pdfFileNameForTitle(const QString& title)
{
    QString name = title.trimmed();
    static const QRegularExpression unsafe(QStringLiteral(R"([\\/:*?"<>|]+)"));
    name.replace(unsafe, QStringLiteral("-"));
    return name + QStringLiteral(".pdf");
}

PrintRunner& PrintRunner::instance()
{
    static PrintRunner runner;
    return runner;
}

PrintRunner::PrintRunner()
{
    printDialog = [](QWidget* parent, QPrinter& printer) {
        QPrintDialog dialog(&printer, parent);
        dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange
                          | QAbstractPrintDialog::PrintSelection
                          | QAbstractPrintDialog::PrintShowPageSize);
        printer.setCopyCount(1);
        return dialog.exec() == QDialog::Accepted;
    };
    printerSetupDialog = [](QWidget* parent, const QStringList& printers, const QString& current) {
        if (printers.isEmpty()) {
            QMessageBox::information(
                parent, QStringLiteral("Drucker Konfiguration"),
                QStringLiteral("Es ist kein Drucker eingerichtet. Ausdrucke werden als PDF-Datei "
                               "gespeichert."));
            return QString();
        }
        bool ok = false;
        const QString chosen = QInputDialog::getItem(
            parent, QStringLiteral("Drucker Konfiguration"), QStringLiteral("&Drucker:"), printers,
            qMax(0, printers.indexOf(current)), false, &ok);
        return ok ? chosen : QString();
    };
    chooseOutputFile = [](QWidget* parent, const QString& title) {
        QString folder = printFileFolder();
        if (!QFileInfo(folder).isDir())
            folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Druck als PDF speichern"),
                                            QDir(folder).filePath(pdfFileNameForTitle(title)),
                                            QStringLiteral("PDF-Dateien (*.pdf)"));
    };
}

QString PrintRunner::setUpCurrentPrinter(QPrinter& printer)
{
    const QString current = PrinterChoice::instance().installedCurrentPrinter();
    if (!current.isEmpty()) {
        printer.setPrinterName(current);
        useThePrintersResolution(printer);
        return current;
    }
    setUpPdfFile(printer);
    return {};
}

bool PrintRunner::run(QWidget* parent, bool askForPrinter, const SheetJob& sheet,
                      Calibration calibration)
{
    QPrinter printer(QPrinter::HighResolution);
    QString printerName = setUpCurrentPrinter(printer);
    if (askForPrinter) {
        if (!printDialog(parent, printer))
            return false;
        if (printer.outputFormat() == QPrinter::NativeFormat) {
            PrinterChoice::instance().setCurrentPrinter(printer.printerName());
            useThePrintersResolution(printer);
        }
        printerName = chosenPrinter(printer, printerName);
        requireInstalled(printerName);
    }
    const PrinterCalibration correction = calibration == Calibration::Apply
        ? PrinterCalibration::load(printerName)
        : PrinterCalibration();
    return runOn(printer, parent, printerName, correction, sheet);
}

bool PrintRunner::exportPdf(QWidget* parent, const SheetJob& sheet)
{
    QPrinter printer(QPrinter::HighResolution);
    setUpPdfFile(printer);
    return runOn(printer, parent, QString(), PrinterCalibration(), sheet);
}

void PrintRunner::draw(QPrinter& printer, const QString& printerName, const SheetJob& sheet)
{
    QPrinterDevice device(printer);
    device.setHairlines(true);
    drawOn(deviceForTesting ? deviceForTesting() : device, PrinterCalibration::load(printerName),
           sheet);
}

bool PrintRunner::runOn(QPrinter& printer, QWidget* parent, const QString& printerName,
                        const PrinterCalibration& calibration, const SheetJob& sheet)
{
    JobDevice device(printer, parent, printerName);
    try {
        drawOn(deviceForTesting ? deviceForTesting() : device, calibration, sheet);
    } catch (const JobCancelled&) {
        return false;
    }
    return true;
}

void PrintRunner::drawOn(PrintDevice& printer, const PrinterCalibration& calibration,
                         const SheetJob& sheet)
{
    if (calibration.isNone()) {
        sheet(printer);
        return;
    }
    CalibratedDevice calibrated(printer, calibration);
    sheet(calibrated);
}
