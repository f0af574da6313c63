// The settings store when its file cannot grow, cannot be written, cannot
// be opened at all or is locked by another program: every failed use says
// so in German, the program goes on, and nothing already stored is lost.
#include "platform/store/settings_error.h"
#include "platform/store/settings_store.h"
#include "platform/widgets/spin_edit.h"
#include "settings/t_cd_setup.h"
#include "support/file_faults.h"
#include "support/message_boxes.h"
#include "support/test_env.h"
#include "workspace/t_sleevix.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

QString writeErrorOf(const std::function<void()>& write)
{
    try {
        write();
    } catch (const SettingsError& error) {
        return error.message();
    }
    return QStringLiteral("(kein Fehler)");
}

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The links sort in the order of their numbers, as the link list keeps them.
QString link(int i)
{
    return QString("https://example.org/%1").arg(i, 2, 10, QChar('0'));
}

void storeSomeValues(SettingsStore& store)
{
    store.writeString("Daten", "/home/anna/Bilder");
    store.writeInteger("AnzPrint", 41);
    for (int i = 0; i < 20; ++i)
        store.writeString(QString("Url%1").arg(i), link(i));
}

void checkSomeValues(const SettingsStore& store)
{
    QCOMPARE(store.readString("Daten"), QString("/home/anna/Bilder"));
    QCOMPARE(store.readInteger("AnzPrint"), 41);
    for (int i = 0; i < 20; ++i)
        QCOMPARE(store.readString(QString("URL%1").arg(i)), link(i));
}

// Another program that holds an exclusive transaction on the store file
// until release().
class OtherProgramsLock {
public:
    explicit OtherProgramsLock(const QString& file)
    {
        m_child.start(QStringLiteral(SLEEVIX_TEST_CHILD), {"store-lock", file});
    }
    ~OtherProgramsLock()
    {
        m_child.kill();
        m_child.waitForFinished();
    }
    QString waitForLock() { return nextLine(); }
    QString release()
    {
        m_child.write("\n");
        return nextLine();
    }

private:
    QString nextLine()
    {
        while (!m_child.canReadLine() && m_child.waitForReadyRead(30000)) {
        }
        return QString::fromUtf8(m_child.readLine()).trimmed();
    }
    QProcess m_child;
};

}  // namespace

class StoreFaultsTest : public QObject {
    Q_OBJECT

private slots:
    void fullDiskRefusesTheWriteAndKeepsEveryValue()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("settings.db");
        SettingsStore store(path);
        storeSomeValues(store);
        const QString picture(200 * 1024, u'x');
        {
            const testenv::DiskNearlyFull disk(QFileInfo(path).size());
            QCOMPARE(writeErrorOf([&] { store.writeString("Bild", picture); }),
                     QString("Konnte Daten für 'Bild' nicht setzen"));
            checkSomeValues(store);
        }
        {
            const testenv::DiskNearlyFull disk(0);
            QCOMPARE(writeErrorOf([&] { store.writeInteger("AnzPrint", 42); }),
                     QString("Konnte Daten für 'AnzPrint' nicht setzen"));
            checkSomeValues(store);
        }
        // Once there is room again, the same store writes.
        store.writeString("Bild", picture);
        SettingsStore reopened(path);
        QVERIFY(reopened.recoveredFile().isEmpty());
        checkSomeValues(reopened);
        QCOMPARE(reopened.readString("Bild"), picture);
    }

    // A user without write permission; the test runs the writer as "nobody"
    // when it runs as root, for whom permissions do not count.
    void readOnlyFileRefusesWritesAndStillReads()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("settings.db");
        {
            SettingsStore store(path);
            storeSomeValues(store);
        }
        QFile::setPermissions(dir.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                  | QFile::ReadOther | QFile::ExeOther | QFile::ReadGroup
                                  | QFile::ExeGroup);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        const QByteArray before = contentsOf(path);

        QProcess writer;
        writer.start(QStringLiteral(SLEEVIX_TEST_CHILD), {"store-write", path});
        QVERIFY(writer.waitForFinished(30000));
        QCOMPARE(writer.exitCode(), 0);
        const QStringList lines
            = QString::fromUtf8(writer.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines,
                 QStringList(
                     {"read: /home/anna/Bilder", "write: Konnte Daten für 'Daten' nicht setzen"}));
        QCOMPARE(contentsOf(path), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"settings.db"});
    }

    void lockedStoreIsWaitedForAndNeverMovedAside_data()
    {
        QTest::addColumn<QString>("moment");
        QTest::addColumn<QStringList>("messages");
        const QString cannotRead = QStringLiteral("Konnte Daten für 'Daten' nicht holen");
        QTest::newRow("start") << "start"
                               << QStringList{cannotRead,
                                              "Konnte Daten für '2 Picture' nicht holen"};
        QTest::newRow("settings dialog opening") << "dialog" << QStringList{cannotRead, cannotRead};
        QTest::newRow("Speichern")
            << "save" << QStringList{"Konnte Daten für 'Daten' nicht setzen"};
    }

    // The program meets another program's write lock on the store file: it
    // waits a while, says so, and leaves the file and its journal alone.
    void lockedStoreIsWaitedForAndNeverMovedAside()
    {
        QFETCH(QString, moment);
        QFETCH(QStringList, messages);
        testenv::App app;
        storeSomeValues(SettingsStore::user());
        SettingsStore::user().writeInteger("CD-links", 50);
        // The dialog to save from is open before the lock comes.
        std::unique_ptr<TCDSetup> dialog;
        if (moment == "save") {
            dialog = std::make_unique<TCDSetup>(TCDSetup::Role::Dialog, app.main(), app.main(),
                                                &app.main());
            dialog->show();
        }
        const QString folder = QFileInfo(SettingsStore::userStorePath()).absolutePath();

        OtherProgramsLock lock(SettingsStore::userStorePath());
        QCOMPARE(lock.waitForLock(), QString("locked"));
        const QStringList files = QDir(folder).entryList(QDir::Files);
        QCOMPARE(files, QStringList({"settings.db", "settings.db-journal"}));
        testenv::MessageBoxWatch boxes;
        if (moment == "start") {
            SettingsStore::resetUser();  // a new process opens the file anew
            app.restart();
            app.main().show();
            QTRY_COMPARE_WITH_TIMEOUT(boxes.texts().size(), 2, 30000);
        } else if (moment == "dialog") {
            dialog = std::make_unique<TCDSetup>(TCDSetup::Role::Dialog, app.main(), app.main(),
                                                &app.main());
            dialog->show();
        } else {
            dialog->Button1->click();  // "&Speichern"
            QVERIFY(dialog->isVisible());
        }
        QCOMPARE(boxes.texts(), messages);
        QCOMPARE(QDir(folder).entryList(QDir::Files), files);
        QCOMPARE(lock.release(), QString("commit: ok"));
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"settings.db"});
        if (moment == "dialog") {
            // The dialog that could not load saves nothing over the store.
            dialog->Button1->click();
            QVERIFY(dialog->isVisible());
            messages << "Konnte Daten für 'Daten' nicht setzen";
        }

        // Once the lock is gone, the store reads and writes as ever, the
        // other program's change included.
        TCDSetup after(TCDSetup::Role::Dialog, app.main(), app.main(), &app.main());
        after.show();
        QCOMPARE(after.spCDLeft->value(), 88);
        QCOMPARE(after.eDaten->text(), QString("/home/anna/Bilder"));
        after.spMV->setValue(101);
        after.Button1->click();
        QVERIFY(!after.isVisible());
        QCOMPARE(boxes.texts(), messages);
        QCOMPARE(SettingsStore::user().readInteger("MVorderseite"), 101);
        checkSomeValues(SettingsStore::user());
    }

    void unusableFolderGivesTheMessagesAndTheProgramGoesOn()
    {
        testenv::App app;
        const QString folder = QFileInfo(SettingsStore::userStorePath()).absolutePath();
        QDir(folder).removeRecursively();
        QFile blocker(folder);  // a file where the store's folder belongs
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        testenv::MessageBoxWatch boxes;
        app.restart();
        QCOMPARE(boxes.texts(), QStringList{"Konnte Daten für 'Daten' nicht holen"});
        QVERIFY(app.main().isEnabled());

        TCDSetup dialog(TCDSetup::Role::Dialog, app.main(), app.main(), &app.main());
        dialog.show();
        dialog.Button1->click();  // "&Speichern"
        QCOMPARE(boxes.texts().last(), QString("Konnte Daten für 'Daten' nicht setzen"));
        QVERIFY(dialog.isVisible());
        QVERIFY(QFileInfo(folder).isFile());
        QFile::remove(folder);
    }
};

SLEEVIX_TEST_MAIN(StoreFaultsTest)
#include "tst_store_faults.moc"
