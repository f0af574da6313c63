#pragma once

#include <cstdint>

// `mm` millimetres in device units of a printer with `dotsPerInch`:
// mm * dotsPerInch / 25.4, rounded to the nearest unit (a whole number of
// millimetres at a whole number of dots per inch never falls on a tie).
// Computed in 64 bits; figures beyond any paper are held at +-kFarAway so
// that sums of a few of them stay within an int.
int millimetresToUnits(int mm, int dotsPerInch);
constexpr int kFarAway = 1 << 28;

// numerator / denominator (denominator > 0) rounded to the nearest whole
// number, halves upwards.
std::int64_t roundedQuotient(std::int64_t numerator, std::int64_t denominator);
