#include "platform/printing/printer_calibration.h"

#include "platform/store/settings_store.h"

#include <algorithm>
#include <cmath>

namespace {

QString offsetName(char axis, const QString& printer)
{
    return QStringLiteral("Kalibrierung ") + QLatin1Char(axis) + QLatin1Char(' ') + printer;
}

QString scaleName(char axis, const QString& printer)
{
    return QStringLiteral("Kalibrierung Skalierung ") + QLatin1Char(axis) + QLatin1Char(' ')
        + printer;
}

int loadClamped(const SettingsStore& store, const QString& name, int absent, int lowest,
                int highest)
{
    if (!store.exists(name))
        return absent;
    return std::clamp(store.readInteger(name), lowest, highest);
}

}  // namespace

int PrinterCalibration::offsetForEntry(int entryTenths, int scale)
{
    // kCrossMm * (1 - scale) + entry * scale
    const double tenths
        = (kCrossMm * 10.0 * (kUnitScale - scale) + double(entryTenths) * scale) / kUnitScale;
    return static_cast<int>(std::lround(tenths));
}

int PrinterCalibration::entryForOffset(int offsetTenths, int scale)
{
    const double tenths
        = (offsetTenths * double(kUnitScale) - kCrossMm * 10.0 * (kUnitScale - scale)) / scale;
    return static_cast<int>(std::lround(tenths));
}

PrinterCalibration PrinterCalibration::load(const QString& printer)
{
    if (printer.isEmpty())
        return {};
    const SettingsStore& store = SettingsStore::user();
    const auto offset = [&](char axis) {
        return loadClamped(store, offsetName(axis, printer), 0, -kLimit, kLimit);
    };
    const auto scale = [&](char axis) {
        return loadClamped(store, scaleName(axis, printer), kUnitScale, kMinScale, kMaxScale);
    };
    return {offset('X'), offset('Y'), scale('X'), scale('Y')};
}

void PrinterCalibration::save(const QString& printer) const
{
    SettingsStore& store = SettingsStore::user();
    store.writeInteger(offsetName('X', printer), tenthsX);
    store.writeInteger(offsetName('Y', printer), tenthsY);
    store.writeInteger(scaleName('X', printer), scaleX);
    store.writeInteger(scaleName('Y', printer), scaleY);
}
