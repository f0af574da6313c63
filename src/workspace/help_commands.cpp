// The "H&ilfe" menu and the print-count information on the free client area.
#include "dialogs/t_about_box.h"
#include "dialogs/t_form2.h"
#include "dialogs/t_form3.h"
#include "model/program_values.h"
#include "platform/store/settings_store.h"
#include "platform/widgets/error_box.h"
#include "platform/widgets/free_area_double_click.h"
#include "workspace/help_document.h"
#include "workspace/t_sleevix.h"

#include <QAction>
#include <QDesktopServices>
#include <QUrl>

namespace {

// Takes the print count from the store when it holds one; otherwise the
// count of this run stays.
void refreshPrintCount()
{
    const SettingsStore& store = SettingsStore::user();
    const QString name = QStringLiteral("AnzPrint");
    if (store.exists(name))
        program().PrintCount = store.readInteger(name);
}

}  // namespace

void TSleevix::connectHelpCommands()
{
    runModalWindow = [](QDialog& window) { window.exec(); };
    openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    connect(Hilfe1, &QAction::triggered, this, &TSleevix::Hilfe1Click);
    connect(mAbout, &QAction::triggered, this, &TSleevix::mAboutClick);
    connect(ImInternetsuchen1, &QAction::triggered, this, &TSleevix::ImInternetsuchen1Click);
    new FreeAreaDoubleClick(Client, [this] { ClientDblClick(); });
}

void TSleevix::Hilfe1Click()
{
    // A document that cannot be opened is not reported.
    openUrl(QUrl::fromLocalFile(helpDocumentPath()));
}

void TSleevix::mAboutClick()
{
    TAboutBox about(this);
    runModalWindow(about);
}

void TSleevix::ImInternetsuchen1Click()
{
    TForm2 links(*m_runLongSettings, this);
    links.openUrl = openUrl;
    runModalWindow(links);
}

void TSleevix::ClientDblClick()
{
    if (!runGuarded(this, refreshPrintCount))
        return;
    TForm3 information(this);
    runModalWindow(information);
}
