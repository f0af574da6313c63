#include "platform/pictures/picture.h"
#include "platform/pictures/vector_drawing.h"
#include "platform/printing/print_error.h"
#include "platform/printing/q_printer_device.h"
#include "print/sheets.h"
#include "support/sheet_settings.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using testenv::standardSheetSettings;

#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

// Prints the sheets through QPrinter into 600-dpi PDF files, rasterises them
// with pdftoppm and looks for every outline and fold line where the
// millimetre settings put it on the paper. The paper has hardware margins
// (5, 4, 6 and 7 mm) so that the printer offsets take part. Qt writes a
// landscape job as a landscape page, so no page needs turning back.

namespace {

using SheetRoutine
    = void (*)(PrintDevice&, const SheetSettings&, const Picture&, const Picture&, bool);

const QMarginsF hardwareMarginsMm(5, 4, 6, 7);
const int tolerance = 2;  // 0.1 mm at 600 dpi
const int ink = 64;       // grey levels below this are black ink

// Device units of a millimetre figure at 600 dpi, measured from the paper's
// top-left corner.
int units(int mm)
{
    return int(std::lround(mm * 600 / 25.4));
}

// The paper pixels of an item's outline: first and last column and row.
struct Outline {
    int left;
    int top;
    int right;
    int bottom;
    int middleX() const { return (left + right) / 2; }
    int middleY() const { return (top + bottom) / 2; }
};

Outline outlineOf(int leftMm, int topMm, int widthMm, int heightMm)
{
    const int left = units(leftMm);
    const int top = units(topMm);
    return {left, top, left + units(widthMm) - 1, top + units(heightMm) - 1};
}

Picture solidGrey()
{
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(QColor(128, 128, 128));
    return Picture::fromImage(image);
}

// A vector picture whose drawing fails.
class BrokenDrawing : public VectorDrawing {
public:
    QSize size() const override { return {100, 100}; }
    void render(QPainter&, const QRectF&) const override
    {
        throw std::runtime_error("broken picture");
    }
};

std::unique_ptr<QPrinter> pdfPrinter(const QString& file)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(file);
    printer->setResolution(600);
    printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                       hardwareMarginsMm, QPageLayout::Millimeter,
                                       hardwareMarginsMm));
    return printer;
}

int grey(const QImage& page, int x, int y)
{
    return page.valid(x, y) ? qGray(page.pixel(x, y)) : 255;
}

// Nearest black pixel to `expected` along a row (or a column), or nothing
// within a few pixels.
std::optional<int> inkNear(int expected, const std::function<int(int)>& greyAt)
{
    for (int distance = 0; distance <= 6; ++distance) {
        for (const int at : {expected - distance, expected + distance}) {
            if (greyAt(at) < ink)
                return at;
        }
    }
    return std::nullopt;
}

std::optional<int> inkInRowNear(const QImage& page, int y, int expectedX)
{
    return inkNear(expectedX, [&](int x) { return grey(page, x, y); });
}

std::optional<int> inkInColumnNear(const QImage& page, int x, int expectedY)
{
    return inkNear(expectedY, [&](int y) { return grey(page, x, y); });
}

}  // namespace

#define VERIFY_INK_IN_ROW(page, y, x)                                                              \
    do {                                                                                           \
        const auto found = inkInRowNear(page, y, x);                                               \
        QVERIFY2(found&& qAbs(*found - (x)) <= tolerance,                                          \
                 qPrintable(QStringLiteral("no line near x=%1 in row %2").arg(x).arg(y)));         \
    } while (false)

#define VERIFY_INK_IN_COLUMN(page, x, y)                                                           \
    do {                                                                                           \
        const auto found = inkInColumnNear(page, x, y);                                            \
        QVERIFY2(found&& qAbs(*found - (y)) <= tolerance,                                          \
                 qPrintable(QStringLiteral("no line near y=%1 in column %2").arg(y).arg(x)));      \
    } while (false)

class TestPrinterPdf : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_pdftoppm;

    QString path(const QString& name) const { return m_dir.filePath(name); }
    QImage printed(const QString& name, SheetRoutine sheet, const SheetSettings& settings,
                   const Picture& image1, const Picture& image2, bool test);
    static void verifyOutline(const QImage& page, const Outline& outline);

private slots:
    void initTestCase();

    void offsetsAreThePrintersMinimumMargins();
    void resolutionIsThePrinters();
    void pdfWithoutFileIsRefused();
    void secondJobWhileOneIsOpenIsRefused();
    void abortedJobLeavesTheFileUntouched();
    void pictureThatFailsToDrawLeavesNoFile();

    void frontBackTestPrint();
    void doubleTestPrint();
    void cdLabelsTestPrint();
    void coverTestPrints_data();
    void coverTestPrints();
    void frontBackRealPrint();
    void dvdRealPrint();
    void overlappingOutlinesStayVisible();
    void roundCdLabelIsClippedWithBlankHole_data();
    void roundCdLabelIsClippedWithBlankHole();
};

void TestPrinterPdf::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    QImageReader::setAllocationLimit(512);  // an A4 page at 600 dpi
}

QImage TestPrinterPdf::printed(const QString& name, SheetRoutine sheet,
                               const SheetSettings& settings, const Picture& image1,
                               const Picture& image2, bool test)
{
    if (m_pdftoppm.isEmpty())
        return {};
    const QString pdf = path(name + QStringLiteral(".pdf"));
    const auto printer = pdfPrinter(pdf);
    QPrinterDevice device(*printer);
    sheet(device, settings, image1, image2, test);

    QProcess rasteriser;
    rasteriser.start(m_pdftoppm, {"-r", "600", "-gray", "-singlefile", pdf, path(name)});
    if (!rasteriser.waitForFinished(60000) || rasteriser.exitCode() != 0)
        return {};
    const QString raster = path(name + QStringLiteral(".pgm"));
    const QImage page(raster);
    QFile::remove(raster);
    return page;
}

void TestPrinterPdf::verifyOutline(const QImage& page, const Outline& outline)
{
    VERIFY_INK_IN_ROW(page, outline.middleY(), outline.left);
    VERIFY_INK_IN_ROW(page, outline.middleY(), outline.right);
    VERIFY_INK_IN_COLUMN(page, outline.middleX(), outline.top);
    VERIFY_INK_IN_COLUMN(page, outline.middleX(), outline.bottom);
}

#define PRINTED(page, ...)                                                                         \
    if (m_pdftoppm.isEmpty())                                                                      \
        QSKIP("pdftoppm is not installed");                                                        \
    const QImage page = printed(__VA_ARGS__);                                                      \
    QVERIFY(!page.isNull())

void TestPrinterPdf::offsetsAreThePrintersMinimumMargins()
{
    const auto printer = pdfPrinter(path(QStringLiteral("offsets.pdf")));
    QPrinterDevice device(*printer);
    // Qt keeps margins in whole points, so they may be half a point off.
    const auto isMargin
        = [](int offset, qreal mm) { return qAbs(offset - mm / 25.4 * 600) <= 600 / 144.0 + 0.5; };
    QVERIFY(isMargin(device.physicalOffsetX(), hardwareMarginsMm.left()));
    QVERIFY(isMargin(device.physicalOffsetY(), hardwareMarginsMm.top()));
    // A landscape page lies turned on the paper: its left edge is the
    // paper's bottom edge, its top edge the paper's left edge.
    device.setOrientation(PrintDevice::Orientation::Landscape);
    QVERIFY(isMargin(device.physicalOffsetX(), hardwareMarginsMm.bottom()));
    QVERIFY(isMargin(device.physicalOffsetY(), hardwareMarginsMm.left()));
}

void TestPrinterPdf::resolutionIsThePrinters()
{
    const auto printer = pdfPrinter(path(QStringLiteral("resolution.pdf")));
    printer->setResolution(300);
    QPrinterDevice device(*printer);
    QCOMPARE(device.logPixelsX(), 300);
    QCOMPARE(device.logPixelsY(), 300);
}

void TestPrinterPdf::pdfWithoutFileIsRefused()
{
    const auto printer = pdfPrinter(QString());
    QPrinterDevice device(*printer);
    QVERIFY_THROWS_EXCEPTION(PrintError,
                             PrintDVD(device, standardSheetSettings(), Picture(), Picture(), true));
}

void TestPrinterPdf::secondJobWhileOneIsOpenIsRefused()
{
    const auto printer = pdfPrinter(path(QStringLiteral("twice.pdf")));
    QPrinterDevice device(*printer);
    device.beginDoc();
    QVERIFY_THROWS_EXCEPTION(PrintError, device.beginDoc());
    device.abortDoc();
}

void TestPrinterPdf::abortedJobLeavesTheFileUntouched()
{
    const QString file = path(QStringLiteral("aborted.pdf"));
    {
        QFile earlier(file);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier output");
    }
    const auto printer = pdfPrinter(file);
    QPrinterDevice device(*printer);
    device.beginDoc();
    device.rectangle(0, 0, 100, 100);
    device.abortDoc();

    QFile after(file);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), QByteArray("earlier output"));
}

void TestPrinterPdf::pictureThatFailsToDrawLeavesNoFile()
{
    const QString file = path(QStringLiteral("broken.pdf"));
    const auto printer = pdfPrinter(file);
    QPrinterDevice device(*printer);
    const Picture broken = Picture::fromDrawing(std::make_shared<BrokenDrawing>());
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             PrintDVD(device, standardSheetSettings(), broken, Picture(), false));
    QVERIFY(!QFile::exists(file));
    // The device is ready for the next job.
    PrintDVD(device, standardSheetSettings(), Picture(), Picture(), true);
    QVERIFY(QFile::exists(file));
}

void TestPrinterPdf::frontBackTestPrint()
{
    PRINTED(page, QStringLiteral("frontback"), PrintFrontBack, standardSheetSettings(), Picture(),
            Picture(), true);
    QVERIFY(page.height() > page.width());
    verifyOutline(page, outlineOf(50, 10, 120, 120));
    const Outline back = outlineOf(36, 130, 152, 118);
    verifyOutline(page, back);
    const int fold = units(7);
    VERIFY_INK_IN_ROW(page, back.middleY(), back.left + fold - 1);
    VERIFY_INK_IN_ROW(page, back.middleY(), back.right + 2 - fold);
    // The fold lines reach one unit beyond the back page.
    QVERIFY(grey(page, back.left + fold - 1, back.top - 1) < ink);
    QVERIFY(grey(page, back.left + fold - 1, back.bottom + 1) < ink);
}

void TestPrinterPdf::doubleTestPrint()
{
    PRINTED(page, QStringLiteral("double"), PrintDouble, standardSheetSettings(), Picture(),
            Picture(), true);
    QVERIFY(page.width() > page.height());
    const Outline sheet = outlineOf(30, 30, 241, 120);
    verifyOutline(page, sheet);
    VERIFY_INK_IN_ROW(page, sheet.middleY(), sheet.left + units(120) - 1);
}

void TestPrinterPdf::cdLabelsTestPrint()
{
    PRINTED(page, QStringLiteral("cd"), PrintCDLabels, standardSheetSettings(), Picture(),
            Picture(), true);
    QVERIFY(page.height() > page.width());
    verifyOutline(page, outlineOf(50, 12, 117, 117));
    verifyOutline(page, outlineOf(50, 160, 117, 117));
}

void TestPrinterPdf::coverTestPrints_data()
{
    QTest::addColumn<bool>("vhs");
    QTest::newRow("DVD") << false;
    QTest::newRow("VHS") << true;
}

void TestPrinterPdf::coverTestPrints()
{
    QFETCH(bool, vhs);
    PRINTED(page, vhs ? QStringLiteral("vhs") : QStringLiteral("dvd"), vhs ? PrintVHS : PrintDVD,
            standardSheetSettings(), Picture(), Picture(), true);
    QVERIFY(page.width() > page.height());
    verifyOutline(page, vhs ? outlineOf(10, 10, 265, 191) : outlineOf(10, 10, 273, 184));
}

void TestPrinterPdf::frontBackRealPrint()
{
    PRINTED(page, QStringLiteral("frontback-real"), PrintFrontBack, standardSheetSettings(),
            solidGrey(), solidGrey(), false);
    const Outline front = outlineOf(50, 10, 120, 120);
    verifyOutline(page, front);
    QVERIFY(qAbs(grey(page, front.middleX(), front.middleY()) - 128) < 8);
    QVERIFY(qAbs(grey(page, front.left + 1, front.middleY()) - 128) < 8);
    QCOMPARE(grey(page, front.left - 1, front.middleY()), 255);
    const Outline back = outlineOf(36, 130, 152, 118);
    verifyOutline(page, back);
    VERIFY_INK_IN_ROW(page, back.middleY(), back.left + units(7) - 1);
}

void TestPrinterPdf::dvdRealPrint()
{
    PRINTED(page, QStringLiteral("dvd-real"), PrintDVD, standardSheetSettings(), solidGrey(),
            Picture(), false);
    const Outline cover = outlineOf(10, 10, 273, 184);
    verifyOutline(page, cover);
    // The frame lies on the cover's edge, the picture one unit inside it.
    QVERIFY(grey(page, cover.left, cover.middleY()) < ink);
    QVERIFY(qAbs(grey(page, cover.left + 1, cover.middleY()) - 128) < 8);
    QVERIFY(qAbs(grey(page, cover.right - 1, cover.middleY()) - 128) < 8);
    QVERIFY(grey(page, cover.right, cover.middleY()) < ink);
    QCOMPARE(grey(page, cover.right + 1, cover.middleY()), 255);
}

void TestPrinterPdf::overlappingOutlinesStayVisible()
{
    SheetSettings s = standardSheetSettings();
    s.spCDTop2 = 70;
    PRINTED(page, QStringLiteral("cd-overlap"), PrintCDLabels, s, Picture(), Picture(), true);
    const Outline first = outlineOf(50, 12, 117, 117);
    // The first circle's lowest point lies inside the second circle.
    VERIFY_INK_IN_COLUMN(page, first.middleX(), first.bottom);
    verifyOutline(page, outlineOf(50, 70, 117, 117));
}

void TestPrinterPdf::roundCdLabelIsClippedWithBlankHole_data()
{
    QTest::addColumn<bool>("round");
    QTest::newRow("round") << true;
    QTest::newRow("square") << false;
}

void TestPrinterPdf::roundCdLabelIsClippedWithBlankHole()
{
    QFETCH(bool, round);
    SheetSettings s = standardSheetSettings();
    s.cbCDRund = round;
    s.spMCDLoch = 41;
    PRINTED(page, QStringLiteral("cd-round"), PrintCDLabels, s, solidGrey(), Picture(), false);
    const Outline label = outlineOf(50, 12, 117, 117);
    const auto isPicture = [&](int x, int y) { return qAbs(grey(page, x, y) - 128) < 8; };
    const int holeRadius = units(41) / 2;
    // Inside the disc, between its edge and the hole.
    QVERIFY(isPicture(label.middleX(), label.top + 20));
    QVERIFY(isPicture(label.middleX() + holeRadius + 40, label.middleY()));
    if (round) {
        QCOMPARE(grey(page, label.left + 20, label.top + 20), 255);
        QCOMPARE(grey(page, label.right - 20, label.bottom - 20), 255);
        QCOMPARE(grey(page, label.middleX(), label.middleY()), 255);
        QCOMPARE(grey(page, label.middleX() + holeRadius - 20, label.middleY()), 255);
    } else {
        QVERIFY(isPicture(label.left + 20, label.top + 20));
        QVERIFY(isPicture(label.middleX(), label.middleY()));
    }
}

QTEST_MAIN(TestPrinterPdf)
#include "tst_printer_pdf.moc"
