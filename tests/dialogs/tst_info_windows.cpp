#include "app/help_document.h"
#include "dialogs/about_box.h"
#include "dialogs/print_count_window.h"
#include "platform/recording_device.h"
#include "platform/settings_store.h"
#include "print/print_runner.h"
#include "settings/program_values.h"
#include "support/test_env.h"
#include "workspace/slot_panel.h"
#include "workspace/sleevix.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
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

SettingsStore& store()
{
    return SettingsStore::user();
}

// What the main window's modal windows showed: each window is shown as
// the user would see it, then read and closed.
struct ShownWindows {
    explicit ShownWindows(TSleevix& main)
    {
        main.runModalWindow = [this](QDialog& window) {
            window.show();
            captions << window.windowTitle();
            if (auto* count = qobject_cast<TForm3*>(&window))
                countMessages << count->Panel1->text();
            inspect(window);
            window.close();
        };
    }
    QStringList captions;
    QStringList countMessages;
    std::function<void(QDialog&)> inspect = [](QDialog&) {};
};

void doubleClickClient(TSleevix& main, QPoint at)
{
    QTest::mouseDClick(main.Client, Qt::LeftButton, {}, at);
}

// A point of the client area between the two picture panels.
QPoint freeClientPoint(TSleevix& main)
{
    return {(main.Panel1->geometry().right() + main.Panel2->geometry().left()) / 2,
            main.Panel1->geometry().center().y()};
}

// Answers the next message box and returns its text through `text`.
void answerNextMessageBox(QString& text)
{
    QTimer::singleShot(0, [&text] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            text = box->text();
            box->accept();
        }
    });
}

void writeFile(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

}  // namespace

class InfoWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void printCountWindowShowsTheStoredCount()
    {
        testenv::App app;
        ShownWindows shown(app.main());
        doubleClickClient(app.main(), freeClientPoint(app.main()));
        QCOMPARE(shown.captions, QStringList({"Information über Sleevix von Tarnholm"}));
        QCOMPARE(shown.countMessages, QStringList({"Sie haben inzwischen 0 mal gedruckt"}));

        PrintRunner& runner = PrintRunner::instance();
        RecordingDevice device(600, 600, 0, 0);
        runner.deviceForTesting = [&device]() -> PrintDevice& { return device; };
        runner.printDialog = [](QWidget*, QPrinter&) { return false; };
        for (int i = 0; i < 3; ++i)
            app.main().sbPrintClick();
        runner.deviceForTesting = nullptr;
        program().PrintCount = 0;  // the window must read the store, not the run
        doubleClickClient(app.main(), freeClientPoint(app.main()));
        QCOMPARE(shown.countMessages.last(), QString("Sie haben inzwischen 3 mal gedruckt"));
    }

    void printCountWindowLayout()
    {
        testenv::App app;
        ShownWindows shown(app.main());
        shown.inspect = [](QDialog& window) {
            auto& count = static_cast<TForm3&>(window);
            QCOMPARE(count.size(), QSize(326, 97));
            QCOMPARE(count.Panel1->geometry(), QRect(7, 8, 313, 33));
            QCOMPARE(count.Button1->text(), QString("&Ok"));
            QTest::keyClick(&count, Qt::Key_Escape);
            QVERIFY(!count.isVisible());
        };
        app.main().ClientDblClick();
        QCOMPARE(shown.captions.size(), 1);
    }

    void wronglyTypedCountShowsTheStoreMessageAndNoWindow()
    {
        testenv::App app;
        ShownWindows shown(app.main());
        store().writeString("AnzPrint", "drei");
        QString message;
        answerNextMessageBox(message);
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
        // Where a control lies, the client area does not count either.
        doubleClickClient(app.main(), app.main().Panel2->geometry().center());
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
            QVERIFY(about.StaticText1->wordWrap());
            QVERIFY(!about.StaticText1->text().isEmpty());
            QVERIFY(!about.Image1->pixmap().isNull());
            QCOMPARE(about.Image1->size(), QSize(33, 33));
            QCOMPARE(about.Memo1->size(), QSize(185, 73));
            QVERIFY(about.Memo1->isReadOnly());
            QVERIFY(about.Memo1->toPlainText().contains("Tarnholm"));
            QTest::keyClick(&about, Qt::Key_Escape);
            QVERIFY(!about.isVisible());
        };
        app.main().mAbout->trigger();
        QCOMPARE(shown.captions, QStringList({"Information"}));
    }

    void helpOpensTheDocumentInTheBrowser()
    {
        testenv::App app;
        QList<QUrl> opened;
        app.main().openUrl = [&opened](const QUrl& url) {
            opened << url;
            return true;
        };
        app.main().Hilfe1->trigger();
        QCOMPARE(opened, QList<QUrl>({QUrl::fromLocalFile(helpDocumentPath())}));
    }

    void internetSearchOpensTheLinksWindow()
    {
        testenv::App app;
        ShownWindows shown(app.main());
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
        writeFile(installed);
        QCOMPARE(helpDocumentPath(bin), installed);
        writeFile(beside);
        QCOMPARE(helpDocumentPath(bin), beside);
    }

    void builtHelpDocumentCoversEveryFunction()
    {
        const QString path =
            QFileInfo(QStringLiteral(SLEEVIX_BINARY)).dir().filePath("Help/Help.htm");
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
        const QString html = QString::fromUtf8(file.readAll());
        const char* const topics[] = {
            "Bild laden", "Drag", "Zwischenablage", "Bilderkennung", "Gefaltet", "CD", "DVD",
            "VHS", "Testdruck", "PDF", "Allgemeines", "Vorder/Rückseite", "Doppelseite",
            "CD Layout", "Vorlagen", "URL's", "Maße", "Links", "Im Internet suchen",
        };
        for (const char* topic : topics)
            QVERIFY2(html.contains(QString::fromUtf8(topic)), topic);
        // Self-contained: no pictures, scripts or style sheets from elsewhere.
        QVERIFY(!html.contains("<img", Qt::CaseInsensitive));
        QVERIFY(!html.contains("<script", Qt::CaseInsensitive));
        QVERIFY(!html.contains("<link", Qt::CaseInsensitive));
    }
};

SLEEVIX_TEST_MAIN(InfoWindowsTest)
#include "tst_info_windows.moc"
