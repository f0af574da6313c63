#pragma once

#include "platform/printing/paper_area.h"
#include "platform/printing/printer_calibration.h"

class PrintDevice;

// Where the calibration page puts the centre of its cross, in millimetres
// from the paper's left and top edge.
constexpr int kCalibrationCrossMm = PrinterCalibration::kCrossMm;

// The calibration page's two long rulers, in whole millimetres from the
// paper's corner: one across the page at height `acrossAtMm`, one down it
// at `downAtMm`, each a whole number of centimetres long and as long as the
// printable area allows, clear of its edges and of the edge rulers.
struct CalibrationRulers {
    int acrossFromMm = 0;
    int acrossLengthMm = 0;
    int acrossAtMm = 0;
    int downFromMm = 0;
    int downLengthMm = 0;
    int downAtMm = 0;

    static CalibrationRulers forPaper(const PaperArea& paper);

    friend bool operator==(const CalibrationRulers&, const CalibrationRulers&) = default;
};

// The calibration page: a cross with a 10-mm circle at 20 mm / 20 mm from
// the paper's corner, millimetre rulers along the top and left edges
// (longer ticks every 5 and 10 mm), and the two long rulers with end ticks
// and their nominal length written beside them, all placed from the paper's
// corner like the sheets. Portrait, titled "Kalibrierung von Sleevix".
void PrintCalibrationPage(PrintDevice& device, const CalibrationRulers& rulers);
