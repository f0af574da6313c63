#pragma once

#include "platform/printing/device_units.h"

#include <QRect>

class Picture;
class PrintDevice;

// The scale of one print job, read from the printer when the job starts.
struct PrintScale {
    int LogPixX = 0;
    int LogPixY = 0;
};

// One item on the sheet in device units, in the classic form: Right and
// Bottom lie just outside the item.
struct PrintRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    void inset(int units);
    // The same area as QRect(Left, Top, Right - Left, Bottom - Top).
    QRect toQRect() const;

    friend bool operator==(const PrintRect&, const PrintRect&) = default;
};

// A print job on a device: starts it, turns whole millimetres measured from
// the paper's edges into device coordinates, and draws items.
//
// A length of v millimetres is v * dpi / 25.4 device units, rounded to the
// nearest unit (-3 mm at 600 dpi are -71 units). Positions subtract the
// printer's physical offset, asked from the device at every conversion.
class PrintJob {
public:
    explicit PrintJob(PrintDevice& device);

    // Begins the job on the device (title and orientation already set), then
    // reads the resolution and computes the scale.
    void StartPrintJob();

    const PrintScale& scale() const { return m_scale; }
    PrintDevice& device() const { return m_device; }

    int MmPosX(int mm) const;
    int MmPosY(int mm) const;
    int MmLenX(int mm) const;
    int MmLenY(int mm) const;
    // Half the width of a folded sheet: the whole millimetres of half the
    // width (241 mm give 120 mm), converted.
    int halfWidthX(int sheetWidthMm) const;

    // The item of size width x height whose top-left corner lies (left, top)
    // from the paper's edges.
    PrintRect item(int leftMm, int topMm, int widthMm, int heightMm) const;
    // The square of `diameterMm` centred in `outer` (to the lower unit where
    // the difference is odd).
    PrintRect centredSquare(const PrintRect& outer, int diameterMm) const;

    void rectangle(const PrintRect& rect) const;
    void ellipse(const PrintRect& rect) const;
    void stretchDraw(const PrintRect& rect, const Picture& picture) const;
    void stretchDrawRound(const PrintRect& rect, const Picture& picture) const;
    void clearEllipse(const PrintRect& rect) const;

private:
    PrintDevice& m_device;
    PrintScale m_scale;
};
