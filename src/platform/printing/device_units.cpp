#include "platform/printing/device_units.h"

#include <algorithm>

std::int64_t roundedQuotient(std::int64_t numerator, std::int64_t denominator)
{
    // floor((2n + d) / 2d), with a division that rounds towards minus infinity.
    const std::int64_t twice = 2 * numerator + denominator;
    std::int64_t quotient = twice / (2 * denominator);
    if (twice % (2 * denominator) < 0)
        --quotient;
    return quotient;
}

int millimetresToUnits(int mm, int dotsPerInch)
{
    const std::int64_t units = roundedQuotient(std::int64_t(mm) * dotsPerInch * 10, 254);
    return static_cast<int>(std::clamp<std::int64_t>(units, -kFarAway, kFarAway));
}
