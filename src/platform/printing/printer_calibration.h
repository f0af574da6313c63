#pragma once

#include <QString>

// A printer's correction as the user measured it on the calibration page,
// kept per printer name in the settings store. A point v millimetres from
// the paper's top-left corner is printed v * scale from the corner, then
// moved by the offset; across the paper (X) and down it (Y), whichever way
// a page lies on the paper.
//
// The scales are in millionths: a long ruler's nominal length over the
// length measured. The offsets are in tenths of a millimetre; positive
// values move to the right and down. Without a scale the offset is what the
// user entered for the cross: its nominal distance from the edge minus the
// distance measured.
struct PrinterCalibration {
    static constexpr int kLimit = 100;   // 10.0 mm either way
    static constexpr int kCrossMm = 20;  // the page's cross, from both edges
    static constexpr int kUnitScale = 1'000'000;
    // Printers are made to about +-1 %; a measured ruler 5 % off is a
    // mistake in measuring, not in printing.
    static constexpr int kMinScale = 950'000;
    static constexpr int kMaxScale = 1'050'000;

    int tenthsX = 0;
    int tenthsY = 0;
    int scaleX = kUnitScale;
    int scaleY = kUnitScale;

    // The offset for what the user entered for the cross, `entryTenths`,
    // measured on the page printed without correction: it keeps the cross
    // where the entry puts it once `scale` applies. And back.
    static int offsetForEntry(int entryTenths, int scale);
    static int entryForOffset(int offsetTenths, int scale);

    bool isNone() const
    {
        return tenthsX == 0 && tenthsY == 0 && scaleX == kUnitScale && scaleY == kUnitScale;
    }

    // The stored correction of `printer`, none for an unnamed printer or
    // when nothing is stored. Throws SettingsError.
    static PrinterCalibration load(const QString& printer);
    void save(const QString& printer) const;

    friend bool operator==(const PrinterCalibration&, const PrinterCalibration&) = default;
};
