#pragma once

#include <QString>

// A printer's position correction as the user measured it on the
// calibration page, in tenths of a millimetre: positive values move every
// print to the right (X) and down (Y). It is kept per printer name in the
// settings store.
struct PrinterCalibration {
    static constexpr int kLimit = 100;  // 10.0 mm either way

    int tenthsX = 0;
    int tenthsY = 0;

    bool isNone() const { return tenthsX == 0 && tenthsY == 0; }

    // Tenths of a millimetre in device units, rounded to the nearest unit
    // like every other conversion (+1.5 mm at 600 dpi are 35 units).
    static int units(int tenths, int dotsPerInch);

    // The stored correction of `printer`, none for an unnamed printer or
    // when nothing is stored. Throws SettingsError.
    static PrinterCalibration load(const QString& printer);
    void save(const QString& printer) const;

    friend bool operator==(const PrinterCalibration&, const PrinterCalibration&) = default;
};
