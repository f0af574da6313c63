#include "print/print_geometry.h"

#include "platform/printing/print_device.h"

#include <algorithm>
#include <cstdint>

void PrintRect::inset(int units)
{
    Left += units;
    Top += units;
    Right -= units;
    Bottom -= units;
}

QRect PrintRect::toQRect() const
{
    return QRect(Left, Top, Right - Left, Bottom - Top);
}

PrintJob::PrintJob(PrintDevice& device) : m_device(device)
{ }

void PrintJob::StartPrintJob()
{
    m_device.beginDoc();
    m_scale.LogPixX = m_device.logPixelsX();
    m_scale.LogPixY = m_device.logPixelsY();
}

int PrintJob::MmPosX(int mm) const
{
    return MmLenX(mm) - m_device.physicalOffsetX();
}

int PrintJob::MmPosY(int mm) const
{
    return MmLenY(mm) - m_device.physicalOffsetY();
}

int PrintJob::MmLenX(int mm) const
{
    return millimetresToUnits(mm, m_scale.LogPixX);
}

int PrintJob::MmLenY(int mm) const
{
    return millimetresToUnits(mm, m_scale.LogPixY);
}

int PrintJob::halfWidthX(int sheetWidthMm) const
{
    return MmLenX(sheetWidthMm / 2);
}

PrintRect PrintJob::item(int leftMm, int topMm, int widthMm, int heightMm) const
{
    PrintRect rect;
    rect.Left = MmPosX(leftMm);
    rect.Top = MmPosY(topMm);
    rect.Right = rect.Left + MmLenX(widthMm);
    rect.Bottom = rect.Top + MmLenY(heightMm);
    return rect;
}

PrintRect PrintJob::centredSquare(const PrintRect& outer, int diameterMm) const
{
    PrintRect rect;
    rect.Left = outer.Left + (outer.Right - outer.Left - MmLenX(diameterMm)) / 2;
    rect.Top = outer.Top + (outer.Bottom - outer.Top - MmLenY(diameterMm)) / 2;
    rect.Right = rect.Left + MmLenX(diameterMm);
    rect.Bottom = rect.Top + MmLenY(diameterMm);
    return rect;
}

void PrintJob::rectangle(const PrintRect& rect) const
{
    m_device.rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom);
}

void PrintJob::ellipse(const PrintRect& rect) const
{
    m_device.ellipse(rect.Left, rect.Top, rect.Right, rect.Bottom);
}

void PrintJob::stretchDraw(const PrintRect& rect, const Picture& picture) const
{
    m_device.stretchDraw(rect.toQRect(), picture);
}

void PrintJob::stretchDrawRound(const PrintRect& rect, const Picture& picture) const
{
    m_device.stretchDrawRound(rect.toQRect(), picture);
}

void PrintJob::clearEllipse(const PrintRect& rect) const
{
    m_device.clearEllipse(rect.Left, rect.Top, rect.Right, rect.Bottom);
}
