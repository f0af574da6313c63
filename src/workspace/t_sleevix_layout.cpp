// The static layout of the main window: menus, toolbar, panels, layout
// boxes, slot buttons, context menus and status bar, as data.
#include "workspace/t_sleevix.h"

#include "platform/widgets/image_view.h"
#include "platform/desktop/program_icons.h"
#include "workspace/slot_panel.h"
#include "workspace/status_bar.h"

#include <QAction>
#include <QCheckBox>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

namespace {

constexpr int kClientWidth = 620;
constexpr int kClientHeight = 341;
constexpr int kStatusHeight = 20;

struct ToolSpec {
    QToolButton* TSleevix::*member;
    const char* name;
    const char* icon;
    const char* hint;
};

const ToolSpec kToolButtons[] = {
    {&TSleevix::sbClose, "sbClose", "close", "Beenden"},
    {&TSleevix::sbKonfig, "sbKonfig", "settings", "Einstellungen"},
    {&TSleevix::sbPrint, "sbPrint", "print", "Drucken"},
    {&TSleevix::sbFront, "sbFront", "front", "Vorderseite erstellen"},
    {&TSleevix::sbBack, "sbBack", "back", "Rückseite erstellen"},
    {&TSleevix::sbDouble, "sbDouble", "double", "Doppelseitiges Frontlayout"},
    {&TSleevix::sbCD, "sbCD", "cd", "CD mit Vorlagenblatt"},
    {&TSleevix::spDVD, "spDVD", "dvd", "DVD Layout"},
    {&TSleevix::spVHS, "spVHS", "vhs", "VHS Layout"},
    {&TSleevix::sbClipbrd1, "sbClipbrd1", "paste1",
     "Einfügen aus der Zwischenablage (ALT+DRUCK) für die Vorderseite"},
    {&TSleevix::sbClipbrd2, "sbClipbrd2", "paste2",
     "Einfügen aus der Zwischenablage (ALT+DRUCK) für die Rückseite"},
    {&TSleevix::sbChange, "sbChange", "swap", "Bilder tauschen"},
    {&TSleevix::sbClear, "sbClear", "clear", "Inhalt der Zwischenablage löschen"},
};

struct CheckSpec {
    QCheckBox* TSleevix::*member;
    const char* name;
    int x, y, width;
    const char* caption;
    const char* hint;
};

const CheckSpec kLayoutBoxes[] = {
    {&TSleevix::cbSecFront, "cbSecFront", 334, 7, 88, "2. V&orderseite",
     "Wenn statt der Rückseite eine 2. Vorderseite erstellt werden soll"},
    {&TSleevix::cbDouble, "cbDouble", 422, 7, 58, "&Gefaltet", "Gefaltete Front"},
    {&TSleevix::cbCD, "cbCD", 480, 7, 40, "&CD", "Erstellt ein Label für die CD"},
    {&TSleevix::cbDVD, "cbDVD", 520, 7, 48, "&DVD", "DVD Layout"},
    {&TSleevix::cbVHS, "cbVHS", 568, 7, 48, "VH&S", "VHS Layout"},
    {&TSleevix::cbSecIMG, "cbSecIMG", 329, 7, 80, "2 &Bilder", "Wenn die Rückseite aus 2 Bildern besteht"},
};

struct MenuItemSpec {
    QAction* TSleevix::*member;
    const char* name;
    const char* caption;
};

struct MenuSpec {
    const char* caption;
    std::initializer_list<MenuItemSpec> items;
};

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

void TSleevix::buildMenus()
{
    const MenuSpec menus[] = {
        {"D&atei", {{&TSleevix::mKonfig, "mKonfig", "Ein&stellungen"},
                    {&TSleevix::mBeenden, "mBeenden", "&Beenden"}}},
        {"Druck &Menü", {{&TSleevix::mPrint, "mPrint", "Dr&ucken"},
                         {&TSleevix::mPrinterSetup, "mPrinterSetup", "Drucker &Konfiguration"},
                         {&TSleevix::mPreview, "mPreview", "Druck&vorschau"},
                         {&TSleevix::mPdfExport, "mPdfExport", "Als &PDF speichern..."},
                         {&TSleevix::mCalibrate, "mCalibrate", "Drucker &kalibrieren..."}}},
        {"&Erstellen", {{&TSleevix::mFront, "mFront", "&Vorderseite"},
                        {&TSleevix::mBack, "mBack", "&Rückseite"},
                        {&TSleevix::mDoppel, "mDoppel", "&Doppelseite"},
                        {&TSleevix::mCD, "mCD", "&CD"},
                        {&TSleevix::mDVD, "mDVD", "D&VD"},
                        {&TSleevix::mVHS, "mVHS", "V&HS"}}},
        {"H&ilfe", {{&TSleevix::Hilfe1, "Hilfe1", "&Hilfe"},
                    {&TSleevix::mAbout, "mAbout", "&Info"},
                    {&TSleevix::ImInternetsuchen1, "ImInternetsuchen1", "Im Internet suchen"}}},
    };
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("MainMenu1"));
    for (const MenuSpec& menuSpec : menus) {
        QMenu* menu = bar->addMenu(u(menuSpec.caption));
        for (const MenuItemSpec& item : menuSpec.items) {
            QAction* action = menu->addAction(u(item.caption));
            action->setObjectName(QLatin1String(item.name));
            this->*item.member = action;
        }
    }
    setMenuBar(bar);
}

void TSleevix::buildToolBar()
{
    ToolBar = new QToolBar(Client);
    ToolBar->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar->setGeometry(0, 0, 617, 33);
    ToolBar->setIconSize(QSize(16, 16));
    ToolBar->setMovable(false);
    auto* spacer = new QToolButton(ToolBar);
    spacer->setEnabled(false);
    spacer->setFixedSize(8, 24);
    spacer->setAutoRaise(true);
    ToolBar->addWidget(spacer);
    for (const ToolSpec& item : kToolButtons) {
        auto* button = new QToolButton(ToolBar);
        button->setObjectName(QLatin1String(item.name));
        button->setIcon(programIcon(item.icon));
        button->setToolTip(u(item.hint));
        button->setAutoRaise(true);
        button->setFixedSize(23, 24);
        ToolBar->addWidget(button);
        this->*item.member = button;
    }
}

void TSleevix::buildClient()
{
    Client = new QWidget(this);
    Client->setObjectName(QStringLiteral("Client"));
    Client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(Client);
    buildToolBar();

    for (const CheckSpec& item : kLayoutBoxes) {
        auto* box = new QCheckBox(u(item.caption), Client);
        box->setObjectName(QLatin1String(item.name));
        box->setToolTip(u(item.hint));
        box->setFocusPolicy(Qt::ClickFocus);
        box->setGeometry(item.x, item.y, item.width, 18);
        this->*item.member = box;
    }
    cbSecIMG->hide();

    auto makePanel = [this](const char* name, QRect geometry, ImageView*& picture, ImageView*& overlay,
                            const char* pictureName, const char* overlayName) {
        auto* panel = new SlotPanel(Client);
        panel->setObjectName(QLatin1String(name));
        panel->setGeometry(geometry);
        picture = new ImageView(panel);
        picture->setObjectName(QLatin1String(pictureName));
        // The overlays' white lets the slot picture show through.
        overlay = new ImageView(panel, ColourKey::BottomLeft);
        overlay->setObjectName(QLatin1String(overlayName));
        overlay->hide();
        return panel;
    };
    Panel1 = makePanel("Panel1", {8, 64, 250, 250}, Image1, Image3, "Image1", "Image3");
    Panel2 = makePanel("Panel2", {298, 64, 312, 250}, Image2, Image4, "Image2", "Image4");
    Panel1->setToolTip(u("Doppelklick zum öffnen der Dateiliste für die Vorderseite"));
    Panel2->setToolTip(u("Doppelklick zum öffnen der Dateiliste für die Rückseite"));

    auto makeButton = [this](const char* name, const char* caption, QRect geometry) {
        auto* button = new QPushButton(u(caption), Client);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(geometry);
        return button;
    };
    bFront = makeButton("bFront", "&Vorderseite", {8, 40, 89, 17});
    bBack = makeButton("bBack", "&Rückseite", {296, 40, 89, 17});

    auto makeTrash = [this](const char* name, int x, const char* hint) {
        auto* button = new QToolButton(Client);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(x, 38, 33, 25);
        button->setIcon(programIcon("trash"));
        button->setToolTip(u(hint));
        button->setAutoRaise(true);
        return button;
    };
    sbTrash1 = makeTrash("sbTrash1", 116, "Ab in den Müll mit der Vorderseite");
    sbTrash2 = makeTrash("sbTrash2", 440, "Ab in den Müll mit der Rückseite");

    statusBarPanels = new StatusBar({8, 288, 300}, Client);
    statusBarPanels->setObjectName(QStringLiteral("StatusBar"));
    statusBarPanels->setGeometry(0, kClientHeight - kStatusHeight, kClientWidth, kStatusHeight);
}

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
        for (int fit : {kStretchItem, kFillItem, kFitItem})
            items.at(fit)->setCheckable(true);
    }
    Panel1->setContextMenuPolicy(Qt::CustomContextMenu);
    Panel2->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Panel1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) {
                showPlacementItems(1);
                popupMenu(1)->popup(Panel1->mapToGlobal(pos));
            });
    connect(Panel2, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        showPlacementItems(2);
        popupMenu(2)->popup(Panel2->mapToGlobal(pos));
    });
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
