#include "platform/printing/q_printer_device.h"

#include "platform/pictures/picture.h"
#include "platform/printing/print_canvas.h"
#include "platform/printing/print_error.h"

#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include <utility>

namespace {

// Minimum margins as the print system reports them are those of the portrait
// paper; a landscape page lies on it turned counter-clockwise, so its left
// edge is the paper's bottom edge and its top edge the paper's left edge.
QMarginsF marginsOfPage(const QMarginsF& portrait, QPageLayout::Orientation orientation)
{
    if (orientation == QPageLayout::Portrait)
        return portrait;
    return {portrait.bottom(), portrait.left(), portrait.top(), portrait.right()};
}

}  // namespace

QPrinterDevice::QPrinterDevice(QPrinter& printer) : m_printer(printer)
{ }

QPrinterDevice::~QPrinterDevice() = default;

void QPrinterDevice::setTitle(const QString& title)
{
    m_printer.setDocName(title);
}

void QPrinterDevice::setOrientation(Orientation orientation)
{
    m_printer.setPageOrientation(orientation == Orientation::Landscape ? QPageLayout::Landscape
                                                                       : QPageLayout::Portrait);
}

void QPrinterDevice::beginDoc()
{
    if (m_jobOpen)
        throw PrintError(QStringLiteral("Es läuft bereits ein Druckauftrag."));
    checkPrinterReady();
    m_printer.setFullPage(true);
    m_page.clear();
    m_jobOpen = true;
}

void QPrinterDevice::endDoc()
{
    if (!m_jobOpen)
        return;
    m_jobOpen = false;
    printPage(std::exchange(m_page, {}));
}

void QPrinterDevice::abortDoc()
{
    m_jobOpen = false;
    m_page.clear();
}

int QPrinterDevice::logPixelsX() const
{
    return m_printer.resolution();
}

int QPrinterDevice::logPixelsY() const
{
    return m_printer.resolution();
}

int QPrinterDevice::physicalOffsetX() const
{
    return printableCorner().x();
}

int QPrinterDevice::physicalOffsetY() const
{
    return printableCorner().y();
}

int QPrinterDevice::physicalWidth() const
{
    return m_printer.pageLayout().fullRectPixels(m_printer.resolution()).width();
}

int QPrinterDevice::physicalHeight() const
{
    return m_printer.pageLayout().fullRectPixels(m_printer.resolution()).height();
}

void QPrinterDevice::stretchDraw(const QRect& target, const Picture& picture)
{
    addStep([target, picture](PrintCanvas& canvas) { canvas.stretchDraw(target, picture); });
}

void QPrinterDevice::stretchDrawRound(const QRect& target, const Picture& picture)
{
    addStep([target, picture](PrintCanvas& canvas) { canvas.stretchDrawRound(target, picture); });
}

void QPrinterDevice::rectangle(int left, int top, int right, int bottom)
{
    addStep([=](PrintCanvas& canvas) { canvas.rectangle(left, top, right, bottom); });
}

void QPrinterDevice::ellipse(int left, int top, int right, int bottom)
{
    addStep([=](PrintCanvas& canvas) { canvas.ellipse(left, top, right, bottom); });
}

void QPrinterDevice::clearEllipse(int left, int top, int right, int bottom)
{
    addStep([=](PrintCanvas& canvas) { canvas.clearEllipse(left, top, right, bottom); });
}

void QPrinterDevice::moveTo(int x, int y)
{
    addStep([=](PrintCanvas& canvas) { canvas.moveTo(x, y); });
}

void QPrinterDevice::lineTo(int x, int y)
{
    addStep([=](PrintCanvas& canvas) { canvas.lineTo(x, y); });
}

void QPrinterDevice::setBrushClear()
{
    // Outlines are never filled, so the brush is always clear.
}

void QPrinterDevice::textOut(int x, int y, int height, const QString& text)
{
    addStep([=](PrintCanvas& canvas) { canvas.textOut(x, y, height, text); });
}

void QPrinterDevice::checkPrinterReady() const
{
    if (m_printer.outputFormat() == QPrinter::PdfFormat && m_printer.outputFileName().isEmpty())
        throw PrintError(
            QStringLiteral("Es ist kein Drucker installiert und keine Ausgabedatei gewählt."));
    if (!m_printer.isValid())
        throw PrintError(
            QStringLiteral("Der Drucker \"%1\" ist nicht verfügbar.").arg(m_printer.printerName()));
}

void QPrinterDevice::addStep(PageStep step)
{
    if (m_jobOpen)
        m_page.push_back(std::move(step));
}

void QPrinterDevice::printPage(const std::vector<PageStep>& page)
{
    QPainter painter;
    if (!painter.begin(&m_printer))
        throw PrintError(QStringLiteral("Der Druckauftrag \"%1\" konnte nicht gestartet werden.")
                             .arg(m_printer.docName()));
    painter.translate(printableCorner());
    PrintCanvas canvas(
        painter, m_hairlines ? PrintCanvas::Lines::Hairline : PrintCanvas::Lines::DevicePixel);
    try {
        for (const PageStep& step : page)
            step(canvas);
    } catch (...) {
        // Qt cannot withdraw a begun job; at least no half-drawn file is left.
        painter.end();
        discardOutputFile();
        throw;
    }
    painter.end();
}

void QPrinterDevice::discardOutputFile()
{
    if (!m_printer.outputFileName().isEmpty())
        QFile::remove(m_printer.outputFileName());
}

QPoint QPrinterDevice::printableCorner() const
{
    const QPageLayout layout = m_printer.pageLayout();
    const QMarginsF margins = marginsOfPage(layout.minimumMargins(), layout.orientation());
    const QPageLayout printable(layout.pageSize(), layout.orientation(), margins, layout.units(),
                                margins);
    const int resolution = m_printer.resolution();
    return printable.paintRectPixels(resolution).topLeft()
        - printable.fullRectPixels(resolution).topLeft();
}
