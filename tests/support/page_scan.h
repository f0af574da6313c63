#pragma once

#include <QImage>
#include <QString>

#include <optional>

namespace testenv {

// The first page of a PDF file as pdftoppm rasterises it: grey levels at
// 600 dots per inch. A null image when that fails.
QImage rasterisedPage(const QString& pdfFile);
// Number of pages, as pdfinfo counts them; 0 when it cannot tell.
int pdfPageCount(const QString& pdfFile);

// Measures printed marks on a page rasterised at 600 dpi. Positions are
// given and returned in the printer's device units from the paper's
// top-left corner, at the printer's resolution.
class PageScan {
public:
    PageScan(const QImage& page, int printerDpi);

    // Lines one device unit wide, running down (at x) or across (at y): the
    // centre of the ink found within half a millimetre of `expected`, in
    // the row (column) `along`.
    std::optional<double> verticalLineNear(double expected, double along) const;
    std::optional<double> horizontalLineNear(double expected, double along) const;

    // The outer edge of a printed area (a picture, its frame) that lies on
    // the paper from `from` to `to` along the edge: where the ink begins,
    // seen from outside, as the median over rows (columns) along the edge.
    enum class Side { Left, Top, Right, Bottom };
    std::optional<double> edgeNear(Side side, double expected, double from, double to) const;

    // A device-unit distance in millimetres.
    double millimetres(double units) const;

private:
    double toPixels(double units) const { return units * kDpi / m_printerDpi; }
    double toUnits(double pixels) const { return pixels * m_printerDpi / kDpi; }
    int grey(int x, int y) const;
    std::optional<double> inkCentre(int fixed, double expectedPixels, bool alongRow) const;
    std::optional<double> firstInk(int fixed, double expectedPixels, bool alongRow, bool fromBelow) const;

    static constexpr int kDpi = 600;
    QImage m_page;
    int m_printerDpi;
};

}  // namespace testenv
