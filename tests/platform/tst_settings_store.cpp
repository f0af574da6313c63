#include "platform/store/settings_error.h"
#include "platform/store/settings_store.h"
#include "support/test_env.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

namespace {

// The bytes of a sound SQLite database made by `sql`.
QByteArray databaseWith(const char* sql)
{
    QTemporaryDir dir;
    const QByteArray path = dir.filePath("andere.db").toUtf8();
    sqlite3* db = nullptr;
    sqlite3_open(path.constData(), &db);
    sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    sqlite3_close(db);
    QFile file(QString::fromUtf8(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class SettingsStoreTest : public QObject {
    Q_OBJECT

private slots:
    void typedValuesRoundTripUnderAnyLetterCase()
    {
        QTemporaryDir dir;
        SettingsStore store(dir.filePath("settings.db"));
        store.writeString("Daten", "/home/anna/Bilder");
        store.writeExpandString("Vorlagen", "%HOME%/Vorlagen");
        store.writeInteger("Linker Rand Front", -5);
        store.writeBool("UFront", false);
        store.writeInteger("AutoSave", 7);

        QCOMPARE(store.readString("DATEN"), QString("/home/anna/Bilder"));
        QCOMPARE(store.readString("vorlagen"), QString("%HOME%/Vorlagen"));
        QCOMPARE(store.readInteger("linker rand front"), -5);
        QCOMPARE(store.readBool("UFRONT"), false);
        QVERIFY(store.readBool("AutoSave"));  // any non-zero number is true
        QVERIFY(store.exists("mdoph") == false);
        store.writeInteger("MDopH", 120);
        QVERIFY(store.exists("MDOPH"));
        QVERIFY(store.remove("mdoph"));
        QVERIFY(!store.exists("MDopH"));
        QVERIFY(!store.remove("MDopH"));
    }

    void valuesSurviveReopeningAndTheFileIsPrivate()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("settings.db");
        {
            SettingsStore store(path);
            store.writeInteger("AnzPrint", 41);
            store.writeInteger("AnzPrint", 42);
        }
        SettingsStore reopened(path);
        QCOMPARE(reopened.readInteger("AnzPrint"), 42);
        QCOMPARE(
            QFileInfo(path).permissions()
                & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
            QFile::Permissions());
    }

    void aMissingFileReadsEmptyAndComesWithTheFirstWrite()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("sub/settings.db");
        SettingsStore store(path);
        QVERIFY(!store.exists("AutoSave"));
        QVERIFY(!store.remove("AutoSave"));
        QVERIFY_THROWS_EXCEPTION(SettingsError, store.readInteger("AutoSave"));
        QVERIFY(!QFileInfo::exists(path));
        store.writeBool("AutoSave", true);
        QVERIFY(QFileInfo::exists(path));
        QVERIFY(store.readBool("autosave"));
        {
            // A file made by someone else meanwhile is read.
            SettingsStore other(dir.filePath("sub/other.db"));
            SettingsStore(dir.filePath("sub/other.db")).writeInteger("AnzPrint", 3);
            QCOMPARE(other.readInteger("AnzPrint"), 3);
        }
        {
            SettingsStore batch(dir.filePath("sub/batch.db"));
            SettingsStore::Transaction transaction(batch);
            batch.writeInteger("AnzPrint", 4);
            transaction.commit();
        }
        QCOMPARE(SettingsStore(dir.filePath("sub/batch.db")).readInteger("AnzPrint"), 4);
    }

    void wrongTypesAndMissingValuesGiveTheGermanMessages()
    {
        QTemporaryDir dir;
        SettingsStore store(dir.filePath("settings.db"));
        store.writeString("MVorderseite", "gross");
        store.writeInteger("Daten", 3);
        auto messageOf = [](auto&& read) {
            try {
                read();
            } catch (const SettingsError& error) {
                return error.message();
            }
            return QString();
        };
        QCOMPARE(messageOf([&] { store.readInteger("MVorderseite"); }),
                 QString("Ungültiger Datentyp für 'MVorderseite'"));
        QCOMPARE(messageOf([&] { store.readString("Daten"); }),
                 QString("Ungültiger Datentyp für 'Daten'"));
        QCOMPARE(messageOf([&] { store.readBool("Fehlt"); }),
                 QString("Konnte Daten für 'Fehlt' nicht holen"));
    }

    void damagedFileIsMovedAsideAndAnEmptyStoreStarts_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("garbage") << QByteArray("this is no database at all\n").repeated(200);
        QTest::newRow("truncated database")
            << QByteArray("SQLite format 3\0", 16) + QByteArray(100, '\x01');
        QTest::newRow("database of another program")
            << databaseWith("CREATE TABLE settings_values (a, b)");
    }

    void damagedFileIsMovedAsideAndAnEmptyStoreStarts()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath("settings.db");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();

        SettingsStore store(path);
        QVERIFY(!store.recoveredFile().isEmpty());
        QVERIFY(store.recoveredFile().startsWith(path + ".defekt-"));
        QFile moved(store.recoveredFile());
        QVERIFY(moved.open(QIODevice::ReadOnly));
        QCOMPARE(moved.readAll(), content);  // nothing the user had is lost
        QVERIFY(!store.exists("Daten"));
        store.writeBool("UFront", true);
        QVERIFY(store.readBool("UFront"));

        SettingsStore healthy(path);
        QVERIFY(healthy.recoveredFile().isEmpty());
        QVERIFY(healthy.readBool("UFront"));
    }
};

SLEEVIX_TEST_MAIN(SettingsStoreTest)
#include "tst_settings_store.moc"
