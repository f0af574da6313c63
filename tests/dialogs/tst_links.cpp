#include "dialogs/t_form2.h"
#include "platform/store/settings_store.h"
#include "platform/widgets/tabbed_pages.h"
#include "settings/link_list_editor.h"
#include "settings/link_target.h"
#include "settings/t_cd_setup.h"
#include "support/test_env.h"
#include "workspace/t_sleevix.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QUrl>

namespace {

SettingsStore& store()
{
    return SettingsStore::user();
}

void storeLinks(const QStringList& entries)
{
    for (int i = 0; i < entries.size(); ++i)
        store().writeString(QStringLiteral("Url%1").arg(i), entries.at(i));
}

QStringList storedLinks()
{
    QStringList entries;
    for (int i = 0; store().exists(QStringLiteral("URL%1").arg(i)); ++i)
        entries << store().readString(QStringLiteral("URL%1").arg(i));
    return entries;
}

QStringList listed(const QListWidget* list)
{
    return LinkListEditor::entriesOf(*list);
}

void clickEntry(QListWidget* list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

// A double-click begins with a click, which selects the entry.
void doubleClickEntry(QListWidget* list, int row)
{
    clickEntry(list, row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                       list->visualItemRect(list->item(row)).center());
}

void type(QLineEdit* field, const QString& text)
{
    field->clear();
    QTest::keyClicks(field, text);
}

// The "Links" window as the menu command shows it, with the desktop's
// default handler and the message box replaced by recorders.
struct LinksWindow {
    explicit LinksWindow(TSleevix& main) : window(main.runLongSettings(), &main)
    {
        window.openUrl = [this](const QUrl& url) {
            opened << url;
            return true;
        };
        window.showMessage = [this](const QString& text) { messages << text; };
        window.show();
        QApplication::setActiveWindow(&window);
        active = QTest::qWaitForWindowActive(&window);
    }
    TForm2* operator->() { return &window; }

    TForm2 window;
    QList<QUrl> opened;
    QStringList messages;
    bool active = false;
};

std::unique_ptr<TCDSetup> openSettings(TSleevix& main)
{
    auto dialog = std::make_unique<TCDSetup>(TCDSetup::Role::Dialog, main, main, &main);
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    (void)QTest::qWaitForWindowActive(dialog.get());
    dialog->PageControl->tabButton(TCDSetup::PageLinks)->click();
    return dialog;
}

}  // namespace

class LinksTest : public QObject {
    Q_OBJECT

private slots:
    void storedEntriesShowSortedInBothPlaces()
    {
        testenv::App app;
        storeLinks({"b", "a"});
        app.restart();
        QCOMPARE(listed(app.setup().ListBox), QStringList({"a", "b"}));
        QCOMPARE(listed(openSettings(app.main())->ListBox), QStringList({"a", "b"}));
        storeLinks({"d", "c", "a"});  // the Links window reloads the store
        LinksWindow links(app.main());
        QCOMPARE(listed(links->ListBox), QStringList({"a", "c", "d"}));
        QVERIFY(!links->bNeu->isEnabled());
        QVERIFY(!links->bAendern->isEnabled());
    }

    void newInsertsAboveTheSelectionUntilTheNextLoad()
    {
        testenv::App app;
        storeLinks({"a", "m"});
        LinksWindow links(app.main());
        links->editor().addEntry();  // empty field: nothing
        clickEntry(links->ListBox, 0);
        QCOMPARE(links->eUrl->text(), QString("a"));
        type(links->eUrl, "z");
        links->bNeu->click();
        QCOMPARE(listed(links->ListBox), QStringList({"z", "a", "m"}));
        QCOMPARE(links->eUrl->text(), QString("z"));
        links->eUrl->clear();
        QVERIFY(!links->bNeu->isEnabled());

        links->bSave->click();
        QVERIFY(!links->isVisible());
        QCOMPARE(storedLinks(), QStringList({"a", "m", "z"}));
        QCOMPARE(listed(LinksWindow(app.main())->ListBox), QStringList({"a", "m", "z"}));
    }

    void settingsPageAppendsWithoutSelectionAndResetsOnShow()
    {
        testenv::App app;
        storeLinks({"b", "a"});
        auto settings = openSettings(app.main());
        QVERIFY(settings->eUrl->hasFocus());
        type(settings->eUrl, "0");
        settings->bNeu->click();
        QCOMPARE(listed(settings->ListBox), QStringList({"a", "b", "0"}));
        QVERIFY(!store().exists("Url2"));  // saved only by "&Speichern"

        clickEntry(settings->ListBox, 0);
        settings->PageControl->tabButton(TCDSetup::PageGeneral)->click();
        settings->PageControl->tabButton(TCDSetup::PageLinks)->click();
        QVERIFY(!settings->bNeu->isEnabled());
        QVERIFY(settings->bAendern->isEnabled());
        settings->Button1->click();
        QCOMPARE(storedLinks(), QStringList({"a", "b", "0"}));
    }

    void changeAndDelete()
    {
        testenv::App app;
        storeLinks({"a", "b", "c"});
        LinksWindow links(app.main());
        clickEntry(links->ListBox, 0);
        type(links->eUrl, "zz");
        links->bAendern->click();
        QCOMPARE(listed(links->ListBox), QStringList({"zz", "b", "c"}));
        QCOMPARE(links->editor().selectedRow(), 0);
        QVERIFY(links.active && links->eUrl->hasFocus());

        links->Button3->click();
        QCOMPARE(listed(links->ListBox), QStringList({"b", "c"}));
        QVERIFY(!links->bAendern->isEnabled());
        type(links->eUrl, "x");
        links->Button3->click();  // nothing selected: only the field empties
        QCOMPARE(listed(links->ListBox), QStringList({"b", "c"}));
        QCOMPARE(links->eUrl->text(), QString());
    }

    void cancelAndEscapeLeaveTheStoreUnchanged()
    {
        testenv::App app;
        storeLinks({"b", "a"});
        for (bool escape : {false, true}) {
            LinksWindow links(app.main());
            type(links->eUrl, "neu");
            links->bNeu->click();
            links->Button2->click();
            if (escape)
                QTest::keyClick(&links.window, Qt::Key_Escape);
            else
                links->Button1->click();
            QCOMPARE(links->result(), int(QDialog::Rejected));
            QCOMPARE(storedLinks(), QStringList({"b", "a"}));
        }
    }

    void savingAnEmptyListDeletesTheStoredRun()
    {
        testenv::App app;
        storeLinks({"a", "b", "c"});
        LinksWindow links(app.main());
        links->Button2->click();
        QVERIFY(listed(links->ListBox).isEmpty());
        links->bSave->click();
        QCOMPARE(links->result(), int(QDialog::Accepted));
        QVERIFY(!store().exists("Url0") && !store().exists("Url2"));
    }

    void onlyWebAddressesAndFoldersAreOpenable_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("opens");  // empty: refused
        const QString folder = QCoreApplication::applicationDirPath();
        QTest::newRow("http") << "http://example.org/covers"
                              << "http://example.org/covers";
        QTest::newRow("https") << "HTTPS://example.org"
                               << "https://example.org";
        QTest::newRow("ftp") << "ftp://ftp.example.org/pub"
                             << "ftp://ftp.example.org/pub";
        QTest::newRow("www") << " www.example.org "
                             << "http://www.example.org";
        QTest::newRow("folder") << folder << QUrl::fromLocalFile(folder).toString();
        QTest::newRow("program") << QCoreApplication::applicationFilePath() << "";
        QTest::newRow("file url") << "file:///etc"
                                  << "";
        QTest::newRow("javascript") << "javascript:alert(1)"
                                    << "";
        QTest::newRow("no host") << "http:covers"
                                 << "";
        QTest::newRow("missing folder") << "/no/such/folder"
                                        << "";
        QTest::newRow("relative folder") << "."
                                         << "";
    }

    void onlyWebAddressesAndFoldersAreOpenable()
    {
        QFETCH(QString, entry);
        QFETCH(QString, opens);
        const std::optional<QUrl> url = openableLink(entry);
        QCOMPARE(url ? url->toString() : QString(), opens);
    }

    void doubleClickOpensOnlyLinksAndFolders()
    {
        testenv::App app;
        storeLinks({"/bin/sh", "www.example.org"});
        LinksWindow links(app.main());
        links->ListBoxDblClick();  // nothing selected
        doubleClickEntry(links->ListBox, 0);
        QCOMPARE(links.messages, QStringList({"Kein gültiger Link oder Ordner: /bin/sh"}));
        QVERIFY(links.opened.isEmpty());
        QVERIFY(links->isVisible());

        doubleClickEntry(links->ListBox, 1);
        QCOMPARE(links.opened, QList<QUrl>({QUrl("http://www.example.org")}));
        QVERIFY(!links->isVisible());
    }
};

SLEEVIX_TEST_MAIN(LinksTest)
#include "tst_links.moc"
