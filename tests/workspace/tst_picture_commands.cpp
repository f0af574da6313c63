#include "model/program_values.h"
#include "platform/printing/print_runner.h"
#include "platform/store/settings_store.h"
#include "platform/widgets/image_view.h"
#include "support/format_pictures.h"
#include "support/test_env.h"
#include "workspace/slot_panel.h"
#include "workspace/t_sleevix.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUrl>
#include <QWindow>

namespace {

const QMap<QString, QSize> kPictureSizes{
    {"square", {64, 64}}, {"small", {32, 32}}, {"wide", {1000, 999}}};

void putPictureOnClipboard()
{
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::red);
    QGuiApplication::clipboard()->setImage(image);
}

// A drag from another program dropped on the middle of the panel's picture,
// delivered to the window as the window system delivers it.
bool dropOnPicture(TSleevix& w, int panel, const QStringList& paths)
{
    QWidget* picture = w.slotView(panel);
    const QPoint at = picture->mapTo(&w, picture->rect().center());
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    for (QEvent* event : std::initializer_list<QEvent*>{&enter, &move, &drop})
        QCoreApplication::sendEvent(w.windowHandle(), event);
    QCoreApplication::processEvents();
    return w.childAt(at) == picture && drop.isAccepted();
}

// The user waits until the window offers the command, then uses it.
void use(QObject* command)
{
    QTRY_VERIFY(command->property("enabled").toBool());
    QMetaObject::invokeMethod(command, command->inherits("QAction") ? "trigger" : "click");
}

QString enabledCommands(TSleevix& w)
{
    QList<QObject*> commands{w.sbChange,   w.sbPrint,    w.mPrint,
                             w.sbClipbrd1, w.sbClipbrd2, w.sbClear};
    for (int index : {TSleevix::kSwapItem, TSleevix::kCopyItem, TSleevix::kDeleteItem,
                      TSleevix::kDeleteBothItem, TSleevix::kPrintItem, TSleevix::kPasteItem,
                      TSleevix::kClipboardCopyItem})
        commands << w.popupItem(1, index) << w.popupItem(2, index);
    QStringList names;
    for (QObject* command : commands) {
        if (command->property("enabled").toBool())
            names << command->objectName();
    }
    names.sort();
    return names.join(' ');
}

}  // namespace

class PictureCommandsTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name + ".bmp"); }

    TSleevix& shownWithBothSlots(testenv::App& app)
    {
        TSleevix& w = app.main();
        w.show();
        if (!QTest::qWaitForWindowActive(&w))
            qFatal("main window not active");
        program().AutoFormat = false;
        w.OpenImage(1, path("square"));
        w.OpenImage(2, path("wide"));
        return w;
    }

private slots:
    void initTestCase()
    {
        for (auto [name, size] : kPictureSizes.asKeyValueRange()) {
            QImage image(size, QImage::Format_RGB888);
            image.fill(Qt::darkGreen);
            QVERIFY(image.save(path(name)));
        }
        QImage quadrants(60, 40, QImage::Format_RGB888);
        const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
        for (int quadrant = 0; quadrant < 4; ++quadrant)
            QPainter(&quadrants)
                .fillRect(quadrant % 2 * 30, quadrant / 2 * 20, 30, 20, colours[quadrant]);
        QVERIFY(quadrants.save(path("quadrants")));
        QFile notes(m_dir.filePath("notes.txt"));
        QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("kein Bild") > 0);
    }

    void init() { QGuiApplication::clipboard()->clear(); }

    void dropsOnEitherPanel()
    {
        struct Drop {
            int panel;
            bool recognition;
            const char *files, *slot1, *slot2;
        };
        const Drop drops[] = {
            {1, false, "square", "square", ""},
            {2, false, "square", "", "square"},
            {1, false, "square wide", "square", "wide"},
            {2, false, "wide square", "wide", "square"},
            {1, false, "wide square small", "wide", "square"},
            {2, false, "square wide small", "square", "wide"},
            {1, true, "wide", "", "wide"},
            {2, true, "square", "square", ""},
            {1, true, "wide square", "square", "wide"},
            {2, true, "square small", "small", ""},
            {1, true, "small wide square", "small", "wide"},
            {2, true, "wide wide square", "", "wide"},
        };
        testenv::App app;
        TSleevix& w = shownWithBothSlots(app);
        for (const Drop& drop : drops) {
            w.Beidelschen1Click();
            program().AutoFormat = drop.recognition;
            QStringList paths;
            for (const QString& name : QString(drop.files).split(' '))
                paths << path(name);
            QVERIFY2(dropOnPicture(w, drop.panel, paths), drop.files);
            for (int slot : {1, 2}) {
                const QString name = slot == 1 ? drop.slot1 : drop.slot2;
                QCOMPARE(w.statusText(slot), name.isEmpty() ? "" : path(name));
                QCOMPARE(w.slotPicture(slot).size(), kPictureSizes.value(name, QSize(0, 0)));
                QCOMPARE((slot == 1 ? w.sbTrash1 : w.sbTrash2)->isEnabled(), !name.isEmpty());
            }
        }
    }

    void slotCommands()
    {
        testenv::App app;
        TSleevix& w = shownWithBothSlots(app);
        putPictureOnClipboard();
        use(w.sbClipbrd1);
        QCOMPARE(w.slotPicture(1).size(), QSize(20, 10));
        QCOMPARE(w.statusText(1), path("square"));  // still names the file

        const Picture front = w.slotPicture(1), back = w.slotPicture(2);
        use(w.sbChange);
        use(w.popupItem(2, TSleevix::kSwapItem));
        QVERIFY(w.slotPicture(1).sharesDataWith(front) && w.slotPicture(2).sharesDataWith(back));
        QCOMPARE(w.statusText(1) + w.statusText(2), path("square") + path("wide"));

        w.OpenImage(1, m_dir.filePath("notes.txt"));
        QTRY_VERIFY(!w.popupItem(1, TSleevix::kCopyItem)->isEnabled());
        w.Kopieren1Click();  // "Kopieren ->" of the empty slot 1
        QVERIFY(!w.Image2->hasPicture() && !w.sbTrash2->isEnabled());
        QCOMPARE(w.statusText(2), "Ungültiges Format...");

        // Slot 2 is hidden in the DVD layout and is swapped all the same.
        use(w.popupItem(2, TSleevix::kPasteItem));
        w.cbDVD->setChecked(true);
        use(w.popupItem(1, TSleevix::kSwapItem));
        QVERIFY(w.Image1->hasPicture() && !w.Image2->hasPicture());
        QVERIFY(w.sbTrash1->isEnabled() && !w.sbTrash2->isEnabled());

        // Every print command counts in the store, also when its dialog is
        // cancelled.
        PrintRunner::instance().printDialog = [](QWidget*, QPrinter&) { return false; };
        for (QObject* print : std::initializer_list<QObject*>{w.sbPrint, w.mPrint,
                                                              w.popupItem(2, TSleevix::kPrintItem)})
            use(print);
        QCOMPARE(SettingsStore::user().readInteger("AnzPrint"), 3);

        for (int menu : {1, 2}) {  // "Beide löschen"
            w.OpenImage(1, path("square"));
            w.OpenImage(2, path("wide"));
            use(w.popupItem(menu, TSleevix::kDeleteBothItem));
            QVERIFY(!w.Image1->hasPicture() && !w.Image2->hasPicture());
            QCOMPARE(w.statusText(1) + w.statusText(2), "");
            QVERIFY(!w.sbTrash1->isEnabled() && !w.sbTrash2->isEnabled());
        }
    }

    void commandStatesFollowSlotsAndClipboard()
    {
        const QString print = "Beidelschen1 Beidelschen2 Bildertauschen1 Bildertauschen2 "
                              "Drucken1 Drucken2 mPrint sbChange sbPrint";
        const QString paste = " Einfgen1 Einfgen2 sbClear sbClipbrd1 sbClipbrd2";
        const QString both
            = " InZwischenablage1 InZwischenablage2 Kopieren1 Kopieren2 Lschen1 Lschen2";
        struct State {
            bool front, back, clipboard;
            QString enabled;
        };
        const State states[] = {
            {false, false, false, ""},
            {false, false, true, paste},
            {true, false, false, print + " InZwischenablage1 Kopieren1 Lschen1"},
            {false, true, false, print + " InZwischenablage2 Kopieren2 Lschen2"},
            {true, true, false, print + both},
            {true, true, true, print + both + paste},
        };
        testenv::App app;
        TSleevix& w = shownWithBothSlots(app);
        for (const State& state : states) {
            w.sbClearClick();
            w.OpenImage(1, path("square"));
            w.OpenImage(2, path("wide"));
            if (!state.front)
                w.sbTrash1Click();
            if (!state.back)
                w.sbTrash2Click();
            if (state.clipboard)
                putPictureOnClipboard();
            w.Client->repaint();
            QStringList expected = state.enabled.split(' ', Qt::SkipEmptyParts);
            expected.sort();
            QCOMPARE(enabledCommands(w), expected.join(' '));
        }
    }

    // A right click on a panel's picture opens that panel's menu, its items
    // in order and in the states the window gives them.
    void panelContextMenus()
    {
        testenv::App app;
        TSleevix& w = shownWithBothSlots(app);
        w.sbTrash2Click();
        w.Client->repaint();
        const QString expected[] = {
            "Bild laden | Bilder tauschen | Kopieren -> | --- | Löschen | Beide löschen | --- | "
            "Drucken | "
            "Druckvorschau | --- | (Einfügen aus Zwischenablage) | In Zwischenablage kopieren | "
            "Bilderkennung | "
            "Einstellungen | --- | &Strecken | &Füllen | &Einpassen | Nach &links drehen | Nach "
            "&rechts drehen",
            "Bild laden | Bilder tauschen | (<- Kopieren) | --- | (Löschen) | Beide löschen | --- "
            "| Drucken | "
            "Druckvorschau | --- | (Einfügen aus Zwischenablage) | (In Zwischenablage kopieren) | "
            "Bilderkennung | "
            "Einstellungen | --- | (&Strecken) | (&Füllen) | (&Einpassen) | (Nach &links drehen) | "
            "(Nach &rechts drehen)",
        };
        for (int panel : {1, 2}) {
            QWidget* picture = w.slotView(panel);
            QContextMenuEvent click(QContextMenuEvent::Mouse, picture->rect().center(),
                                    picture->mapToGlobal(picture->rect().center()));
            QApplication::sendEvent(picture, &click);
            QMenu* menu = panel == 1 ? w.PopupMenu1 : w.PopupMenu2;
            QVERIFY(menu);
            QTRY_VERIFY(menu->isVisible());
            QStringList items;
            for (const QAction* action : menu->actions())
                items << (action->isSeparator()     ? "---"
                              : action->isEnabled() ? action->text()
                                                    : "(" + action->text() + ")");
            QCOMPARE(items.join(" | "), expected[panel - 1]);
            menu->close();
        }
    }

    // The placement the context menu gives a picture goes with it when it is
    // swapped or copied into the other slot, and to the clipboard as the
    // panel draws it; a new load starts stretched again.
    void placementTravelsWithThePicture()
    {
        testenv::App app;
        TSleevix& w = shownWithBothSlots(app);
        w.OpenImage(2, path("quadrants"));
        use(w.popupItem(2, TSleevix::kFillItem));
        use(w.popupItem(2, TSleevix::kTurnRightItem));
        const PicturePlacement filledRight{PictureFit::Fill, 1};
        QVERIFY(w.slotPicture(2).placement() == filledRight);
        QCOMPARE(w.slotPicture(2).size(), QSize(40, 60));

        use(w.popupItem(2, TSleevix::kClipboardCopyItem));
        const QImage copied = QGuiApplication::clipboard()->image();
        // At the picture's own resolution, cut to the panel's shape.
        QVERIFY2(copied.width() <= 40 && copied.height() <= 60
                     && (copied.width() == 40 || copied.height() == 60),
                 qPrintable(QStringLiteral("%1 x %2").arg(copied.width()).arg(copied.height())));
        const QStringList turned{"blue", "red", "yellow", "green"};
        QCOMPARE(testenv::quadrantColours(w.slotView(2)->grab().toImage()), turned);
        QCOMPARE(testenv::quadrantColours(copied), turned);
        use(w.popupItem(1, TSleevix::kPasteItem));
        QVERIFY(w.slotPicture(1).placement() == PicturePlacement());
        QCOMPARE(w.slotPicture(1).size(), copied.size());

        use(w.sbChange);
        QVERIFY(w.slotPicture(1).placement() == filledRight);
        use(w.popupItem(1, TSleevix::kCopyItem));
        QVERIFY(w.slotPicture(2).placement() == filledRight);
        w.OpenImage(2, path("quadrants"));
        QVERIFY(w.slotPicture(2).placement() == PicturePlacement());
    }

    void clipboardRefreshLeavesClearEnabled()
    {
        testenv::App app;
        TSleevix& w = shownWithBothSlots(app);
        putPictureOnClipboard();
        QVERIFY(w.sbClipbrd2->isEnabled() && w.sbClear->isEnabled());
        QGuiApplication::clipboard()->setText("Text");  // by another program
        QVERIFY(!w.sbClipbrd1->isEnabled() && w.sbClear->isEnabled());
        use(w.sbClear);
        QVERIFY(QGuiApplication::clipboard()->text().isEmpty() && !w.sbClear->isEnabled());

        // Mouse moves refresh over the free client area only.
        putPictureOnClipboard();
        w.sbClipbrd1->setEnabled(false);
        const QRect panel = w.Panel1->geometry();
        for (QPoint at : {panel.center(), QPoint(panel.right() + 10, panel.center().y())}) {
            QMouseEvent move(QEvent::MouseMove, at, w.Client->mapToGlobal(at), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(w.Client, &move);
            QCOMPARE(w.sbClipbrd1->isEnabled(), !w.Client->childAt(at));
        }
    }
};

SLEEVIX_TEST_MAIN(PictureCommandsTest)
#include "tst_picture_commands.moc"
