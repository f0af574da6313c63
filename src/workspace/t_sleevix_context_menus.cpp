// The context menus of the two picture panels. They stay in code: Qt
// Designer lays out menus only on a menu bar.
#include "workspace/slot_panel.h"
#include "workspace/t_sleevix.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace {

struct PopupSpec {
    const char* front;
    const char* back;
    const char* caption;  // nullptr: separator
};

const PopupSpec kPopupItems[] = {
    {"Bildladen2", "Bildladen1", "Bild laden"},
    {"Bildertauschen1", "Bildertauschen2", "Bilder tauschen"},
    {"Kopieren1", "Kopieren2", nullptr},  // captions differ per menu, see below
    {nullptr, nullptr, nullptr},
    {"Lschen1", "Lschen2", "Löschen"},
    {"Beidelschen1", "Beidelschen2", "Beide löschen"},
    {nullptr, nullptr, nullptr},
    {"Drucken1", "Drucken2", "Drucken"},
    {"Druckvorschau1", "Druckvorschau2", "Druckvorschau"},
    {nullptr, nullptr, nullptr},
    {"Einfgen1", "Einfgen2", "Einfügen aus Zwischenablage"},
    {"InZwischenablage1", "InZwischenablage2", "In Zwischenablage kopieren"},
    {"Bilderkennung1", "Bilderkennung2", "Bilderkennung"},
    {"Einstellungen1", "Einstellungen2", "Einstellungen"},
    {nullptr, nullptr, nullptr},
    {"Strecken1", "Strecken2", "&Strecken"},
    {"Fuellen1", "Fuellen2", "&Füllen"},
    {"Einpassen1", "Einpassen2", "&Einpassen"},
    {"Linksdrehen1", "Linksdrehen2", "Nach &links drehen"},
    {"Rechtsdrehen1", "Rechtsdrehen2", "Nach &rechts drehen"},
};

QString u(const char* text)
{
    return QString::fromUtf8(text);
}

}  // namespace

void TSleevix::buildPopupMenus()
{
    for (int menuIndex = 1; menuIndex <= 2; ++menuIndex) {
        QList<QAction*>& items = m_popupItems[menuIndex - 1];
        for (const PopupSpec& item : kPopupItems) {
            auto* action = new QAction(this);
            items.append(action);
            if (!item.front) {
                action->setSeparator(true);
                continue;
            }
            action->setText(item.caption ? u(item.caption)
                                         : (menuIndex == 1 ? QStringLiteral("Kopieren ->")
                                                           : QStringLiteral("<- Kopieren")));
            action->setObjectName(QLatin1String(menuIndex == 1 ? item.front : item.back));
        }
        items.at(kRecognitionItem)->setCheckable(true);
        // One fit at a time, shown as radio items.
        auto* fits = new QActionGroup(this);
        for (int fit : {kStretchItem, kFillItem, kFitItem}) {
            items.at(fit)->setCheckable(true);
            fits->addAction(items.at(fit));
        }
    }
    Panel1->setContextMenuPolicy(Qt::CustomContextMenu);
    Panel2->setContextMenuPolicy(Qt::CustomContextMenu);
    for (int menu : {1, 2}) {
        QWidget* panel = menu == 1 ? Panel1 : Panel2;
        connect(panel, &QWidget::customContextMenuRequested, this,
                [this, menu, panel](const QPoint& pos) {
                    showPlacementItems(menu);
                    popupMenu(menu)->popup(panel->mapToGlobal(pos));
                });
    }
}

QAction* TSleevix::popupItem(int menu, int index) const
{
    return m_popupItems[menu - 1].at(index);
}

// A menu widget costs a noticeable share of the start; most sessions never
// open one.
QMenu* TSleevix::popupMenu(int menuIndex)
{
    QMenu*& menu = menuIndex == 1 ? PopupMenu1 : PopupMenu2;
    if (!menu) {
        menu = new QMenu(this);
        menu->setObjectName(QStringLiteral("PopupMenu%1").arg(menuIndex));
        menu->addActions(m_popupItems[menuIndex - 1]);
    }
    return menu;
}
