#include "support/pdf_ink.h"

#include <QTransform>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <algorithm>
#include <cmath>
#include <limits>

namespace testenv {

namespace {

constexpr double kPointsPerInch = 72;
constexpr int kCurveSteps = 32;
constexpr int kEdgeSamples = 15;
constexpr double kThinLineUnits = 3;  // a line one device unit wide, with room

// What the graphics state of a content stream holds that decides the ink.
struct GraphicsState {
    QTransform toPaper;  // user space to device units on the paper
    double lineWidth = 1;
    bool whiteFill = false;
    QRectF clip{QPointF(-1e9, -1e9), QPointF(1e9, 1e9)};
};

bool allEqual(const std::vector<double>& values, double value)
{
    return !values.empty()
        && std::all_of(values.begin(), values.end(), [&](double v) { return v == value; });
}

// Follows the operators of a page's content streams (and of the form
// XObjects it draws) and collects their ink.
class ContentReader : public QPDFObjectHandle::ParserCallbacks {
public:
    ContentReader(PdfInk::Drawing& ink, const QTransform& toPaper) : m_ink(ink)
    {
        m_state.toPaper = toPaper;
    }

    void read(QPDFObjectHandle contents, QPDFObjectHandle resources)
    {
        m_resources.push_back(resources);
        QPDFObjectHandle::parseContentStream(contents, this);
        m_resources.pop_back();
    }

    void handleObject(QPDFObjectHandle object) override
    {
        if (object.isOperator())
            run(object.getOperatorValue());
        else if (!object.isInlineImage())
            m_operands.push_back(object);
    }

    void handleEOF() override { }

private:
    std::vector<double> numbers() const
    {
        std::vector<double> values;
        for (QPDFObjectHandle operand : m_operands) {
            if (operand.isNumber())
                values.push_back(operand.getNumericValue());
        }
        return values;
    }

    QPointF paperPoint(double x, double y) const { return m_state.toPaper.map(QPointF(x, y)); }

    void run(const std::string& op)
    {
        const std::vector<double> n = numbers();
        if (op == "q") {
            m_stack.push_back(m_state);
        } else if (op == "Q" && !m_stack.empty()) {
            m_state = m_stack.back();
            m_stack.pop_back();
        } else if (op == "cm" && n.size() == 6) {
            m_state.toPaper = QTransform(n[0], n[1], n[2], n[3], n[4], n[5]) * m_state.toPaper;
        } else if (op == "w" && n.size() == 1) {
            m_state.lineWidth = n[0];
        } else if (op == "g" || op == "rg" || op == "sc" || op == "scn") {
            m_state.whiteFill = allEqual(n, 1);
        } else if (op == "k") {
            m_state.whiteFill = allEqual(n, 0);
        } else if (op == "m" && n.size() == 2) {
            m_path.push_back({paperPoint(n[0], n[1])});
            m_current = {n[0], n[1]};
        } else if (op == "l" && n.size() == 2) {
            lineTo(n[0], n[1]);
        } else if ((op == "c" && n.size() == 6) || (op == "v" && n.size() == 4)
                   || (op == "y" && n.size() == 4)) {
            curve(op, n);
        } else if (op == "re" && n.size() == 4) {
            m_path.push_back({paperPoint(n[0], n[1]), paperPoint(n[0] + n[2], n[1]),
                              paperPoint(n[0] + n[2], n[1] + n[3]), paperPoint(n[0], n[1] + n[3]),
                              paperPoint(n[0], n[1])});
        } else if (op == "h") {
            closeSubpath();
        } else if (op == "W" || op == "W*") {
            m_clipPending = true;
        } else if (isPainting(op)) {
            paint(op);
        } else if (op == "Do" && !m_operands.empty() && m_operands.back().isName()) {
            drawXObject(m_operands.back().getName());
        } else if (op == "EI") {
            addPicture();
        }
        m_operands.clear();
    }

    void lineTo(double x, double y)
    {
        if (m_path.empty())
            m_path.push_back({paperPoint(m_current.x(), m_current.y())});
        m_path.back() << paperPoint(x, y);
        m_current = {x, y};
    }

    void curve(const std::string& op, const std::vector<double>& n)
    {
        const QPointF p0 = m_current;
        QPointF p1, p2, p3;
        if (op == "c") {
            p1 = {n[0], n[1]};
            p2 = {n[2], n[3]};
            p3 = {n[4], n[5]};
        } else if (op == "v") {
            p1 = p0;
            p2 = {n[0], n[1]};
            p3 = {n[2], n[3]};
        } else {
            p1 = {n[0], n[1]};
            p2 = {n[2], n[3]};
            p3 = p2;
        }
        for (int i = 1; i <= kCurveSteps; ++i) {
            const double t = double(i) / kCurveSteps, u = 1 - t;
            const QPointF p
                = u * u * u * p0 + 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t * p3;
            lineTo(p.x(), p.y());
        }
    }

    void closeSubpath()
    {
        if (!m_path.empty() && m_path.back().size() > 1
            && m_path.back().first() != m_path.back().last())
            m_path.back() << m_path.back().first();
    }

    static bool isPainting(const std::string& op)
    {
        static const std::vector<std::string> painting
            = {"S", "s", "f", "F", "f*", "B", "B*", "b", "b*", "n"};
        return std::find(painting.begin(), painting.end(), op) != painting.end();
    }

    double halfWidthOnPaper() const
    {
        const QTransform& t = m_state.toPaper;
        const double scale = std::sqrt(std::abs(t.m11() * t.m22() - t.m12() * t.m21()));
        // A zero width is the thinnest line the device can draw.
        return std::max(m_state.lineWidth * scale, 1e-3) / 2;
    }

    void paint(const std::string& op)
    {
        if (op == "s" || op == "b" || op == "b*")
            closeSubpath();
        const bool fills = op != "S" && op != "s" && op != "n";
        const bool strokes = op == "S" || op == "s" || op.front() == 'B' || op.front() == 'b';
        QRectF pathBounds;
        for (QPolygonF subpath : m_path) {
            pathBounds |= subpath.boundingRect();
            if (fills && !m_state.whiteFill && subpath.size() > 2)
                addFill(subpath);
            if (strokes) {
                for (qsizetype i = 1; i < subpath.size(); ++i)
                    m_ink.strokes.push_back({subpath[i - 1], subpath[i], halfWidthOnPaper()});
            }
        }
        if (m_clipPending)
            m_state.clip &= pathBounds;
        m_clipPending = false;
        m_path.clear();
    }

    // Kept only where the clip lets it through; clip paths count by their
    // bounding box, which is exact for the rectangles the sheets clip to.
    void addFill(const QPolygonF& outline)
    {
        if (m_state.clip.contains(outline.boundingRect()))
            m_ink.fills.push_back(outline);
        else if (const QRectF inside = outline.boundingRect() & m_state.clip; !inside.isEmpty())
            m_ink.fills.push_back(QPolygonF(inside));
    }

    // A picture fills the unit square of its user space.
    void addPicture()
    {
        const QRectF square = m_state.toPaper.mapRect(QRectF(0, 0, 1, 1)) & m_state.clip;
        if (!square.isEmpty())
            m_ink.pictures.push_back(square);
    }

    void drawXObject(const std::string& name)
    {
        QPDFObjectHandle xobject = m_resources.back().getKeyIfDict("/XObject").getKeyIfDict(name);
        if (!xobject.isStream())
            return;
        if (xobject.isImage()) {
            addPicture();
            return;
        }
        if (!xobject.isFormXObject())
            return;
        const GraphicsState outer = m_state;
        QPDFObjectHandle matrix = xobject.getDict().getKey("/Matrix");
        if (matrix.isArray() && matrix.getArrayNItems() == 6) {
            std::vector<double> m;
            for (QPDFObjectHandle value : matrix.aitems())
                m.push_back(value.getNumericValue());
            m_state.toPaper = QTransform(m[0], m[1], m[2], m[3], m[4], m[5]) * m_state.toPaper;
        }
        QPDFObjectHandle resources = xobject.getDict().getKey("/Resources");
        read(xobject, resources.isDictionary() ? resources : m_resources.back());
        m_state = outer;
    }

    PdfInk::Drawing& m_ink;
    GraphicsState m_state;
    std::vector<GraphicsState> m_stack;
    std::vector<QPDFObjectHandle> m_resources;
    std::vector<QPDFObjectHandle> m_operands;
    std::vector<QPolygonF> m_path;
    QPointF m_current;
    bool m_clipPending = false;
};

// Where a segment crosses the line y = at (or x = at for a column): the
// ink across that line, a stroke's width wide.
std::optional<std::pair<double, double>> crossing(const PdfInk::Stroke& s, bool column, double at)
{
    const auto along = [&](QPointF p) { return column ? p.y() : p.x(); };
    const auto across = [&](QPointF p) { return column ? p.x() : p.y(); };
    const double a0 = across(s.from), a1 = across(s.to);
    const double low = std::min(a0, a1), high = std::max(a0, a1);
    if (at < low - s.halfWidth || at > high + s.halfWidth)
        return std::nullopt;
    if (high - low < std::abs(along(s.to) - along(s.from))) {
        // Runs along the line: inked where the line lies within its width.
        if (std::abs(at - (a0 + a1) / 2) > s.halfWidth + (high - low) / 2)
            return std::nullopt;
        const auto [first, last] = std::minmax({along(s.from), along(s.to)});
        return std::pair{first - s.halfWidth, last + s.halfWidth};
    }
    const double t = high == low ? 0.5 : std::clamp((at - a0) / (a1 - a0), 0.0, 1.0);
    const double where = along(s.from) + t * (along(s.to) - along(s.from));
    return std::pair{where - s.halfWidth, where + s.halfWidth};
}

}  // namespace

std::optional<PdfInk> PdfInk::read(const QString& pdfFile, int printerDpi, bool landscape)
{
    try {
        QPDF pdf;
        pdf.processFile(pdfFile.toLocal8Bit().constData());
        std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(pdf).getAllPages();
        if (pages.empty())
            return std::nullopt;
        QPDFPageObjectHelper page = pages.front();
        const QPDFObjectHandle::Rectangle media = page.getMediaBox().getArrayAsRectangle();
        QPDFObjectHandle rotate = page.getAttribute("/Rotate", false);
        if (rotate.isInteger() && rotate.getIntValue() % 360 != 0)
            return std::nullopt;
        const double unitsPerPoint = printerDpi / kPointsPerInch;
        const double paperHeight = (media.ury - media.lly) * unitsPerPoint;
        // PDF space (points, up from the bottom) to units down from the top.
        QTransform toPaper = QTransform::fromTranslate(-media.llx, -media.ury)
            * QTransform::fromScale(unitsPerPoint, -unitsPerPoint);
        if (landscape)
            toPaper = toPaper * QTransform(0, 1, -1, 0, paperHeight, 0);
        PdfInk ink;
        ink.m_dpi = printerDpi;
        const QSizeF paper((media.urx - media.llx) * 25.4 / kPointsPerInch,
                           (media.ury - media.lly) * 25.4 / kPointsPerInch);
        ink.m_paperMm = landscape ? paper.transposed() : paper;
        ContentReader reader(ink.m_ink, toPaper);
        QPDFObjectHandle resources = page.getAttribute("/Resources", false);
        reader.read(page.getObjectHandle().getKey("/Contents"), resources);
        return ink;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

int PdfInk::pageCount(const QString& pdfFile)
{
    try {
        QPDF pdf;
        pdf.processFile(pdfFile.toLocal8Bit().constData());
        return static_cast<int>(QPDFPageDocumentHelper(pdf).getAllPages().size());
    } catch (const std::exception&) {
        return 0;
    }
}

QRectF PdfInk::bounds() const
{
    QRectF all;
    for (const Stroke& s : m_ink.strokes) {
        const double w = s.halfWidth;
        all |= QRectF(s.from, s.to).normalized().adjusted(-w, -w, w, w);
    }
    for (const QPolygonF& fill : m_ink.fills)
        all |= fill.boundingRect();
    for (const QRectF& picture : m_ink.pictures)
        all |= picture;
    return all;
}

QList<PdfInk::Interval> PdfInk::inkOn(bool column, double at) const
{
    QList<Interval> ink;
    for (const Stroke& stroke : m_ink.strokes) {
        if (const auto crossed = crossing(stroke, column, at))
            ink << *crossed;
    }
    for (const QPolygonF& fill : m_ink.fills) {
        std::vector<double> crossings;
        for (qsizetype i = 1; i < fill.size(); ++i) {
            const QPointF a = column ? fill[i - 1].transposed() : fill[i - 1];
            const QPointF b = column ? fill[i].transposed() : fill[i];
            if ((a.y() <= at) != (b.y() <= at))
                crossings.push_back(a.x() + (at - a.y()) / (b.y() - a.y()) * (b.x() - a.x()));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 1; i < crossings.size(); i += 2)
            ink << Interval{crossings[i - 1], crossings[i]};
    }
    for (const QRectF& picture : m_ink.pictures) {
        const QRectF r = column
            ? QRectF(picture.top(), picture.left(), picture.height(), picture.width())
            : picture;
        if (r.top() <= at && at <= r.bottom())
            ink << Interval{r.left(), r.right()};
    }
    return ink;
}

std::optional<double> PdfInk::lineNear(bool column, double expected, double along) const
{
    const double window = 0.5 * m_dpi / 25.4;
    std::optional<double> best;
    for (const auto& [first, last] : inkOn(column, along)) {
        const double middle = (first + last) / 2;
        if (last - first > kThinLineUnits || std::abs(middle - expected) > window)
            continue;
        if (!best || std::abs(middle - expected) < std::abs(*best - expected))
            best = middle;
    }
    return best;
}

std::optional<double> PdfInk::verticalLineNear(double expected, double along) const
{
    return lineNear(false, expected, along);
}

std::optional<double> PdfInk::horizontalLineNear(double expected, double along) const
{
    return lineNear(true, expected, along);
}

std::optional<double> PdfInk::edgeNear(Side side, double expected, double from, double to) const
{
    const bool column = side == Side::Top || side == Side::Bottom;
    const bool fromBelow = side == Side::Right || side == Side::Bottom;
    const double window = 0.5 * m_dpi / 25.4;
    const double low = expected - window, high = expected + window;
    std::vector<double> found;
    for (int i = 0; i < kEdgeSamples; ++i) {
        const double along = from + (to - from) * (0.1 + 0.8 * i / (kEdgeSamples - 1));
        std::optional<double> edge;
        for (const auto& [first, last] : inkOn(column, along)) {
            if (last < low || first > high)
                continue;
            const double seen = fromBelow ? std::min(last, high) : std::max(first, low);
            if (!edge || (fromBelow ? seen > *edge : seen < *edge))
                edge = seen;
        }
        if (edge)
            found.push_back(*edge);
    }
    if (found.size() * 2 < kEdgeSamples)
        return std::nullopt;
    std::nth_element(found.begin(), found.begin() + found.size() / 2, found.end());
    return found[found.size() / 2];
}

}  // namespace testenv
