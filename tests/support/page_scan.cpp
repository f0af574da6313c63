#include "support/page_scan.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <vector>

namespace testenv {

namespace {

constexpr int kPaperWhite = 250;  // lighter grey levels count as blank paper
constexpr int kMinimumInk = 40;   // a line leaves at least this much darkness in a row
constexpr int kEdgeSamples = 15;

// Half a millimetre at 600 dpi: how far from the expected place ink is sought.
constexpr int kWindow = 12;

QString output(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

}  // namespace

QImage rasterisedPage(const QString& pdfFile)
{
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("page"));
    QProcess process;
    process.start(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-r"), QStringLiteral("600"), QStringLiteral("-gray"),
                   QStringLiteral("-singlefile"), pdfFile, base});
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        return {};
    return QImage(base + QStringLiteral(".pgm")).convertToFormat(QImage::Format_Grayscale8);
}

int pdfPageCount(const QString& pdfFile)
{
    static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"),
                                          QRegularExpression::MultilineOption);
    const auto match = pages.match(output(QStringLiteral("pdfinfo"), {pdfFile}));
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

PageScan::PageScan(const QImage& page, int printerDpi)
    : m_page(page), m_printerDpi(printerDpi)
{
}

double PageScan::millimetres(double units) const
{
    return units * 25.4 / m_printerDpi;
}

int PageScan::grey(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_page.width() || y >= m_page.height())
        return 255;
    return m_page.constScanLine(y)[x];
}

std::optional<double> PageScan::inkCentre(int fixed, double expectedPixels, bool alongRow) const
{
    const int middle = static_cast<int>(std::floor(expectedPixels));
    double weight = 0;
    double moment = 0;
    for (int at = middle - kWindow; at <= middle + kWindow; ++at) {
        const int g = alongRow ? grey(at, fixed) : grey(fixed, at);
        if (g >= kPaperWhite)
            continue;
        weight += 255 - g;
        moment += (255 - g) * (at + 0.5);
    }
    if (weight < kMinimumInk)
        return std::nullopt;
    return toUnits(moment / weight);
}

std::optional<double> PageScan::verticalLineNear(double expected, double along) const
{
    return inkCentre(static_cast<int>(toPixels(along)), toPixels(expected), true);
}

std::optional<double> PageScan::horizontalLineNear(double expected, double along) const
{
    return inkCentre(static_cast<int>(toPixels(along)), toPixels(expected), false);
}

std::optional<double> PageScan::firstInk(int fixed, double expectedPixels, bool alongRow,
                                         bool fromBelow) const
{
    const int middle = static_cast<int>(std::floor(expectedPixels));
    const int step = fromBelow ? -1 : 1;
    const int start = middle - step * kWindow;
    for (int at = start; at != middle + step * (kWindow + 1); at += step) {
        const int g = alongRow ? grey(at, fixed) : grey(fixed, at);
        if (g < kPaperWhite)
            return toUnits(fromBelow ? at + 1 : at);
    }
    return std::nullopt;
}

std::optional<double> PageScan::edgeNear(Side side, double expected, double from, double to) const
{
    const bool alongRow = side == Side::Left || side == Side::Right;
    const bool fromBelow = side == Side::Right || side == Side::Bottom;
    std::vector<double> found;
    for (int i = 0; i < kEdgeSamples; ++i) {
        const double along = from + (to - from) * (0.1 + 0.8 * i / (kEdgeSamples - 1));
        if (const auto edge = firstInk(static_cast<int>(toPixels(along)), toPixels(expected), alongRow, fromBelow))
            found.push_back(*edge);
    }
    if (found.size() * 2 < kEdgeSamples)
        return std::nullopt;
    std::nth_element(found.begin(), found.begin() + found.size() / 2, found.end());
    return found[found.size() / 2];
}

}  // namespace testenv
