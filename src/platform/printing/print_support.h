#pragma once

#include "platform/printing/paper_area.h"
#include "platform/printing/sheet_job.h"

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Everything of printing that needs Qt's print support: the printers, the
// print, preview and printer dialogs, printing and PDF files. It lives in
// the module "print" (see platform/desktop/modules.h).
class PrintSupport {
public:
    virtual ~PrintSupport() = default;

    virtual QStringList printerNames() const = 0;
    virtual QString defaultPrinterName() const = 0;
    // The paper `printer` prints on, and where it can print.
    virtual PaperArea paperArea(const QString& printer) const = 0;

    // Returns false when the user cancelled and nothing was printed; throws
    // PrintError when the printing platform refused the job.
    virtual bool print(QWidget* parent, bool askForPrinter, const SheetJob& sheet, bool calibrated)
        = 0;
    virtual bool exportPdf(QWidget* parent, const SheetJob& sheet) = 0;
    // Shows the sheet as it will print; true when the user asked to print it.
    virtual bool preview(QWidget* parent, const SheetJob& sheet) = 0;
    // The printer the user picked from `printers`, empty when cancelled.
    virtual QString choosePrinter(QWidget* parent, const QStringList& printers,
                                  const QString& current)
        = 0;
};

// The module's print support, loaded at the first call; throws ModuleError
// when the module cannot be loaded.
PrintSupport& printSupport();

// For builds that link the print code in.
void usePrintSupport(PrintSupport& linkedIn);

// The folder a print into a PDF file proposes: the program's picture folder.
QString printFileFolder();
void setPrintFileFolder(std::function<QString()> folder);

// The module's entry.
extern "C" PrintSupport* sleevix_print_support();
