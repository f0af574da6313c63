#include "platform/pictures/picture.h"
#include "platform/printing/print_error.h"
#include "platform/printing/recording_device.h"
#include "print/print_geometry.h"
#include "print/sheets.h"
#include "support/sheet_settings.h"

#include <QImage>
#include <QTest>

#include <cmath>
#include <limits>

using testenv::standardSheetSettings;

using C = RecordedCall;
using Calls = QList<RecordedCall>;
using Orientation = PrintDevice::Orientation;

namespace {

using SheetRoutine
    = void (*)(PrintDevice&, const SheetSettings&, const Picture&, const Picture&, bool);

struct Sheet {
    const char* name;
    SheetRoutine print;
    QString suffix;
    Orientation orientation;
};

const Sheet sheets[] = {
    {"front/back", PrintFrontBack, QStringLiteral(" Vorder-Rückseite von Sleevix"),
     Orientation::Portrait},
    {"folded front", PrintDouble, QStringLiteral(" Doppelseite von Sleevix"),
     Orientation::Landscape},
    {"CD labels", PrintCDLabels, QStringLiteral(" CD Labels von Sleevix"), Orientation::Portrait},
    {"DVD", PrintDVD, QStringLiteral(" DVD von Sleevix"), Orientation::Landscape},
    {"VHS", PrintVHS, QStringLiteral(" VHS von Sleevix"), Orientation::Landscape},
};

Picture pictureOfSize(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return Picture::fromImage(image);
}

const QSize frontSize(400, 400);
const QSize backSize(600, 470);

// 600 dpi with both physical offsets 100, as in the worked examples.
RecordingDevice exampleDevice()
{
    return RecordingDevice(600, 600, 100, 100);
}

}  // namespace

class TestSheets : public QObject {
    Q_OBJECT

private:
    const Picture front = pictureOfSize(frontSize);
    const Picture back = pictureOfSize(backSize);
    const Picture none;

private slots:
    void millimetresAreTrueAtEveryResolution_data();
    void millimetresAreTrueAtEveryResolution();
    void coverIsNoLongerHalfAMillimetreTooLongAt360Dpi();
    void scaleIsReadFromTheDeviceWhenTheJobStarts();
    void conversionsRoundAndSubtractTheOffsetFromPositionsOnly();
    void offsetsAreAskedAtEveryConversion();

    void everyJobIsTitledOrientedStartedAndEnded_data();
    void everyJobIsTitledOrientedStartedAndEnded();
    void drawingErrorAbortsTheJob_data();
    void drawingErrorAbortsTheJob();
    void refusedStartDrawsNothing();

    void frontBackRealPrint();
    void frontBackTestPrintWithEmptySlots();
    void frontBackEmptySlotsLeaveTheirPagesBlank();
    void frontBackFoldGuides_data();
    void frontBackFoldGuides();
    void frontBackSecondFrontIsFramedByTheBackFrame();

    void doubleSinglePicture();
    void doubleTwoPictures();
    void doubleSecondPictureWithEmptyBackSlot();
    void doubleTestPrint();
    void doubleWithoutFrontPictureDrawsOutline();
    void doubleFoldAndFrameBoxes();

    void cdLabelsTestPrint();
    void cdLabelsRealPrint();
    void cdLabelsRound();

    void coverSheets_data();
    void coverSheets();
    void coverHeightIsPassedOnAsComputed();
};

void TestSheets::millimetresAreTrueAtEveryResolution_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("tenMillimetres");
    QTest::addColumn<int>("dvdWidth");  // 273 mm
    QTest::newRow("96") << 96 << 38 << 1032;
    QTest::newRow("300") << 300 << 118 << 3224;
    QTest::newRow("360") << 360 << 142 << 3869;
    QTest::newRow("600") << 600 << 236 << 6449;
    QTest::newRow("720") << 720 << 283 << 7739;
    QTest::newRow("1200") << 1200 << 472 << 12898;
}

void TestSheets::millimetresAreTrueAtEveryResolution()
{
    QFETCH(int, dpi);
    QFETCH(int, tenMillimetres);
    QFETCH(int, dvdWidth);
    RecordingDevice device(dpi, dpi, 0, 0);
    PrintJob job(device);
    job.StartPrintJob();
    QCOMPARE(job.MmLenX(10), tenMillimetres);
    QCOMPARE(job.MmLenY(10), tenMillimetres);
    QCOMPARE(job.MmLenX(273), dvdWidth);
    // Within half a device unit of the true length.
    QVERIFY(std::abs(dvdWidth - 273 * dpi / 25.4) <= 0.5);
}

void TestSheets::coverIsNoLongerHalfAMillimetreTooLongAt360Dpi()
{
    RecordingDevice device(360, 360, 0, 0);
    SheetSettings s = standardSheetSettings();
    s.spDVDLeft = 0;
    PrintDVD(device, s, none, none, true);
    const RecordedCall cover = device.drawCalls().first();
    QCOMPARE(cover.right, 3869);  // 272.97 mm
    // The rounded 142 dots per centimetre of before, cut with div 10, gave
    // 273 * 142 div 10 = 3876 units: 273.48 mm, an edge half a millimetre out.
    const auto mm = [](int units) { return units * 25.4 / 360; };
    QVERIFY(mm(3876) - 273 > 0.45);
    QVERIFY(std::abs(mm(cover.right) - 273) < 0.05);
}

void TestSheets::scaleIsReadFromTheDeviceWhenTheJobStarts()
{
    RecordingDevice device(300, 600, 0, 0);
    PrintJob job(device);
    job.StartPrintJob();
    QCOMPARE(device.calls(), Calls{C::beginDoc()});
    QCOMPARE(job.scale().LogPixX, 300);
    QCOMPARE(job.scale().LogPixY, 600);
    QCOMPARE(job.MmLenX(120), 1417);
    QCOMPARE(job.MmLenY(120), 2835);  // 120.01 true millimetres
}

void TestSheets::conversionsRoundAndSubtractTheOffsetFromPositionsOnly()
{
    RecordingDevice device = exampleDevice();
    PrintJob job(device);
    job.StartPrintJob();
    QCOMPARE(job.MmLenX(-3), -71);
    QCOMPARE(job.MmPosX(-3), -171);
    QCOMPARE(job.MmPosY(-3), -171);
    QCOMPARE(job.MmPosX(0), -100);
    QCOMPARE(job.MmPosX(36), 750);
    QCOMPARE(job.MmLenY(118), 2787);
    QCOMPARE(job.halfWidthX(241), 2835);
    QCOMPARE(job.item(50, 10, 120, 120), (PrintRect{1081, 136, 3916, 2971}));
    // Far beyond any paper, figures stop short of overflowing.
    QCOMPARE(job.MmLenX(std::numeric_limits<int>::max()), kFarAway);
    QCOMPARE(job.MmPosX(std::numeric_limits<int>::min()), -kFarAway - 100);
}

void TestSheets::offsetsAreAskedAtEveryConversion()
{
    RecordingDevice device = exampleDevice();
    PrintJob job(device);
    job.StartPrintJob();
    QCOMPARE(job.MmPosX(10), 136);
    device.setPhysicalOffsets(50, 20);
    QCOMPARE(job.MmPosX(10), 186);
    QCOMPARE(job.MmPosY(10), 216);
}

void TestSheets::everyJobIsTitledOrientedStartedAndEnded_data()
{
    QTest::addColumn<int>("sheet");
    QTest::addColumn<bool>("test");
    for (int i = 0; i < int(std::size(sheets)); ++i) {
        QTest::addRow("%s, real print", sheets[i].name) << i << false;
        QTest::addRow("%s, test print", sheets[i].name) << i << true;
    }
}

void TestSheets::everyJobIsTitledOrientedStartedAndEnded()
{
    QFETCH(int, sheet);
    QFETCH(bool, test);
    RecordingDevice device = exampleDevice();
    sheets[sheet].print(device, standardSheetSettings(), front, back, test);

    const QString title = (test ? QStringLiteral("Testausdruck") : QStringLiteral("Ausdruck"))
        + sheets[sheet].suffix;
    const Calls calls = device.calls();
    QCOMPARE(
        calls.mid(0, 3),
        (Calls{C::setTitle(title), C::setOrientation(sheets[sheet].orientation), C::beginDoc()}));
    QCOMPARE(calls.last(), C::endDoc());
    QCOMPARE(calls.size(), 4 + device.drawCalls().size());
}

void TestSheets::drawingErrorAbortsTheJob_data()
{
    QTest::addColumn<int>("failingKind");
    QTest::addColumn<bool>("test");
    QTest::newRow("picture") << int(C::Kind::StretchDraw) << false;
    QTest::newRow("frame") << int(C::Kind::Rectangle) << false;
    QTest::newRow("fold guide") << int(C::Kind::LineTo) << true;
    QTest::newRow("handing over the page") << int(C::Kind::EndDoc) << false;
}

void TestSheets::drawingErrorAbortsTheJob()
{
    QFETCH(int, failingKind);
    QFETCH(bool, test);
    RecordingDevice device = exampleDevice();
    device.failOn(C::Kind(failingKind));

    QVERIFY_THROWS_EXCEPTION(PrintError,
                             PrintFrontBack(device, standardSheetSettings(), front, back, test));
    const Calls calls = device.calls();
    QCOMPARE(calls.last(), C::abortDoc());
    QCOMPARE(calls.at(calls.size() - 2).kind, C::Kind(failingKind));
    QCOMPARE(calls.count(C::abortDoc()), 1);
}

void TestSheets::refusedStartDrawsNothing()
{
    RecordingDevice device = exampleDevice();
    device.failOn(C::Kind::BeginDoc);
    QVERIFY_THROWS_EXCEPTION(PrintError,
                             PrintDVD(device, standardSheetSettings(), front, back, false));
    QCOMPARE(device.calls().last(), C::beginDoc());
    QVERIFY(device.drawCalls().isEmpty());
}

void TestSheets::frontBackRealPrint()
{
    RecordingDevice device = exampleDevice();
    PrintFrontBack(device, standardSheetSettings(), front, back, false);
    QCOMPARE(device.drawCalls(),
             (Calls{
                 C::stretchDraw(1081, 136, 3916, 2971, frontSize),
                 C::setBrushClear(),
                 C::rectangle(1081, 136, 3916, 2971),
                 C::stretchDraw(750, 2971, 4341, 5758, backSize),
                 C::setBrushClear(),
                 C::rectangle(750, 2971, 4341, 5758),
                 C::moveTo(914, 2970),
                 C::lineTo(914, 5759),
                 C::moveTo(4177, 2970),
                 C::lineTo(4177, 5759),
             }));
}

void TestSheets::frontBackTestPrintWithEmptySlots()
{
    RecordingDevice device = exampleDevice();
    PrintFrontBack(device, standardSheetSettings(), none, none, true);
    QCOMPARE(device.drawCalls(),
             (Calls{
                 C::rectangle(1081, 136, 3916, 2971),
                 C::rectangle(750, 2971, 4341, 5758),
                 C::moveTo(914, 2970),
                 C::lineTo(914, 5759),
                 C::moveTo(4177, 2970),
                 C::lineTo(4177, 5759),
             }));
}

void TestSheets::frontBackEmptySlotsLeaveTheirPagesBlank()
{
    RecordingDevice bothEmpty = exampleDevice();
    PrintFrontBack(bothEmpty, standardSheetSettings(), none, none, false);
    QCOMPARE(bothEmpty.calls().last(), C::endDoc());
    QVERIFY(bothEmpty.drawCalls().isEmpty());

    SheetSettings unframed = standardSheetSettings();
    unframed.cbUBack = false;
    RecordingDevice frontEmpty = exampleDevice();
    PrintFrontBack(frontEmpty, unframed, none, back, false);
    QCOMPARE(frontEmpty.drawCalls(),
             (Calls{C::stretchDraw(750, 2971, 4341, 5758, backSize), C::setBrushClear()}));
}

void TestSheets::frontBackFoldGuides_data()
{
    QTest::addColumn<bool>("test");
    QTest::addColumn<bool>("foldBox");
    QTest::addColumn<bool>("backFrame");
    QTest::addColumn<bool>("backPicture");
    QTest::addColumn<bool>("secondFront");
    QTest::addColumn<bool>("drawn");
    QTest::newRow("test print, box ticked, no frame, no picture")
        << true << true << false << false << false << true;
    QTest::newRow("test print, box unticked") << true << false << true << true << false << false;
    QTest::newRow("real print, box, frame and picture")
        << false << true << true << true << false << true;
    QTest::newRow("real print, frame unticked") << false << true << false << true << false << false;
    QTest::newRow("real print, back slot empty")
        << false << true << true << false << false << false;
    QTest::newRow("real print, box unticked") << false << false << true << true << false << false;
    QTest::newRow("second front, test print") << true << true << true << true << true << false;
    QTest::newRow("second front, real print") << false << true << true << true << true << false;
}

void TestSheets::frontBackFoldGuides()
{
    QFETCH(bool, test);
    QFETCH(bool, foldBox);
    QFETCH(bool, backFrame);
    QFETCH(bool, backPicture);
    QFETCH(bool, secondFront);
    QFETCH(bool, drawn);
    SheetSettings s = standardSheetSettings();
    s.cbKnickTrennVR = foldBox;
    s.cbUBack = backFrame;
    s.secondFront = secondFront;
    RecordingDevice device = exampleDevice();
    PrintFrontBack(device, s, front, backPicture ? back : none, test);

    const Calls guides{C::moveTo(914, 2970), C::lineTo(914, 5759), C::moveTo(4177, 2970),
                       C::lineTo(4177, 5759)};
    const Calls calls = device.drawCalls();
    QCOMPARE(calls.mid(calls.size() - 4) == guides, drawn);
    QCOMPARE(calls.count(C::lineTo(914, 5759)), drawn ? 1 : 0);
}

void TestSheets::frontBackSecondFrontIsFramedByTheBackFrame()
{
    SheetSettings s = standardSheetSettings();
    s.secondFront = true;
    s.cbUFront = false;
    s.spLeft2front = 60;
    RecordingDevice device = exampleDevice();
    PrintFrontBack(device, s, front, back, false);
    QCOMPARE(device.drawCalls(),
             (Calls{
                 C::stretchDraw(1081, 136, 3916, 2971, frontSize),
                 C::setBrushClear(),
                 C::stretchDraw(1317, 2971, 4152, 5806, backSize),
                 C::setBrushClear(),
                 C::rectangle(1317, 2971, 4152, 5806),
             }));
}

void TestSheets::doubleSinglePicture()
{
    RecordingDevice device = exampleDevice();
    PrintDouble(device, standardSheetSettings(), front, back, false);
    QCOMPARE(device.drawCalls(),
             (Calls{
                 C::rectangle(609, 609, 6302, 3444),
                 C::stretchDraw(610, 610, 6301, 3443, frontSize),
                 C::moveTo(3443, 609),
                 C::lineTo(3443, 3444),
             }));
}

void TestSheets::doubleTwoPictures()
{
    SheetSettings s = standardSheetSettings();
    s.secondPicture = true;
    RecordingDevice device = exampleDevice();
    PrintDouble(device, s, front, back, false);
    // With an odd width the halves end 25 units short of the sheet's right edge.
    QCOMPARE(device.drawCalls(),
             (Calls{
                 C::rectangle(609, 609, 6302, 3444),
                 C::stretchDraw(610, 610, 3443, 3443, frontSize),
                 C::stretchDraw(3443, 610, 6277, 3443, backSize),
                 C::moveTo(3443, 609),
                 C::lineTo(3443, 3444),
             }));
}

void TestSheets::doubleSecondPictureWithEmptyBackSlot()
{
    SheetSettings s = standardSheetSettings();
    s.secondPicture = true;
    RecordingDevice device = exampleDevice();
    PrintDouble(device, s, front, none, false);
    QCOMPARE(device.drawCalls(),
             (Calls{
                 C::rectangle(609, 609, 6302, 3444),
                 C::stretchDraw(610, 610, 3443, 3443, frontSize),
                 C::moveTo(3443, 609),
                 C::lineTo(3443, 3444),
             }));
}

void TestSheets::doubleTestPrint()
{
    SheetSettings s = standardSheetSettings();
    s.secondPicture = true;
    RecordingDevice device = exampleDevice();
    PrintDouble(device, s, front, back, true);
    QCOMPARE(device.drawCalls(),
             (Calls{
                 C::rectangle(609, 609, 6302, 3444),
                 C::moveTo(3443, 608),
                 C::lineTo(3443, 3445),
             }));
}

void TestSheets::doubleWithoutFrontPictureDrawsOutline()
{
    SheetSettings s = standardSheetSettings();
    s.cbUDouble = false;
    s.secondPicture = true;
    RecordingDevice device = exampleDevice();
    PrintDouble(device, s, none, back, false);
    QCOMPARE(device.drawCalls(),
             (Calls{
                 C::rectangle(609, 609, 6302, 3444),
                 C::moveTo(3443, 608),
                 C::lineTo(3443, 3445),
             }));
}

void TestSheets::doubleFoldAndFrameBoxes()
{
    SheetSettings noFold = standardSheetSettings();
    noFold.cbKnickTrennD = false;
    RecordingDevice withoutFold = exampleDevice();
    PrintDouble(withoutFold, noFold, front, none, true);
    QCOMPARE(withoutFold.drawCalls(),
             (Calls{C::rectangle(609, 609, 6302, 3444), C::moveTo(3443, 608)}));

    SheetSettings noFrame = standardSheetSettings();
    noFrame.cbUDouble = false;
    RecordingDevice withoutFrame = exampleDevice();
    PrintDouble(withoutFrame, noFrame, front, none, false);
    QCOMPARE(withoutFrame.drawCalls(),
             (Calls{
                 C::stretchDraw(610, 610, 6301, 3443, frontSize),
                 C::moveTo(3443, 609),
                 C::lineTo(3443, 3444),
             }));
}

void TestSheets::cdLabelsTestPrint()
{
    RecordingDevice device = exampleDevice();
    PrintCDLabels(device, standardSheetSettings(), front, back, true);
    QCOMPARE(device.drawCalls(),
             (Calls{C::ellipse(1081, 183, 3845, 2947), C::ellipse(1081, 3680, 3845, 6444)}));
}

void TestSheets::cdLabelsRealPrint()
{
    RecordingDevice both = exampleDevice();
    PrintCDLabels(both, standardSheetSettings(), front, back, false);
    QCOMPARE(both.drawCalls(),
             (Calls{
                 C::stretchDraw(1081, 183, 3845, 2947, frontSize),
                 C::stretchDraw(1081, 3680, 3845, 6444, backSize),
             }));

    RecordingDevice firstOnly = exampleDevice();
    PrintCDLabels(firstOnly, standardSheetSettings(), front, none, false);
    QCOMPARE(firstOnly.drawCalls(), (Calls{C::stretchDraw(1081, 183, 3845, 2947, frontSize)}));
}

void TestSheets::cdLabelsRound()
{
    SheetSettings s = standardSheetSettings();
    s.spMCDLoch = 41;
    RecordingDevice square = exampleDevice();
    PrintCDLabels(square, s, front, none, false);
    QCOMPARE(square.drawCalls(), (Calls{C::stretchDraw(1081, 183, 3845, 2947, frontSize)}));

    // A 41-mm hole is 969 units wide, 897 units inside the 2764-unit square.
    s.cbCDRund = true;
    RecordingDevice real = exampleDevice();
    PrintCDLabels(real, s, front, none, false);
    QCOMPARE(real.drawCalls(),
             (Calls{
                 C::stretchDrawRound(1081, 183, 3845, 2947, frontSize),
                 C::clearEllipse(1978, 1080, 2947, 2049),
             }));

    RecordingDevice test = exampleDevice();
    PrintCDLabels(test, s, front, back, true);
    QCOMPARE(test.drawCalls(),
             (Calls{
                 C::ellipse(1081, 183, 3845, 2947),
                 C::ellipse(1978, 1080, 2947, 2049),
                 C::ellipse(1081, 3680, 3845, 6444),
                 C::ellipse(1978, 4577, 2947, 5546),
             }));

    s.spMCDLoch = 0;
    RecordingDevice noHole = exampleDevice();
    PrintCDLabels(noHole, s, front, back, false);
    QCOMPARE(noHole.drawCalls(),
             (Calls{
                 C::stretchDrawRound(1081, 183, 3845, 2947, frontSize),
                 C::stretchDrawRound(1081, 3680, 3845, 6444, backSize),
             }));
}

void TestSheets::coverSheets_data()
{
    QTest::addColumn<int>("sheet");
    QTest::addColumn<bool>("dvdFrame");
    QTest::addColumn<bool>("vhsFrame");
    QTest::addColumn<PrintRect>("cover");
    QTest::addColumn<bool>("framed");
    const PrintRect dvd{136, 136, 6585, 4482};
    const PrintRect vhs{136, 136, 6396, 4648};
    QTest::newRow("DVD framed") << 3 << true << false << dvd << true;
    QTest::newRow("DVD unframed") << 3 << false << true << dvd << false;
    QTest::newRow("VHS framed") << 4 << false << true << vhs << true;
    QTest::newRow("VHS unframed") << 4 << true << false << vhs << false;
}

void TestSheets::coverSheets()
{
    QFETCH(int, sheet);
    QFETCH(bool, dvdFrame);
    QFETCH(bool, vhsFrame);
    QFETCH(PrintRect, cover);
    QFETCH(bool, framed);
    SheetSettings s = standardSheetSettings();
    s.cbUDVD = dvdFrame;
    s.cbUVHS = vhsFrame;
    const C outline = C::rectangle(cover.Left, cover.Top, cover.Right, cover.Bottom);

    RecordingDevice real = exampleDevice();
    sheets[sheet].print(real, s, front, back, false);
    Calls expected{C::stretchDraw(cover.Left + 1, cover.Top + 1, cover.Right - 1, cover.Bottom - 1,
                                  frontSize)};
    if (framed)
        expected.prepend(outline);
    QCOMPARE(real.drawCalls(), expected);

    RecordingDevice test = exampleDevice();
    sheets[sheet].print(test, s, front, back, true);
    QCOMPARE(test.drawCalls(), Calls{outline});

    RecordingDevice emptySlot = exampleDevice();
    sheets[sheet].print(emptySlot, s, none, back, false);
    QCOMPARE(emptySlot.drawCalls(), Calls{outline});
}

void TestSheets::coverHeightIsPassedOnAsComputed()
{
    SheetSettings s = standardSheetSettings();
    s.spMDVDH = -5;
    RecordingDevice device = exampleDevice();
    PrintDVD(device, s, none, none, true);
    QCOMPARE(device.drawCalls(), Calls{C::rectangle(136, 136, 6585, 18)});
}

QTEST_GUILESS_MAIN(TestSheets)
#include "tst_sheets.moc"
