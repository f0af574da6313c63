#pragma once

#include <QRect>
#include <QString>

class Picture;

// The printer as the sheet routines see it: job control, the four device
// capabilities and the few canvas calls they use. Coordinates are device
// units with the origin at the corner of the printable area.
//
// Rectangle and ellipse keep the classic meaning: (l, t, r, b) inks the
// device units l ... r-1 and t ... b-1 with a one-unit black pen. They are
// outlines only; their inside is never filled. (A classic canvas fills them
// white until the brush is cleared. On blank paper that only shows where a
// later outline crosses an earlier one in a test print, and there it would
// hide part of the earlier outline.) setBrushClear() stays in the call
// sequence but changes nothing on paper.
class PrintDevice {
public:
    enum class Orientation { Portrait, Landscape };

    virtual ~PrintDevice() = default;

    virtual void setTitle(const QString& title) = 0;
    virtual void setOrientation(Orientation orientation) = 0;
    // Starts the job. Throws PrintError when the platform refuses it, here or
    // at the latest in endDoc().
    virtual void beginDoc() = 0;
    // Hands the page to the platform; throws PrintError when it refuses.
    virtual void endDoc() = 0;
    // Drops the job so that nothing half-drawn reaches the queue. Never throws.
    virtual void abortDoc() = 0;

    virtual int logPixelsX() const = 0;
    virtual int logPixelsY() const = 0;
    virtual int physicalOffsetX() const = 0;
    virtual int physicalOffsetY() const = 0;
    // The paper's width and height in device units, as the page lies on it:
    // a landscape page is wider than high.
    virtual int physicalWidth() const = 0;
    virtual int physicalHeight() const = 0;

    // Stretches the picture over `target` without keeping its aspect ratio.
    // The target is built as QRect(left, top, right - left, bottom - top), so
    // it covers left ... right-1 and top ... bottom-1 like a rectangle; a
    // negative width or height mirrors the picture.
    virtual void stretchDraw(const QRect& target, const Picture& picture) = 0;
    // The same stretch, but only the part inside the ellipse inscribed in
    // the target is drawn (a round disc label).
    virtual void stretchDrawRound(const QRect& target, const Picture& picture) = 0;
    virtual void rectangle(int left, int top, int right, int bottom) = 0;
    virtual void ellipse(int left, int top, int right, int bottom) = 0;
    // Paints the inside of the ellipse white, without outline, over what is
    // already drawn (a disc label's centre hole).
    virtual void clearEllipse(int left, int top, int right, int bottom) = 0;
    virtual void moveTo(int x, int y) = 0;
    // Draws from the current position up to, but not including, (x, y) and
    // makes (x, y) the current position.
    virtual void lineTo(int x, int y) = 0;
    virtual void setBrushClear() = 0;
    // Writes `text` in black with letters `height` units high (the font's
    // pixel size), the top-left corner of its line at (x, y).
    virtual void textOut(int x, int y, int height, const QString& text) = 0;
};
