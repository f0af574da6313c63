#include "platform/desktop/modules.h"
#include "platform/helper_pictures/picture_helper.h"
#include "platform/metafiles/metafile_helper.h"
#include "platform/pictures/picture_formats.h"
#include "support/test_env.h"
#include "workspace/help_document.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMimeDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

// Installs the build tree into a temporary prefix, as a packager would.
class InstallTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_prefix.isValid());
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(QStringLiteral(SLEEVIX_CMAKE),
                      {"--install", SLEEVIX_BUILD_DIR, "--prefix", m_prefix.path()});
        QVERIFY(install.waitForFinished(120000));
        QVERIFY2(install.exitCode() == 0, install.readAll().constData());
    }

    void programAndMenuEntry()
    {
        QVERIFY(QFileInfo(path("bin/sleevix")).isExecutable());
        const QStringList lines = menuEntry();
        for (const char* line :
             {"[Desktop Entry]", "Type=Application", "Name=Sleevix", "Exec=sleevix %F",
              "Icon=sleevix", "Categories=Graphics;Publishing;"})
            QVERIFY2(lines.contains(QLatin1String(line)), line);
        QVERIFY(lines.filter(QRegularExpression("^Comment=.+")).size() == 1);
    }

    // The file manager offers the program for exactly the picture types it
    // reads; the software centre is told the same.
    void menuEntryAndMetainfoNameTheReadableTypes()
    {
        const QMimeDatabase types;
        QStringList readable;
        for (const QString& extension : readablePictureExtensions()) {
            const QString type
                = types.mimeTypeForFile("x." + extension, QMimeDatabase::MatchExtension).name();
            if (!readable.contains(type))
                readable << type;
        }
        readable.sort();
        const QStringList entry = menuEntry().filter(QRegularExpression("^MimeType="));
        QCOMPARE(entry.size(), 1);
        QStringList declared = entry.first().mid(9).split(';', Qt::SkipEmptyParts);
        declared.sort();
        QCOMPARE(declared, readable);

        QFile metainfo(path("share/metainfo/de.tarnholm.sleevix.metainfo.xml"));
        QVERIFY(metainfo.open(QIODevice::ReadOnly));
        QStringList listed;
        QXmlStreamReader xml(&metainfo);
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement
                && xml.name() == QLatin1String("mediatype"))
                listed << xml.readElementText();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        listed.sort();
        QCOMPARE(listed, readable);
    }

    // The ready templates come with the program and lie ready as files.
    void readyTemplatesAsFiles()
    {
        const QStringList ready = QDir(":/templates").entryList(QDir::Files, QDir::Name);
        QVERIFY(!ready.isEmpty());
        QCOMPARE(QDir(path("share/sleevix/Vorlagen")).entryList(QDir::Files, QDir::Name), ready);
    }

    void iconInEverySize()
    {
        QVERIFY(QFileInfo::exists(path("share/icons/hicolor/scalable/apps/sleevix.svg")));
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QImage icon(
                path(QStringLiteral("share/icons/hicolor/%1x%1/apps/sleevix.png").arg(size)));
            QCOMPARE(icon.size(), QSize(size, size));
            QVERIFY(icon.pixelColor(size / 2, size / 2).alpha() > 0);
        }
    }

    void helpDocumentIsFoundByTheInstalledProgram()
    {
        const QString help = path("share/sleevix/Help/Help.htm");
        QVERIFY(QFileInfo(help).size() > 1000);
        QCOMPARE(helpDocumentPath(path("bin")), help);
    }

    // Printing and the JPEG and metafile decoders live in modules that the
    // installed program must find beside it or in its library folder.
    void modulesAreFoundByTheInstalledProgram()
    {
        for (const char* module : {"print", "pictures"}) {
            const QStringList candidates = moduleCandidates(path("bin"), module);
            QCOMPARE(candidates.size(), 2);
            QVERIFY2(!QFileInfo::exists(candidates.first()), qPrintable(candidates.first()));
            QVERIFY2(QFileInfo(candidates.last()).isFile(), qPrintable(candidates.last()));
            QVERIFY(candidates.last().startsWith(m_prefix.path() + "/lib"));
        }
    }

    // The helpers go with the program's private parts, not among the
    // commands in bin/.
    void helpersAreFoundByTheInstalledProgram()
    {
        for (const QString helper : {MetafileHelper::kProgramName, PictureHelper::kProgramName}) {
            const QStringList candidates = MetafileHelper::candidates(path("bin"), helper);
            QCOMPARE(candidates.size(), 2);
            QVERIFY2(!QFileInfo::exists(candidates.first()), qPrintable(candidates.first()));
            QCOMPARE(candidates.last(), path("libexec/sleevix/" + helper));
            QVERIFY(QFileInfo(candidates.last()).isExecutable());
        }
    }

    void missingModuleIsReportedByName()
    {
        try {
            moduleEntry(QStringLiteral("gibt-es-nicht"), "entry");
            QFAIL("no error for a missing module");
        } catch (const ModuleError& error) {
            QVERIFY2(error.message().contains("sleevix-gibt-es-nicht.so"),
                     qPrintable(error.message()));
            QVERIFY(error.message().contains("Bitte installieren Sie Sleevix neu."));
        }
    }

    // A module is loaded whole: a function missing from it shows at once,
    // not as a crash at its first call.
    void moduleWithMissingFunctionIsReportedAtLoad()
    {
        try {
            moduleEntry(QStringLiteral("unresolved"), "sleevix_unresolved_entry");
            QFAIL("no error for a module with a missing function");
        } catch (const ModuleError& error) {
            QVERIFY2(error.message().contains("sleevix-unresolved.so fehlt oder ist beschädigt"),
                     qPrintable(error.message()));
            QVERIFY(error.message().contains("sleevix_function_nobody_defines"));
        }
    }

private:
    QString path(const QString& relative) const { return m_prefix.filePath(relative); }

    QStringList menuEntry() const
    {
        QFile desktop(path("share/applications/sleevix.desktop"));
        if (!desktop.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(desktop.readAll()).split('\n');
    }

    QTemporaryDir m_prefix;
};

SLEEVIX_TEST_MAIN(InstallTest)
#include "tst_install.moc"
