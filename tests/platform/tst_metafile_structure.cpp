#include "platform/metafiles/emf_header.h"
#include "platform/metafiles/emf_record_check.h"
#include "platform/metafiles/emf_svg_adjustment.h"
#include "platform/metafiles/emf_window_origin.h"
#include "platform/metafiles/invalid_metafile_error.h"
#include "platform/metafiles/libwmf_input.h"
#include "platform/metafiles/metafile_decoder.h"
#include "platform/metafiles/wmf_file.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QtEndian>

// Small synthetic metafiles, record by record, for the rules a user only
// sees indirectly: the stored size, the frame, and what counts as broken.
namespace {

void put16(QByteArray& out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void put32(QByteArray& out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

QByteArray wmfRecord(quint16 function, const QList<qint16>& parameters)
{
    QByteArray record;
    put32(record, quint32(3 + parameters.size()));
    put16(record, function);
    for (qint16 value : parameters)
        put16(record, quint16(value));
    return record;
}

constexpr quint16 kSaveDc = 0x001E;
constexpr quint16 kRestoreDc = 0x0127;
constexpr quint16 kSetTextAlign = 0x012E;
constexpr quint16 kSetWindowOrg = 0x020B;
constexpr quint16 kSetWindowExt = 0x020C;
constexpr quint16 kRectangle = 0x041B;
constexpr quint16 kPolygon = 0x0324;
constexpr quint16 kCreateRegion = 0x06FF;

// Records in order; the parameters of SETWINDOWORG/EXT are y first, as stored.
QByteArray wmf(const QList<QByteArray>& records, bool withEndOfFile = true)
{
    QByteArray body = records.join();
    if (withEndOfFile)
        body += wmfRecord(0, {});
    QByteArray header;
    put16(header, 1);
    put16(header, 9);
    put16(header, 0x0300);
    put32(header, quint32((18 + body.size()) / 2));
    put16(header, 4);
    put32(header, 100);
    put16(header, 0);
    return header + body;
}

QByteArray placeable(qint16 left, qint16 top, qint16 right, qint16 bottom, quint16 unitsPerInch)
{
    QByteArray header;
    put32(header, 0x9AC6CDD7);
    put16(header, 0);
    for (qint16 value : {left, top, right, bottom})
        put16(header, quint16(value));
    put16(header, unitsPerInch);
    put32(header, 0);
    put16(header, 0x1234);  // a wrong checksum
    return header;
}

QList<QByteArray> wmfRecordsOf(const QByteArray& data, qsizetype offset)
{
    QList<QByteArray> records;
    while (offset < data.size()) {
        const quint32 words = qFromLittleEndian<quint32>(data.constData() + offset);
        records.append(data.mid(offset, qsizetype(2 * words)));
        offset += qsizetype(2 * words);
    }
    return records;
}

constexpr quint16 kCreateBrushIndirect = 0x02FC;
constexpr quint16 kSelectObject = 0x012D;
const QList<QByteArray> kDefaultBrush{wmfRecord(kCreateBrushIndirect, {0, -1, 0x00FF, 0}),
                                      wmfRecord(kSelectObject, {0})};

// The records libwmf gets for a file without a placeable header, the
// default brush first.
QList<QByteArray> libwmfRecords(const QList<QByteArray>& records)
{
    QList<QByteArray> got = wmfRecordsOf(libwmfInput(WmfFile::read(wmf(records))), 18);
    if (got.mid(0, 2) != kDefaultBrush)
        qFatal("the default brush does not come first");
    return got.mid(2);
}

QByteArray emfRecord(quint32 type, const QList<qint32>& fields)
{
    QByteArray record;
    put32(record, type);
    put32(record, quint32(8 + 4 * fields.size()));
    for (qint32 value : fields)
        put32(record, quint32(value));
    return record;
}

// A header for a 25.4 × 12.7 mm frame on a reference device of 4 pixels per
// millimetre, then the records and EOF.
QByteArray emf(const QList<QByteArray>& records, quint16 handles = 2, qint32 extraBytes = 0)
{
    QByteArray body = records.join() + emfRecord(14, {0, 16, 20});
    QByteArray header;
    put32(header, 1);
    put32(header, 88);
    for (qint32 value : {0, 0, 99, 49})
        put32(header, quint32(value));
    for (qint32 value : {0, 0, 2540, 1270})
        put32(header, quint32(value));
    put32(header, 0x464D4520);
    put32(header, 0x10000);
    put32(header, quint32(88 + body.size() + extraBytes));
    put32(header, quint32(records.size() + 2));
    put16(header, handles);
    put16(header, 0);
    for (qint32 value : {0, 0, 0, 1000, 500, 250, 125})
        put32(header, quint32(value));
    return header + body;
}

QByteArray png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

}  // namespace

class TestMetafileStructure : public QObject {
    Q_OBJECT

private slots:
    void placeableSizeIsBoundingBoxOverUnitsPerInch();
    void plainSizeAndFrameAreTheWindowSetBeforeDrawing();
    void frameFallsBackToTheBoundingBox();
    void plainFileWithoutWindowHasNoStoredSize();
    void brokenWmfRecordsAreRejected();
    void wmfBitmapsMustBeWhole();
    void libwmfGetsRegionsItCanRead();
    void libwmfGetsStateAgainAfterSavingTheContext();
    void libwmfGetsAWholeFile();
    void libwmfGetsTheWhiteBrushBeforeTheFilesObjects();
    void shapesBeforeAnyBrushOrPenGetTheDefaults_data();
    void shapesBeforeAnyBrushOrPenGetTheDefaults();
    void emfFrameGivesSizeAndDevicePixels();
    void emfHeaderChecks();
    void brokenEmfRecordsAreRejected();
    void emfWindowOriginCountsOnlyInTextMode();
    void libemf2svgOutputIsFittedForQtSvg();
};

void TestMetafileStructure::placeableSizeIsBoundingBoxOverUnitsPerInch()
{
    const WmfFile file = WmfFile::read(placeable(-720, 0, 720, 720, 1440) + wmf({}));
    QCOMPARE(file.sizeAt96Dpi(), QSize(96, 48));
}

void TestMetafileStructure::plainSizeAndFrameAreTheWindowSetBeforeDrawing()
{
    const WmfFile file = WmfFile::read(
        wmf({wmfRecord(kSetWindowOrg, {20, 10}), wmfRecord(kSetWindowExt, {200, 300}),
             wmfRecord(kRectangle, {50, 50, 0, 0}), wmfRecord(kSetWindowExt, {999, 999})}));
    QCOMPARE(file.sizeAt96Dpi(), QSize(300, 200));
    QCOMPARE(file.logicalFrame(), QRectF(10, 20, 300, 200));
}

void TestMetafileStructure::frameFallsBackToTheBoundingBox()
{
    const WmfFile file = WmfFile::read(placeable(-100, -50, 100, 50, 1000)
                                       + wmf({wmfRecord(kRectangle, {1, 1, 0, 0})}));
    QCOMPARE(file.logicalFrame(), QRectF(-100, -50, 200, 100));
}

void TestMetafileStructure::plainFileWithoutWindowHasNoStoredSize()
{
    const WmfFile file = WmfFile::read(wmf({wmfRecord(kRectangle, {1, 1, 0, 0})}));
    QVERIFY(!file.sizeAt96Dpi());
    QVERIFY(!file.logicalFrame());
}

void TestMetafileStructure::brokenWmfRecordsAreRejected()
{
    const QByteArray polygonClaimingMorePoints = wmfRecord(kPolygon, {100, 0, 0, 5, 5});
    QVERIFY_THROWS_EXCEPTION(InvalidMetafileError, WmfFile::read(wmf({polygonClaimingMorePoints})));
    QVERIFY_THROWS_EXCEPTION(InvalidMetafileError,
                             WmfFile::read(wmf({wmfRecord(kRectangle, {1, 1})})));
    QByteArray tooShort = wmfRecord(kRectangle, {1, 1, 0, 0});
    tooShort[0] = 2;
    QVERIFY_THROWS_EXCEPTION(InvalidMetafileError, WmfFile::read(wmf({tooShort})));
    QByteArray pastTheEnd = wmf({wmfRecord(kRectangle, {1, 1, 0, 0})}, false);
    pastTheEnd.chop(2);
    QVERIFY_THROWS_EXCEPTION(InvalidMetafileError, WmfFile::read(pastTheEnd));
    QVERIFY_THROWS_EXCEPTION(InvalidMetafileError,
                             WmfFile::read(placeable(0, 0, 10, 10, 0) + wmf({})));
    QByteArray unknownVersion = wmf({});
    unknownVersion[4] = 0x07;
    QVERIFY_THROWS_EXCEPTION(InvalidMetafileError, WmfFile::read(unknownVersion));
}

// A pattern brush with an 8 x 8 one-bit bitmap, its header words given.
QByteArray patternBrush(quint16 style, const QList<qint16>& header)
{
    QList<qint16> parameters{qint16(style), 0};
    parameters << header;
    parameters << QList<qint16>(4 + 16, 0);  // two palette entries, eight 4-byte rows
    return wmfRecord(0x0142, parameters);
}

void TestMetafileStructure::wmfBitmapsMustBeWhole()
{
    constexpr quint16 kDibPattern = 5;
    const QList<qint16> sound{40, 0, 8, 0, 8, 0, 1, 1, 0, 0, 32, 0, 0, 0, 0, 0, 2, 0, 0, 0};
    QCOMPARE(WmfFile::read(wmf({patternBrush(kDibPattern, sound)})).records().size(), 1);

    QList<qint16> sizeZero = sound;  // sends libwmf's bitmap reader into an endless loop
    sizeZero[0] = 0;
    QVERIFY_THROWS_EXCEPTION(InvalidMetafileError,
                             WmfFile::read(wmf({patternBrush(kDibPattern, sizeZero)})));
    QList<qint16> tall = sound;  // 8 x 30000 pixels in 32 bytes
    tall[4] = 30000;
    QVERIFY_THROWS_EXCEPTION(InvalidMetafileError,
                             WmfFile::read(wmf({patternBrush(kDibPattern, tall)})));
    QList<qint16> twoBillionColours = sound;  // libwmf would allocate 6 GB for them
    twoBillionColours[16] = 0;
    twoBillionColours[17] = qint16(0x8000);
    QVERIFY_THROWS_EXCEPTION(InvalidMetafileError,
                             WmfFile::read(wmf({patternBrush(kDibPattern, twoBillionColours)})));

    // BS_PATTERN brushes hold an old-style bitmap, and blits may come without one.
    constexpr quint16 kOldPattern = 3;
    QCOMPARE(WmfFile::read(wmf({patternBrush(kOldPattern, {0, 8, 8, 2, 0x0101})})).records().size(),
             1);
    const QByteArray fillOnly = wmfRecord(0x0940, {0x0042, 0x00ff, 0, 0, 0, 10, 10, 0, 0});
    QCOMPARE(WmfFile::read(wmf({fillOnly})).records().size(), 1);
}

void TestMetafileStructure::libwmfGetsRegionsItCanRead()
{
    const QByteArray truncatedRegion = wmfRecord(kCreateRegion, {1, 2, 3, 4});
    // One scan from y 0 to 10 with x pairs (0, 5): counts 2 on both ends.
    const QByteArray readableRegion
        = wmfRecord(kCreateRegion, {0, 6, 0, 0, 34, 1, 2, 0, 0, 5, 10, 2, 0, 10, 0, 5, 2});
    const QList<QByteArray> records = libwmfRecords({truncatedRegion, readableRegion});
    QCOMPARE(records.size(), 3);
    QCOMPARE(records[0], wmfRecord(kCreateRegion, {0, 6, 0, 0, 22, 0, 0, 0, 0, 0, 0}));
    QCOMPARE(records[1], readableRegion);
}

void TestMetafileStructure::libwmfGetsStateAgainAfterSavingTheContext()
{
    const QByteArray baseline = wmfRecord(kSetTextAlign, {24});
    const QByteArray centred = wmfRecord(kSetTextAlign, {6});
    const QList<QByteArray> records
        = libwmfRecords({baseline, wmfRecord(kSaveDc, {}), centred, wmfRecord(kRestoreDc, {-1}),
                         wmfRecord(kSaveDc, {})});
    const QList<QByteArray> expected{baseline,
                                     wmfRecord(kSaveDc, {}),
                                     baseline,
                                     centred,
                                     wmfRecord(kRestoreDc, {-1}),
                                     wmfRecord(kSaveDc, {}),
                                     baseline,
                                     wmfRecord(0, {})};
    QCOMPARE(records, expected);
}

void TestMetafileStructure::libwmfGetsAWholeFile()
{
    const QByteArray input
        = libwmfInput(WmfFile::read(placeable(0, 0, 100, 100, 1000)
                                    + wmf({wmfRecord(kPolygon, {3, 0, 0, 9, 0, 9, 9})}, false)));
    quint16 checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= qFromLittleEndian<quint16>(input.constData() + 2 * i);
    QCOMPARE(qFromLittleEndian<quint16>(input.constData() + 20), checksum);
    const char* header = input.constData() + 22;
    QCOMPARE(qFromLittleEndian<quint32>(header + 6), quint32((input.size() - 22) / 2));
    QCOMPARE(qFromLittleEndian<quint32>(header + 12), 10u);  // the polygon is the largest record
    QCOMPARE(input.right(6), wmfRecord(0, {}));
}

void TestMetafileStructure::libwmfGetsTheWhiteBrushBeforeTheFilesObjects()
{
    constexpr quint16 kDeleteObject = 0x01F0;
    constexpr quint16 kFillRegion = 0x0228;
    // The file's table holds 4 objects; index 9 lies outside it.
    const QList<QByteArray> records
        = libwmfRecords({wmfRecord(kSelectObject, {2}), wmfRecord(kDeleteObject, {0}),
                         wmfRecord(kFillRegion, {1, 3}), wmfRecord(kSelectObject, {9})});
    const QList<QByteArray> expected{wmfRecord(kSelectObject, {3}), wmfRecord(kDeleteObject, {1}),
                                     wmfRecord(kFillRegion, {2, 4}), wmfRecord(kSelectObject, {-1}),
                                     wmfRecord(0, {})};
    QCOMPARE(records, expected);
    QCOMPARE(qFromLittleEndian<quint16>(libwmfInput(WmfFile::read(wmf({}))).constData() + 10), 5);
}

// A rectangle drawn before the file selects a brush or a pen is filled
// white and outlined in black, as Windows draws it.
void TestMetafileStructure::shapesBeforeAnyBrushOrPenGetTheDefaults_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("extension");
    QTest::newRow("emf") << emf({emfRecord(43, {10, 10, 90, 40})}) << "emf";
    // Bottom, right, top and left, as stored.
    QTest::newRow("wmf") << wmf({wmfRecord(kSetWindowOrg, {0, 0}),
                                 wmfRecord(kSetWindowExt, {50, 100}),
                                 wmfRecord(kRectangle, {40, 90, 10, 10})})
                         << "wmf";
}

void TestMetafileStructure::shapesBeforeAnyBrushOrPenGetTheDefaults()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, extension);
    QImage canvas(200, 100, QImage::Format_RGB32);
    canvas.fill(Qt::green);
    {
        QPainter painter(&canvas);
        decodeMetafile(data, extension).draw(painter, canvas.rect());
    }
    QCOMPARE(canvas.pixelColor(100, 50), QColor(Qt::white));
    QCOMPARE(canvas.pixelColor(5, 5), QColor(Qt::green));
    int darkest = 255;
    for (int x = 14; x <= 26; ++x)  // across the left edge at x 20
        darkest = qMin(darkest, qGray(canvas.pixel(x, 50)));
    QVERIFY2(darkest < 100, qPrintable(QString::number(darkest)));
}

void TestMetafileStructure::emfFrameGivesSizeAndDevicePixels()
{
    const EmfHeader header = EmfHeader::read(emf({}));
    QCOMPARE(header.sizeAt96Dpi(), QSize(96, 48));
    QCOMPARE(header.frameInDevicePixels(), QRectF(0, 0, 101.6, 50.8));
    QCOMPARE(header.bounds, QRect(QPoint(0, 0), QPoint(99, 49)));
}

void TestMetafileStructure::emfHeaderChecks()
{
    QVERIFY_THROWS_EXCEPTION(InvalidMetafileError,
                             EmfHeader::read(emf({}, 2, 4)));  // longer than the file
    QVERIFY_THROWS_EXCEPTION(InvalidMetafileError, EmfHeader::read(emf({}).left(60)));
    QByteArray noSignature = emf({});
    noSignature[40] = 'X';
    QVERIFY_THROWS_EXCEPTION(InvalidMetafileError, EmfHeader::read(noSignature));
    QByteArray descriptionOutside = emf({});
    qToLittleEndian<quint32>(10, descriptionOutside.data() + 60);
    qToLittleEndian<quint32>(80, descriptionOutside.data() + 64);
    QVERIFY_THROWS_EXCEPTION(InvalidMetafileError, EmfHeader::read(descriptionOutside));
    QByteArray emptyFrame = emf({});
    qToLittleEndian<qint32>(0, emptyFrame.data() + 32);
    QVERIFY_THROWS_EXCEPTION(InvalidMetafileError, EmfHeader::read(emptyFrame));
}

void TestMetafileStructure::brokenEmfRecordsAreRejected()
{
    const auto check = [](const QByteArray& data) { checkEmfRecords(data, EmfHeader::read(data)); };
    check(emf({emfRecord(43, {0, 0, 10, 10})}));  // a rectangle: whole

    QVERIFY_THROWS_EXCEPTION(InvalidMetafileError, check(emf({emfRecord(43, {0, 0})})));
    // A polyline of 1000 points in room for one.
    QVERIFY_THROWS_EXCEPTION(InvalidMetafileError,
                             check(emf({emfRecord(4, {0, 0, 0, 0, 1000, 5, 5})})));
    // A pen created in handle 5 of a table of 2.
    QVERIFY_THROWS_EXCEPTION(InvalidMetafileError, check(emf({emfRecord(38, {5, 0, 1, 1, 0})})));
    // A comment longer than its record.
    QVERIFY_THROWS_EXCEPTION(InvalidMetafileError, check(emf({emfRecord(70, {400})})));
    QByteArray noEndOfFile = emf({});
    noEndOfFile.chop(20);
    qToLittleEndian<quint32>(quint32(noEndOfFile.size()), noEndOfFile.data() + 48);
    QVERIFY_THROWS_EXCEPTION(InvalidMetafileError, check(noEndOfFile));
}

void TestMetafileStructure::emfWindowOriginCountsOnlyInTextMode()
{
    const QByteArray origin = emfRecord(10, {112, 64});
    const QByteArray rectangle = emfRecord(43, {0, 0, 10, 10});
    const auto originOf = [](const QByteArray& data) {
        return emfTextModeWindowOrigin(data, EmfHeader::read(data));
    };
    QCOMPARE(originOf(emf({origin, rectangle})), QPointF(112, 64));
    QCOMPARE(originOf(emf({emfRecord(17, {8}), origin, rectangle})), QPointF());
    QCOMPARE(originOf(emf({rectangle, origin})), QPointF());
}

void TestMetafileStructure::libemf2svgOutputIsFittedForQtSvg()
{
    QImage pattern(2, 1, QImage::Format_RGB32);
    pattern.setPixel(0, 0, qRgb(0, 0, 0));
    pattern.setPixel(1, 0, qRgb(200, 100, 50));
    const QByteArray svg
        = "<?xml version=\"1.0\"?>\n<svg version=\"1.1\" width=\"10\" height=\"10\">\n"
          "<defs><image id=\"img-1\" x=\"0\" y=\"0\" xlink:href=\"data:image/png;base64,"
        + png(pattern).toBase64()
        + "\" /></defs>\n<rect x=\"0\" y=\"0\" width=\"5\" height=\"5\" fill=\"#img-1-ref\" />\n"
          "<text font-size=\"0.0000\" x=\"0\" y=\"0\"><![CDATA[gone]]></text>\n</svg>\n";
    const QString adjusted = QString::fromUtf8(adjustEmfSvg(svg, QRectF(2, 3, 40, 30)));
    QVERIFY(adjusted.contains(QLatin1String("viewBox=\"2 3 40 30\"")));
    QVERIFY(adjusted.contains(QLatin1String("fill=\"#643219\"")));
    QVERIFY(!adjusted.contains(QLatin1String("gone")));
    QVERIFY(!adjusted.contains(QLatin1String("width=\"10\"")));
}

QTEST_MAIN(TestMetafileStructure)
#include "tst_metafile_structure.moc"
