#include "print/calibration_page.h"

#include "platform/printing/print_device.h"
#include "print/print_geometry.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

namespace {

constexpr int kTopRulerMm = 200;  // fits A4 and Letter
constexpr int kLeftRulerMm = 270;
constexpr int kEdgeRulersReachMm = 10;  // their ticks, 8 mm long, and some air
constexpr int kPrintableClearanceMm = 3;
constexpr int kCrossArmMm = 10;
constexpr int kLongRulerTickMm = 3;
constexpr int kLongRulerEndTickMm = 6;
constexpr int kTextHeightMm = 3;

int tickLengthMm(int mm)
{
    if (mm % 10 == 0)
        return 8;
    return mm % 5 == 0 ? 5 : 3;
}

// The longest whole number of centimetres from `first` to `last`, centred.
std::pair<int, int> centredCentimetres(double first, double last)
{
    const int from = static_cast<int>(std::ceil(first));
    const int to = static_cast<int>(std::floor(last));
    const int length = std::max(0, (to - from) / 10 * 10);
    return {from + (to - from - length) / 2, length};
}

// A line from (x0, y0) through (x1, y1), both ends inked.
void line(PrintDevice& device, int x0, int y0, int x1, int y1)
{
    device.moveTo(x0, y0);
    device.lineTo(x1 + (x1 > x0 ? 1 : 0), y1 + (y1 > y0 ? 1 : 0));
}

void drawEdgeRulers(const PrintJob& job)
{
    PrintDevice& device = job.device();
    for (int mm = 0; mm <= kTopRulerMm; ++mm)
        line(device, job.MmPosX(mm), job.MmPosY(0), job.MmPosX(mm), job.MmPosY(tickLengthMm(mm)));
    for (int mm = 0; mm <= kLeftRulerMm; ++mm)
        line(device, job.MmPosX(0), job.MmPosY(mm), job.MmPosX(tickLengthMm(mm)), job.MmPosY(mm));
}

void drawCross(const PrintJob& job)
{
    PrintDevice& device = job.device();
    const int x = job.MmPosX(kCalibrationCrossMm);
    const int y = job.MmPosY(kCalibrationCrossMm);
    line(device, job.MmPosX(kCalibrationCrossMm - kCrossArmMm), y,
         job.MmPosX(kCalibrationCrossMm + kCrossArmMm), y);
    line(device, x, job.MmPosY(kCalibrationCrossMm - kCrossArmMm), x,
         job.MmPosY(kCalibrationCrossMm + kCrossArmMm));
    const int radius = 5;
    job.ellipse(job.item(kCalibrationCrossMm - radius, kCalibrationCrossMm - radius, 2 * radius,
                         2 * radius));
}

QString nominal(const QString& ruler, int lengthMm)
{
    return QStringLiteral("%1: %2 mm").arg(ruler).arg(lengthMm);
}

// The ruler across: a line with a tick every centimetre below it and
// longer ticks through both ends, its length written above its start.
void drawAcrossRuler(const PrintJob& job, const CalibrationRulers& r)
{
    PrintDevice& device = job.device();
    const int y = job.MmPosY(r.acrossAtMm);
    line(device, job.MmPosX(r.acrossFromMm), y, job.MmPosX(r.acrossFromMm + r.acrossLengthMm), y);
    for (int mm = 0; mm <= r.acrossLengthMm; mm += 10) {
        const bool end = mm == 0 || mm == r.acrossLengthMm;
        const int reach = end ? kLongRulerEndTickMm / 2 : 0;
        const int x = job.MmPosX(r.acrossFromMm + mm);
        line(device, x, job.MmPosY(r.acrossAtMm - reach), x,
             job.MmPosY(r.acrossAtMm + reach + (end ? 0 : kLongRulerTickMm)));
    }
    device.textOut(job.MmPosX(r.acrossFromMm + 2),
                   job.MmPosY(r.acrossAtMm - kLongRulerEndTickMm / 2 - kTextHeightMm - 1),
                   job.MmLenY(kTextHeightMm),
                   nominal(QStringLiteral("Lineal quer"), r.acrossLengthMm));
}

// The ruler down the page, with its ticks to the right and its length
// written beside its middle.
void drawDownRuler(const PrintJob& job, const CalibrationRulers& r)
{
    PrintDevice& device = job.device();
    const int x = job.MmPosX(r.downAtMm);
    line(device, x, job.MmPosY(r.downFromMm), x, job.MmPosY(r.downFromMm + r.downLengthMm));
    for (int mm = 0; mm <= r.downLengthMm; mm += 10) {
        const bool end = mm == 0 || mm == r.downLengthMm;
        const int reach = end ? kLongRulerEndTickMm / 2 : 0;
        const int y = job.MmPosY(r.downFromMm + mm);
        line(device, job.MmPosX(r.downAtMm - reach), y,
             job.MmPosX(r.downAtMm + reach + (end ? 0 : kLongRulerTickMm)), y);
    }
    device.textOut(job.MmPosX(r.downAtMm + kLongRulerTickMm + 2),
                   job.MmPosY(r.downFromMm + r.downLengthMm / 2 + 2), job.MmLenY(kTextHeightMm),
                   nominal(QStringLiteral("Lineal längs"), r.downLengthMm));
}

}  // namespace

CalibrationRulers CalibrationRulers::forPaper(const PaperArea& paper)
{
    const QRectF& p = paper.printable;
    CalibrationRulers rulers;
    std::tie(rulers.acrossFromMm, rulers.acrossLengthMm)
        = centredCentimetres(std::max<double>(p.left() + kPrintableClearanceMm, kEdgeRulersReachMm),
                             p.right() - kPrintableClearanceMm);
    std::tie(rulers.downFromMm, rulers.downLengthMm)
        = centredCentimetres(std::max<double>(p.top() + kPrintableClearanceMm, kEdgeRulersReachMm),
                             p.bottom() - kPrintableClearanceMm);
    // Away from the cross and the edge rulers, crossing each other where no
    // text stands.
    rulers.acrossAtMm = 60;
    rulers.downAtMm = static_cast<int>(paper.paper.width() * 0.7);
    return rulers;
}

void PrintCalibrationPage(PrintDevice& device, const CalibrationRulers& rulers)
{
    device.setTitle(QStringLiteral("Kalibrierung von Sleevix"));
    device.setOrientation(PrintDevice::Orientation::Portrait);
    PrintJob job(device);
    job.StartPrintJob();
    try {
        drawEdgeRulers(job);
        drawCross(job);
        drawAcrossRuler(job, rulers);
        drawDownRuler(job, rulers);
        device.endDoc();
    } catch (...) {
        device.abortDoc();
        throw;
    }
}
