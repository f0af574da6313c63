#include "model/program_values.h"
#include "platform/desktop/display_identity.h"
#include "platform/desktop/single_instance.h"
#include "platform/store/settings_error.h"
#include "platform/store/settings_store.h"
#include "settings/t_cd_setup.h"
#include "support/message_boxes.h"
#include "support/test_env.h"
#include "workspace/command_line.h"
#include "workspace/slot_panel.h"
#include "workspace/t_sleevix.h"

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

#include <sys/socket.h>
#include <sys/un.h>

#include <pwd.h>
#include <unistd.h>

namespace {

SettingsStore& store()
{
    return SettingsStore::user();
}

// The runtime folder of a test's own, as the desktop makes it.
QString runtimeFolder(const QTemporaryDir& home)
{
    const QString folder = home.filePath("runtime");
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return folder;
}

// This test process uses a home's runtime folder while it lives, and the
// tests' own again afterwards, also when a check fails.
class RuntimeFolderOfHome {
public:
    explicit RuntimeFolderOfHome(const QTemporaryDir& home)
        : m_testsFolder(qgetenv("XDG_RUNTIME_DIR"))
    {
        qputenv("XDG_RUNTIME_DIR", runtimeFolder(home).toLocal8Bit());
    }
    ~RuntimeFolderOfHome() { qputenv("XDG_RUNTIME_DIR", m_testsFolder); }

private:
    QByteArray m_testsFolder;
};

// The real program, started with its own temporary folders so it never
// meets the user's running instance or settings.
class ProgramRun {
public:
    explicit ProgramRun(const QTemporaryDir& home)
    {
        environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("HOME", home.path());
        environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
        environment.insert("XDG_DATA_HOME", home.filePath("data"));
        environment.insert("TMPDIR", home.path());
        environment.insert("XDG_RUNTIME_DIR", runtimeFolder(home));
        process.setProgram(QStringLiteral(SLEEVIX_BINARY));
    }
    ~ProgramRun()
    {
        process.kill();
        process.waitForFinished();
    }
    void start()
    {
        process.setProcessEnvironment(environment);
        process.start();
    }
    // Still running after a while: it did not take itself for a second start.
    bool keepsRunning() { return process.waitForStarted() && !process.waitForFinished(2000); }
    // Ended at once and well, as a second start does.
    bool endsAsASecondStart()
    {
        return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit
            && process.exitCode() == 0;
    }

    QProcessEnvironment environment;
    QProcess process;
};

// The instance socket of the offscreen platform.
bool waitForSocket(const QString& folder)
{
    for (int i = 0; i < 100; ++i) {
        if (QFileInfo(QDir(folder).filePath("Sleevix-offscreen")).exists())
            return true;
        QTest::qWait(50);
    }
    return false;
}

// A stand-in for another user's program listening on the instance socket.
class StrangersListener {
public:
    explicit StrangersListener(const QString& socket)
    {
        m_child.start(QStringLiteral(SLEEVIX_TEST_CHILD), {"foreign-listener", socket});
    }
    ~StrangersListener()
    {
        m_child.kill();
        m_child.waitForFinished();
    }
    bool waitForListening()
    {
        return m_child.waitForReadyRead(10000) && m_child.readLine().trimmed() == "listening";
    }
    QString received() { return QString::fromUtf8(m_child.readAll()); }

private:
    QProcess m_child;
};

QString userName()
{
    const passwd* user = getpwuid(geteuid());
    return user ? QString::fromLocal8Bit(user->pw_name) : QString();
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
        first.start();
        QVERIFY(first.process.waitForStarted());
        QVERIFY(waitForSocket(runtimeFolder(home)));

        ProgramRun second(home);
        second.start();
        QVERIFY(second.endsAsASecondStart());
        QCOMPARE(first.process.state(), QProcess::Running);

        // A crashed first instance leaves its socket behind; the next start
        // must still run.
        first.process.kill();
        first.process.waitForFinished();
        ProgramRun third(home);
        third.start();
        QVERIFY(third.keepsRunning());
    }

    void runningInstanceIsAskedToComeForward()
    {
        QTemporaryDir home;
        const RuntimeFolderOfHome runtime(home);
        SingleInstance running(QStringLiteral("Sleevix"));
        QVERIFY(!running.anotherInstanceRuns());
        QSignalSpy asked(&running, &SingleInstance::activationRequested);
        ProgramRun second(home);
        second.start();
        QVERIFY(asked.wait(10000));
        QVERIFY(second.endsAsASecondStart());
    }

    // The later start's files reach the running instance whole, as
    // absolute paths, in their order; the word "open" is not among them.
    void secondStartHandsItsFilesOver()
    {
        QTemporaryDir home;
        const RuntimeFolderOfHome runtime(home);
        SingleInstance running(QStringLiteral("Sleevix"));
        QVERIFY(!running.anotherInstanceRuns());
        QSignalSpy asked(&running, &SingleInstance::activationRequested);
        QSignalSpy handed(&running, &SingleInstance::filesHandedOver);
        ProgramRun second(home);
        const QString oddName = QString::fromUtf8("/tmp/Hülle\nneu 100%.jpg");
        second.process.setArguments({"open", "Bild 1.bmp", oddName});
        second.process.setWorkingDirectory(home.path());
        second.start();
        QVERIFY(handed.wait(10000));
        QCOMPARE(asked.count(), 1);
        QCOMPARE(handed.count(), 1);
        QCOMPARE(handed.first().first().toStringList(),
                 QStringList({QDir(home.path()).filePath("Bild 1.bmp"), oddName}));
        QVERIFY(second.endsAsASecondStart());
    }

    void simultaneousStartsLeaveExactlyOneRunning()
    {
        QTemporaryDir home;
        ProgramRun a(home);
        ProgramRun b(home);
        a.start();
        b.start();
        QVERIFY(a.process.waitForStarted());
        QVERIFY(b.process.waitForStarted());
        QTest::qWait(2500);
        const int running = int(a.process.state() == QProcess::Running)
            + int(b.process.state() == QProcess::Running);
        QCOMPARE(running, 1);
    }

    // A socket of another user on the instance's path (only root can put
    // one into the user's folder) is never obeyed: the program starts, asks
    // it nothing, and takes the path for its own socket.
    void anotherUsersSocketIsNeverObeyed()
    {
        if (geteuid() != 0)
            QSKIP("only root can listen as another user in this user's folder");
        QTemporaryDir home;
        StrangersListener stranger(QDir(runtimeFolder(home)).filePath("Sleevix-offscreen"));
        QVERIFY(stranger.waitForListening());
        ProgramRun first(home);
        first.start();
        QVERIFY(first.keepsRunning());
        QVERIFY(!stranger.received().contains("activate"));

        ProgramRun second(home);
        second.start();
        QVERIFY(second.endsAsASecondStart());
        QCOMPARE(stranger.received(), QString());
    }

    // Qt keeps its Wayland connection to itself; the program finds the
    // compositor's socket among its own.
    void waylandDisplayIsFoundAmongTheConnectedSockets()
    {
        QTemporaryDir folder;
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, QFile::encodeName(folder.filePath("wayland-7")).constData(),
                 sizeof address.sun_path);
        const auto* bound = reinterpret_cast<const sockaddr*>(&address);
        const int compositor = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(::bind(compositor, bound, sizeof address) == 0 && ::listen(compositor, 1) == 0);
        QCOMPARE(connectedWaylandDisplay(), QString());
        const int client = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(::connect(client, bound, sizeof address) == 0);
        QCOMPARE(connectedWaylandDisplay(), QString("wayland-7"));
        ::close(client);
        ::close(compositor);
    }

    void commandLineNamesTheFilesAndTheWordOpen_data()
    {
        QTest::addColumn<QStringList>("arguments");  // after the program
        QTest::addColumn<bool>("opensFolder");
        QTest::addColumn<QStringList>("files");  // relative ones below the working folder
        QTest::newRow("nothing") << QStringList() << false << QStringList();
        QTest::newRow("files") << QStringList{"a.jpg", "/b/c.bmp"} << false
                               << QStringList{"a.jpg", "/b/c.bmp"};
        QTest::newRow("open first") << QStringList{"open", "a.jpg"} << true << QStringList{"a.jpg"};
        QTest::newRow("open later is a file")
            << QStringList{"a.jpg", "open"} << false << QStringList{"a.jpg", "open"};
        QTest::newRow("Open is a file") << QStringList{"Open"} << false << QStringList{"Open"};
    }

    void commandLineNamesTheFilesAndTheWordOpen()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, opensFolder);
        QFETCH(QStringList, files);
        const CommandLine commandLine(QStringList{"sleevix"} + arguments);
        QCOMPARE(commandLine.opensPictureFolder(), opensFolder);
        for (QString& file : files)
            file = QDir::current().absoluteFilePath(file);
        QCOMPARE(commandLine.pictureFiles(), files);
    }

    void socketLivesInAFolderOnlyTheUserCanEnter_data()
    {
        QTest::addColumn<bool>("runtimeFolderSet");
        QTest::addColumn<QString>("link");  // made a link to "/" before the start
        QTest::addColumn<QString>("folder");
        const QString qtFallback = "runtime-" + userName();
        QTest::newRow("the desktop's") << true << ""
                                       << "runtime";
        QTest::newRow("none set") << false << "" << qtFallback;
        QTest::newRow("the usual fallback a link")
            << false << qtFallback << QString("sleevix-%1").arg(geteuid());
    }

    void socketLivesInAFolderOnlyTheUserCanEnter()
    {
        QFETCH(bool, runtimeFolderSet);
        QFETCH(QString, link);
        QFETCH(QString, folder);
        QTemporaryDir home;
        ProgramRun run(home);
        if (!runtimeFolderSet)
            run.environment.remove("XDG_RUNTIME_DIR");
        if (!link.isEmpty())
            QVERIFY(QFile::link("/", home.filePath(link)));
        run.start();
        QVERIFY(waitForSocket(home.filePath(folder)));
        const QFileInfo info(home.filePath(folder));
        QVERIFY(!info.isSymLink());
        QCOMPARE(info.permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

SLEEVIX_TEST_MAIN(StartupTest)
#include "tst_startup.moc"
