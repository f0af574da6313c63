#include "dialogs/t_about_box.h"
#include "dialogs/t_form3.h"
#include "model/program_values.h"
#include "platform/printing/print_runner.h"
#include "platform/printing/recording_device.h"
#include "platform/store/settings_store.h"
#include "support/test_env.h"
#include "workspace/help_document.h"
#include "workspace/slot_panel.h"
#include "workspace/t_sleevix.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QUrl>

namespace {

// The main window's modal windows as the user saw them: each is shown,
// inspected, and closed with Escape.
struct ShownWindows {
    explicit ShownWindows(TSleevix& main)
    {
        main.runModalWindow = [this](QDialog& window) {
            window.show();
            captions << window.windowTitle();
            if (auto* count = qobject_cast<TForm3*>(&window))
                countMessages << count->Panel1->text();
            inspect(window);
            QTest::keyClick(&window, Qt::Key_Escape);
            closedByEscape = !window.isVisible();
        };
    }
    QStringList captions;
    QStringList countMessages;
    bool closedByEscape = false;
    std::function<void(QDialog&)> inspect = [](QDialog&) {};
};

// A point of the client area between the two picture panels.
QPoint freeClientPoint(const TSleevix& main)
{
    return {(main.Panel1->geometry().right() + main.Panel2->geometry().left()) / 2,
            main.Panel1->geometry().center().y()};
}

void printThreeTimes(TSleevix& main)
{
    PrintRunner& runner = PrintRunner::instance();
    RecordingDevice device(600, 600, 0, 0);
    runner.deviceForTesting = [&device]() -> PrintDevice& { return device; };
    runner.printDialog = [](QWidget*, QPrinter&) { return false; };
    for (int i = 0; i < 3; ++i)
        main.sbPrintClick();
    runner.deviceForTesting = nullptr;
}

void createFile(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile(path).open(QIODevice::WriteOnly);
}

}  // namespace

class InfoWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void printCountBeforeAndAfterPrints()
    {
        testenv::App app;
        ShownWindows shown(app.main());
        shown.inspect = [](QDialog& window) {
            QCOMPARE(window.size(), QSize(326, 97));
            QCOMPARE(static_cast<TForm3&>(window).Panel1->geometry(), QRect(7, 8, 313, 33));
        };
        QTest::mouseDClick(app.main().Client, Qt::LeftButton, {}, freeClientPoint(app.main()));
        QCOMPARE(shown.captions, QStringList({"Information über Sleevix von Tarnholm"}));
        QCOMPARE(shown.countMessages, QStringList({"Sie haben inzwischen 0 mal gedruckt"}));
        QVERIFY(shown.closedByEscape);

        printThreeTimes(app.main());
        program().PrintCount = 0;  // the window reads the store, not the run's count
        QTest::mouseDClick(app.main().Client, Qt::LeftButton, {}, freeClientPoint(app.main()));
        QCOMPARE(shown.countMessages.last(), QString("Sie haben inzwischen 3 mal gedruckt"));
    }

    void wronglyTypedCountShowsTheStoreMessageAndNoWindow()
    {
        testenv::App app;
        ShownWindows shown(app.main());
        SettingsStore::user().writeString("AnzPrint", "drei");
        QString message;
        QTimer::singleShot(0, [&message] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            message = box->text();
            box->accept();
        });
        app.main().ClientDblClick();
        QCOMPARE(message, QString("Ungültiger Datentyp für 'AnzPrint'"));
        QVERIFY(shown.captions.isEmpty());
    }

    void doubleClickOnAControlOpensNoCountWindow()
    {
        testenv::App app;
        ShownWindows shown(app.main());
        QTest::mouseDClick(app.main().Panel1, Qt::LeftButton, {}, QPoint(20, 20));
        QTest::mouseDClick(app.main().cbCD, Qt::LeftButton, {}, QPoint(3, 3));
        QTest::mouseDClick(app.main().Client, Qt::LeftButton, {},
                           app.main().Panel2->geometry().center());
        QTest::mouseDClick(app.main().Client, Qt::RightButton, {}, freeClientPoint(app.main()));
        QVERIFY(shown.captions.isEmpty());
    }

    void aboutBox()
    {
        testenv::App app;
        ShownWindows shown(app.main());
        shown.inspect = [](QDialog& window) {
            auto& about = static_cast<TAboutBox&>(window);
            QCOMPARE(about.size(), QSize(237, 267));
            QVERIFY(about.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
            QCOMPARE(about.Label1->text(), QString("Sleevix Ver. 2.6"));
            QVERIFY(about.Label1->font().bold());
            QCOMPARE(about.StaticText1->geometry(), QRect(32, 30, 177, 40));
            QVERIFY(!about.Image1->pixmap().isNull());
            QCOMPARE(about.Memo1->size(), QSize(185, 73));
            QVERIFY(about.Memo1->isReadOnly());
            QVERIFY(about.Memo1->toPlainText().contains("Tarnholm"));
        };
        app.main().mAbout->trigger();
        QCOMPARE(shown.captions, QStringList({"Information"}));
        QVERIFY(shown.closedByEscape);
    }

    void helpAndInternetSearchCommands()
    {
        testenv::App app;
        ShownWindows shown(app.main());
        QList<QUrl> opened;
        app.main().openUrl = [&opened](const QUrl& url) {
            opened << url;
            return true;
        };
        app.main().Hilfe1->trigger();
        QCOMPARE(opened, QList<QUrl>({QUrl::fromLocalFile(helpDocumentPath())}));
        app.main().ImInternetsuchen1->trigger();
        QCOMPARE(shown.captions, QStringList({"Links"}));
    }

    void helpDocumentIsFoundBesideTheProgramOrInstalled()
    {
        QTemporaryDir prefix;
        const QString bin = prefix.filePath("bin");
        const QString beside = prefix.filePath("bin/Help/Help.htm");
        const QString installed = prefix.filePath("share/sleevix/Help/Help.htm");
        QCOMPARE(helpDocumentPath(bin), beside);  // neither exists
        createFile(installed);
        QCOMPARE(helpDocumentPath(bin), installed);
        createFile(beside);
        QCOMPARE(helpDocumentPath(bin), beside);
    }

    void builtHelpDocumentCoversEveryFunction()
    {
        QFile file(QFileInfo(QStringLiteral(SLEEVIX_BINARY)).dir().filePath("Help/Help.htm"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        for (const char* topic :
             {"Bild laden", "Drag", "Zwischenablage", "Bilderkennung", "Gefaltet", "DVD", "VHS",
              "Testdruck", "PDF", "Allgemeines", "Vorder/Rückseite", "Doppelseite", "CD Layout",
              "Vorlagen", "URL's", "Maße", "Links"})
            QVERIFY2(html.contains(QString::fromUtf8(topic)), topic);
        for (const char* external : {"<img", "<script", "<link"})  // self-contained
            QVERIFY(!html.contains(QLatin1String(external), Qt::CaseInsensitive));
    }
};

SLEEVIX_TEST_MAIN(InfoWindowsTest)
#include "tst_info_windows.moc"
