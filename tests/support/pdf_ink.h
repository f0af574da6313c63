#pragma once

#include <QList>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace testenv {

// The ink of a PDF page exactly as its content stream puts it on the paper:
// stroked lines with their width, filled areas (white ones are not ink) and
// pictures, each limited by the clip in force. Read with qpdf, without
// rasterising. Positions are given and returned in device units of the
// printer's resolution, measured from the paper's top-left corner; a
// landscape page, which lies on the portrait paper turned counter-clockwise,
// is measured as it lies in landscape.
class PdfInk {
public:
    // The first page of `pdfFile`; nothing when it cannot be read.
    static std::optional<PdfInk> read(const QString& pdfFile, int printerDpi, bool landscape);
    // The number of pages of `pdfFile`, 0 when it cannot be read.
    static int pageCount(const QString& pdfFile);

    // The paper's size in millimetres, as the page lies.
    QSizeF paperMm() const { return m_paperMm; }
    // Everything inked, in device units.
    QRectF bounds() const;
    bool isEmpty() const
    {
        return m_ink.strokes.empty() && m_ink.fills.empty() && m_ink.pictures.empty();
    }

    // Lines about one device unit wide, running down (at x) or across (at
    // y): the middle of the thin ink found within half a millimetre of
    // `expected` on the row (column) `along`.
    std::optional<double> verticalLineNear(double expected, double along) const;
    std::optional<double> horizontalLineNear(double expected, double along) const;

    // The outer edge of an inked area (a picture, its frame) that lies on
    // the paper from `from` to `to` along the edge: where the ink begins
    // within half a millimetre of `expected`, seen from outside, as the
    // median over rows (columns) along the edge.
    enum class Side { Left, Top, Right, Bottom };
    std::optional<double> edgeNear(Side side, double expected, double from, double to) const;

    double millimetres(double units) const { return units * 25.4 / m_dpi; }

    // What a page draws, in device units on the paper.
    struct Stroke {
        QPointF from, to;
        double halfWidth;
    };
    struct Drawing {
        std::vector<Stroke> strokes;
        std::vector<QPolygonF> fills;
        std::vector<QRectF> pictures;
    };

private:
    using Interval = std::pair<double, double>;
    // The ink on the row y = `at`, or with `column` on the column x = `at`,
    // as intervals along it.
    QList<Interval> inkOn(bool column, double at) const;
    std::optional<double> lineNear(bool column, double expected, double along) const;

    int m_dpi = 600;
    QSizeF m_paperMm;
    Drawing m_ink;
};

}  // namespace testenv
