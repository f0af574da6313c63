#pragma once

#include <QString>

class QWidget;

// The printer calibration command for an installed printer: the dialog with
// the rulers of that printer's paper, printing the calibration page without
// correction when asked, and storing what the user confirmed.
void calibratePrinter(QWidget* parent, const QString& printer);
