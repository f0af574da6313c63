#include "platform/printing/calibrated_device.h"

CalibratedDevice::CalibratedDevice(PrintDevice& printer, const PrinterCalibration& calibration)
    : m_printer(printer), m_calibration(calibration)
{
}

QPoint CalibratedDevice::shift() const
{
    return {PrinterCalibration::units(m_calibration.tenthsX, m_printer.logPixelsX()),
            PrinterCalibration::units(m_calibration.tenthsY, m_printer.logPixelsY())};
}

void CalibratedDevice::stretchDraw(const QRect& target, const Picture& picture)
{
    m_printer.stretchDraw(target.translated(shift()), picture);
}

void CalibratedDevice::stretchDrawRound(const QRect& target, const Picture& picture)
{
    m_printer.stretchDrawRound(target.translated(shift()), picture);
}

void CalibratedDevice::rectangle(int left, int top, int right, int bottom)
{
    const QPoint d = shift();
    m_printer.rectangle(left + d.x(), top + d.y(), right + d.x(), bottom + d.y());
}

void CalibratedDevice::ellipse(int left, int top, int right, int bottom)
{
    const QPoint d = shift();
    m_printer.ellipse(left + d.x(), top + d.y(), right + d.x(), bottom + d.y());
}

void CalibratedDevice::clearEllipse(int left, int top, int right, int bottom)
{
    const QPoint d = shift();
    m_printer.clearEllipse(left + d.x(), top + d.y(), right + d.x(), bottom + d.y());
}

void CalibratedDevice::moveTo(int x, int y)
{
    const QPoint d = shift();
    m_printer.moveTo(x + d.x(), y + d.y());
}

void CalibratedDevice::lineTo(int x, int y)
{
    const QPoint d = shift();
    m_printer.lineTo(x + d.x(), y + d.y());
}
