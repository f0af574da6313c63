#include "platform/printing/printer_calibration.h"

#include "platform/store/settings_store.h"
#include "print/print_geometry.h"

#include <algorithm>

namespace {

QString valueName(char axis, const QString& printer)
{
    return QStringLiteral("Kalibrierung ") + QLatin1Char(axis) + QLatin1Char(' ') + printer;
}

int loadTenths(const SettingsStore& store, const QString& name)
{
    if (!store.exists(name))
        return 0;
    return std::clamp(store.readInteger(name), -PrinterCalibration::kLimit, PrinterCalibration::kLimit);
}

}  // namespace

int PrinterCalibration::units(int tenths, int dotsPerInch)
{
    return static_cast<int>(roundedQuotient(std::int64_t(tenths) * dotsPerInch, 254));
}

PrinterCalibration PrinterCalibration::load(const QString& printer)
{
    if (printer.isEmpty())
        return {};
    const SettingsStore& store = SettingsStore::user();
    return {loadTenths(store, valueName('X', printer)), loadTenths(store, valueName('Y', printer))};
}

void PrinterCalibration::save(const QString& printer) const
{
    SettingsStore& store = SettingsStore::user();
    store.writeInteger(valueName('X', printer), tenthsX);
    store.writeInteger(valueName('Y', printer), tenthsY);
}
