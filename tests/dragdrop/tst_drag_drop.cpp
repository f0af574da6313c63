#include "dragdrop/t_drag_drop_files.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <QWidget>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr Qt::DropActions kAllActions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
const QPoint kDropPoint(12, 7);

using MimeData = std::shared_ptr<QMimeData>;

MimeData urlData(const QList<QUrl>& urls)
{
    auto data = std::make_shared<QMimeData>();
    data->setUrls(urls);
    return data;
}

MimeData fileData(const QStringList& paths)
{
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls.append(QUrl::fromLocalFile(path));
    return urlData(urls);
}

struct Gesture {
    Qt::DropActions offered = kAllActions;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

struct Answer {
    bool accepted = false;
    Qt::DropAction action = Qt::IgnoreAction;
};

template <typename Event> Answer deliver(QWidget* target, const MimeData& data, Gesture gesture)
{
    Event event(kDropPoint, gesture.offered, data.get(), Qt::LeftButton, gesture.modifiers);
    QCoreApplication::sendEvent(target, &event);
    return {event.isAccepted(), event.dropAction()};
}

// One drag event as the window system delivers it to `target`.
Answer send(QEvent::Type type, QWidget* target, const MimeData& data, Gesture gesture = {})
{
    switch (type) {
    case QEvent::DragEnter: return deliver<QDragEnterEvent>(target, data, gesture);
    case QEvent::DragMove: return deliver<QDragMoveEvent>(target, data, gesture);
    default: return deliver<QDropEvent>(target, data, gesture);
    }
}

// Enter, one move and the drop, as a file manager produces them.
Answer dragAndDrop(QWidget* target, const MimeData& data, Gesture gesture = {})
{
    send(QEvent::DragEnter, target, data, gesture);
    send(QEvent::DragMove, target, data, gesture);
    return send(QEvent::Drop, target, data, gesture);
}

struct ProcessedDrop {
    TDragDrop* sender = nullptr;
    TDragKeyState keyState;
    QPoint point;
    TDropEffectSet effect;
    QStringList files;
};

}  // namespace

class TestDragDrop : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void dropListsFilesAndRaisesOnceAfterwards_data();
    void dropListsFilesAndRaisesOnceAfterwards();
    void secondDropReplacesList();
    void dragsWithoutLocalFilesAreRefused_data();
    void dragsWithoutLocalFilesAreRefused();
    void choosesEffect_data();
    void choosesEffect();
    void handlersSeeDragInOrderAndMayRefuse();
    void emptyTargetEffectsMeanNoDropTarget();
    void controlCanBeReplacedClearedAndDestroyed();

private:
    void recordProcessedDrops(TDragDropFiles* component);

    std::unique_ptr<QWidget> m_window;
    QWidget* m_panel = nullptr;
    TDragDropFiles* m_files = nullptr;
    QList<ProcessedDrop> m_processed;
};

void TestDragDrop::init()
{
    m_window = std::make_unique<QWidget>();
    m_panel = new QWidget(m_window.get());
    m_panel->setGeometry(40, 30, 120, 100);
    m_files = new TDragDropFiles(m_window.get());
    m_files->setDragDropControl(m_panel);
    m_processed.clear();
    recordProcessedDrops(m_files);
}

void TestDragDrop::cleanup()
{
    m_window.reset();
    QCoreApplication::processEvents();
}

void TestDragDrop::recordProcessedDrops(TDragDropFiles* component)
{
    component->OnProcessDropped = [this, component](TDragDrop* sender, TDragKeyState keyState,
                                                    QPoint point, TDropEffectSet effect) {
        m_processed.append({sender, keyState, point, effect, component->FileList()});
    };
}

void TestDragDrop::dropListsFilesAndRaisesOnceAfterwards_data()
{
    QTest::addColumn<MimeData>("data");
    QTest::addColumn<QStringList>("files");

    const QStringList three{u"/tmp/c.wmf"_s, u"/tmp/a.emf"_s, u"/tmp/b.ico"_s};
    const QStringList foreign{u"/home/jürgen/Größe & Maß #1.jpg"_s, u"/daten/日本/表紙 100%.bmp"_s};
    QTest::newRow("one file") << fileData(three.first(1)) << three.first(1);
    QTest::newRow("two files") << fileData(three.first(2)) << three.first(2);
    QTest::newRow("three files") << fileData(three) << three;
    QTest::newRow("non-ASCII names") << fileData(foreign) << foreign;
    QTest::newRow("web address left out")
        << urlData({QUrl(u"https://example.org/a.jpg"_s), QUrl::fromLocalFile(three.first())})
        << three.first(1);
}

void TestDragDrop::dropListsFilesAndRaisesOnceAfterwards()
{
    QFETCH(MimeData, data);
    QFETCH(QStringList, files);

    const Answer answer = dragAndDrop(m_panel, data);

    QVERIFY(answer.accepted);
    QCOMPARE(answer.action, Qt::CopyAction);
    QCOMPARE(m_files->FileList(), files);
    QVERIFY2(m_processed.isEmpty(), "raised while the drop was still being handled");
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QCOMPARE(m_processed.size(), 1);
    const ProcessedDrop& drop = m_processed.first();
    QCOMPARE(drop.sender, m_files);
    QCOMPARE(drop.files, files);
    QCOMPARE(drop.effect, TDropEffectSet(deCopy));
    QCOMPARE(drop.keyState, TDragKeyState(dkLeftButton));
    QCOMPARE(drop.point, m_panel->mapToGlobal(kDropPoint));
}

void TestDragDrop::secondDropReplacesList()
{
    dragAndDrop(m_panel, fileData({u"/a/1.jpg"_s, u"/a/2.jpg"_s, u"/a/3.jpg"_s}));
    QCoreApplication::processEvents();
    dragAndDrop(m_panel, fileData({u"/b/neu.bmp"_s}));
    QCoreApplication::processEvents();

    QCOMPARE(m_processed.size(), 2);
    QCOMPARE(m_processed.at(0).files.size(), 3);
    QCOMPARE(m_processed.at(1).files, QStringList{u"/b/neu.bmp"_s});
}

void TestDragDrop::dragsWithoutLocalFilesAreRefused_data()
{
    QTest::addColumn<MimeData>("entering");
    QTest::addColumn<MimeData>("dropped");

    auto text = std::make_shared<QMimeData>();
    text->setText(u"/tmp/a.jpg"_s);
    const MimeData web = urlData({QUrl(u"https://example.org/a.jpg"_s), QUrl(u"ftp://h/b.jpg"_s)});
    QTest::newRow("plain text") << text << text;
    QTest::newRow("web addresses") << web << web;
    const MimeData empty = std::make_shared<QMimeData>();
    QTest::newRow("no data") << empty << empty;
    QTest::newRow("file entered, none dropped") << fileData({u"/tmp/a.jpg"_s}) << web;
}

void TestDragDrop::dragsWithoutLocalFilesAreRefused()
{
    QFETCH(MimeData, entering);
    QFETCH(MimeData, dropped);
    int drops = 0;
    m_files->OnDrop
        = [&drops](const QMimeData*, TDragKeyState, QPoint, TDropEffectSet&) { ++drops; };

    const bool enterAccepted = send(QEvent::DragEnter, m_panel, entering).accepted;
    QCOMPARE(enterAccepted, entering != dropped);
    QVERIFY(!send(QEvent::Drop, m_panel, dropped).accepted);
    QCoreApplication::processEvents();

    QCOMPARE(drops, 0);
    QVERIFY(m_processed.isEmpty());
    QVERIFY(m_files->FileList().isEmpty());
}

void TestDragDrop::choosesEffect_data()
{
    QTest::addColumn<int>("targetEffects");
    QTest::addColumn<Qt::DropActions>("offered");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<Qt::DropAction>("expected");

    const Qt::KeyboardModifiers none;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Qt::KeyboardModifiers ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    const Qt::DropActions copyMove = Qt::CopyAction | Qt::MoveAction;
    const Qt::DropActions moveOnly = Qt::MoveAction;

    QTest::newRow("copy, plain") << int(deCopy) << kAllActions << none << Qt::CopyAction;
    QTest::newRow("copy, shift, copy offered")
        << int(deCopy) << copyMove << shift << Qt::CopyAction;
    QTest::newRow("copy, shift, only move offered")
        << int(deCopy) << moveOnly << shift << Qt::IgnoreAction;
    QTest::newRow("copy, only link offered")
        << int(deCopy) << Qt::DropActions(Qt::LinkAction) << none << Qt::IgnoreAction;
    QTest::newRow("copy+move, shift")
        << int(deCopy | deMove) << copyMove << shift << Qt::MoveAction;
    QTest::newRow("move, plain") << int(deMove) << copyMove << none << Qt::MoveAction;
    QTest::newRow("all, ctrl+shift")
        << int(deCopy | deMove | deLink) << kAllActions << ctrlShift << Qt::LinkAction;
    QTest::newRow("copy, ctrl+shift") << int(deCopy) << kAllActions << ctrlShift << Qt::CopyAction;
}

void TestDragDrop::choosesEffect()
{
    QFETCH(int, targetEffects);
    QFETCH(Qt::DropActions, offered);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(Qt::DropAction, expected);
    m_files->setTargetEffects(TDropEffectSet::fromInt(targetEffects));
    const MimeData data = fileData({u"/tmp/a.jpg"_s});
    const Gesture gesture{offered, modifiers};
    const bool dropped = expected != Qt::IgnoreAction;

    for (const QEvent::Type type : {QEvent::DragEnter, QEvent::DragMove, QEvent::Drop}) {
        const Answer answer = send(type, m_panel, data, gesture);
        QCOMPARE(answer.accepted, dropped);
        if (dropped)
            QCOMPARE(answer.action, expected);
    }
    QCoreApplication::processEvents();
    QCOMPARE(m_processed.size(), dropped ? 1 : 0);
}

void TestDragDrop::handlersSeeDragInOrderAndMayRefuse()
{
    QStringList log;
    bool refuseEntry = false;
    m_files->OnDragEnter = [&](const QMimeData* data, TDragKeyState keys, QPoint,
                               TDropEffectSet& effect, bool& accept) {
        log << u"enter %1 %2 %3"_s.arg(data->urls().size()).arg(keys.toInt()).arg(effect.toInt());
        accept = !refuseEntry;
    };
    m_files->OnDragOver = [&log](TDragKeyState, QPoint point, TDropEffectSet& effect) {
        log << u"over %1,%2 %3"_s.arg(point.x()).arg(point.y()).arg(effect.toInt());
    };
    m_files->OnDragLeave = [&log] { log << u"leave"_s; };
    m_files->OnDrop = [&log](const QMimeData*, TDragKeyState, QPoint, TDropEffectSet& effect) {
        log << u"drop %1"_s.arg(effect.toInt());
    };
    const MimeData data = fileData({u"/tmp/a.jpg"_s, u"/tmp/b.jpg"_s});
    const QPoint screen = m_panel->mapToGlobal(kDropPoint);
    const QString over = u"over %1,%2 1"_s.arg(screen.x()).arg(screen.y());

    send(QEvent::DragEnter, m_panel, data, {kAllActions, Qt::AltModifier});
    QDragLeaveEvent leave;
    QCoreApplication::sendEvent(m_panel, &leave);
    dragAndDrop(m_panel, data);
    QCoreApplication::processEvents();
    QCOMPARE(
        log,
        QStringList({u"enter 2 33 1"_s, u"leave"_s, u"enter 2 1 1"_s, over, over, u"drop 1"_s}));
    QCOMPARE(m_processed.size(), 1);

    refuseEntry = true;
    QVERIFY(!dragAndDrop(m_panel, data).accepted);
    refuseEntry = false;
    m_files->OnDragOver = [](TDragKeyState, QPoint, TDropEffectSet& effect) { effect = {}; };
    QVERIFY(!dragAndDrop(m_panel, data).accepted);
    QCoreApplication::processEvents();
    QCOMPARE(m_processed.size(), 1);
}

void TestDragDrop::emptyTargetEffectsMeanNoDropTarget()
{
    const MimeData data = fileData({u"/tmp/a.jpg"_s});
    QVERIFY(m_panel->acceptDrops());

    m_files->setTargetEffects({});
    QVERIFY(!m_panel->acceptDrops());
    QVERIFY(!dragAndDrop(m_panel, data).accepted);

    m_files->setTargetEffects(deCopy);
    QVERIFY(m_panel->acceptDrops());
    QVERIFY(dragAndDrop(m_panel, data).accepted);
    QCoreApplication::processEvents();
    QCOMPARE(m_processed.size(), 1);
}

void TestDragDrop::controlCanBeReplacedClearedAndDestroyed()
{
    const MimeData data = fileData({u"/tmp/a.jpg"_s});
    auto* other = new QWidget(m_window.get());

    m_files->setDragDropControl(other);
    QVERIFY(!m_panel->acceptDrops());
    QVERIFY(!dragAndDrop(m_panel, data).accepted);
    QVERIFY(dragAndDrop(other, data).accepted);
    m_files->setDragDropControl(nullptr);
    QVERIFY(!other->acceptDrops());
    QVERIFY(!dragAndDrop(other, data).accepted);

    m_files->setDragDropControl(other);
    delete other;
    QCOMPARE(m_files->DragDropControl(), nullptr);

    auto* selfOwned = new QWidget(m_window.get());
    (new TDragDropFiles(selfOwned))->setDragDropControl(selfOwned);
    delete selfOwned;

    m_files->setDragDropControl(m_panel);
    QCoreApplication::processEvents();
    QCOMPARE(m_processed.size(), 1);

    // Destroyed before its queued event runs: nothing more is raised.
    QVERIFY(dragAndDrop(m_panel, data).accepted);
    delete m_files;
    QVERIFY(!m_panel->acceptDrops());
    QCoreApplication::processEvents();
    QCOMPARE(m_processed.size(), 1);
}

QTEST_MAIN(TestDragDrop)
#include "tst_drag_drop.moc"
