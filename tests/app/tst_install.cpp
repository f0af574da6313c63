#include "workspace/help_document.h"
#include "platform/desktop/modules.h"
#include "platform/metafiles/metafile_helper.h"
#include "support/test_env.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

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
        QFile desktop(path("share/applications/sleevix.desktop"));
        QVERIFY(desktop.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(desktop.readAll()).split('\n');
        for (const char* line : {"[Desktop Entry]", "Type=Application", "Name=Sleevix",
                                 "Exec=sleevix", "Icon=sleevix", "Categories=Graphics;Office;"})
            QVERIFY2(lines.contains(QLatin1String(line)), line);
        QVERIFY(lines.filter(QRegularExpression("^Comment=.+")).size() == 1);
    }

    void iconInEverySize()
    {
        QVERIFY(QFileInfo::exists(path("share/icons/hicolor/scalable/apps/sleevix.svg")));
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QImage icon(path(QStringLiteral("share/icons/hicolor/%1x%1/apps/sleevix.png").arg(size)));
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

    // The metafile helper goes with the program's private parts, not among
    // the commands in bin/.
    void metafileHelperIsFoundByTheInstalledProgram()
    {
        const QStringList candidates = MetafileHelper::candidates(path("bin"));
        QCOMPARE(candidates.size(), 2);
        QVERIFY2(!QFileInfo::exists(candidates.first()), qPrintable(candidates.first()));
        QCOMPARE(candidates.last(), path("libexec/sleevix/sleevix-metafile-helper"));
        QVERIFY(QFileInfo(candidates.last()).isExecutable());
    }

    void missingModuleIsReportedByName()
    {
        try {
            moduleEntry(QStringLiteral("gibt-es-nicht"), "entry");
            QFAIL("no error for a missing module");
        } catch (const ModuleError& error) {
            QVERIFY2(error.message().contains("sleevix-gibt-es-nicht.so"), qPrintable(error.message()));
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

    QTemporaryDir m_prefix;
};

SLEEVIX_TEST_MAIN(InstallTest)
#include "tst_install.moc"
