#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

class QPainter;
class Picture;

// Draws the classic printer-canvas calls on a QPainter whose unit is one
// device pixel, exactly to the pixel: rectangle and ellipse (l, t, r, b) ink
// l ... r-1 and t ... b-1 with a one-pixel black pen and no fill, and a line
// leaves out its end point. Round pictures and cleared ellipses fill the
// ellipse inscribed in the same pixels.
//
// On screen, where a device pixel may be far smaller than a screen pixel,
// hairlines keep every outline and line one screen pixel wide instead.
class PrintCanvas {
public:
    enum class Lines { DevicePixel, Hairline };

    explicit PrintCanvas(QPainter& painter, Lines lines = Lines::DevicePixel);

    void stretchDraw(const QRect& target, const Picture& picture);
    void stretchDrawRound(const QRect& target, const Picture& picture);
    void rectangle(int left, int top, int right, int bottom);
    void ellipse(int left, int top, int right, int bottom);
    void clearEllipse(int left, int top, int right, int bottom);
    void moveTo(int x, int y);
    void lineTo(int x, int y);
    void textOut(int x, int y, int height, const QString& text);

private:
    enum class Clip { Box, Ellipse };
    void drawStretched(const QRect& target, const Picture& picture, Clip clip);

    QPainter& m_painter;
    Lines m_lines;
    QPoint m_position;
};
