#pragma once

#include "platform/printing/printer_calibration.h"
#include "print/calibration_page.h"

#include <QDialog>

#include <memory>

class QDoubleSpinBox;
class QLabel;
class QPushButton;

namespace Ui {
class CalibrationDialog;
}

// Asks for the correction of one printer: prints the calibration page on
// request and takes what the user measured on it, in tenths of a
// millimetre: the offset correction of the cross across and down, and the
// lengths of the page's two long rulers, from which the scales follow. It
// shows the stretch it will apply over 200 mm and can reset everything to
// no correction.
class CalibrationDialog : public QDialog {
    Q_OBJECT
public:
    CalibrationDialog(const QString& printer, const PrinterCalibration& current,
                      const CalibrationRulers& rulers, QWidget* parent = nullptr);
    ~CalibrationDialog() override;

    PrinterCalibration calibration() const;

    QDoubleSpinBox* correctionX() const;
    QDoubleSpinBox* correctionY() const;
    QDoubleSpinBox* measuredAcross() const;
    QDoubleSpinBox* measuredDown() const;
    QPushButton* printPageButton() const;
    QPushButton* resetButton() const;
    // "Korrektur auf 200 mm: ..."
    QLabel* correctionShown() const;

signals:
    void printPageRequested();

private:
    void showCalibration(const PrinterCalibration& calibration);
    void showCorrection();

    std::unique_ptr<Ui::CalibrationDialog> m_ui;
    CalibrationRulers m_rulers;
};
