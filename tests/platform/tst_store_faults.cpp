// The settings store when its file cannot grow, cannot be written or cannot
// be opened at all: every failed write says so in German, the program goes
// on, and nothing already stored is lost.
#include "platform/store/settings_error.h"
#include "platform/store/settings_store.h"
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

void storeSomeValues(SettingsStore& store)
{
    store.writeString("Daten", "/home/anna/Bilder");
    store.writeInteger("AnzPrint", 41);
    for (int i = 0; i < 20; ++i)
        store.writeString(QString("Url%1").arg(i), QString("https://example.org/%1").arg(i));
}

void checkSomeValues(const SettingsStore& store)
{
    QCOMPARE(store.readString("Daten"), QString("/home/anna/Bilder"));
    QCOMPARE(store.readInteger("AnzPrint"), 41);
    for (int i = 0; i < 20; ++i)
        QCOMPARE(store.readString(QString("URL%1").arg(i)), QString("https://example.org/%1").arg(i));
}

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
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                                              | QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        const QByteArray before = contentsOf(path);

        QProcess writer;
        writer.start(QStringLiteral(SLEEVIX_TEST_CHILD), {"store-write", path});
        QVERIFY(writer.waitForFinished(30000));
        QCOMPARE(writer.exitCode(), 0);
        const QStringList lines = QString::fromUtf8(writer.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines, QStringList({"read: /home/anna/Bilder", "write: Konnte Daten für 'Daten' nicht setzen"}));
        QCOMPARE(contentsOf(path), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"settings.db"});
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
