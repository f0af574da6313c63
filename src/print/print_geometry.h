#pragma once

#include <QRect>

class Picture;
class PrintDevice;

// Device units per centimetre for a printer resolution in dots per inch,
// rounded to the nearest whole unit (600 dpi gives 236). Lengths are
// converted with this figure, so a millimetre is a tenth of it.
int dotsPerCm(int dotsPerInch);

// The scale of one print job, read from the printer when the job starts.
struct PrintScale {
    int LogPixX = 0;
    int LogPixY = 0;
    int DotsPerCmX = 0;
    int DotsPerCmY = 0;
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
// Products of millimetres and dots per centimetre are 32-bit and wrap like
// the integers of the printer interface; the division by ten truncates
// toward zero (-3 mm at 236 dots per cm are -70 units). Positions subtract
// the printer's physical offset, asked from the device at every conversion.
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
    // width, converted with a 64-bit product.
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
