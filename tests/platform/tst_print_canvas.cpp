#include "platform/pictures/picture.h"
#include "platform/printing/print_canvas.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

Q_DECLARE_METATYPE(PicturePlacement)

namespace {

// Draws on a small white image and shows the result row by row: '#' for
// black, 'o' for any other colour, '.' for untouched paper.
QStringList drawn(QSize size, const std::function<void(PrintCanvas&)>& draw, qreal scale = 1,
                  PrintCanvas::Lines lines = PrintCanvas::Lines::DevicePixel)
{
    QImage paper(size, QImage::Format_RGB32);
    paper.fill(Qt::white);
    {
        QPainter painter(&paper);
        painter.scale(scale, scale);
        PrintCanvas canvas(painter, lines);
        draw(canvas);
    }
    QStringList rows;
    for (int y = 0; y < paper.height(); ++y) {
        QString row;
        for (int x = 0; x < paper.width(); ++x) {
            const QRgb pixel = paper.pixel(x, y);
            row += pixel == qRgb(0, 0, 0) ? u'#' : pixel == qRgb(255, 255, 255) ? u'.' : u'o';
        }
        rows << row;
    }
    return rows;
}

const QStringList blank6x5{"......", "......", "......", "......", "......"};

// Noise compresses to about its pixel count: a PDF's size tells how many
// pixels of it went in.
QImage noise(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < size.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            row[x] = random.generate() | 0xff000000;
    }
    return image;
}

qint64 pdfSizeWith(const Picture& picture, const QRect& target)
{
    QTemporaryDir folder;
    const QString file = folder.filePath("page.pdf");
    {
        QPdfWriter writer(file);
        writer.setResolution(600);
        QPainter painter(&writer);
        PrintCanvas(painter).stretchDraw(target, picture);
    }
    return QFileInfo(file).size();
}

}  // namespace

class TestPrintCanvas : public QObject {
    Q_OBJECT

private slots:
    void rectangleInksLeftToRightMinusOne();
    void rectangleWithSwappedEdgesIsTheSame();
    void emptyRectangleInksNothing();
    void lineLeavesOutItsEndPoint();
    void lineStartsWhereTheLastOneEnded();
    void ellipseStaysInsideItsBox();
    void pictureFillsTheTargetExactly();
    void flatTargetDrawsNoPicture();
    void roundPictureLeavesCornersAndHoleBlank();
    void hairlinesStayVisibleWhenScaledDown();
    void printerReceivesOnlyThePixelsItPrints_data();
    void printerReceivesOnlyThePixelsItPrints();
};

void TestPrintCanvas::rectangleInksLeftToRightMinusOne()
{
    const QStringList rows = drawn({8, 6}, [](PrintCanvas& c) { c.rectangle(1, 1, 6, 5); });
    QCOMPARE(rows,
             (QStringList{
                 "........",
                 ".#####..",
                 ".#...#..",
                 ".#...#..",
                 ".#####..",
                 "........",
             }));
}

void TestPrintCanvas::rectangleWithSwappedEdgesIsTheSame()
{
    QCOMPARE(drawn({8, 6}, [](PrintCanvas& c) { c.rectangle(6, 5, 1, 1); }),
             drawn({8, 6}, [](PrintCanvas& c) { c.rectangle(1, 1, 6, 5); }));
}

void TestPrintCanvas::emptyRectangleInksNothing()
{
    QCOMPARE(drawn({6, 5}, [](PrintCanvas& c) { c.rectangle(2, 1, 2, 4); }), blank6x5);
    QCOMPARE(drawn({6, 5}, [](PrintCanvas& c) { c.ellipse(1, 3, 5, 3); }), blank6x5);
}

void TestPrintCanvas::lineLeavesOutItsEndPoint()
{
    const QStringList rows = drawn({6, 5}, [](PrintCanvas& c) {
        c.moveTo(1, 0);
        c.lineTo(1, 4);  // down
        c.moveTo(4, 4);
        c.lineTo(4, 1);  // up
        c.moveTo(5, 0);
        c.lineTo(2, 0);  // to the left
    });
    QCOMPARE(rows,
             (QStringList{
                 ".#.###",
                 ".#....",
                 ".#..#.",
                 ".#..#.",
                 "....#.",
             }));
}

void TestPrintCanvas::lineStartsWhereTheLastOneEnded()
{
    const QStringList rows = drawn({6, 5}, [](PrintCanvas& c) {
        c.moveTo(1, 1);
        c.lineTo(4, 1);
        c.lineTo(4, 4);
        c.lineTo(4, 4);  // no length, no ink
    });
    QCOMPARE(rows,
             (QStringList{
                 "......",
                 ".####.",
                 "....#.",
                 "....#.",
                 "......",
             }));
}

void TestPrintCanvas::ellipseStaysInsideItsBox()
{
    const QStringList rows = drawn({14, 14}, [](PrintCanvas& c) { c.ellipse(2, 2, 12, 12); });
    QCOMPARE(rows.at(0), QString(14, u'.'));
    QCOMPARE(rows.at(1), QString(14, u'.'));
    QVERIFY(rows.at(2).contains(u'#'));   // top
    QVERIFY(rows.at(11).contains(u'#'));  // bottom
    QCOMPARE(rows.at(12), QString(14, u'.'));
    QCOMPARE(rows.at(7).indexOf(u'#'), 2);
    QCOMPARE(rows.at(7).lastIndexOf(u'#'), 11);
    QCOMPARE(rows.at(7).mid(3, 8), QString(8, u'.'));  // not filled
}

void TestPrintCanvas::pictureFillsTheTargetExactly()
{
    QImage red(3, 2, QImage::Format_RGB32);
    red.fill(Qt::red);
    const Picture picture = Picture::fromImage(red);
    const QStringList rows
        = drawn({8, 6}, [&](PrintCanvas& c) { c.stretchDraw(QRect(1, 1, 5, 4), picture); });
    QCOMPARE(rows,
             (QStringList{
                 "........",
                 ".ooooo..",
                 ".ooooo..",
                 ".ooooo..",
                 ".ooooo..",
                 "........",
             }));
}

void TestPrintCanvas::flatTargetDrawsNoPicture()
{
    QImage red(3, 2, QImage::Format_RGB32);
    red.fill(Qt::red);
    const Picture picture = Picture::fromImage(red);
    QCOMPARE(drawn({6, 5}, [&](PrintCanvas& c) { c.stretchDraw(QRect(1, 1, 4, 0), picture); }),
             blank6x5);
}

void TestPrintCanvas::roundPictureLeavesCornersAndHoleBlank()
{
    QImage red(3, 2, QImage::Format_RGB32);
    red.fill(Qt::red);
    const Picture picture = Picture::fromImage(red);
    const QStringList rows = drawn({12, 12}, [&](PrintCanvas& c) {
        c.stretchDrawRound(QRect(0, 0, 12, 12), picture);
        c.clearEllipse(4, 4, 8, 8);
    });
    for (const QPoint corner : {QPoint(0, 0), QPoint(11, 0), QPoint(0, 11), QPoint(11, 11)})
        QCOMPARE(rows.at(corner.y()).at(corner.x()), u'.');
    QCOMPARE(rows.at(6), QString("oooo....oooo"));  // the hole's row
    QCOMPARE(rows.at(1).mid(4, 4), QString("oooo"));
    QCOMPARE(rows.at(5).mid(5, 2), QString(".."));
}

void TestPrintCanvas::hairlinesStayVisibleWhenScaledDown()
{
    const auto draw = [](PrintCanvas& c) {
        c.moveTo(0, 55);
        c.lineTo(100, 55);
        c.rectangle(20, 20, 80, 40);
    };
    // A tenth of a pixel per device unit, as in a zoomed-out screen preview.
    const QStringList hairlines = drawn({10, 10}, draw, 0.1, PrintCanvas::Lines::Hairline);
    QVERIFY(hairlines.at(5).contains(u'#'));
    QVERIFY(hairlines.at(2).mid(2, 6).contains(u'#'));
    QVERIFY(!drawn({10, 10}, draw, 0.1).at(5).contains(u'#'));  // a printer's line would vanish
}

void TestPrintCanvas::printerReceivesOnlyThePixelsItPrints_data()
{
    QTest::addColumn<PicturePlacement>("placement");
    QTest::newRow("stretched") << PicturePlacement{};
    QTest::newRow("filling, turned") << PicturePlacement{PictureFit::Fill, 1};
    QTest::newRow("fitted") << PicturePlacement{PictureFit::Fit, 0};
}

// A 10 mm square at 600 dpi holds 236 x 236 device pixels of a 1200 x 900
// picture; 300 mm hold all of it.
void TestPrintCanvas::printerReceivesOnlyThePixelsItPrints()
{
    QFETCH(PicturePlacement, placement);
    Picture picture = Picture::fromImage(noise({1200, 900}));
    picture.setPlacement(placement);
    const qint64 small = pdfSizeWith(picture, QRect(0, 0, 236, 236));
    const qint64 whole = pdfSizeWith(picture, QRect(0, 0, 3000, 3000));
    QVERIFY2(whole > 1000000, qPrintable(QString::number(whole)));
    QVERIFY2(small * 8 < whole, qPrintable(QStringLiteral("%1 of %2").arg(small).arg(whole)));
}

QTEST_GUILESS_MAIN(TestPrintCanvas)
#include "tst_print_canvas.moc"
