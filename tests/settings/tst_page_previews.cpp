#include "platform/image_view.h"
#include "platform/settings_store.h"
#include "platform/spin_edit.h"
#include "platform/tabbed_pages.h"
#include "settings/cdsetup.h"
#include "settings/page_previews.h"
#include "settings/stock_outlines.h"
#include "support/test_env.h"
#include "workspace/sleevix.h"

#include <QApplication>
#include <QCheckBox>
#include <QTest>

namespace {

const QColor kFrontColour(200, 30, 30);
const QColor kBackColour(30, 30, 200);
const QColor kBlack(Qt::black);
const QColor kWhite(Qt::white);

Picture solidPicture(const QColor& colour)
{
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(colour);
    image.setPixel(0, 39, QColor(Qt::green).rgb());  // keeps the colour key off the fill
    return Picture::fromImage(image);
}

void loadSlot(TSleevix& main, int slot)
{
    main.slotView(slot)->setPicture(solidPicture(slot == 1 ? kFrontColour : kBackColour));
}

ImageView* holder(TCDSetup& setup, int page, const char* name)
{
    auto* view = setup.PageControl->widget(page)->findChild<ImageView*>(QLatin1String(name));
    if (!view)
        qFatal("no preview holder %s on page %d", name, page);
    return view;
}

bool shown(TCDSetup& setup, int page, const char* name)
{
    return holder(setup, page, name)->isVisibleTo(setup.PageControl->widget(page));
}

// The colour a user sees at a point of a holder.
QColor colourAt(QWidget* widget, QPoint point)
{
    return widget->grab().toImage().pixelColor(point);
}

void showPage(TCDSetup& setup, int page)
{
    setup.PageControl->setCurrentIndex(TCDSetup::PageGeneral);
    setup.PageControl->setCurrentIndex(page);
}

SpinEdit* spin(TCDSetup& setup, const char* name)
{
    return setup.findChild<SpinEdit*>(QLatin1String(name));
}

}  // namespace

class PagePreviewsTest : public QObject {
    Q_OBJECT

private slots:
    void panelsAreWhitePaperAtTheirPlaces_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QRect>("place");
        QTest::newRow("front/back") << 1 << "Panel3" << QRect(240, 8, 115, 161);
        QTest::newRow("double") << 2 << "Panel2" << QRect(216, 8, 161, 115);
        QTest::newRow("cd") << 3 << "Panel1" << QRect(240, 8, 115, 161);
        QTest::newRow("dvd") << 4 << "Panel4" << QRect(216, 8, 161, 115);
        QTest::newRow("vhs") << 5 << "Panel5" << QRect(216, 8, 161, 115);
    }

    void panelsAreWhitePaperAtTheirPlaces()
    {
        QFETCH(int, page);
        QFETCH(QString, panel);
        QFETCH(QRect, place);
        testenv::App app;
        TCDSetup dialog(TCDSetup::Role::Dialog, &app.main());
        auto* paper = dialog.PageControl->widget(page)->findChild<QWidget*>(panel);
        QVERIFY(paper);
        QCOMPARE(paper->geometry(), place);
        QCOMPARE(paper->grab().toImage().pixelColor(place.width() - 3, place.height() - 3),
                 kWhite);
    }

    void positionFieldsMoveOutlineAndPicture_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("outline");
        QTest::addColumn<QString>("picture");  // empty: none follows
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<int>("expected");
        QTest::newRow("front top 10") << 1 << "spTop" << 10 << "Image4" << "Image12" << false << 5;
        QTest::newRow("front left 50") << 1 << "spLeft" << 50 << "Image4" << "Image12" << true << 25;
        QTest::newRow("front left 7") << 1 << "spLeft" << 7 << "Image4" << "Image12" << true << 3;
        QTest::newRow("front top -3") << 1 << "spTop" << -3 << "Image4" << "Image12" << false << -1;
        QTest::newRow("back top") << 1 << "spTop2" << 101 << "Image5" << "Image13" << false << 50;
        QTest::newRow("back left") << 1 << "spLeft2" << 20 << "Image5" << "Image13" << true << 10;
        QTest::newRow("double top") << 2 << "spDTop" << 9 << "Image3" << "Image14" << false << 4;
        QTest::newRow("double left") << 2 << "spDleft" << -5 << "Image3" << "Image14" << true << -2;
        QTest::newRow("cd 1 top") << 3 << "spCDTop" << 40 << "Image1" << "" << false << 20;
        QTest::newRow("cd 2 left") << 3 << "spCDLeft2" << 31 << "Image2" << "" << true << 15;
        QTest::newRow("dvd top") << 4 << "spDVDTop" << 22 << "Image19" << "Image22" << false << 11;
        QTest::newRow("vhs left") << 5 << "spVHSLeft" << 60 << "Image23" << "Image26" << true << 30;
    }

    void positionFieldsMoveOutlineAndPicture()
    {
        QFETCH(int, page);
        QFETCH(QString, field);
        QFETCH(int, value);
        QFETCH(QString, outline);
        QFETCH(QString, picture);
        QFETCH(bool, horizontal);
        QFETCH(int, expected);
        testenv::App app;
        TCDSetup dialog(TCDSetup::Role::Dialog, &app.main());
        showPage(dialog, page);

        spin(dialog, field.toLatin1())->setValue(value);

        const QPoint place = holder(dialog, page, outline.toLatin1())->pos();
        QCOMPARE(horizontal ? place.x() : place.y(), expected);
        if (!picture.isEmpty()) {
            const QPoint inner = holder(dialog, page, picture.toLatin1())->pos();
            QCOMPARE(inner, place + QPoint(1, 1));
        }
    }

    void outlineStickingOutIsClippedToThePanel()
    {
        testenv::App app;
        TCDSetup dialog(TCDSetup::Role::Dialog, &app.main());
        showPage(dialog, TCDSetup::PageFrontBack);
        dialog.cbUFront->setChecked(true);
        dialog.spLeft->setValue(-3);
        dialog.spTop->setValue(-3);

        ImageView* front = holder(dialog, 1, "Image4");
        QCOMPARE(front->pos(), QPoint(-1, -1));
        QCOMPARE(front->parentWidget()->objectName(), QString("Panel3"));
        // The panel shows the outline's second column at its own left edge:
        // the outline's frame column lies outside and is cut off.
        const QImage panel = front->parentWidget()->grab().toImage();
        QCOMPARE(panel.pixelColor(0, 30), kWhite);
        QCOMPARE(panel.pixelColor(63, 30), kBlack);
    }

    void openingPlacesOutlinesFromStoredPositions()
    {
        testenv::App app;
        SettingsStore::user().writeInteger("Doppelseite links", 30);
        SettingsStore::user().writeInteger("Doppelseite oben", 30);
        SettingsStore::user().writeInteger("CD-oben", 12);
        SettingsStore::user().writeInteger("CD-links", 50);
        TCDSetup dialog(TCDSetup::Role::Dialog, &app.main());

        showPage(dialog, TCDSetup::PageDouble);
        QCOMPARE(holder(dialog, 2, "Image3")->pos(), QPoint(15, 15));
        showPage(dialog, TCDSetup::PageCd);
        QCOMPARE(holder(dialog, 3, "Image1")->pos(), QPoint(25, 6));
    }

    void showPageRunsTheShowHandlerWithoutAPageChange()
    {
        testenv::App app;
        TCDSetup dialog(TCDSetup::Role::Dialog, &app.main());
        dialog.PageControl->setCurrentIndex(TCDSetup::PageDvd);
        loadSlot(app.main(), 1);
        app.main().cbDVD->setChecked(true);
        QVERIFY(!shown(dialog, 4, "Image22"));  // the picture comes with the next show

        dialog.previews()->showPage(TCDSetup::PageDvd);
        QVERIFY(shown(dialog, 4, "Image22"));
        QCOMPARE(colourAt(holder(dialog, 4, "Image22"), {60, 40}), kFrontColour);
        QCOMPARE(holder(dialog, 4, "Image22")->geometry(),
                 holder(dialog, 4, "Image19")->geometry().adjusted(1, 1, -1, -1));
    }

    void frontBackPicturesPerLayout_data()
    {
        QTest::addColumn<QString>("layoutBox");  // empty: front and back
        QTest::addColumn<bool>("frontShown");
        QTest::addColumn<bool>("backShown");
        QTest::newRow("front/back") << "" << true << true;
        QTest::newRow("cd") << "cbCD" << false << false;
        QTest::newRow("double") << "cbDouble" << false << false;
        QTest::newRow("dvd") << "cbDVD" << false << true;
        QTest::newRow("vhs") << "cbVHS" << false << true;
    }

    void frontBackPicturesPerLayout()
    {
        QFETCH(QString, layoutBox);
        QFETCH(bool, frontShown);
        QFETCH(bool, backShown);
        testenv::App app;
        loadSlot(app.main(), 1);
        loadSlot(app.main(), 2);
        if (!layoutBox.isEmpty())
            app.main().findChild<QCheckBox*>(layoutBox)->setChecked(true);
        TCDSetup dialog(TCDSetup::Role::Dialog, &app.main());
        showPage(dialog, TCDSetup::PageFrontBack);

        QCOMPARE(shown(dialog, 1, "Image12"), frontShown);
        QCOMPARE(shown(dialog, 1, "Image13"), backShown);
        if (frontShown)
            QCOMPARE(colourAt(holder(dialog, 1, "Image12"), {30, 30}), kFrontColour);
        if (backShown)
            QCOMPARE(colourAt(holder(dialog, 1, "Image13"), {30, 30}), kBackColour);
    }

    void picturesNeedAPictureInTheSlot()
    {
        testenv::App app;
        TCDSetup dialog(TCDSetup::Role::Dialog, &app.main());
        app.main().cbDouble->setChecked(true);
        showPage(dialog, TCDSetup::PageFrontBack);
        QVERIFY(!shown(dialog, 1, "Image12"));
        QVERIFY(!shown(dialog, 1, "Image13"));
        showPage(dialog, TCDSetup::PageDouble);
        QVERIFY(!shown(dialog, 2, "Image14"));
        app.main().cbDVD->setChecked(true);
        showPage(dialog, TCDSetup::PageDvd);
        QVERIFY(!shown(dialog, 4, "Image22"));
    }

    void secondFrontTurnsBackOutlineIntoSquare()
    {
        testenv::App app;
        loadSlot(app.main(), 2);
        TCDSetup dialog(TCDSetup::Role::Dialog, &app.main());
        showPage(dialog, TCDSetup::PageFrontBack);
        dialog.spLeft2->setValue(36);
        dialog.spTop2->setValue(130);
        dialog.spLeft2front->setValue(50);
        dialog.spTop2Front->setValue(131);
        ImageView* back = holder(dialog, 1, "Image5");
        QCOMPARE(back->geometry(), QRect(18, 65, 81, 65));

        dialog.cbSecFront->setChecked(true);
        QCOMPARE(back->geometry(), QRect(25, 65, 65, 65));
        QCOMPARE(holder(dialog, 1, "Image13")->geometry(), QRect(26, 66, 63, 63));
        QVERIFY(!dialog.cbKnickTrennVR->isEnabled());
        dialog.spLeft2->setValue(80);  // the hidden back fields no longer move it
        QCOMPARE(back->pos(), QPoint(25, 65));
        dialog.spLeft2front->setValue(10);
        QCOMPARE(back->pos(), QPoint(5, 65));

        dialog.cbSecFront->setChecked(false);
        QCOMPARE(back->geometry(), QRect(40, 65, 81, 65));
        QCOMPARE(holder(dialog, 1, "Image13")->geometry(), QRect(41, 66, 79, 63));
    }

    void foldGuideBoxEnabledAfterPageShow_data()
    {
        QTest::addColumn<bool>("frame");
        QTest::addColumn<bool>("secondFront");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("framed back") << true << false << true;
        QTest::newRow("unframed back") << false << false << false;
        QTest::newRow("second front") << true << true << false;
    }

    void foldGuideBoxEnabledAfterPageShow()
    {
        QFETCH(bool, frame);
        QFETCH(bool, secondFront);
        QFETCH(bool, enabled);
        testenv::App app;
        TCDSetup dialog(TCDSetup::Role::Dialog, &app.main());
        dialog.cbUBack->setChecked(frame);
        dialog.cbSecFront->setChecked(secondFront);
        dialog.cbKnickTrennVR->setEnabled(!enabled);
        dialog.previews()->showPage(TCDSetup::PageFrontBack);
        QCOMPARE(dialog.cbKnickTrennVR->isEnabled(), enabled);
    }

    void twoPicturesSplitTheDoubleFront()
    {
        testenv::App app;
        loadSlot(app.main(), 1);
        loadSlot(app.main(), 2);
        app.main().cbDouble->setChecked(true);
        TCDSetup dialog(TCDSetup::Role::Dialog, &app.main());
        showPage(dialog, TCDSetup::PageDouble);
        ImageView* outline = holder(dialog, 2, "Image3");
        ImageView* left = holder(dialog, 2, "Image14");
        ImageView* right = holder(dialog, 2, "Image18");
        const QRect interior = outline->geometry().adjusted(1, 1, -1, -1);
        QCOMPARE(interior.width(), 119);

        dialog.cbSecImg->setChecked(true);
        QCOMPARE(left->geometry(), QRect(interior.topLeft(), QSize(59, 63)));
        QCOMPARE(right->geometry(), QRect(interior.topLeft() + QPoint(59, 0), QSize(60, 63)));
        QVERIFY(shown(dialog, 2, "Image14"));
        QVERIFY(shown(dialog, 2, "Image18"));
        QCOMPARE(colourAt(left, {30, 30}), kFrontColour);
        QCOMPARE(colourAt(right, {30, 30}), kBackColour);

        dialog.spDleft->setValue(10);  // the right half follows the left one
        QCOMPARE(right->x(), left->x() + left->width());

        dialog.cbSecImg->setChecked(false);
        QCOMPARE(left->width(), 119);
        QVERIFY(!shown(dialog, 2, "Image18"));
        QCOMPARE(colourAt(left, {100, 30}), kFrontColour);
    }

    void twoPicturesWithoutBackPictureShowOnlyTheFront()
    {
        testenv::App app;
        loadSlot(app.main(), 1);
        app.main().cbDouble->setChecked(true);
        TCDSetup dialog(TCDSetup::Role::Dialog, &app.main());
        dialog.cbSecImg->setChecked(true);
        showPage(dialog, TCDSetup::PageDouble);
        QVERIFY(shown(dialog, 2, "Image14"));
        QCOMPARE(holder(dialog, 2, "Image14")->width(), 59);
        QVERIFY(!shown(dialog, 2, "Image18"));
    }

    void frameBoxesSwitchOutlineDrawings_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("outline");
        QTest::newRow("front") << 1 << "cbUFront" << "Image4";
        QTest::newRow("back") << 1 << "cbUBack" << "Image5";
        QTest::newRow("double") << 2 << "cbUDouble" << "Image3";
        QTest::newRow("dvd") << 4 << "cbUDVD" << "Image19";
        QTest::newRow("vhs") << 5 << "cbUVHS" << "Image23";
    }

    void frameBoxesSwitchOutlineDrawings()
    {
        QFETCH(int, page);
        QFETCH(QString, box);
        QFETCH(QString, outline);
        testenv::App app;
        TCDSetup dialog(TCDSetup::Role::Dialog, &app.main());
        showPage(dialog, page);
        auto* frame = dialog.findChild<QCheckBox*>(box);
        ImageView* view = holder(dialog, page, outline.toLatin1());
        const QPoint leftEdge(0, view->height() / 2);

        frame->setChecked(false);
        QCOMPARE(colourAt(view, leftEdge), plainOutlineColour());
        frame->setChecked(true);
        QCOMPARE(colourAt(view, leftEdge), kBlack);
    }

    void backFoldGuideSwitchesOnlyWithoutBackPicture()
    {
        testenv::App app;
        TCDSetup dialog(TCDSetup::Role::Dialog, &app.main());
        showPage(dialog, TCDSetup::PageFrontBack);
        dialog.cbUBack->setChecked(true);
        dialog.cbKnickTrennVR->setChecked(false);
        ImageView* back = holder(dialog, 1, "Image5");
        QCOMPARE(innerLines(back), 0);

        dialog.cbKnickTrennVR->setChecked(true);
        QCOMPARE(innerLines(back), 2);

        loadSlot(app.main(), 2);
        dialog.cbKnickTrennVR->setChecked(false);
        QCOMPARE(innerLines(back), 2);  // unchanged
        dialog.cbUBack->setChecked(false);
        dialog.cbUBack->setChecked(true);  // the frame box does switch it
        QCOMPARE(innerLines(back), 0);
    }

    void doubleFoldGuideSwitchesUnlessPictureShown()
    {
        testenv::App app;
        TCDSetup dialog(TCDSetup::Role::Dialog, &app.main());
        showPage(dialog, TCDSetup::PageDouble);
        dialog.cbUDouble->setChecked(true);
        dialog.cbKnickTrennD->setChecked(false);
        ImageView* outline = holder(dialog, 2, "Image3");
        QCOMPARE(innerLines(outline), 0);
        dialog.cbKnickTrennD->setChecked(true);
        QCOMPARE(innerLines(outline), 1);

        loadSlot(app.main(), 1);
        app.main().cbDouble->setChecked(true);
        dialog.cbKnickTrennD->setChecked(false);
        QCOMPARE(innerLines(outline), 1);  // unchanged under the picture
        dialog.cbUDouble->setChecked(false);
        dialog.cbUDouble->setChecked(true);
        QCOMPARE(innerLines(outline), 0);
    }

    void discsShowStockOutlineWithoutPicture()
    {
        testenv::App app;
        app.main().cbCD->setChecked(true);
        loadSlot(app.main(), 2);
        TCDSetup dialog(TCDSetup::Role::Dialog, &app.main());
        showPage(dialog, TCDSetup::PageCd);

        ImageView* first = holder(dialog, 3, "Image1");
        QVERIFY(!shown(dialog, 3, "Image10"));
        QWidget* panel = first->parentWidget();
        QCOMPARE(colourAt(panel, first->pos() + QPoint(32, 0)), kBlack);  // the circle's top
        QCOMPARE(colourAt(panel, first->pos() + QPoint(32, 32)), kWhite);

        ImageView* second = holder(dialog, 3, "Image2");
        ImageView* overlay = holder(dialog, 3, "Image11");
        QVERIFY(shown(dialog, 3, "Image11"));
        QCOMPARE(overlay->geometry(), second->geometry());
        QCOMPARE(colourAt(panel, second->pos() + QPoint(32, 32)), kBackColour);
        QCOMPARE(colourAt(panel, second->pos() + QPoint(32, 0)), kBlack);
    }

    void discOverlayFollowsPositionOnlyInCdLayout()
    {
        testenv::App app;
        loadSlot(app.main(), 1);
        app.main().cbCD->setChecked(true);
        TCDSetup dialog(TCDSetup::Role::Dialog, &app.main());
        showPage(dialog, TCDSetup::PageCd);
        dialog.spCDLeft->setValue(20);
        QCOMPARE(holder(dialog, 3, "Image10")->pos(), holder(dialog, 3, "Image1")->pos());

        app.main().cbCD->setChecked(false);
        dialog.spCDLeft->setValue(40);
        QCOMPARE(holder(dialog, 3, "Image1")->x(), 20);
        QCOMPARE(holder(dialog, 3, "Image10")->x(), 10);
        showPage(dialog, TCDSetup::PageCd);
        QVERIFY(!shown(dialog, 3, "Image10"));
        ImageView* disc = holder(dialog, 3, "Image1");
        QCOMPARE(colourAt(disc->parentWidget(), disc->pos() + QPoint(32, 32)), kWhite);
    }

    void previewNeverChangesSettings()
    {
        testenv::App app;
        loadSlot(app.main(), 1);
        loadSlot(app.main(), 2);
        app.main().cbDouble->setChecked(true);
        TCDSetup dialog(TCDSetup::Role::Dialog, &app.main());
        dialog.cbSecImg->setChecked(true);
        const auto snapshot = [&dialog] {
            QStringList values;
            for (const SpinEdit* field : dialog.findChildren<SpinEdit*>())
                values << field->objectName() + '=' + field->text();
            for (const QCheckBox* box : dialog.findChildren<QCheckBox*>())
                values << box->objectName() + '=' + QString::number(box->isChecked());
            values.sort();
            return values;
        };
        const QStringList before = snapshot();
        for (int page = TCDSetup::PageFrontBack; page <= TCDSetup::PageVhs; ++page)
            showPage(dialog, page);
        QCOMPARE(snapshot(), before);
    }

    void stockOutlinesHaveTheirSizesAndLines_data()
    {
        QTest::addColumn<int>("outline");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("framed");
        QTest::addColumn<QList<int>>("foldColumns");
        QTest::newRow("front") << int(StockOutline::FrontPlain) << QSize(65, 65) << false << QList<int>{};
        QTest::newRow("front framed") << int(StockOutline::FrontFramed) << QSize(65, 65) << true << QList<int>{};
        QTest::newRow("back") << int(StockOutline::BackPlain) << QSize(69, 65) << false << QList<int>{};
        QTest::newRow("back framed") << int(StockOutline::BackFramed) << QSize(69, 65) << true << QList<int>{};
        QTest::newRow("back folded") << int(StockOutline::BackFolded) << QSize(69, 65) << true << QList<int>{3, 65};
        QTest::newRow("double") << int(StockOutline::DoublePlain) << QSize(113, 65) << false << QList<int>{};
        QTest::newRow("double framed") << int(StockOutline::DoubleFramed) << QSize(113, 65) << true << QList<int>{};
        QTest::newRow("double folded") << int(StockOutline::DoubleFolded) << QSize(113, 65) << true << QList<int>{56};
        QTest::newRow("dvd") << int(StockOutline::DvdPlain) << QSize(136, 92) << false << QList<int>{};
        QTest::newRow("dvd framed") << int(StockOutline::DvdFramed) << QSize(136, 92) << true << QList<int>{};
        QTest::newRow("vhs") << int(StockOutline::VhsPlain) << QSize(136, 92) << false << QList<int>{};
        QTest::newRow("vhs framed") << int(StockOutline::VhsFramed) << QSize(136, 92) << true << QList<int>{};
    }

    void stockOutlinesHaveTheirSizesAndLines()
    {
        QFETCH(int, outline);
        QFETCH(QSize, size);
        QFETCH(bool, framed);
        QFETCH(QList<int>, foldColumns);
        const QImage image = stockOutline(StockOutline(outline)).image();
        QCOMPARE(image.size(), size);
        const QColor line = framed ? kBlack : plainOutlineColour();
        const int w = size.width();
        const int h = size.height();
        for (const QPoint corner : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
            QCOMPARE(image.pixelColor(corner), line);
        QCOMPARE(image.pixelColor(w / 2, 0), line);
        QCOMPARE(image.pixelColor(w / 2, h - 1), line);
        // One pixel wide, sharp lines: the pixels beside the frame are white.
        QCOMPARE(image.pixelColor(1, 1), kWhite);
        QCOMPARE(image.pixelColor(w - 2, h - 2), kWhite);
        for (int x = 2; x < w - 2; ++x)
            QCOMPARE(image.pixelColor(x, h / 2), foldColumns.contains(x) ? kBlack : kWhite);
    }

    void stockDiscIsACircleOnWhite()
    {
        const QImage disc = stockOutline(StockOutline::Disc).image();
        QCOMPARE(disc.size(), QSize(65, 65));
        QCOMPARE(disc.pixelColor(0, 64), kWhite);  // the colour key
        QCOMPARE(disc.pixelColor(32, 32), kWhite);
        for (const QPoint edge : {QPoint(32, 0), QPoint(0, 32), QPoint(64, 32), QPoint(32, 64)})
            QCOMPARE(disc.pixelColor(edge), kBlack);
    }

private:
    // How many vertical lines an outline holder shows inside its frame, as
    // black runs across its middle row.
    static int innerLines(QWidget* outline)
    {
        const QImage image = outline->grab().toImage();
        const int row = image.height() / 2;
        int lines = 0;
        bool inLine = false;
        for (int x = 1; x < image.width() - 1; ++x) {
            const bool black = image.pixelColor(x, row) == kBlack;
            lines += black && !inLine;
            inLine = black;
        }
        return lines;
    }
};

SLEEVIX_TEST_MAIN(PagePreviewsTest)
#include "tst_page_previews.moc"
