#pragma once

#include "platform/printing/printer_calibration.h"

#include <QDialog>

class QDoubleSpinBox;
class QPushButton;

// Asks for the correction of one printer: prints the calibration page on
// request and takes the horizontal and vertical correction the user
// measured on it, in tenths of a millimetre.
class CalibrationDialog : public QDialog {
    Q_OBJECT
public:
    CalibrationDialog(const QString& printer, const PrinterCalibration& current, QWidget* parent = nullptr);

    PrinterCalibration calibration() const;

    QDoubleSpinBox* correctionX() const { return m_x; }
    QDoubleSpinBox* correctionY() const { return m_y; }
    QPushButton* printPageButton() const { return m_printPage; }

signals:
    void printPageRequested();

private:
    QDoubleSpinBox* addCorrectionField(const char* name, double value);

    QDoubleSpinBox* m_x = nullptr;
    QDoubleSpinBox* m_y = nullptr;
    QPushButton* m_printPage = nullptr;
};
