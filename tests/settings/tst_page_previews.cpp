#include "platform/store/settings_store.h"
#include "platform/widgets/image_view.h"
#include "platform/widgets/spin_edit.h"
#include "platform/widgets/tabbed_pages.h"
#include "settings/page_previews.h"
#include "settings/stock_outlines.h"
#include "settings/t_cd_setup.h"
#include "support/format_pictures.h"
#include "support/test_env.h"
#include "workspace/t_sleevix.h"

#include <QApplication>
#include <QCheckBox>
#include <QPainter>
#include <QTest>

namespace {

const QColor kFront(200, 30, 30);
const QColor kBack(30, 30, 200);
const QColor kBlack(Qt::black);
const QColor kWhite(Qt::white);

void loadSlot(TSleevix& main, int slot)
{
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(slot == 1 ? kFront : kBack);
    image.setPixel(0, 39, qRgb(0, 255, 0));  // the colour key is not the fill
    main.slotView(slot)->setPicture(Picture::fromImage(image));
}

// A picture of one colour, bottom-left pixel included.
void loadSolidSlot(TSleevix& main, int slot)
{
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(slot == 1 ? kFront : kBack);
    main.slotView(slot)->setPicture(Picture::fromImage(image));
}

ImageView* holder(TCDSetup& setup, int page, const QString& name)
{
    auto* view = setup.PageControl->widget(page)->findChild<ImageView*>(name);
    if (!view)
        qFatal("no preview holder %s on page %d", qPrintable(name), page);
    return view;
}

bool shown(TCDSetup& setup, int page, const QString& name)
{
    return holder(setup, page, name)->isVisibleTo(setup.PageControl->widget(page));
}

// The colour a user sees at a point of a widget.
QColor colourAt(QWidget* widget, QPoint point)
{
    return widget->grab().toImage().pixelColor(point);
}

// The colour the panel shows at a point of one of its holders.
QColor onPanel(ImageView* view, QPoint point)
{
    return colourAt(view->parentWidget(), view->pos() + point);
}

// Vertical lines an outline shows inside its frame, counted across its middle row.
int innerLines(QWidget* outline)
{
    const QImage image = outline->grab().toImage();
    int lines = 0;
    bool inLine = false;
    for (int x = 1; x < image.width() - 1; ++x) {
        const bool black = image.pixelColor(x, image.height() / 2) == kBlack;
        lines += black && !inLine;
        inLine = black;
    }
    return lines;
}

// Four quadrants, red, green / blue, yellow.
Picture quadrants(QSize size, const PicturePlacement& placement)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
    const QSize quarter = size / 2;
    for (int i = 0; i < 4; ++i)
        painter.fillRect(QRect(QPoint(i % 2 * quarter.width(), i / 2 * quarter.height()), quarter),
                         colours[i]);
    painter.end();
    Picture picture = Picture::fromImage(image);
    picture.setPlacement(placement);
    return picture;
}

// The quadrant colour a view shows at points given as fractions of its
// size; "blank" where it shows none.
QStringList coloursAt(QWidget* view, const QList<QPointF>& points)
{
    const QImage image = view->grab().toImage();
    QStringList names;
    for (const QPointF& at : points) {
        const QString name = testenv::colourName(
            image.pixel(int(at.x() * image.width()), int(at.y() * image.height())));
        names << (QStringList{"red", "green", "blue", "yellow"}.contains(name)
                      ? name
                      : QStringLiteral("blank"));
    }
    return names;
}

void showPage(TCDSetup& setup, int page)
{
    setup.PageControl->setCurrentIndex(TCDSetup::PageGeneral);
    setup.PageControl->setCurrentIndex(page);
}

}  // namespace

class PagePreviewsTest : public QObject {
    Q_OBJECT

private slots:
    // Wherever a user picture shows, in the main window's slots and in the
    // previews, it shows whole, as printed: a one-colour picture fills its
    // place, corner included. The disc outlines over the CD labels still
    // let the picture through everywhere but on their circle.
    void userPicturesShowWhole_data()
    {
        QTest::addColumn<int>("page");  // -1: the main window
        QTest::addColumn<QString>("view");
        QTest::addColumn<QStringList>("ticks");  // the main window's layout boxes
        QTest::addColumn<int>("slot");
        QTest::addColumn<bool>("disc");
        QTest::newRow("front slot") << -1 << "Image1" << QStringList() << 1 << false;
        QTest::newRow("back slot") << -1 << "Image2" << QStringList() << 2 << false;
        QTest::newRow("first cd slot") << -1 << "Image1" << QStringList{"cbCD"} << 1 << true;
        QTest::newRow("second cd slot") << -1 << "Image2" << QStringList{"cbCD"} << 2 << true;
        QTest::newRow("front page") << 1 << "Image12" << QStringList() << 1 << false;
        QTest::newRow("back page") << 1 << "Image13" << QStringList() << 2 << false;
        QTest::newRow("double front") << 2 << "Image14" << QStringList{"cbDouble"} << 1 << false;
        QTest::newRow("double front, right half")
            << 2 << "Image18" << QStringList{"cbDouble", "cbSecIMG"} << 2 << false;
        QTest::newRow("first cd") << 3 << "Image1" << QStringList{"cbCD"} << 1 << true;
        QTest::newRow("second cd") << 3 << "Image2" << QStringList{"cbCD"} << 2 << true;
        QTest::newRow("dvd") << 4 << "Image22" << QStringList{"cbDVD"} << 1 << false;
        QTest::newRow("vhs") << 5 << "Image26" << QStringList{"cbVHS"} << 1 << false;
    }

    void userPicturesShowWhole()
    {
        QFETCH(int, page);
        QFETCH(QString, view);
        QFETCH(QStringList, ticks);
        QFETCH(int, slot);
        QFETCH(bool, disc);
        testenv::App app;
        TSleevix& main = app.main();
        loadSolidSlot(main, 1);
        loadSolidSlot(main, 2);
        for (const QString& name : ticks)
            main.findChild<QCheckBox*>(name)->setChecked(true);
        main.show();
        TCDSetup dialog(TCDSetup::Role::Dialog, main, main, &main);
        if (page >= 0) {
            dialog.cbSecImg->setChecked(main.cbSecIMG->isChecked());
            showPage(dialog, page);
        }
        ImageView* shown = page < 0 ? main.findChild<ImageView*>(view) : holder(dialog, page, view);
        QVERIFY(shown->isVisibleTo(shown->window()));
        const QColor colour = slot == 1 ? kFront : kBack;
        const QPoint centre(shown->width() / 2, shown->height() / 2);
        QCOMPARE(onPanel(shown, centre), colour);
        QCOMPARE(onPanel(shown, {1, 1}), colour);
        QCOMPARE(onPanel(shown, {centre.x(), 0}), disc ? kBlack : colour);
    }

    // A filled, fitted or turned picture shows the same part of itself in
    // the preview as on its panel.
    void previewsFollowThePlacement_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("view");  // on page 1
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("fit");
        QTest::addColumn<int>("turns");
        QTest::addColumn<QList<QPointF>>("points");
        QTest::addColumn<QStringList>("colours");
        const QList<QPointF> centres{{0.25, 0.25}, {0.75, 0.25}, {0.25, 0.75}, {0.75, 0.75}};
        QTest::newRow("front filled, turned right")
            << 1 << "Image12" << QSize(60, 40) << int(PictureFit::Fill) << 1 << centres
            << QStringList{"blue", "red", "yellow", "green"};
        QTest::newRow("back fitted")
            << 2 << "Image13" << QSize(60, 20) << int(PictureFit::Fit) << 0
            << QList<QPointF>{{0.25, 0.45}, {0.75, 0.55}, {0.5, 0.1}, {0.5, 0.9}}
            << QStringList{"red", "yellow", "blank", "blank"};
    }

    void previewsFollowThePlacement()
    {
        QFETCH(int, slot);
        QFETCH(QString, view);
        QFETCH(QSize, size);
        QFETCH(int, fit);
        QFETCH(int, turns);
        QFETCH(QList<QPointF>, points);
        QFETCH(QStringList, colours);
        testenv::App app;
        TSleevix& main = app.main();
        main.slotView(slot)->setPicture(quadrants(size, {PictureFit(fit), turns}));
        main.show();
        TCDSetup dialog(TCDSetup::Role::Dialog, main, main, &main);
        showPage(dialog, TCDSetup::PageFrontBack);
        QCOMPARE(coloursAt(main.slotView(slot), points), colours);
        QCOMPARE(coloursAt(holder(dialog, 1, view), points), colours);
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
        QTest::newRow("front top 10") << 1 << "spTop" << 10 << "Image4"
                                      << "Image12" << false << 5;
        QTest::newRow("front left 50") << 1 << "spLeft" << 50 << "Image4"
                                       << "Image12" << true << 25;
        QTest::newRow("left 7") << 1 << "spLeft" << 7 << "Image4"
                                << "Image12" << true << 3;
        QTest::newRow("top -3") << 1 << "spTop" << -3 << "Image4"
                                << "Image12" << false << -1;
        QTest::newRow("back top") << 1 << "spTop2" << 101 << "Image5"
                                  << "Image13" << false << 50;
        QTest::newRow("double left") << 2 << "spDleft" << -5 << "Image3"
                                     << "Image14" << true << -2;
        QTest::newRow("cd 2 left") << 3 << "spCDLeft2" << 31 << "Image2"
                                   << "" << true << 15;
        QTest::newRow("dvd top") << 4 << "spDVDTop" << 22 << "Image19"
                                 << "Image22" << false << 11;
        QTest::newRow("vhs left") << 5 << "spVHSLeft" << 60 << "Image23"
                                  << "Image26" << true << 30;
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
        TCDSetup dialog(TCDSetup::Role::Dialog, app.main(), app.main(), &app.main());
        showPage(dialog, page);
        dialog.findChild<SpinEdit*>(field)->setValue(value);

        const QPoint place = holder(dialog, page, outline)->pos();
        QCOMPARE(horizontal ? place.x() : place.y(), expected);
        if (!picture.isEmpty())
            QCOMPARE(holder(dialog, page, picture)->pos(), place + QPoint(1, 1));
    }

    void openingPlacesOutlinesFromStoredPositions()
    {
        testenv::App app;
        SettingsStore::user().writeInteger("Doppelseite links", 30);
        SettingsStore::user().writeInteger("Doppelseite oben", 30);
        SettingsStore::user().writeInteger("CD-oben", 12);
        SettingsStore::user().writeInteger("CD-links", 50);
        TCDSetup dialog(TCDSetup::Role::Dialog, app.main(), app.main(), &app.main());
        dialog.previews()->showPage(TCDSetup::PageDouble);
        QCOMPARE(holder(dialog, 2, "Image3")->pos(), QPoint(15, 15));
        showPage(dialog, TCDSetup::PageCd);
        QCOMPARE(holder(dialog, 3, "Image1")->pos(), QPoint(25, 6));
    }

    void frontBackPicturesPerLayout_data()
    {
        QTest::addColumn<QString>("layoutBox");  // empty: front and back
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<bool>("frontShown");
        QTest::addColumn<bool>("backShown");
        QTest::newRow("front/back") << "" << true << true << true;
        QTest::newRow("nothing loaded") << "" << false << false << false;
        QTest::newRow("cd") << "cbCD" << true << false << false;
        QTest::newRow("double") << "cbDouble" << true << false << false;
        QTest::newRow("dvd") << "cbDVD" << true << false << true;
        QTest::newRow("vhs") << "cbVHS" << true << false << true;
    }

    void frontBackPicturesPerLayout()
    {
        QFETCH(QString, layoutBox);
        QFETCH(bool, loaded);
        QFETCH(bool, frontShown);
        QFETCH(bool, backShown);
        testenv::App app;
        if (loaded) {
            loadSlot(app.main(), 1);
            loadSlot(app.main(), 2);
        }
        if (!layoutBox.isEmpty())
            app.main().findChild<QCheckBox*>(layoutBox)->setChecked(true);
        TCDSetup dialog(TCDSetup::Role::Dialog, app.main(), app.main(), &app.main());
        showPage(dialog, TCDSetup::PageFrontBack);
        QCOMPARE(shown(dialog, 1, "Image12"), frontShown);
        QCOMPARE(shown(dialog, 1, "Image13"), backShown);
        if (frontShown)
            QCOMPARE(colourAt(holder(dialog, 1, "Image12"), {30, 30}), kFront);
        if (backShown)
            QCOMPARE(colourAt(holder(dialog, 1, "Image13"), {30, 30}), kBack);
    }

    void coverPictureComesWithTheNextShow()
    {
        testenv::App app;
        TCDSetup dialog(TCDSetup::Role::Dialog, app.main(), app.main(), &app.main());
        dialog.PageControl->setCurrentIndex(TCDSetup::PageDvd);
        loadSlot(app.main(), 1);
        app.main().cbDVD->setChecked(true);
        QVERIFY(!shown(dialog, 4, "Image22"));
        dialog.previews()->showPage(TCDSetup::PageDvd);
        QVERIFY(shown(dialog, 4, "Image22"));
        QCOMPARE(colourAt(holder(dialog, 4, "Image22"), {60, 40}), kFront);
    }

    void secondFrontTurnsBackOutlineIntoSquare()
    {
        testenv::App app;
        TCDSetup dialog(TCDSetup::Role::Dialog, app.main(), app.main(), &app.main());
        showPage(dialog, TCDSetup::PageFrontBack);
        dialog.cbUBack->setChecked(true);
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
        dialog.spLeft2->setValue(80);  // hidden now: it no longer moves the outline
        QCOMPARE(back->x(), 25);

        dialog.cbSecFront->setChecked(false);
        QCOMPARE(back->geometry(), QRect(40, 65, 81, 65));
        QCOMPARE(holder(dialog, 1, "Image13")->geometry(), QRect(41, 66, 79, 63));
        dialog.cbKnickTrennVR->setEnabled(false);
        dialog.previews()->showPage(TCDSetup::PageFrontBack);
        QVERIFY(dialog.cbKnickTrennVR->isEnabled());
    }

    void twoPicturesSplitTheDoubleFront()
    {
        testenv::App app;
        loadSlot(app.main(), 1);
        loadSlot(app.main(), 2);
        app.main().cbDouble->setChecked(true);
        TCDSetup dialog(TCDSetup::Role::Dialog, app.main(), app.main(), &app.main());
        showPage(dialog, TCDSetup::PageDouble);
        ImageView* left = holder(dialog, 2, "Image14");
        ImageView* right = holder(dialog, 2, "Image18");
        const QRect inside = holder(dialog, 2, "Image3")->geometry().adjusted(1, 1, -1, -1);

        dialog.cbSecImg->setChecked(true);
        QCOMPARE(left->geometry(), QRect(inside.topLeft(), QSize(59, 63)));
        QCOMPARE(right->geometry(), QRect(inside.topLeft() + QPoint(59, 0), QSize(60, 63)));
        QVERIFY(shown(dialog, 2, "Image18"));
        QCOMPARE(colourAt(left, {30, 30}), kFront);
        QCOMPARE(colourAt(right, {30, 30}), kBack);
        dialog.spDleft->setValue(10);
        QCOMPARE(right->x(), left->x() + 59);

        dialog.cbSecImg->setChecked(false);
        QCOMPARE(left->width(), 119);
        QVERIFY(!shown(dialog, 2, "Image18"));
        QCOMPARE(colourAt(left, {100, 30}), kFront);

        app.main().emptySlot(2);
        dialog.cbSecImg->setChecked(true);
        QCOMPARE(left->width(), 59);
        QVERIFY(!shown(dialog, 2, "Image18"));
    }

    void frameBoxesSwitchOutlineDrawings_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("outline");
        QTest::newRow("front") << 1 << "cbUFront"
                               << "Image4";
        QTest::newRow("back") << 1 << "cbUBack"
                              << "Image5";
        QTest::newRow("double") << 2 << "cbUDouble"
                                << "Image3";
        QTest::newRow("dvd") << 4 << "cbUDVD"
                             << "Image19";
        QTest::newRow("vhs") << 5 << "cbUVHS"
                             << "Image23";
    }

    void frameBoxesSwitchOutlineDrawings()
    {
        QFETCH(int, page);
        QFETCH(QString, box);
        QFETCH(QString, outline);
        testenv::App app;
        TCDSetup dialog(TCDSetup::Role::Dialog, app.main(), app.main(), &app.main());
        showPage(dialog, page);
        auto* frame = dialog.findChild<QCheckBox*>(box);
        ImageView* view = holder(dialog, page, outline);
        frame->setChecked(false);
        QCOMPARE(colourAt(view, {0, view->height() / 2}), plainOutlineColour());
        frame->setChecked(true);
        QCOMPARE(colourAt(view, {0, view->height() / 2}), kBlack);
    }

    void foldGuidesSwitchOnlyWithoutPictureShown()
    {
        testenv::App app;
        TCDSetup dialog(TCDSetup::Role::Dialog, app.main(), app.main(), &app.main());
        dialog.cbUBack->setChecked(true);
        dialog.cbUDouble->setChecked(true);
        const struct {
            QCheckBox* frame;
            QCheckBox* guide;
            ImageView* outline;
            int lines;
        } guides[] = {{dialog.cbUBack, dialog.cbKnickTrennVR, holder(dialog, 1, "Image5"), 2},
                      {dialog.cbUDouble, dialog.cbKnickTrennD, holder(dialog, 2, "Image3"), 1}};
        for (const auto& g : guides) {
            g.guide->setChecked(false);
            QCOMPARE(innerLines(g.outline), 0);
            g.guide->setChecked(true);
            QCOMPARE(innerLines(g.outline), g.lines);
        }

        loadSlot(app.main(), 1);
        loadSlot(app.main(), 2);
        app.main().cbDouble->setChecked(true);
        for (const auto& g : guides) {
            g.guide->setChecked(false);
            QCOMPARE(innerLines(g.outline), g.lines);  // unchanged
            g.frame->setChecked(false);
            g.frame->setChecked(true);  // the frame box switches it
            QCOMPARE(innerLines(g.outline), 0);
        }
    }

    void discsShowStockOutlineOrPictureWithOverlay()
    {
        testenv::App app;
        app.main().cbCD->setChecked(true);
        loadSlot(app.main(), 2);
        TCDSetup dialog(TCDSetup::Role::Dialog, app.main(), app.main(), &app.main());
        showPage(dialog, TCDSetup::PageCd);

        ImageView* first = holder(dialog, 3, "Image1");
        QVERIFY(!shown(dialog, 3, "Image10"));
        QCOMPARE(onPanel(first, {32, 0}), kBlack);  // the circle's top
        QCOMPARE(onPanel(first, {32, 32}), kWhite);

        ImageView* second = holder(dialog, 3, "Image2");
        QVERIFY(shown(dialog, 3, "Image11"));
        QCOMPARE(holder(dialog, 3, "Image11")->geometry(), second->geometry());
        QCOMPARE(onPanel(second, {32, 32}), kBack);
        QCOMPARE(onPanel(second, {32, 0}), kBlack);
        dialog.spCDLeft2->setValue(20);
        QCOMPARE(holder(dialog, 3, "Image11")->pos(), second->pos());

        app.main().cbCD->setChecked(false);
        dialog.spCDLeft2->setValue(40);
        QCOMPARE(holder(dialog, 3, "Image11")->x(), 10);  // stays without the CD layout
        showPage(dialog, TCDSetup::PageCd);
        QVERIFY(!shown(dialog, 3, "Image11"));
        QCOMPARE(onPanel(second, {32, 32}), kWhite);
    }
};

SLEEVIX_TEST_MAIN(PagePreviewsTest)
#include "tst_page_previews.moc"
