#include "app/globals.h"
#include "platform/errors.h"
#include "platform/settings_store.h"
#include "platform/single_instance.h"
#include "settings/cdsetup.h"
#include "settings/program_values.h"
#include "support/message_boxes.h"
#include "support/test_env.h"
#include "workspace/sleevix.h"
#include "workspace/slot_panel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

SettingsStore& store()
{
    return SettingsStore::user();
}

// The real program, started with its own temporary folders so it never
// meets the user's running instance or settings.
class ProgramRun {
public:
    explicit ProgramRun(const QTemporaryDir& home)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("HOME", home.path());
        env.insert("XDG_CONFIG_HOME", home.filePath("config"));
        env.insert("XDG_DATA_HOME", home.filePath("data"));
        env.insert("TMPDIR", home.path());
        process.setProcessEnvironment(env);
        process.setProgram(QStringLiteral(SLEEVIX_BINARY));
    }
    QProcess process;
};

bool waitForServer(const QTemporaryDir& home)
{
    for (int i = 0; i < 100; ++i) {
        const QStringList sockets = QDir(home.path()).entryList({"Sleevix-*"}, QDir::System);
        for (const QString& name : sockets) {
            if (!name.endsWith(".lock"))
                return true;
        }
        QTest::qWait(50);
    }
    return false;
}

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void firstActivationRestoresTheSavedLayout()
    {
        testenv::App app;
        store().writeBool("2 Picture", true);
        store().writeBool("Double", true);
        store().writeBool("DVD", false);
        app.main().FormActivate();
        QVERIFY(app.main().cbDouble->isChecked());
        QVERIFY(app.main().cbSecIMG->isChecked());
        QCOMPARE(app.main().Panel2->x(), 306);  // the two-page folded layout took effect
        QVERIFY(!app.main().cbCD->isChecked());
        QVERIFY(!app.main().popupItem(1, TSleevix::kRecognitionItem)->isEnabled());
        QVERIFY(!app.main().sbClear->isEnabled());
    }

    void emptyStoreLeavesTheDesignStateAndExitSavesIt()
    {
        testenv::App app;
        app.main().FormActivate();
        for (QCheckBox* box : {app.main().cbSecFront, app.main().cbDouble, app.main().cbCD,
                               app.main().cbDVD, app.main().cbVHS, app.main().cbSecIMG})
            QVERIFY(!box->isChecked());
        app.main().cbCD->setChecked(true);
        app.main().close();
        QVERIFY(store().readBool("CD"));
        QVERIFY(!store().readBool("DVD"));
        QVERIFY(!store().readBool("2 Front"));

        app.restart();
        app.main().FormActivate();
        QVERIFY(app.main().cbCD->isChecked());
    }

    void autoSaveOffWritesNothingAtExit()
    {
        testenv::App app;
        store().writeBool("AutoSave", false);
        store().writeBool("VHS", true);
        app.restart();
        QVERIFY(!program().AutoSave);
        app.main().FormActivate();
        QVERIFY(app.main().cbVHS->isChecked());
        app.main().cbVHS->setChecked(false);
        app.main().close();
        QVERIFY(store().readBool("VHS"));
        QVERIFY(!store().exists("CD"));
    }

    void clipboardPictureEnablesPasteAndClearAtActivation()
    {
        testenv::App app;
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::green);
        QGuiApplication::clipboard()->setImage(image);
        app.main().FormActivate();
        QVERIFY(app.main().sbClipbrd1->isEnabled());
        QVERIFY(app.main().sbClipbrd2->isEnabled());
        QVERIFY(app.main().sbClear->isEnabled());
        QGuiApplication::clipboard()->clear();
        app.main().FormActivate();
        QVERIFY(!app.main().sbClipbrd1->isEnabled());
        QVERIFY(!app.main().sbClipbrd2->isEnabled());
    }

    void helpEntryShowsOnlyWithTheHelpDocument()
    {
        const QString helpDir = QDir(QCoreApplication::applicationDirPath()).filePath("Help");
        QDir(helpDir).removeRecursively();
        {
            testenv::App app;
            app.main().FormActivate();
            QVERIFY(!app.main().Hilfe1->isVisible());
        }
        QDir().mkpath(helpDir);
        QFile help(helpDir + "/Help.htm");
        QVERIFY(help.open(QIODevice::WriteOnly));
        help.write("<html></html>");
        help.close();
        testenv::App app;
        app.main().FormActivate();
        QVERIFY(app.main().Hilfe1->isVisible());
        QDir(helpDir).removeRecursively();
    }

    // A layout value of the wrong type costs only itself: the later ones are
    // restored, and the exit saves the box's state in its place.
    void wrongTypedLayoutValueCostsOnlyItself()
    {
        testenv::App app;
        store().writeString("Double", "ja");
        store().writeBool("CD", true);
        testenv::MessageBoxWatch boxes;
        app.main().FormActivate();
        QCOMPARE(boxes.texts(), QStringList{"Ungültiger Datentyp für 'Double'"});
        QVERIFY(app.main().cbCD->isChecked());
        QVERIFY(!app.main().popupItem(1, TSleevix::kRecognitionItem)->isEnabled());
        app.main().close();
        QCOMPARE(store().readBool("Double"), false);
        QVERIFY(store().readBool("CD"));
    }

    void secondStartBringsTheFirstForwardAndEnds()
    {
        QTemporaryDir home;
        ProgramRun first(home);
        first.process.start();
        QVERIFY(first.process.waitForStarted());
        QVERIFY(waitForServer(home));

        ProgramRun second(home);
        second.process.start();
        QVERIFY(second.process.waitForFinished(10000));
        QCOMPARE(second.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.process.exitCode(), 0);
        QCOMPARE(first.process.state(), QProcess::Running);

        // A crashed first instance leaves its socket behind; the next start
        // must still run.
        first.process.kill();
        first.process.waitForFinished();
        ProgramRun third(home);
        third.process.start();
        QVERIFY(third.process.waitForStarted());
        QVERIFY(!third.process.waitForFinished(1500));
        third.process.kill();
        third.process.waitForFinished();
    }

    void runningInstanceIsAskedToComeForward()
    {
        QTemporaryDir home;
        qputenv("TMPDIR", home.path().toLocal8Bit());
        SingleInstance running(QStringLiteral("Sleevix"));
        QVERIFY(!running.anotherInstanceRuns());
        QSignalSpy asked(&running, &SingleInstance::activationRequested);
        ProgramRun second(home);
        second.process.start();
        QVERIFY(asked.wait(10000));
        QVERIFY(second.process.waitForFinished(10000));
        QCOMPARE(second.process.exitCode(), 0);
        qunsetenv("TMPDIR");
    }

    void simultaneousStartsLeaveExactlyOneRunning()
    {
        QTemporaryDir home;
        ProgramRun a(home);
        ProgramRun b(home);
        a.process.start();
        b.process.start();
        QVERIFY(a.process.waitForStarted());
        QVERIFY(b.process.waitForStarted());
        QTest::qWait(2500);
        const int running = int(a.process.state() == QProcess::Running) +
                            int(b.process.state() == QProcess::Running);
        QCOMPARE(running, 1);
        for (ProgramRun* run : {&a, &b}) {
            run->process.kill();
            run->process.waitForFinished();
        }
    }
};

SLEEVIX_TEST_MAIN(StartupTest)
#include "tst_startup.moc"
