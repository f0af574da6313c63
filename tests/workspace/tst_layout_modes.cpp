#include "model/program_values.h"
#include "platform/widgets/image_view.h"
#include "support/test_env.h"
#include "workspace/slot_panel.h"
#include "workspace/status_bar.h"
#include "workspace/t_sleevix.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QToolButton>

namespace {

QCheckBox* box(TSleevix& w, const QString& name)
{
    return w.findChild<QCheckBox*>(name);
}

Picture solidPicture(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return Picture::fromImage(image);
}

const char* const P1front = "Doppelklick zum öffnen der Dateiliste für die Vorderseite";
const char* const P1double = "Doppelklick zum öffnen der Dateiliste für die Doppelseite";
const char* const P1cd = "Doppelklick zum öffnen der Dateiliste für die 1. CD";
const char* const P1dvd = "Doppelklick zum öffnen der Dateiliste für die DVD";
const char* const P1vhs = "Doppelklick zum öffnen der Dateiliste für die VHS";
const char* const P2back = "Doppelklick zum öffnen der Dateiliste für die Rückseite";
const char* const P2cd = "Doppelklick zum öffnen der Dateiliste für die 2. CD";
const char* const P2front2 = "Doppelklick zum öffnen der Dateiliste für die 2. Vorderseite";
const char* const T1front = "Ab in den Müll mit der Vorderseite";
const char* const T1double = "Ab in den Müll mit der Doppelseite";
const char* const T1page1 = "Ab in den Müll mit der 1. Seite der Doppelseite";
const char* const T1cd = "Ab in den Müll mit der 1. CD";
const char* const T1dvd = "Ab in den Müll mit der DVD";
const char* const T1vhs = "Ab in den Müll mit der VHS";
const char* const T2back = "Ab in den Müll mit der Rückseite";
const char* const T2page2 = "Ab in den Müll mit der 2. Seite der Doppelseite";
const char* const T2cd = "Ab in den Müll mit der 2. CD";
const char* const T2front2 = "Ab in den Müll mit der 2. Vorderseite";

}  // namespace

class LayoutModesTest : public QObject {
    Q_OBJECT

private slots:
    void resultingLayouts_data()
    {
        QTest::addColumn<QStringList>("clicks");  // boxes clicked in this order
        QTest::addColumn<int>("panel1Left");      // -1: centred in the window
        QTest::addColumn<int>("panel1Width");
        QTest::addColumn<int>("panel2Left");
        QTest::addColumn<int>("panel2Width");
        QTest::addColumn<bool>("panel2Shown");
        QTest::addColumn<QString>("frontCaption");
        QTest::addColumn<QString>("backCaption");  // empty: hidden
        QTest::addColumn<bool>("secFrontShown");
        QTest::addColumn<bool>("secImgShown");
        QTest::addColumn<int>("statusSplit");
        QTest::addColumn<QStringList>("hints");
        QTest::addColumn<bool>("pasteBackShown");  // sbClipbrd2 on the toolbar

        auto hints = [](auto... texts) { return QStringList{QString::fromUtf8(texts)...}; };
        QTest::newRow("front and back")
            << QStringList{"cbCD", "cbCD"} << 8 << 250 << 298 << 312 << true << "&Vorderseite"
            << "&Rückseite" << true << false << 290 << hints(P1front, P2back, T1front, T2back)
            << true;
        QTest::newRow("second front")
            << QStringList{"cbSecFront"} << 8 << 250 << 360 << 250 << true << "&Vorderseite"
            << "&2. Vorderseite" << true << false << 352
            << hints(P1front, P2front2, T1front, T2front2) << true;
        QTest::newRow("folded") << QStringList{"cbDouble"} << 60 << 500 << 294 << 312 << false
                                << "Do&ppelseite"
                                << "" << false << true << 286
                                << hints(P1double, P2back, T1double, T2back) << false;
        QTest::newRow("folded from two pictures")
            << QStringList{"cbDouble", "cbSecIMG"} << 60 << 250 << 306 << 250 << true << "&1. Seite"
            << "&2. Seite" << false << true << 298 << hints(P1double, P2back, T1page1, T2page2)
            << true;
        QTest::newRow("two pictures ticked before folding")
            << QStringList{"cbSecIMG", "cbDouble"} << 60 << 250 << 306 << 250 << true << "&1. Seite"
            << "&2. Seite" << false << true << 298 << hints(P1double, P2back, T1page1, T2page2)
            << true;
        QTest::newRow("cd") << QStringList{"cbCD"} << 8 << 250 << 360 << 250 << true << "CD &1"
                            << "CD &2" << false << false << 352 << hints(P1cd, P2cd, T1cd, T2cd)
                            << true;
        QTest::newRow("dvd") << QStringList{"cbDVD"} << -1 << 410 << 294 << 312 << false << "D&VD"
                             << "" << false << false << 286 << hints(P1dvd, P2back, T1dvd, T2back)
                             << false;
        QTest::newRow("vhs") << QStringList{"cbVHS"} << -1 << 390 << 294 << 312 << false << "&VHS"
                             << "" << false << false << 286 << hints(P1vhs, P2back, T1vhs, T2back)
                             << false;
    }

    void resultingLayouts()
    {
        QFETCH(QStringList, clicks);
        QFETCH(int, panel1Left);
        QFETCH(int, panel1Width);
        QFETCH(int, panel2Left);
        QFETCH(int, panel2Width);
        QFETCH(bool, panel2Shown);
        QFETCH(QString, frontCaption);
        QFETCH(QString, backCaption);
        QFETCH(bool, secFrontShown);
        QFETCH(bool, secImgShown);
        QFETCH(int, statusSplit);
        QFETCH(QStringList, hints);
        QFETCH(bool, pasteBackShown);

        testenv::App app;
        TSleevix& w = app.main();
        w.show();
        QApplication::processEvents();  // the first activation
        for (const QString& name : clicks)
            QTest::mouseClick(box(w, name), Qt::LeftButton, {}, QPoint(6, 9));

        const int centred = (w.frameGeometry().width() - panel1Width) / 2;
        QCOMPARE(w.Panel1->x(), panel1Left < 0 ? centred : panel1Left);
        QCOMPARE(w.Panel1->width(), panel1Width);
        QCOMPARE(w.Panel2->x(), panel2Left);
        QCOMPARE(w.Panel2->width(), panel2Width);
        QCOMPARE(w.Panel2->isVisible(), panel2Shown);
        QCOMPARE(w.bFront->text(), frontCaption);
        QCOMPARE(w.bFront->x(), w.Panel1->x());
        QCOMPARE(w.bBack->isVisible(), !backCaption.isEmpty());
        if (!backCaption.isEmpty()) {
            QCOMPARE(w.bBack->text(), backCaption);
            QCOMPARE(w.bBack->x(), w.Panel2->x());
        }
        QCOMPARE(w.cbSecFront->isVisible(), secFrontShown);
        QCOMPARE(w.cbSecIMG->isVisible(), secImgShown);
        QApplication::processEvents();  // the toolbar's next layout
        QCOMPARE(w.sbClipbrd2->isVisible(), pasteBackShown);
        QCOMPARE(w.statusBarPanels->panelWidth(1), statusSplit);
        QCOMPARE(QStringList({w.Panel1->toolTip(), w.Panel2->toolTip(), w.sbTrash1->toolTip(),
                              w.sbTrash2->toolTip()}),
                 hints);
        QCOMPARE(w.sbTrash1->x(), w.Panel1->x() + (w.Panel1->width() - w.sbTrash1->width()) / 2);
        if (clicks.last() != "cbSecIMG")  // its handler leaves the focus where it is
            QVERIFY(w.statusBarPanels->hasFocus() || !w.isActiveWindow());
    }

    // From the first paint on, in every layout, each status panel lies
    // inside the bar and the client area, tall enough for a whole line.
    void statusBarStaysInsideTheClientArea_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::newRow("at start") << QStringList();
        QTest::newRow("second front") << QStringList{"cbSecFront"};
        QTest::newRow("folded") << QStringList{"cbDouble"};
        QTest::newRow("folded from two pictures") << QStringList{"cbDouble", "cbSecIMG"};
        QTest::newRow("cd") << QStringList{"cbCD"};
        QTest::newRow("dvd") << QStringList{"cbDVD"};
        QTest::newRow("vhs") << QStringList{"cbVHS"};
    }

    void statusBarStaysInsideTheClientArea()
    {
        QFETCH(QStringList, clicks);
        testenv::App app;
        TSleevix& w = app.main();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        for (const QString& name : clicks)
            QTest::mouseClick(box(w, name), Qt::LeftButton, {}, QPoint(6, 9));
        StatusBar* bar = w.statusBarPanels;
        QVERIFY(w.Client->rect().contains(bar->geometry()));
        for (int i = 0; i < bar->panelCount(); ++i) {
            QLabel* panel = bar->panel(i);
            QVERIFY2(bar->rect().contains(panel->geometry()), qPrintable(QString::number(i)));
            QVERIFY(panel->contentsRect().height() >= panel->fontMetrics().height());
        }
    }

    void longStatusTextEndsInAnEllipsis()
    {
        testenv::App app;
        TSleevix& w = app.main();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QString path
            = "/home/benutzer/Bilder/Sammlung/" + QString(60, 'x') + "/square_640.jpg";
        w.setStatusText(1, path);
        QLabel* panel = w.statusBarPanels->panel(1);
        QVERIFY(panel->text().endsWith(QChar(0x2026)));
        QVERIFY(panel->fontMetrics().horizontalAdvance(panel->text())
                < panel->contentsRect().width());
        QCOMPARE(panel->toolTip(), path);
        QCOMPARE(w.statusText(1), path);
        w.setStatusText(1, "square_640.jpg");
        QCOMPARE(panel->text(), QString("square_640.jpg"));
    }

    // Each layout box shows its whole caption with its focus frame, clear of
    // the next box.
    void layoutBoxesShowTheirWholeCaption()
    {
        testenv::App app;
        TSleevix& w = app.main();
        const std::pair<QCheckBox*, int> boxes[]
            = {{w.cbSecFront, w.cbDouble->x()}, {w.cbSecIMG, w.cbDouble->x()},
               {w.cbDouble, w.cbCD->x()},       {w.cbCD, w.cbDVD->x()},
               {w.cbDVD, w.cbVHS->x()},         {w.cbVHS, w.Client->width()}};
        for (const auto& [layoutBox, next] : boxes) {
            QStyleOptionButton option;
            option.initFrom(layoutBox);
            option.text = layoutBox->text();
            const QRect focus = layoutBox->style()->subElementRect(QStyle::SE_CheckBoxFocusRect,
                                                                   &option, layoutBox);
            QVERIFY2(focus.right() < layoutBox->width() - 1, qPrintable(layoutBox->objectName()));
            QVERIFY2(layoutBox->geometry().right() < next, qPrintable(layoutBox->objectName()));
        }
    }

    void atMostOneLayoutBoxStaysTicked()
    {
        testenv::App app;
        TSleevix& w = app.main();
        const QStringList layouts{"cbDouble", "cbCD", "cbDVD", "cbVHS"};
        for (const QString& first : layouts) {
            for (const QString& second : layouts) {
                if (first == second)
                    continue;
                box(w, first)->setChecked(true);
                box(w, second)->setChecked(true);
                for (const QString& other : layouts)
                    QCOMPARE(box(w, other)->isChecked(), other == second);
                box(w, second)->setChecked(false);
            }
        }
    }

    void coverLayoutsSwitchRecognitionOffAndOn()
    {
        testenv::App app;
        TSleevix& w = app.main();
        w.setRecognitionChecked(true);
        w.cbDVD->setChecked(true);
        QVERIFY(!program().AutoFormat);
        QVERIFY(w.recognitionChecked());  // the menu's mark is left alone
        w.cbVHS->setChecked(true);        // clears DVD on the way
        QVERIFY(!w.cbDVD->isChecked());
        QVERIFY(!program().AutoFormat);
        w.cbCD->setChecked(true);  // clears VHS, whose handler switches the flag on
        QVERIFY(program().AutoFormat);
        QVERIFY(!w.popupItem(1, TSleevix::kRecognitionItem)->isEnabled());
        w.cbCD->setChecked(false);
        QVERIFY(w.popupItem(1, TSleevix::kRecognitionItem)->isEnabled());
    }

    void cdOutlinesAndSecondFrontCombine()
    {
        testenv::App app;
        TSleevix& w = app.main();
        w.show();
        w.cbCD->setChecked(true);
        QVERIFY(w.Image3->isVisible());
        QVERIFY(w.Image4->isVisible());
        const QImage outline = w.Image3->picture().image();
        QCOMPARE(outline.size(), w.Image3->size());
        QCOMPARE(outline.pixelColor(outline.width() / 2, outline.height() / 2), QColor(Qt::white));
        QCOMPARE(outline.pixelColor(outline.width() / 2, 0), QColor(Qt::black));
        QCOMPARE(outline.pixelColor(0, 0), QColor(Qt::white));

        w.cbCD->setChecked(false);
        w.cbSecFront->setChecked(true);
        QCOMPARE(w.Panel2->x(), 360);
        w.cbCD->setChecked(true);
        w.cbCD->setChecked(false);
        QCOMPARE(w.Panel2->x(), 314);
        QCOMPARE(w.Panel2->width(), w.Panel1->width());
        QVERIFY(!w.Image3->isVisible());
    }

    void toolbarTwinsSwitchLayoutAndOpenTheDialog()
    {
        testenv::App app;
        TSleevix& w = app.main();
        int dialogs = 0;
        w.runOpenDialog = [&] {
            ++dialogs;
            return QStringList();
        };
        w.sbDouble->click();
        QVERIFY(w.cbDouble->isChecked());
        QCOMPARE(dialogs, 1);
        w.sbCD->click();
        QVERIFY(w.cbCD->isChecked());
        QVERIFY(!w.cbDouble->isChecked());
        w.spDVD->click();
        QVERIFY(w.cbDVD->isChecked());
        QVERIFY(!w.cbCD->isChecked());
        w.sbFront->click();  // leaves the cover layouts alone
        QVERIFY(w.cbDVD->isChecked());
        w.mVHS->trigger();
        QVERIFY(w.cbVHS->isChecked());
        QVERIFY(!w.cbDVD->isChecked());
        w.mDoppel->trigger();
        QVERIFY(w.cbDouble->isChecked());
        w.mBack->trigger();
        QVERIFY(!w.cbDouble->isChecked());
        QCOMPARE(dialogs, 7);
    }

    void layoutSwitchesNeverTouchSlotPictures()
    {
        testenv::App app;
        TSleevix& w = app.main();
        const Picture front = solidPicture(40, 40, Qt::red);
        const Picture back = solidPicture(60, 40, Qt::blue);
        w.Image1->setPicture(front);
        w.Image2->setPicture(back);
        for (const char* name : {"cbDVD", "cbCD", "cbDouble", "cbSecIMG", "cbVHS", "cbSecFront"}) {
            box(w, name)->toggle();
            QVERIFY(w.slotPicture(1).sharesDataWith(front));
            QVERIFY(w.slotPicture(2).sharesDataWith(back));
        }
        w.cbVHS->setChecked(false);
        QVERIFY(w.Image2->isVisibleTo(w.Panel2));
    }
};

SLEEVIX_TEST_MAIN(LayoutModesTest)
#include "tst_layout_modes.moc"
