#pragma once

#include "platform/printing/print_device.h"
#include "platform/printing/printer_calibration.h"

#include <QPoint>

#include <cstdint>

// A printer with its calibration. Every point a drawing call gives goes,
// measured from the paper's top-left corner, to that distance times the
// scale, then moves by the offset; both in the paper's own directions, so a
// landscape page (which lies on the paper turned counter-clockwise) is
// corrected across the paper along its height. Job control and the device
// capabilities pass through unchanged.
class CalibratedDevice : public PrintDevice {
public:
    CalibratedDevice(PrintDevice& printer, const PrinterCalibration& calibration);

    void setTitle(const QString& title) override { m_printer.setTitle(title); }
    void setOrientation(Orientation orientation) override;
    void beginDoc() override { m_printer.beginDoc(); }
    void endDoc() override { m_printer.endDoc(); }
    void abortDoc() override { m_printer.abortDoc(); }

    int logPixelsX() const override { return m_printer.logPixelsX(); }
    int logPixelsY() const override { return m_printer.logPixelsY(); }
    int physicalOffsetX() const override { return m_printer.physicalOffsetX(); }
    int physicalOffsetY() const override { return m_printer.physicalOffsetY(); }
    int physicalWidth() const override { return m_printer.physicalWidth(); }
    int physicalHeight() const override { return m_printer.physicalHeight(); }

    void stretchDraw(const QRect& target, const Picture& picture) override;
    void stretchDrawRound(const QRect& target, const Picture& picture) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void clearEllipse(int left, int top, int right, int bottom) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void setBrushClear() override { m_printer.setBrushClear(); }
    void textOut(int x, int y, int height, const QString& text) override;

private:
    // One direction of the paper: u' = u * scale + shift, in device units
    // from the paper's edge.
    struct PaperAxis {
        int scale;           // millionths
        std::int64_t shift;  // device units times 254 000 000
        int map(int fromEdge) const;
    };

    PaperAxis axis(int tenths, int scale, int dotsPerInch) const;
    QPoint map(int x, int y) const;
    QRect map(const QRect& target) const;

    PrintDevice& m_printer;
    PrinterCalibration m_calibration;
    Orientation m_orientation = Orientation::Portrait;
};
