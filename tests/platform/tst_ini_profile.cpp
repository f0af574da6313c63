#include "platform/errors.h"
#include "platform/ini_profile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void putFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Lets writes beyond `bytes` fail as on a full disk, for the lifetime of the
// object.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limited = m_saved;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    rlimit m_saved{};
};

QString writeErrorOf(const std::function<void()>& write)
{
    try {
        write();
    } catch (const TemplateWriteError& error) {
        return error.message();
    }
    return QStringLiteral("(no error)");
}

}  // namespace

class TestIniProfile : public QObject {
    Q_OBJECT

private slots:
    void init();

    void newFileIsWrittenInWindowsStyle();
    void updateKeepsUnknownLinesAndOrder();
    void namesMatchWithoutLetterCase();
    void missingFileOrKeyGivesDefault();
    void readsIntegers_data();
    void readsIntegers();
    void readsBooleans();
    void valuesRoundTripExactly_data();
    void valuesRoundTripExactly();
    void longValuesAreCutAt2047();

    void readsWindows1252AndUtf8();
    void writesWindows1252();
    void utf8FileStaysUtf8();

    void unwritableTargetsRaiseGermanErrorAndKeepFiles_data();
    void unwritableTargetsRaiseGermanErrorAndKeepFiles();
    void failedWriteKeepsOldFile();

    void batchWritesOnceAtCommit();
    void batchWithoutCommitLeavesFileAlone();
    void failedBatchCommitKeepsOldFile();

    void hugeOrBinaryFilesStayHarmless();

private:
    QString path(const QString& name) const { return m_dir->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestIniProfile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestIniProfile::newFileIsWrittenInWindowsStyle()
{
    IniProfile ini(path(QStringLiteral("neu.lab")));
    ini.writeBool(QStringLiteral("CB"), QStringLiteral("cbUFront"), true);
    ini.writeBool(QStringLiteral("CB"), QStringLiteral("cbUBack"), false);
    ini.writeInteger(QStringLiteral("Settings"), QStringLiteral("ORand"), -5);
    ini.writeInteger(QStringLiteral("Settings"), QStringLiteral("LRand"), 36);
    ini.writeBool(QStringLiteral("CB"), QStringLiteral("cbKnickTrennVR"), true);
    ini.writeString(QStringLiteral("Printer"), QStringLiteral("Drucker"), QStringLiteral("Büro"));

    QCOMPARE(fileBytes(ini.fileName()),
             QByteArray("[CB]\r\ncbUFront=1\r\ncbUBack=0\r\ncbKnickTrennVR=1\r\n\r\n"
                        "[Settings]\r\nORand=-5\r\nLRand=36\r\n\r\n"
                        "[Printer]\r\nDrucker=B\xFCro\r\n"));
}

void TestIniProfile::updateKeepsUnknownLinesAndOrder()
{
    const QString file = path(QStringLiteral("alt.lab"));
    putFile(file, "; Vorlage von Hand\n"
                  "[CB]\n"
                  "cbUFront=0\n"
                  "Fremd = bleibt\n"
                  "; Kommentar\n"
                  "cbUBack=0\n"
                  "\n"
                  "[Eigenes]\n"
                  "x=1\n");

    IniProfile ini(file);
    ini.writeBool(QStringLiteral("cb"), QStringLiteral("CBUBACK"), true);
    ini.writeBool(QStringLiteral("CB"), QStringLiteral("cbSecFront"), true);
    ini.writeString(QStringLiteral("Printer"), QStringLiteral("Drucker"), QStringLiteral("P"));

    QCOMPARE(fileBytes(file), QByteArray("; Vorlage von Hand\r\n"
                                         "[CB]\r\n"
                                         "cbUFront=0\r\n"
                                         "Fremd = bleibt\r\n"
                                         "; Kommentar\r\n"
                                         "cbUBack=1\r\n"
                                         "cbSecFront=1\r\n"
                                         "\r\n"
                                         "[Eigenes]\r\n"
                                         "x=1\r\n"
                                         "\r\n"
                                         "[Printer]\r\n"
                                         "Drucker=P\r\n"));
}

void TestIniProfile::namesMatchWithoutLetterCase()
{
    const QString file = path(QStringLiteral("case.lab"));
    putFile(file, "[ Settings ]\r\n  ORand = 12  \r\n[settings]\r\nORand=99\r\n");
    const IniProfile ini(file);

    QCOMPARE(ini.readInteger(QStringLiteral("SETTINGS"), QStringLiteral("orand"), 0), 12);
    QCOMPARE(ini.readString(QStringLiteral("settings"), QStringLiteral("ORAND")),
             QStringLiteral("12"));
}

void TestIniProfile::missingFileOrKeyGivesDefault()
{
    const IniProfile missing(path(QStringLiteral("fehlt.lab")));
    QCOMPARE(missing.readString(QStringLiteral("Printer"), QStringLiteral("Drucker"),
                                QStringLiteral("vorgabe")),
             QStringLiteral("vorgabe"));
    QCOMPARE(missing.readInteger(QStringLiteral("Masse"), QStringLiteral("RB"), 152), 152);
    QVERIFY(!QFile::exists(missing.fileName()));

    const QString file = path(QStringLiteral("leer.lab"));
    putFile(file, "[Printer]\r\nDrucker=\r\n; RB=7\r\n");
    const IniProfile ini(file);
    QCOMPARE(ini.readString(QStringLiteral("Printer"), QStringLiteral("Drucker"),
                            QStringLiteral("vorgabe")),
             QString());
    QCOMPARE(ini.readInteger(QStringLiteral("Printer"), QStringLiteral("; RB"), 3), 3);
    QCOMPARE(ini.readInteger(QStringLiteral("Masse"), QStringLiteral("RB"), 152), 152);
}

void TestIniProfile::readsIntegers_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("expected");

    QTest::newRow("decimal") << QByteArray("120") << 120;
    QTest::newRow("negative") << QByteArray("-36") << -36;
    QTest::newRow("plus sign") << QByteArray("+7") << 7;
    QTest::newRow("blanks around") << QByteArray("  42\t") << 42;
    QTest::newRow("hex lower") << QByteArray("0x14") << 20;
    QTest::newRow("hex upper") << QByteArray("0X1f") << 31;
    QTest::newRow("hex 32 bits") << QByteArray("0xFFFFFFFF") << -1;
    QTest::newRow("quoted") << QByteArray("\"15\"") << 15;
    QTest::newRow("digits then letters") << QByteArray("12abc") << -99;
    QTest::newRow("word") << QByteArray("zwölf") << -99;
    QTest::newRow("empty") << QByteArray("") << -99;
    QTest::newRow("hex without digits") << QByteArray("0x") << -99;
    QTest::newRow("hex bad digit") << QByteArray("0x1G") << -99;
    QTest::newRow("hex beyond 32 bits") << QByteArray("0x100000000") << -99;
    QTest::newRow("negative hex") << QByteArray("-0x14") << -99;
    QTest::newRow("decimal beyond 32 bits") << QByteArray("2147483648") << -99;
    QTest::newRow("fraction") << QByteArray("1.5") << -99;
}

void TestIniProfile::readsIntegers()
{
    QFETCH(QByteArray, text);
    QFETCH(int, expected);
    const QString file = path(QStringLiteral("zahl.lab"));
    putFile(file, "[Settings]\r\nORand=" + text + "\r\n");

    QCOMPARE(IniProfile(file).readInteger(QStringLiteral("Settings"), QStringLiteral("ORand"), -99),
             expected);
}

void TestIniProfile::readsBooleans()
{
    const QString file = path(QStringLiteral("bool.lab"));
    putFile(file, "[CB]\r\nnull=0\r\neins=1\r\nzwei=2\r\nhex=0x0\r\nwort=ja\r\n");
    const IniProfile ini(file);
    const QString cb = QStringLiteral("CB");

    QCOMPARE(ini.readBool(cb, QStringLiteral("null"), true), false);
    QCOMPARE(ini.readBool(cb, QStringLiteral("eins"), false), true);
    QCOMPARE(ini.readBool(cb, QStringLiteral("zwei"), false), true);
    QCOMPARE(ini.readBool(cb, QStringLiteral("hex"), true), false);
    QCOMPARE(ini.readBool(cb, QStringLiteral("wort"), true), true);
    QCOMPARE(ini.readBool(cb, QStringLiteral("wort"), false), false);
    QCOMPARE(ini.readBool(cb, QStringLiteral("fehlt"), true), true);
    QCOMPARE(ini.readBool(cb, QStringLiteral("fehlt"), false), false);
}

void TestIniProfile::valuesRoundTripExactly_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("readBack");

    QTest::newRow("plain") << QStringLiteral("HP LaserJet") << QStringLiteral("HP LaserJet");
    QTest::newRow("blanks around") << QStringLiteral("  Mitte  ") << QStringLiteral("  Mitte  ");
    QTest::newRow("own quotes") << QStringLiteral("\"zitiert\"") << QStringLiteral("\"zitiert\"");
    QTest::newRow("equals sign") << QStringLiteral("a=b") << QStringLiteral("a=b");
    QTest::newRow("line break") << QStringLiteral("eins\r\nzwei") << QStringLiteral("eins  zwei");
    QTest::newRow("empty") << QString() << QString();
}

void TestIniProfile::valuesRoundTripExactly()
{
    QFETCH(QString, value);
    QFETCH(QString, readBack);
    IniProfile ini(path(QStringLiteral("wert.lab")));
    ini.writeString(QStringLiteral("Printer"), QStringLiteral("Drucker"), value);
    ini.writeString(QStringLiteral("Printer"), QStringLiteral("Danach"), QStringLiteral("x"));

    QCOMPARE(ini.readString(QStringLiteral("Printer"), QStringLiteral("Drucker"),
                            QStringLiteral("vorgabe")),
             readBack);
    QCOMPARE(ini.readString(QStringLiteral("Printer"), QStringLiteral("Danach")),
             QStringLiteral("x"));
}

void TestIniProfile::longValuesAreCutAt2047()
{
    IniProfile ini(path(QStringLiteral("lang.lab")));
    const QString longName = QString(3000, u'ä');
    ini.writeString(QStringLiteral("Printer"), QStringLiteral("Drucker"), longName);

    QCOMPARE(ini.readString(QStringLiteral("Printer"), QStringLiteral("Drucker")),
             longName.left(2047));
    QVERIFY(fileBytes(ini.fileName()).contains(QByteArray(3000, '\xE4')));
}

void TestIniProfile::readsWindows1252AndUtf8()
{
    const QString ansi = path(QStringLiteral("ansi.lab"));
    const QString utf8 = path(QStringLiteral("utf8.lab"));
    const QString bom = path(QStringLiteral("bom.lab"));
    putFile(ansi, "[Printer]\r\nDrucker=Gr\xF6\xDF" "e \x80 \x84Z\x93\r\n");
    putFile(utf8, QStringLiteral("[Printer]\nDrucker=Größe € „Z“\n").toUtf8());
    putFile(bom, "\xEF\xBB\xBF" + QStringLiteral("[Printer]\nDrucker=Größe € „Z“\n").toUtf8());

    for (const QString& file : {ansi, utf8, bom}) {
        QCOMPARE(IniProfile(file).readString(QStringLiteral("Printer"), QStringLiteral("Drucker")),
                 QStringLiteral("Größe € „Z“"));
    }
}

void TestIniProfile::writesWindows1252()
{
    IniProfile ini(path(QStringLiteral("ansi.lab")));
    ini.writeString(QStringLiteral("Printer"), QStringLiteral("Drucker"),
                    QStringLiteral("Büro € 日本 🖨"));

    QCOMPARE(fileBytes(ini.fileName()), QByteArray("[Printer]\r\nDrucker=B\xFCro \x80 ?? ?\r\n"));
    QCOMPARE(ini.readString(QStringLiteral("Printer"), QStringLiteral("Drucker")),
             QStringLiteral("Büro € ?? ?"));
}

void TestIniProfile::utf8FileStaysUtf8()
{
    const QString file = path(QStringLiteral("utf8.lab"));
    putFile(file, QStringLiteral("; 日本語のメモ\n[Printer]\nDrucker=Büro\n").toUtf8());

    IniProfile ini(file);
    ini.writeString(QStringLiteral("Printer"), QStringLiteral("Drucker"), QStringLiteral("Küche"));

    QCOMPARE(fileBytes(file),
             QStringLiteral("; 日本語のメモ\r\n[Printer]\r\nDrucker=Küche\r\n").toUtf8());
}

void TestIniProfile::unwritableTargetsRaiseGermanErrorAndKeepFiles_data()
{
    QTest::addColumn<QString>("existing");
    QTest::addColumn<QString>("target");

    QTest::newRow("folder is a file") << QStringLiteral("Vorlagen") << QStringLiteral("Vorlagen/x.lab");
    QTest::newRow("target is a folder") << QString() << QStringLiteral("Ordner.lab");
    QTest::newRow("no name") << QStringLiteral("Vorlagen") << QString();
}

void TestIniProfile::unwritableTargetsRaiseGermanErrorAndKeepFiles()
{
    QFETCH(QString, existing);
    QFETCH(QString, target);
    if (!existing.isEmpty())
        putFile(path(existing), "[CB]\r\ncbUFront=1\r\n");
    else
        QVERIFY(QDir(m_dir->path()).mkdir(target));
    const QString fileName = target.isEmpty() ? QString() : path(target);

    IniProfile ini(fileName);
    const QString message = writeErrorOf(
        [&] { ini.writeBool(QStringLiteral("CB"), QStringLiteral("cbUFront"), false); });

    QCOMPARE(message, QStringLiteral("nach %1 kann nicht geschrieben werden").arg(fileName));
    if (!existing.isEmpty())
        QCOMPARE(fileBytes(path(existing)), QByteArray("[CB]\r\ncbUFront=1\r\n"));
    else
        QVERIFY(QFileInfo(fileName).isDir());
}

void TestIniProfile::failedWriteKeepsOldFile()
{
    const QString file = path(QStringLiteral("voll.lab"));
    const QByteArray old = "[Printer]\r\nDrucker=alt\r\n";
    putFile(file, old);
    IniProfile ini(file);

    QString message;
    {
        const FileSizeLimit diskNearlyFull(64);
        message = writeErrorOf([&] {
            ini.writeString(QStringLiteral("Printer"), QStringLiteral("Drucker"), QString(200, u'n'));
        });
    }

    QCOMPARE(message, QStringLiteral("nach %1 kann nicht geschrieben werden").arg(file));
    QCOMPARE(fileBytes(file), old);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("voll.lab")});
}

void TestIniProfile::batchWritesOnceAtCommit()
{
    IniProfile ini(path(QStringLiteral("stapel.lab")));
    {
        IniProfile::Batch batch(ini);
        for (int i = 0; i < 30; ++i)
            ini.writeInteger(QStringLiteral("Settings"), QStringLiteral("K%1").arg(i), i * 10);
        {
            IniProfile::Batch inner(ini);
            ini.writeString(QStringLiteral("Printer"), QStringLiteral("Drucker"), QStringLiteral("P"));
            inner.commit();
        }
        QVERIFY(!QFile::exists(ini.fileName()));
        QCOMPARE(ini.readInteger(QStringLiteral("settings"), QStringLiteral("k29"), 0), 290);
        batch.commit();
    }

    const IniProfile reread(ini.fileName());
    QCOMPARE(reread.readInteger(QStringLiteral("Settings"), QStringLiteral("K0"), -1), 0);
    QCOMPARE(reread.readInteger(QStringLiteral("Settings"), QStringLiteral("K29"), -1), 290);
    QCOMPARE(reread.readString(QStringLiteral("Printer"), QStringLiteral("Drucker")),
             QStringLiteral("P"));
}

void TestIniProfile::batchWithoutCommitLeavesFileAlone()
{
    const QString file = path(QStringLiteral("stapel.lab"));
    const QByteArray old = "[CB]\r\ncbUFront=1\r\n";
    putFile(file, old);
    IniProfile ini(file);
    {
        IniProfile::Batch batch(ini);
        ini.writeBool(QStringLiteral("CB"), QStringLiteral("cbUFront"), false);
        QCOMPARE(ini.readBool(QStringLiteral("CB"), QStringLiteral("cbUFront"), true), false);
    }

    QCOMPARE(fileBytes(file), old);
    QCOMPARE(ini.readBool(QStringLiteral("CB"), QStringLiteral("cbUFront"), false), true);
}

void TestIniProfile::failedBatchCommitKeepsOldFile()
{
    const QString file = path(QStringLiteral("stapel.lab"));
    const QByteArray old = "[CB]\r\ncbUFront=1\r\n";
    putFile(file, old);
    IniProfile ini(file);

    QString message;
    {
        IniProfile::Batch batch(ini);
        for (int i = 0; i < 30; ++i)
            ini.writeInteger(QStringLiteral("Settings"), QStringLiteral("Position%1").arg(i), i);
        const FileSizeLimit diskNearlyFull(100);
        message = writeErrorOf([&] { batch.commit(); });
    }

    QCOMPARE(message, QStringLiteral("nach %1 kann nicht geschrieben werden").arg(file));
    QCOMPARE(fileBytes(file), old);
}

void TestIniProfile::hugeOrBinaryFilesStayHarmless()
{
    const QString huge = path(QStringLiteral("riesig.lab"));
    const QByteArray hugeBytes = "[Printer]\r\nDrucker=" + QByteArray(10 * 1024 * 1024, 'x') + "\r\n";
    putFile(huge, hugeBytes);
    QElapsedTimer timer;
    timer.start();
    IniProfile hugeIni(huge);
    QCOMPARE(hugeIni.readString(QStringLiteral("Printer"), QStringLiteral("Drucker"),
                                QStringLiteral("leer")),
             QStringLiteral("leer"));
    QCOMPARE(writeErrorOf([&] { hugeIni.writeBool(QStringLiteral("CB"), QStringLiteral("a"), true); }),
             QStringLiteral("nach %1 kann nicht geschrieben werden").arg(huge));
    QCOMPARE(QFileInfo(huge).size(), hugeBytes.size());

    const QString longLine = path(QStringLiteral("lang.lab"));
    putFile(longLine, "[Printer]\nDrucker=" + QByteArray(900 * 1024, 'y') + "\n");
    QCOMPARE(IniProfile(longLine).readString(QStringLiteral("Printer"), QStringLiteral("Drucker")),
             QString(2047, u'y'));

    const QString binary = path(QStringLiteral("binaer.lab"));
    QByteArray noise(256 * 1024, '\0');
    QRandomGenerator generator(1234);
    for (char& b : noise)
        b = static_cast<char>(generator.bounded(256));
    putFile(binary, noise);
    IniProfile binaryIni(binary);
    QCOMPARE(binaryIni.readInteger(QStringLiteral("Masse"), QStringLiteral("RB"), 152), 152);
    binaryIni.writeInteger(QStringLiteral("Masse"), QStringLiteral("RB"), 160);
    QCOMPARE(binaryIni.readInteger(QStringLiteral("Masse"), QStringLiteral("RB"), 152), 160);

    QVERIFY2(timer.elapsed() < 20000, "profile access must stay fast on odd files");
}

QTEST_GUILESS_MAIN(TestIniProfile)
#include "tst_ini_profile.moc"
