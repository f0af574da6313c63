#include "platform/profile/ini_profile.h"
#include "platform/profile/template_write_error.h"
#include "support/file_faults.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using testenv::DiskNearlyFull;

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

QString writeErrorOf(const std::function<void()>& write)
{
    try {
        write();
    } catch (const TemplateWriteError& error) {
        return error.message();
    }
    return u"(no error)"_s;
}

QString expectedError(const QString& fileName)
{
    return u"nach %1 kann nicht geschrieben werden"_s.arg(fileName);
}

}  // namespace

class TestIniProfile : public QObject {
    Q_OBJECT

private slots:
    void init();

    void newFileIsWrittenInWindowsStyle();
    void updateKeepsUnknownLinesAndOrder();
    void namesMatchWithoutLetterCase();
    void readsNumbers_data();
    void readsNumbers();
    void valuesRoundTrip_data();
    void valuesRoundTrip();
    void longValuesAreCutAt2047();

    void readsWindows1252AndUtf8();
    void writesWindows1252UnlessFileIsUtf8();
    void unusedCodePageBytesAndUnwritableCharactersStayVisible();

    void unwritableTargetsGiveGermanError_data();
    void unwritableTargetsGiveGermanError();
    void failedWritesKeepOldFile();
    void batchWritesOnceAtCommit();
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
    IniProfile ini(path(u"neu.lab"_s));
    ini.writeBool(u"CB"_s, u"cbUFront"_s, true);
    ini.writeBool(u"CB"_s, u"cbUBack"_s, false);
    ini.writeInteger(u"Settings"_s, u"ORand"_s, -5);
    ini.writeBool(u"CB"_s, u"cbKnickTrennVR"_s, true);
    ini.writeString(u"Printer"_s, u"Drucker"_s, u"Büro"_s);

    QCOMPARE(fileBytes(ini.fileName()),
             QByteArray("[CB]\r\ncbUFront=1\r\ncbUBack=0\r\ncbKnickTrennVR=1\r\n\r\n"
                        "[Settings]\r\nORand=-5\r\n\r\n[Printer]\r\nDrucker=B\xFCro\r\n"));
}

void TestIniProfile::updateKeepsUnknownLinesAndOrder()
{
    const QString file = path(u"alt.lab"_s);
    putFile(file,
            "; von Hand\n[CB]\ncbUFront=0\nFremd = bleibt\n; Notiz\ncbUBack=0\n\n[Eigenes]\nx=1\n");

    IniProfile ini(file);
    ini.writeBool(u"cb"_s, u"CBUBACK"_s, true);
    ini.writeBool(u"CB"_s, u"cbSecFront"_s, true);
    ini.writeString(u"Printer"_s, u"Drucker"_s, u"P"_s);

    QCOMPARE(fileBytes(file),
             QByteArray("; von Hand\r\n[CB]\r\ncbUFront=0\r\nFremd = bleibt\r\n"
                        "; Notiz\r\ncbUBack=1\r\ncbSecFront=1\r\n\r\n"
                        "[Eigenes]\r\nx=1\r\n\r\n[Printer]\r\nDrucker=P\r\n"));
}

void TestIniProfile::namesMatchWithoutLetterCase()
{
    const QString file = path(u"case.lab"_s);
    putFile(file, "[ Settings ]\r\n  ORand = 12  \r\n; LRand=3\r\n[settings]\r\nORand=99\r\n");
    const IniProfile ini(file);

    QCOMPARE(ini.readInteger(u"SETTINGS"_s, u"orand"_s, 0), 12);
    QCOMPARE(ini.readString(u"settings"_s, u"ORAND"_s), u"12"_s);
    QCOMPARE(ini.readInteger(u"Settings"_s, u"LRand"_s, 7), 7);
    QCOMPARE(ini.readString(u"Printer"_s, u"Drucker"_s, u"vorgabe"_s), u"vorgabe"_s);
    QCOMPARE(IniProfile(path(u"fehlt.lab"_s)).readInteger(u"Masse"_s, u"RB"_s, 152), 152);
}

void TestIniProfile::readsNumbers_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("integer");

    QTest::newRow("decimal") << QByteArray("120") << 120;
    QTest::newRow("signs and blanks") << QByteArray(" -36\t") << -36;
    QTest::newRow("hex") << QByteArray("0x14") << 20;
    QTest::newRow("hex capital X") << QByteArray("0X1f") << 31;
    QTest::newRow("hex is 32 bits") << QByteArray("0xFFFFFFFF") << -1;
    QTest::newRow("digits then letters") << QByteArray("12abc") << -99;
    QTest::newRow("word") << QByteArray("zwölf") << -99;
    QTest::newRow("empty") << QByteArray("") << -99;
    QTest::newRow("hex without digits") << QByteArray("0x") << -99;
    QTest::newRow("hex beyond 32 bits") << QByteArray("0x100000000") << -99;
    QTest::newRow("decimal beyond 32 bits") << QByteArray("2147483648") << -99;
    QTest::newRow("fraction") << QByteArray("1.5") << -99;
}

void TestIniProfile::readsNumbers()
{
    QFETCH(QByteArray, text);
    QFETCH(int, integer);
    const QString file = path(u"zahl.lab"_s);
    putFile(file, "[Settings]\r\nORand=" + text + "\r\n");
    const IniProfile ini(file);

    QCOMPARE(ini.readInteger(u"Settings"_s, u"ORand"_s, -99), integer);
    const bool isNumber = integer != -99;
    QCOMPARE(ini.readBool(u"Settings"_s, u"ORand"_s, true), !isNumber || integer != 0);
    QCOMPARE(ini.readBool(u"Settings"_s, u"ORand"_s, false), isNumber && integer != 0);
}

void TestIniProfile::valuesRoundTrip_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("readBack");

    QTest::newRow("plain") << u"HP LaserJet"_s << u"HP LaserJet"_s;
    QTest::newRow("blanks around") << u"  Mitte  "_s << u"  Mitte  "_s;
    QTest::newRow("own quotes") << u"\"zitiert\""_s << u"\"zitiert\""_s;
    QTest::newRow("equals sign") << u"a=b"_s << u"a=b"_s;
    QTest::newRow("line break") << u"eins\r\nzwei"_s << u"eins  zwei"_s;
    QTest::newRow("empty") << QString() << QString();
}

void TestIniProfile::valuesRoundTrip()
{
    QFETCH(QString, value);
    QFETCH(QString, readBack);
    IniProfile ini(path(u"wert.lab"_s));
    ini.writeString(u"Printer"_s, u"Drucker"_s, value);
    ini.writeString(u"Printer"_s, u"Danach"_s, u"x"_s);

    QCOMPARE(ini.readString(u"Printer"_s, u"Drucker"_s, u"vorgabe"_s), readBack);
    QCOMPARE(ini.readString(u"Printer"_s, u"Danach"_s), u"x"_s);
}

void TestIniProfile::longValuesAreCutAt2047()
{
    IniProfile ini(path(u"lang.lab"_s));
    const QString longName(3000, u'ä');
    ini.writeString(u"Printer"_s, u"Drucker"_s, longName);

    QCOMPARE(ini.readString(u"Printer"_s, u"Drucker"_s), longName.left(2047));
    QVERIFY(fileBytes(ini.fileName()).contains(QByteArray(3000, '\xE4')));
}

void TestIniProfile::readsWindows1252AndUtf8()
{
    const QByteArray utf8 = u"[Printer]\nDrucker=Größe € „Z“\n"_s.toUtf8();
    const QList<QByteArray> files{"[Printer]\r\nDrucker=Gr\xF6\xDF"
                                  "e \x80 \x84Z\x93\r\n",
                                  utf8, "\xEF\xBB\xBF" + utf8};
    for (const QByteArray& bytes : files) {
        putFile(path(u"text.lab"_s), bytes);
        QCOMPARE(IniProfile(path(u"text.lab"_s)).readString(u"Printer"_s, u"Drucker"_s),
                 u"Größe € „Z“"_s);
    }
}

void TestIniProfile::writesWindows1252UnlessFileIsUtf8()
{
    IniProfile ansi(path(u"ansi.lab"_s));
    ansi.writeString(u"Printer"_s, u"Drucker"_s, u"Büro € 日本 🖨"_s);
    QCOMPARE(fileBytes(ansi.fileName()), QByteArray("[Printer]\r\nDrucker=B\xFCro \x80 ?? ?\r\n"));

    const QString utf8 = path(u"utf8.lab"_s);
    putFile(utf8, u"; 日本語のメモ\n[Printer]\nDrucker=Büro\n"_s.toUtf8());
    IniProfile(utf8).writeString(u"Printer"_s, u"Drucker"_s, u"Küche"_s);
    QCOMPARE(fileBytes(utf8), u"; 日本語のメモ\r\n[Printer]\r\nDrucker=Küche\r\n"_s.toUtf8());

    // A Windows-1252 file whose only byte that is no UTF-8 gets overwritten:
    // the rest of it must not read back as UTF-8, as other text.
    const QString ambiguous = path(u"ambiguous.lab"_s);
    putFile(ambiguous, "[Printer]\r\nDrucker=\xC3\x84rger\r\n[cb]\r\nCBSECIMG=\xA6\r\n");
    IniProfile profile(ambiguous);
    QCOMPARE(profile.readString(u"Printer"_s, u"Drucker"_s), u"Ã„rger"_s);
    profile.writeString(u"cb"_s, u"CBSECIMG"_s, u"1"_s);
    QCOMPARE(IniProfile(ambiguous).readString(u"Printer"_s, u"Drucker"_s), u"Ã„rger"_s);
    QCOMPARE(IniProfile(ambiguous).readString(u"cb"_s, u"CBSECIMG"_s), u"1"_s);
}

void TestIniProfile::unusedCodePageBytesAndUnwritableCharactersStayVisible()
{
    // The five bytes Windows-1252 leaves unused read as the C1 controls of
    // the same number and are written back as they were.
    const QString file = path(u"c1.lab"_s);
    putFile(file, "[Printer]\r\nDrucker=\x81\x8D\x8F\x90\x9D\xFC\r\n");
    IniProfile ini(file);
    QCOMPARE(ini.readString(u"Printer"_s, u"Drucker"_s), u"\u0081\u008D\u008F\u0090\u009Dü"_s);

    // Every character the code page lacks becomes one "?", the invisible
    // ones (zero-width space, joiner, a lone surrogate) too.
    ini.writeString(u"cb"_s, u"Name"_s, u"a\u200Bb\u200Dc\U0001F5A8"_s + QChar(0xD800));
    QCOMPARE(fileBytes(file),
             QByteArray("[Printer]\r\nDrucker=\x81\x8D\x8F\x90\x9D\xFC\r\n\r\n"
                        "[cb]\r\nName=a?b?c??\r\n"));
}

void TestIniProfile::unwritableTargetsGiveGermanError_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("folder is a file") << u"alt.lab/x.lab"_s;
    QTest::newRow("target is a folder") << u"ordner.lab"_s;
    QTest::newRow("no name") << QString();
}

void TestIniProfile::unwritableTargetsGiveGermanError()
{
    QFETCH(QString, target);
    const QByteArray old = "[CB]\r\ncbUFront=1\r\n";
    putFile(path(u"alt.lab"_s), old);
    QVERIFY(QDir(m_dir->path()).mkdir(u"ordner.lab"_s));
    const QString fileName = target.isEmpty() ? QString() : path(target);

    IniProfile ini(fileName);
    QCOMPARE(writeErrorOf([&] { ini.writeBool(u"CB"_s, u"cbUFront"_s, false); }),
             expectedError(fileName));
    QCOMPARE(fileBytes(path(u"alt.lab"_s)), old);
    QVERIFY(QFileInfo(path(u"ordner.lab"_s)).isDir());
}

void TestIniProfile::failedWritesKeepOldFile()
{
    const QString file = path(u"voll.lab"_s);
    const QByteArray old = "[Printer]\r\nDrucker=alt\r\n";
    putFile(file, old);
    IniProfile ini(file);

    QString singleWrite;
    QString batchWrite;
    {
        IniProfile::Batch batch(ini);
        for (int i = 0; i < 30; ++i)
            ini.writeInteger(u"Settings"_s, u"Position%1"_s.arg(i), i);
        const DiskNearlyFull disk(64);
        batchWrite = writeErrorOf([&] { batch.commit(); });
    }
    {
        const DiskNearlyFull disk(64);
        singleWrite = writeErrorOf(
            [&] { ini.writeString(u"Printer"_s, u"Drucker"_s, QString(200, u'n')); });
    }

    QCOMPARE(batchWrite, expectedError(file));
    QCOMPARE(singleWrite, expectedError(file));
    QCOMPARE(fileBytes(file), old);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{u"voll.lab"_s});
}

void TestIniProfile::batchWritesOnceAtCommit()
{
    IniProfile ini(path(u"stapel.lab"_s));
    {
        IniProfile::Batch batch(ini);
        for (int i = 0; i < 30; ++i)
            ini.writeInteger(u"Settings"_s, u"K%1"_s.arg(i), i * 10);
        QVERIFY(!QFile::exists(ini.fileName()));
        QCOMPARE(ini.readInteger(u"settings"_s, u"k29"_s, 0), 290);
        batch.commit();
    }
    QCOMPARE(IniProfile(ini.fileName()).readInteger(u"Settings"_s, u"K29"_s, -1), 290);

    const QByteArray committed = fileBytes(ini.fileName());
    {
        IniProfile::Batch dropped(ini);
        ini.writeInteger(u"Settings"_s, u"K0"_s, 5);
    }
    QCOMPARE(fileBytes(ini.fileName()), committed);
    QCOMPARE(ini.readInteger(u"Settings"_s, u"K0"_s, -1), 0);
}

void TestIniProfile::hugeOrBinaryFilesStayHarmless()
{
    const QString huge = path(u"riesig.lab"_s);
    const QByteArray hugeBytes = "[Printer]\r\nDrucker=" + QByteArray(10 << 20, 'x') + "\r\n";
    putFile(huge, hugeBytes);
    IniProfile hugeIni(huge);
    QCOMPARE(hugeIni.readString(u"Printer"_s, u"Drucker"_s, u"leer"_s), u"leer"_s);
    QCOMPARE(writeErrorOf([&] { hugeIni.writeBool(u"CB"_s, u"a"_s, true); }), expectedError(huge));
    QCOMPARE(fileBytes(huge), hugeBytes);

    const QString longLine = path(u"zeile.lab"_s);
    putFile(longLine, "[Printer]\nDrucker=" + QByteArray(900 * 1024, 'y') + "\n");
    QCOMPARE(IniProfile(longLine).readString(u"Printer"_s, u"Drucker"_s), QString(2047, u'y'));

    const QString binary = path(u"binaer.lab"_s);
    QByteArray noise(256 * 1024, '\0');
    QRandomGenerator generator(1234);
    for (char& b : noise)
        b = static_cast<char>(generator.bounded(256));
    putFile(binary, noise);
    IniProfile binaryIni(binary);
    QCOMPARE(binaryIni.readInteger(u"Masse"_s, u"RB"_s, 152), 152);
    binaryIni.writeInteger(u"Masse"_s, u"RB"_s, 160);
    QCOMPARE(binaryIni.readInteger(u"Masse"_s, u"RB"_s, 152), 160);
}

QTEST_GUILESS_MAIN(TestIniProfile)
#include "tst_ini_profile.moc"
