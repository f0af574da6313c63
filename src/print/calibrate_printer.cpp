#include "print/calibrate_printer.h"

#include "platform/printing/print_support.h"
#include "platform/widgets/error_box.h"
#include "print/calibration_dialog.h"
#include "print/calibration_page.h"

void calibratePrinter(QWidget* parent, const QString& printer)
{
    const CalibrationRulers rulers = CalibrationRulers::forPaper(printSupport().paperArea(printer));
    CalibrationDialog dialog(printer, PrinterCalibration::load(printer), rulers, parent);
    QObject::connect(&dialog, &CalibrationDialog::printPageRequested, &dialog, [&dialog, rulers] {
        runGuarded(&dialog, [&dialog, rulers] {
            const SheetJob page
                = [rulers](PrintDevice& device) { PrintCalibrationPage(device, rulers); };
            printSupport().print(&dialog, false, page, /*calibrated*/ false);
        });
    });
    if (dialog.exec() == QDialog::Accepted)
        dialog.calibration().save(printer);
}
