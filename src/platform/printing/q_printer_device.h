#pragma once

#include "platform/printing/print_device.h"

#include <functional>
#include <vector>

class PrintCanvas;
class QPrinter;

// The printer behind a QPrinter, configured by the caller (printer or PDF
// file, resolution, paper).
//
// The page is collected while the sheet is drawn and handed to the printer
// only in endDoc(): Qt's print engines on this platform cannot abort a job
// once painting has begun (QPrinter::abort() does nothing), so a job that is
// aborted must never have begun.
//
// The painter works on the whole paper; the device moves its origin to the
// printable area's corner, which lies the printer's minimum margins from the
// paper's edges. Those margins are reported by the print system for the
// paper as it lies in portrait, so for landscape they are turned the way a
// landscape page is turned onto the paper (content rotated 90 degrees
// counter-clockwise).
class QPrinterDevice : public PrintDevice {
public:
    explicit QPrinterDevice(QPrinter& printer);
    ~QPrinterDevice() override;

    // For a screen preview of the printer: outlines and lines one screen
    // pixel wide at any zoom, so that none of them vanishes.
    void setHairlines(bool hairlines) { m_hairlines = hairlines; }

    void setTitle(const QString& title) override;
    void setOrientation(Orientation orientation) override;
    void beginDoc() override;
    void endDoc() override;
    void abortDoc() override;

    int logPixelsX() const override;
    int logPixelsY() const override;
    int physicalOffsetX() const override;
    int physicalOffsetY() const override;
    int physicalWidth() const override;
    int physicalHeight() const override;

    void stretchDraw(const QRect& target, const Picture& picture) override;
    void stretchDrawRound(const QRect& target, const Picture& picture) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void clearEllipse(int left, int top, int right, int bottom) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void setBrushClear() override;
    void textOut(int x, int y, int height, const QString& text) override;

private:
    using PageStep = std::function<void(PrintCanvas&)>;

    void checkPrinterReady() const;
    void addStep(PageStep step);
    void printPage(const std::vector<PageStep>& page);
    void discardOutputFile();
    QPoint printableCorner() const;

    QPrinter& m_printer;
    std::vector<PageStep> m_page;
    bool m_jobOpen = false;
    bool m_hairlines = false;
};
