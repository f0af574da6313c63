#include "platform/printing/printer_resolution.h"

#include <cups/cups.h>
#include <memory>

int defaultPrinterResolution(const QString& printer)
{
    const QByteArray name = printer.toLocal8Bit();
    const std::unique_ptr<cups_dest_t, void (*)(cups_dest_t*)> dest(
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr),
        [](cups_dest_t* d) { cupsFreeDests(1, d); });
    if (!dest)
        return 0;
    const std::unique_ptr<cups_dinfo_t, void (*)(cups_dinfo_t*)> info(
        cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest.get()), cupsFreeDestInfo);
    if (!info)
        return 0;
    ipp_attribute_t* resolution
        = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest.get(), info.get(), "printer-resolution");
    if (!resolution || ippGetValueTag(resolution) != IPP_TAG_RESOLUTION)
        return 0;
    int down = 0;
    ipp_res_t units = IPP_RES_PER_INCH;
    const int across = ippGetResolution(resolution, 0, &down, &units);
    if (across != down || across <= 0)
        return 0;
    return units == IPP_RES_PER_INCH ? across : static_cast<int>(across * 2.54 + 0.5);
}
