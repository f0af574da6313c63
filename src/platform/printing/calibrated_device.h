#pragma once

#include "platform/printing/print_device.h"
#include "platform/printing/printer_calibration.h"

#include <QPoint>

// A printer with its calibration: every drawing call is moved by the
// correction in device units of the printer's resolution; job control and
// the device capabilities pass through unchanged.
class CalibratedDevice : public PrintDevice {
public:
    CalibratedDevice(PrintDevice& printer, const PrinterCalibration& calibration);

    void setTitle(const QString& title) override { m_printer.setTitle(title); }
    void setOrientation(Orientation orientation) override { m_printer.setOrientation(orientation); }
    void beginDoc() override { m_printer.beginDoc(); }
    void endDoc() override { m_printer.endDoc(); }
    void abortDoc() override { m_printer.abortDoc(); }

    int logPixelsX() const override { return m_printer.logPixelsX(); }
    int logPixelsY() const override { return m_printer.logPixelsY(); }
    int physicalOffsetX() const override { return m_printer.physicalOffsetX(); }
    int physicalOffsetY() const override { return m_printer.physicalOffsetY(); }

    void stretchDraw(const QRect& target, const Picture& picture) override;
    void stretchDrawRound(const QRect& target, const Picture& picture) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void clearEllipse(int left, int top, int right, int bottom) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void setBrushClear() override { m_printer.setBrushClear(); }

private:
    QPoint shift() const;

    PrintDevice& m_printer;
    PrinterCalibration m_calibration;
};
