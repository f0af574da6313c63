#include "platform/printing/calibrated_device.h"

#include "platform/printing/device_units.h"

namespace {

constexpr std::int64_t kDenominator = 254LL * PrinterCalibration::kUnitScale;

}  // namespace

CalibratedDevice::CalibratedDevice(PrintDevice& printer, const PrinterCalibration& calibration)
    : m_printer(printer), m_calibration(calibration)
{ }

void CalibratedDevice::setOrientation(Orientation orientation)
{
    m_orientation = orientation;
    m_printer.setOrientation(orientation);
}

int CalibratedDevice::PaperAxis::map(int fromEdge) const
{
    return static_cast<int>(
        roundedQuotient(std::int64_t(fromEdge) * scale * 254 + shift, kDenominator));
}

CalibratedDevice::PaperAxis CalibratedDevice::axis(int tenths, int scale, int dotsPerInch) const
{
    return {scale, std::int64_t(tenths) * PrinterCalibration::kUnitScale * dotsPerInch};
}

QPoint CalibratedDevice::map(int x, int y) const
{
    const bool portrait = m_orientation == Orientation::Portrait;
    const PaperAxis across = axis(m_calibration.tenthsX, m_calibration.scaleX,
                                  portrait ? m_printer.logPixelsX() : m_printer.logPixelsY());
    const PaperAxis down = axis(m_calibration.tenthsY, m_calibration.scaleY,
                                portrait ? m_printer.logPixelsY() : m_printer.logPixelsX());
    const int offsetX = m_printer.physicalOffsetX();
    const int offsetY = m_printer.physicalOffsetY();
    if (portrait)
        return {across.map(x + offsetX) - offsetX, down.map(y + offsetY) - offsetY};
    // The page's left edge is the paper's bottom edge, its top the paper's
    // left edge.
    const int paperHeight = m_printer.physicalWidth();
    return {paperHeight - down.map(paperHeight - (x + offsetX)) - offsetX,
            across.map(y + offsetY) - offsetY};
}

QRect CalibratedDevice::map(const QRect& target) const
{
    const QPoint topLeft = map(target.left(), target.top());
    const QPoint end = map(target.left() + target.width(), target.top() + target.height());
    return {topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y())};
}

void CalibratedDevice::stretchDraw(const QRect& target, const Picture& picture)
{
    m_printer.stretchDraw(map(target), picture);
}

void CalibratedDevice::stretchDrawRound(const QRect& target, const Picture& picture)
{
    m_printer.stretchDrawRound(map(target), picture);
}

void CalibratedDevice::rectangle(int left, int top, int right, int bottom)
{
    const QPoint a = map(left, top);
    const QPoint b = map(right, bottom);
    m_printer.rectangle(a.x(), a.y(), b.x(), b.y());
}

void CalibratedDevice::ellipse(int left, int top, int right, int bottom)
{
    const QPoint a = map(left, top);
    const QPoint b = map(right, bottom);
    m_printer.ellipse(a.x(), a.y(), b.x(), b.y());
}

void CalibratedDevice::clearEllipse(int left, int top, int right, int bottom)
{
    const QPoint a = map(left, top);
    const QPoint b = map(right, bottom);
    m_printer.clearEllipse(a.x(), a.y(), b.x(), b.y());
}

void CalibratedDevice::moveTo(int x, int y)
{
    const QPoint p = map(x, y);
    m_printer.moveTo(p.x(), p.y());
}

void CalibratedDevice::lineTo(int x, int y)
{
    const QPoint p = map(x, y);
    m_printer.lineTo(p.x(), p.y());
}

void CalibratedDevice::textOut(int x, int y, int height, const QString& text)
{
    const QPoint p = map(x, y);
    m_printer.textOut(p.x(), p.y(), height, text);
}
