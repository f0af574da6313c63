// The module "print": Qt's print support behind the PrintSupport interface.
#include "platform/printing/print_preview.h"
#include "platform/printing/print_runner.h"
#include "platform/printing/print_support.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

class QtPrintSupport final : public PrintSupport {
public:
    QStringList printerNames() const override { return QPrinterInfo::availablePrinterNames(); }
    QString defaultPrinterName() const override { return QPrinterInfo::defaultPrinterName(); }

    PaperArea paperArea(const QString& name) const override
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPrinterName(name);
        const QPageLayout layout = printer.pageLayout();
        const QPageLayout printable(layout.pageSize(), QPageLayout::Portrait,
                                    layout.minimumMargins(), layout.units());
        return {printable.fullRect(QPageLayout::Millimeter).size(),
                printable.paintRect(QPageLayout::Millimeter)};
    }

    bool print(QWidget* parent, bool askForPrinter, const SheetJob& sheet, bool calibrated) override
    {
        return PrintRunner::instance().run(parent, askForPrinter, sheet,
                                           calibrated ? PrintRunner::Calibration::Apply
                                                      : PrintRunner::Calibration::Ignore);
    }

    bool exportPdf(QWidget* parent, const SheetJob& sheet) override
    {
        return PrintRunner::instance().exportPdf(parent, sheet);
    }

    bool preview(QWidget* parent, const SheetJob& sheet) override
    {
        PrintPreview dialog(sheet, parent);
        return dialog.exec() == QDialog::Accepted;
    }

    QString choosePrinter(QWidget* parent, const QStringList& printers,
                          const QString& current) override
    {
        return PrintRunner::instance().printerSetupDialog(parent, printers, current);
    }
};

}  // namespace

extern "C" PrintSupport* sleevix_print_support()
{
    static QtPrintSupport support;
    return &support;
}
