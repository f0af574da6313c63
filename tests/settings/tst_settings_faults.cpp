// The settings window facing files that change under it or grow beyond
// reason: a template folder that vanishes after listing, a template with a
// 10 MB line, a link list of 10,000 entries.
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
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

constexpr qint64 kPatienceMs = 10000;  // generous: sanitizer builds are slow

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void select(TCDSetup& setup, const QString& caption)
{
    setup.ListView->setCurrentItem(setup.ListView->findItems(caption, Qt::MatchExactly).value(0));
}

QStringList listEntries(const QListWidget* list)
{
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->item(i)->text();
    return entries;
}

}  // namespace

class SettingsFaultsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testenv::App> m_app;
    std::unique_ptr<QTemporaryDir> m_dir;

    TCDSetup& setup() { return m_app->setup(); }
    QString path(const QString& name) const { return m_dir->filePath(name); }

private slots:
    void init()
    {
        m_app = std::make_unique<testenv::App>();
        m_dir = std::make_unique<QTemporaryDir>();
        setup().eLabels->setText(path("Vorlagen"));
        QVERIFY(QDir().mkpath(path("Vorlagen")));
    }

    void cleanup()
    {
        m_app.reset();
        m_dir.reset();
    }

    void folderVanishingAfterListingLosesNothingAndSaysWhy()
    {
        setup().spTop->setValue(33);
        setup().SaveFileVariables(path("Vorlagen/cd.lab"));
        setup().LoadFileList();
        select(setup(), "cd.lab");
        QVERIFY(QDir(path("Vorlagen")).removeRecursively());

        testenv::MessageBoxWatch boxes;
        setup().spTop->setValue(7);
        setup().bLoadLabel->click();  // a missing file loads nothing, silently
        QCOMPARE(setup().spTop->value(), 7);
        QCOMPARE(boxes.texts(), QStringList());

        setup().bUpdateLabel->click();
        QCOMPARE(boxes.texts(),
                 QStringList{"nach " + path("Vorlagen/cd.lab") + " kann nicht geschrieben werden"});
        QVERIFY(!QFileInfo::exists(path("Vorlagen")));

        setup().confirmTemplateDelete = [](const QString&) { return true; };
        setup().bDeleteLabel->click();  // a file already gone is not reported
        QCOMPARE(boxes.texts().size(), 1);
        QCOMPARE(setup().ListView->count(), 0);
    }

    void templateWithATenMegabyteLineIsNoTemplate()
    {
        const QString file = path("Vorlagen/lang.lab");
        const QByteArray content
            = "[Settings]\r\nORand=" + QByteArray(10 << 20, '7') + "\r\nLRand=12\r\n";
        writeFile(file, content);
        setup().LoadFileList();
        select(setup(), "lang.lab");
        setup().spTop->setValue(5);
        setup().spLeft->setValue(6);

        testenv::MessageBoxWatch boxes;
        QElapsedTimer timer;
        timer.start();
        setup().bLoadLabel->click();  // loads as a file that is not a template: defaults
        QVERIFY(timer.elapsed() < kPatienceMs);
        QCOMPARE(setup().spTop->value(), 0);
        QCOMPARE(setup().spLeft->value(), 0);

        timer.restart();
        setup().bUpdateLabel->click();
        QVERIFY(timer.elapsed() < kPatienceMs);
        QCOMPARE(boxes.texts(), QStringList{"nach " + file + " kann nicht geschrieben werden"});
        QCOMPARE(readFile(file), content);
    }

    void tenThousandLinksAreSavedAndLoadedInOrder()
    {
        constexpr int kLinks = 10000;
        QStringList links;
        for (int i = 0; i < kLinks; ++i)
            links << QString("https://example.org/bilder/%1").arg(i, 5, 10, QChar('0'));
        setup().settings().setLinks(links);

        QElapsedTimer timer;
        timer.start();
        setup().WriteRegistry();
        QVERIFY2(timer.elapsed() < kPatienceMs, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(SettingsStore::user().readString("URL9999"), links.last());

        timer.restart();
        TCDSetup reopened(TCDSetup::Role::Dialog, m_app->main(), m_app->main(), &m_app->main());
        QVERIFY2(timer.elapsed() < kPatienceMs, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(listEntries(reopened.ListBox), links);

        // Saving a short list over the long one leaves exactly the short one.
        reopened.settings().setLinks({"https://example.org"});
        timer.restart();
        reopened.WriteRegistry();
        QVERIFY2(timer.elapsed() < kPatienceMs, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(!SettingsStore::user().exists("URL1"));
        QVERIFY(!SettingsStore::user().exists("URL9999"));
    }

    void fullDiskKeepsTheOldLinkListWhole()
    {
        setup().settings().setLinks({"a", "b", "c"});
        setup().WriteRegistry();
        TCDSetup dialog(TCDSetup::Role::Dialog, m_app->main(), m_app->main(), &m_app->main());
        dialog.show();
        QStringList links;
        for (int i = 0; i < 500; ++i)
            links << QString("https://example.org/%1/").arg(i) + QString(200, u'x');
        dialog.settings().setLinks(links);

        testenv::MessageBoxWatch boxes;
        {
            const testenv::DiskNearlyFull disk(QFileInfo(SettingsStore::userStorePath()).size());
            dialog.Button1->click();  // "&Speichern"
        }
        // The entry where the disk ran full is named.
        QCOMPARE(boxes.texts().size(), 1);
        QVERIFY2(QRegularExpression("^Konnte Daten für 'Url\\d+' nicht setzen$")
                     .match(boxes.texts().first())
                     .hasMatch(),
                 qPrintable(boxes.texts().first()));
        QVERIFY(dialog.isVisible());
        m_app->setup().ReadRegistry();
        QCOMPARE(listEntries(m_app->setup().ListBox), QStringList({"a", "b", "c"}));
    }
};

SLEEVIX_TEST_MAIN(SettingsFaultsTest)
#include "tst_settings_faults.moc"
