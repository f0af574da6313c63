#include "print/calibration_page.h"

#include "platform/printing/print_device.h"
#include "print/print_geometry.h"

#include <QString>

namespace {

constexpr int kTopRulerMm = 200;   // fits A4 and Letter
constexpr int kLeftRulerMm = 270;
constexpr int kCrossArmMm = 10;

int tickLengthMm(int mm)
{
    if (mm % 10 == 0)
        return 8;
    return mm % 5 == 0 ? 5 : 3;
}

// A line from (x0, y0) through (x1, y1), both ends inked.
void line(PrintDevice& device, int x0, int y0, int x1, int y1)
{
    device.moveTo(x0, y0);
    device.lineTo(x1 + (x1 > x0 ? 1 : 0), y1 + (y1 > y0 ? 1 : 0));
}

void drawRulers(const PrintJob& job)
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
    line(device, job.MmPosX(kCalibrationCrossMm - kCrossArmMm), y, job.MmPosX(kCalibrationCrossMm + kCrossArmMm), y);
    line(device, x, job.MmPosY(kCalibrationCrossMm - kCrossArmMm), x, job.MmPosY(kCalibrationCrossMm + kCrossArmMm));
    const int radius = 5;
    job.ellipse(job.item(kCalibrationCrossMm - radius, kCalibrationCrossMm - radius, 2 * radius, 2 * radius));
}

}  // namespace

void PrintCalibrationPage(PrintDevice& device)
{
    device.setTitle(QStringLiteral("Kalibrierung von Sleevix"));
    device.setOrientation(PrintDevice::Orientation::Portrait);
    PrintJob job(device);
    job.StartPrintJob();
    try {
        drawRulers(job);
        drawCross(job);
        device.endDoc();
    } catch (...) {
        device.abortDoc();
        throw;
    }
}
