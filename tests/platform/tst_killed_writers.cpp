// A program killed in the middle of writing a template or the settings store
// leaves a whole file behind: the old one or the new one, never a mix.
#include "platform/profile/ini_profile.h"
#include "platform/store/settings_store.h"
#include "support/test_env.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <csignal>

namespace {

constexpr int kKills = 6;
constexpr int kTemplateKeys = 300;  // as the child writes them

// The last generation the writer has reported so far, or 0.
int lastGeneration(QProcess& writer)
{
    static const QRegularExpression line(QStringLiteral("^generation (\\d+)"));
    int last = 0;
    while (writer.canReadLine()) {
        const QRegularExpressionMatch match = line.match(QString::fromUtf8(writer.readLine()));
        if (match.hasMatch())
            last = match.captured(1).toInt();
    }
    return last;
}

// Starts the writer child and kills it at a random moment once it has
// finished `generations` writes; returns the last generation it finished.
int killWriterMidWrite(const QString& command, const QString& file, int generations)
{
    QProcess writer;
    writer.start(QStringLiteral(SLEEVIX_TEST_CHILD), {command, file});
    if (!writer.waitForStarted(10000))
        return -1;
    int reported = 0;
    while (reported < generations && writer.waitForReadyRead(30000))
        reported = qMax(reported, lastGeneration(writer));
    QTest::qWait(QRandomGenerator::global()->bounded(25));
    ::kill(pid_t(writer.processId()), SIGKILL);
    writer.waitForFinished(10000);
    return qMax(reported, lastGeneration(writer));
}

// The generation all keys of the template hold, or -1 when they differ or
// some are missing.
int templateGeneration(const QString& file)
{
    const IniProfile profile(file);
    const QString first = profile.readString("Settings", "K0");
    for (int key = 1; key < kTemplateKeys; ++key) {
        if (profile.readString("Settings", QString("K%1").arg(key)) != first)
            return -1;
    }
    return first.section(u'-', 0, 0).toInt();
}

}  // namespace

class KilledWritersTest : public QObject {
    Q_OBJECT

private slots:
    void killedTemplateWriteLeavesAWholeTemplate()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("gross.lab");
        for (int kill = 0; kill < kKills; ++kill) {
            const int reported = killWriterMidWrite("template-loop", file, 2);
            QVERIFY(reported >= 2);
            const int found = templateGeneration(file);
            QVERIFY2(found >= reported,
                     qPrintable(QString("found %1 after %2").arg(found).arg(reported)));
            QVERIFY(found <= reported + 1);
        }
        QCOMPARE(QDir(dir.path()).entryList({"*.lab"}, QDir::Files), QStringList{"gross.lab"});
    }

    void killedStoreWriteLeavesAWorkingStore()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("settings.db");
        for (int kill = 0; kill < kKills; ++kill) {
            const int reported = killWriterMidWrite("store-loop", file, 3);
            QVERIFY(reported >= 3);
            SettingsStore store(file);
            QVERIFY(store.recoveredFile().isEmpty());
            const int count = store.readInteger("AnzPrint");
            QVERIFY(count >= reported && count <= reported + 1);
            QVERIFY(store.readString("Url0").startsWith("https://example.org/"));
        }
    }
};

SLEEVIX_TEST_MAIN(KilledWritersTest)
#include "tst_killed_writers.moc"
