#pragma once

class PrintDevice;

// Where the calibration page puts the centre of its cross, in millimetres
// from the paper's left and top edge.
constexpr int kCalibrationCrossMm = 20;

// The calibration page: a cross with a 10-mm circle at 20 mm / 20 mm from
// the paper's corner and millimetre rulers along the top and left edges
// (longer ticks every 5 and 10 mm), all placed from the paper's corner like
// the sheets. Portrait, titled "Kalibrierung von Sleevix".
void PrintCalibrationPage(PrintDevice& device);
