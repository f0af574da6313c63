#include "app/globals.h"
#include "dialogs/links_window.h"
#include "platform/settings_store.h"
#include "platform/tabbed_pages.h"
#include "settings/cdsetup.h"
#include "settings/link_list_editor.h"
#include "settings/link_target.h"
#include "support/test_env.h"
#include "workspace/sleevix.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTest>
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

// Clicks an entry as the user does.
void clickEntry(QListWidget* list, int row)
{
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

// A double-click begins with a click, which selects the entry.
void doubleClickEntry(QListWidget* list, int row)
{
    clickEntry(list, row);
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

void type(QLineEdit* field, const QString& text)
{
    field->clear();
    QTest::keyClicks(field, text);
}

// The "Links" window as the menu command shows it, with the desktop's
// default handler replaced by a recorder.
struct LinksWindow {
    explicit LinksWindow(TSleevix& main) : window(&main)
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
    auto dialog = std::make_unique<TCDSetup>(TCDSetup::Role::Dialog, &main);
    dialog->show();
    dialog->PageControl->setCurrentIndex(TCDSetup::PageLinks);
    return dialog;
}

}  // namespace

class LinksTest : public QObject {
    Q_OBJECT

private slots:
    void menuCommandShowsTheLinksWindow()
    {
        testenv::App app;
        QString caption;
        QSize size;
        app.main().runModalWindow = [&](QDialog& window) {
            caption = window.windowTitle();
            size = window.size();
        };
        app.main().ImInternetsuchen1->trigger();
        QCOMPARE(caption, QString("Links"));
        QCOMPARE(size, QSize(401, 284));
    }

    void storedEntriesShowSortedInBothPlaces()
    {
        testenv::App app;
        storeLinks({"b", "a"});
        app.restart();
        QCOMPARE(listed(app.setup().ListBox), QStringList({"a", "b"}));
        QCOMPARE(listed(openSettings(app.main())->ListBox), QStringList({"a", "b"}));
        LinksWindow links(app.main());
        QCOMPARE(listed(links->ListBox), QStringList({"a", "b"}));
    }

    void activationReloadsTheStoredList()
    {
        testenv::App app;
        storeLinks({"neu"});  // stored after start-up
        LinksWindow links(app.main());
        QCOMPARE(listed(links->ListBox), QStringList({"neu"}));
        QVERIFY(!links->bNeu->isEnabled());
        QVERIFY(!links->bAendern->isEnabled());
    }

    void newInsertsAboveTheSelectionUntilTheNextLoad()
    {
        testenv::App app;
        storeLinks({"a", "m"});
        LinksWindow links(app.main());
        clickEntry(links->ListBox, 0);
        QCOMPARE(links->eUrl->text(), QString("a"));
        QVERIFY(links->bAendern->isEnabled());
        type(links->eUrl, "z");
        links->bNeu->click();
        QCOMPARE(listed(links->ListBox), QStringList({"z", "a", "m"}));
        QCOMPARE(links->eUrl->text(), QString("z"));

        links->bSave->click();
        QVERIFY(!links->isVisible());
        QCOMPARE(storedLinks(), QStringList({"a", "m", "z"}));
        LinksWindow reopened(app.main());
        QCOMPARE(listed(reopened->ListBox), QStringList({"a", "m", "z"}));
    }

    void newWithoutSelectionAppendsOnTheSettingsPage()
    {
        testenv::App app;
        storeLinks({"b", "a"});
        auto settings = openSettings(app.main());
        type(settings->eUrl, "0");
        settings->bNeu->click();
        QCOMPARE(listed(settings->ListBox), QStringList({"a", "b", "0"}));
        QVERIFY(!store().exists("Url2"));  // saved only by "&Speichern"
        settings->Button1->click();
        settings.reset();
        app.restart();
        QCOMPARE(listed(app.setup().ListBox), QStringList({"0", "a", "b"}));
    }

    void newNeedsText()
    {
        testenv::App app;
        storeLinks({"a"});
        LinksWindow links(app.main());
        type(links->eUrl, "x");
        QVERIFY(links->bNeu->isEnabled());
        links->eUrl->clear();
        QVERIFY(!links->bNeu->isEnabled());
        links->editor().addEntry();
        QCOMPARE(listed(links->ListBox), QStringList({"a"}));
    }

    void changeReplacesInPlaceAndKeepsTheSelection()
    {
        testenv::App app;
        storeLinks({"a", "b", "c"});
        LinksWindow links(app.main());
        clickEntry(links->ListBox, 0);
        type(links->eUrl, "zz");
        links->bAendern->click();
        QCOMPARE(listed(links->ListBox), QStringList({"zz", "b", "c"}));
        QCOMPARE(links->editor().selectedRow(), 0);
        QVERIFY(links.active);
        QVERIFY(links->eUrl->hasFocus());
    }

    void deleteRemovesTheSelectionOrOnlyEmptiesTheField()
    {
        testenv::App app;
        storeLinks({"a", "b"});
        LinksWindow links(app.main());
        type(links->eUrl, "x");
        links->Button3->click();
        QCOMPARE(listed(links->ListBox), QStringList({"a", "b"}));
        QCOMPARE(links->eUrl->text(), QString());

        clickEntry(links->ListBox, 1);
        links->Button3->click();
        QCOMPARE(listed(links->ListBox), QStringList({"a"}));
        QCOMPARE(links->eUrl->text(), QString());
        QCOMPARE(links->editor().selectedRow(), -1);
        QVERIFY(!links->bAendern->isEnabled());

        type(links->eUrl, "y");
        links->Button2->click();
        QVERIFY(listed(links->ListBox).isEmpty());
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
            clickEntry(links->ListBox, 1);
            links->Button3->click();
            if (escape)
                QTest::keyClick(&links.window, Qt::Key_Escape);
            else
                links->Button1->click();
            QVERIFY(!links->isVisible());
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
        links->bSave->click();
        QCOMPARE(links->result(), int(QDialog::Accepted));
        QVERIFY(storedLinks().isEmpty());
        QVERIFY(!store().exists("Url0"));
        QVERIFY(app.setup().ListBox->count() == 0);
    }

    void settingsPageShownResetsTheButtons()
    {
        testenv::App app;
        storeLinks({"a"});
        auto settings = openSettings(app.main());
        QApplication::setActiveWindow(settings.get());
        QVERIFY(QTest::qWaitForWindowActive(settings.get()));
        type(settings->eUrl, "x");
        QVERIFY(settings->bNeu->isEnabled());
        settings->PageControl->tabButton(TCDSetup::PageGeneral)->click();
        settings->PageControl->tabButton(TCDSetup::PageLinks)->click();
        QVERIFY(!settings->bNeu->isEnabled());
        QVERIFY(!settings->bAendern->isEnabled());
        QVERIFY(settings->eUrl->hasFocus());

        clickEntry(settings->ListBox, 0);
        settings->PageControl->tabButton(TCDSetup::PageGeneral)->click();
        settings->PageControl->tabButton(TCDSetup::PageLinks)->click();
        QVERIFY(settings->bAendern->isEnabled());
    }

    void onlyWebAddressesAndFoldersAreOpenable_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("opens");  // empty: refused
        QTest::newRow("http") << "http://example.org/covers" << "http://example.org/covers";
        QTest::newRow("https") << "https://example.org" << "https://example.org";
        QTest::newRow("ftp") << "ftp://ftp.example.org/pub" << "ftp://ftp.example.org/pub";
        QTest::newRow("capital scheme") << "HTTP://example.org" << "http://example.org";
        QTest::newRow("www") << "www.example.org" << "http://www.example.org";
        QTest::newRow("blanks around") << "  www.example.org " << "http://www.example.org";
        QTest::newRow("file url") << "file:///etc" << "";
        QTest::newRow("javascript") << "javascript:alert(1)" << "";
        QTest::newRow("mail") << "mailto:someone@example.org" << "";
        QTest::newRow("scheme without host") << "http:covers" << "";
        QTest::newRow("program") << "/bin/sh" << "";
        QTest::newRow("missing folder") << "/no/such/folder" << "";
        QTest::newRow("relative folder") << "." << "";
        QTest::newRow("empty") << "" << "";
    }

    void onlyWebAddressesAndFoldersAreOpenable()
    {
        QFETCH(QString, entry);
        QFETCH(QString, opens);
        const std::optional<QUrl> url = openableLink(entry);
        QCOMPARE(url.has_value(), !opens.isEmpty());
        if (url)
            QCOMPARE(url->toString(), opens);
    }

    void existingFolderOpensButAPlainFileOrScriptDoesNot()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QCOMPARE(openableLink(dir.path()), std::optional(QUrl::fromLocalFile(dir.path())));
        const QString script = dir.filePath("run.sh");
        QFile file(script);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n");
        file.close();
        file.setPermissions(file.permissions() | QFile::ExeOwner);
        QVERIFY(!openableLink(script));
    }

    void doubleClickOpensOnlyLinksAndFolders()
    {
        testenv::App app;
        QTemporaryDir dir;
        storeLinks({"/bin/sh", "www.example.org", dir.path()});
        {
            LinksWindow links(app.main());
            doubleClickEntry(links->ListBox, 0);  // "/bin/sh", sorted first
            QCOMPARE(links.messages, QStringList({"Kein gültiger Link oder Ordner: /bin/sh"}));
            QVERIFY(links.opened.isEmpty());
            QVERIFY(links->isVisible());

            doubleClickEntry(links->ListBox, links->ListBox->count() - 1);  // "www..."
            QCOMPARE(links.opened, QList<QUrl>({QUrl("http://www.example.org")}));
            QVERIFY(!links->isVisible());
        }
        LinksWindow links(app.main());
        const auto folder = links->ListBox->findItems(dir.path(), Qt::MatchExactly);
        QCOMPARE(folder.size(), 1);
        doubleClickEntry(links->ListBox, links->ListBox->row(folder.first()));
        QCOMPARE(links.opened, QList<QUrl>({QUrl::fromLocalFile(dir.path())}));
    }

    void doubleClickWithNothingSelectedDoesNothing()
    {
        testenv::App app;
        storeLinks({"www.example.org"});
        LinksWindow links(app.main());
        links->ListBoxDblClick();
        QVERIFY(links.opened.isEmpty());
        QVERIFY(links.messages.isEmpty());
        QVERIFY(links->isVisible());
    }
};

SLEEVIX_TEST_MAIN(LinksTest)
#include "tst_links.moc"
