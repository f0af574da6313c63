#pragma once

#include <QRect>
#include <QString>

class Picture;

// The printer as the sheet routines see it: job control, the four device
// capabilities and the few canvas calls they use. Coordinates are device
// units with the origin at the corner of the printable area.
//
// Rectangle and ellipse keep the classic meaning: (l, t, r, b) inks the
// device units l ... r-1 and t ... b-1 with a one-unit black pen.
class PrintDevice {
public:
    enum class Orientation { Portrait, Landscape };

    virtual ~PrintDevice() = default;

    virtual void setTitle(const QString& title) = 0;
    virtual void setOrientation(Orientation orientation) = 0;
    // Starts the job; throws PrintError when the platform refuses.
    virtual void beginDoc() = 0;
    virtual void endDoc() = 0;
    // Drops the job so that nothing half-drawn reaches the queue.
    virtual void abortDoc() = 0;

    virtual int logPixelsX() const = 0;
    virtual int logPixelsY() const = 0;
    virtual int physicalOffsetX() const = 0;
    virtual int physicalOffsetY() const = 0;

    virtual void stretchDraw(const QRect& target, const Picture& picture) = 0;
    virtual void rectangle(int left, int top, int right, int bottom) = 0;
    virtual void ellipse(int left, int top, int right, int bottom) = 0;
    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;
    virtual void setBrushClear() = 0;
};
