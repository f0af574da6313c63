// The static layout of the settings window: every page, control, caption,
// hint and limit, as data.
#include "settings/t_cd_setup.h"

#include "platform/widgets/spin_edit.h"
#include "platform/widgets/tabbed_pages.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

#include <array>
#include <cstring>

namespace {

enum class Kind { Label, Edit, Folder, Check, Spin, Button, List };

struct ControlSpec {
    int page;
    Kind kind;
    const char* name;
    int x, y, width;
    const char* text;  // caption, label text or unit label of a spin field
    const char* hint;
    const char* buddy = nullptr;  // the field a label's accelerator focuses
};

constexpr int kSpinWidth = 56;
constexpr int kRow0 = 10;
constexpr int kRowStep = 28;
constexpr int row(int n) { return kRow0 + n * kRowStep; }

const char* const kSizeHint = "Zur Maßeinstellung";

// clang-format off
const ControlSpec kControls[] = {
    // Page 0 "Allgemeines"
    {0, Kind::Label, "lDaten", 12, 12, 300, "An&fangsverzeichnis", nullptr, "eDaten"},
    {0, Kind::Edit, "eDaten", 12, 30, 350, nullptr, "Ablageordner für die Bilder"},
    {0, Kind::Folder, "SpeedButton1", 366, 29, 26, nullptr, "Wählen Sie einen Ablageorder für die Bilder"},
    {0, Kind::Label, "lLabels", 12, 66, 300, "&Vorlagenverzeichnis", nullptr, "eLabels"},
    {0, Kind::Edit, "eLabels", 12, 84, 350, nullptr, "Ablageordner für die Vorlagen"},
    {0, Kind::Folder, "SpeedButton2", 366, 83, 26, nullptr, "Wählen Sie einen Ablageorder für die Vorlagen"},
    {0, Kind::Check, "cbSelPrinter", 12, 126, 380, "Vor dem Drucken immer den &Drucker auswählen", "Vor jedem Druck soll der Drucker ausgewählt werden"},
    {0, Kind::Check, "cbAutoFormat", 12, 152, 380, "Automatische &Bildgrößenkennung", "Erkennt hierbei die Größe der Vorder und Rückseite der gewählten Bilder. Bei Doppelseiten  keine Änderung"},
    {0, Kind::Check, "cbAutosave", 12, 178, 380, "&Einstellungen sichern beim beenden", "Alle veränderten Einstellungen im System werden automatisch gesichert"},

    // Page 1 "Vorder/Rückseite"
    {1, Kind::Label, "lTop", 8, row(0) + 4, 148, "A&bstand Front von oben", nullptr, "spTop"},
    {1, Kind::Spin, "spTop", 158, row(0), kSpinWidth, "mm", "Abstand des Vorderseitenlabels von oben"},
    {1, Kind::Label, "lLeft", 8, row(1) + 4, 148, "Abs&tand Front von links", nullptr, "spLeft"},
    {1, Kind::Spin, "spLeft", 158, row(1), kSpinWidth, "mm", "Abstand des Vorderseitenlabels von links"},
    {1, Kind::Label, "lTop2", 8, row(2) + 4, 148, "Absta&nd Back von oben", nullptr, "spTop2"},
    {1, Kind::Spin, "spTop2", 158, row(2), kSpinWidth, "mm", "Abstand des Rückseitenlabels von oben"},
    {1, Kind::Spin, "spTop2Front", 158, row(2), kSpinWidth, nullptr, nullptr},
    {1, Kind::Label, "lLeft2", 8, row(3) + 4, 148, "Abstand Back von &links", nullptr, "spLeft2"},
    {1, Kind::Spin, "spLeft2", 158, row(3), kSpinWidth, "mm", "Abstand des Rückseitenlabels von links"},
    {1, Kind::Spin, "spLeft2front", 158, row(3), kSpinWidth, nullptr, nullptr},
    {1, Kind::Check, "cbUFront", 8, 128, 225, "&Umrahmung Vorderseite", "Umrandung für die Vorderseite"},
    {1, Kind::Check, "cbUBack", 8, 152, 225, "Umrahmung &Rückseite", "Umrandung für die Rückseite"},
    {1, Kind::Check, "cbSecFront", 8, 176, 225, "2. &Vorderseite", "Wenn statt der Rückseite eine 2. Vorderseite erstellt werden soll"},
    {1, Kind::Check, "cbKnickTrennVR", 8, 200, 225, "&Knickhilfe Trennstrich", "Knickhilfe der Rückseite"},
    {1, Kind::Button, "Button6", 280, 196, 75, "&Maße", kSizeHint},

    // Page 2 "Doppelseite"
    {2, Kind::Label, "lDTop", 8, row(0) + 4, 120, "A&bstand von oben", nullptr, "spDTop"},
    {2, Kind::Spin, "spDTop", 128, row(0), kSpinWidth, "mm", "Abstand der Doppelseite von oben im Querformat"},
    {2, Kind::Label, "lDleft", 8, row(1) + 4, 120, "Abs&tand von links", nullptr, "spDleft"},
    {2, Kind::Spin, "spDleft", 128, row(1), kSpinWidth, "mm", "Abstand der Doppelseite von links im Querformat"},
    {2, Kind::Check, "cbUDouble", 8, 84, 205, "&Umrahmung Doppelseite", "Umrandung für eine Doppelseite, Inlay"},
    {2, Kind::Check, "cbKnickTrennD", 8, 108, 205, "&Knickhilfe Trennstrich", "Knickhilfe für die Doppelseite"},
    {2, Kind::Check, "cbSecImg", 8, 132, 205, "&2 Seiten als Doppelseite", "Wenn zwei einzelne Bilder eine Doppelseite ergeben soll"},
    {2, Kind::Button, "Button5", 302, 136, 75, "&Maße", kSizeHint},

    // Page 3 "CD Layout"
    {3, Kind::Label, "lCDTop", 8, row(0) + 4, 148, "A&bstand 1. CD oben", nullptr, "spCDTop"},
    {3, Kind::Spin, "spCDTop", 158, row(0), kSpinWidth, "mm", "Abstand des 1. CD-Labels von oben"},
    {3, Kind::Label, "lCDLeft", 8, row(1) + 4, 148, "Abs&tand 1. CD links", nullptr, "spCDLeft"},
    {3, Kind::Spin, "spCDLeft", 158, row(1), kSpinWidth, "mm", "Abstand des 1. CD-Labels von links"},
    {3, Kind::Label, "lCDTop2", 8, row(2) + 4, 148, "Absta&nd 2. Cd oben", nullptr, "spCDTop2"},
    {3, Kind::Spin, "spCDTop2", 158, row(2), kSpinWidth, "mm", "Abstand des 2. CD-Labels von oben"},
    {3, Kind::Label, "lCDLeft2", 8, row(3) + 4, 148, "Abstand 2. CD &links", nullptr, "spCDLeft2"},
    {3, Kind::Spin, "spCDLeft2", 158, row(3), kSpinWidth, "mm", nullptr},
    {3, Kind::Check, "cbCDRund", 8, 128, 225, "Label rund &beschneiden", "Das Bild wird auf die runde CD zugeschnitten, das Mittelloch bleibt frei"},
    {3, Kind::Label, "lMCDLoch", 8, 156 + 4, 148, "L&ochdurchmesser", nullptr, "spMCDLoch"},
    {3, Kind::Spin, "spMCDLoch", 158, 156, kSpinWidth, "mm", "Durchmesser des Mittellochs in mm, 0 für kein Loch"},
    {3, Kind::Button, "Button9", 280, 196, 75, "&Maße", kSizeHint},

    // Page 4 "DVD"
    {4, Kind::Label, "lDVDTop", 8, row(0) + 4, 120, "A&bstand von oben", nullptr, "spDVDTop"},
    {4, Kind::Spin, "spDVDTop", 128, row(0), kSpinWidth, "mm", "Abstand des DVD Labels von oben"},
    {4, Kind::Label, "lDVDLeft", 8, row(1) + 4, 120, "Abs&tand von links", nullptr, "spDVDLeft"},
    {4, Kind::Spin, "spDVDLeft", 128, row(1), kSpinWidth, "mm", "Abstand des DVD Labels von links"},
    {4, Kind::Check, "cbUDVD", 8, 84, 205, "&Umrandung DVD", "Umrandung für das DVD Label"},
    {4, Kind::Button, "Button7", 302, 136, 75, "&Maße", kSizeHint},

    // Page 5 "VHS"
    {5, Kind::Label, "lVHSTop", 8, row(0) + 4, 120, "A&bstand von oben", nullptr, "spVHSTop"},
    {5, Kind::Spin, "spVHSTop", 128, row(0), kSpinWidth, "mm", "Abstand des VHS Labels von oben"},
    {5, Kind::Label, "lVHSLeft", 8, row(1) + 4, 120, "Abs&tand von links", nullptr, "spVHSLeft"},
    {5, Kind::Spin, "spVHSLeft", 128, row(1), kSpinWidth, "mm", "Abstand des VHS Labels von links"},
    {5, Kind::Check, "cbUVHS", 8, 84, 205, "&Umrandung VHS", "Umrandung für das VHS Label"},
    {5, Kind::Button, "Button8", 302, 136, 75, "&Maße", kSizeHint},

    // Page 6 "Vorlagen"
    {6, Kind::List, "ListView", 8, 8, 296, nullptr, nullptr},
    {6, Kind::Button, "bLoadLabel", 312, 8, 90, "&Laden", "Einstellungen aus der gewählten DAtei übernehmen"},
    {6, Kind::Button, "bSave", 312, 40, 90, "S&peichern", "Einstellungen in eine neue Datei übernehmen"},
    {6, Kind::Button, "bUpdateLabel", 312, 72, 90, "A&ktualisieren", "Einstellungen in die gewählte Datei übernehmen"},
    {6, Kind::Button, "bDeleteLabel", 312, 104, 90, "&Entfernen", "Gewählte Datei entfernen"},

    // Page 7 "URL's  "
    {7, Kind::Edit, "eUrl", 8, 8, 394, nullptr, "Geben Sie eine webseite, z.B. http://.... oder einen Ordner ein"},
    {7, Kind::List, "ListBox", 8, 38, 296, nullptr, "Wählen Sie einen Eintrag zum ändern oder löschen"},
    {7, Kind::Button, "bNeu", 312, 38, 90, "&Neu", nullptr},
    {7, Kind::Button, "bAendern", 312, 70, 90, "Ände&rn", nullptr},
    {7, Kind::Button, "Button4", 312, 102, 90, "&Löschen", nullptr},
    {7, Kind::Button, "Button10", 312, 134, 90, "Alle &löschen", nullptr},

    // Page 8 "Maße"
    {8, Kind::Label, "lMV", 8, row(0) - 4, 116, "Maße Vorderseite", nullptr, "spMV"},
    {8, Kind::Label, "lQuadratisch", 8, row(0) + 12, 116, "Quadratisch", nullptr},
    {8, Kind::Spin, "spMV", 126, row(0), 52, "mm2", "Quadratisches Maß der Vorderseite in mm"},
    {8, Kind::Label, "lMRB", 8, row(1) + 4, 116, "Breite Rückseite", nullptr, "spMRB"},
    {8, Kind::Spin, "spMRB", 126, row(1), 52, "mm ", "Breite der Rückseite in mm"},
    {8, Kind::Label, "lMRH", 8, row(2) + 4, 116, "Höhe Rückseite", nullptr, "spMRH"},
    {8, Kind::Spin, "spMRH", 126, row(2), 52, "mm", "Höhe der Rückseite in mm"},
    {8, Kind::Label, "lMKB", 8, row(3) + 4, 116, "Knickhilfe Rücks.", nullptr, "spMKB"},
    {8, Kind::Spin, "spMKB", 126, row(3), 52, "mm", "Abstand der Hilfslinie für die Knickhilfe der Rückseite"},
    {8, Kind::Label, "lMDB", 8, row(4) + 4, 116, "Breite Doppelseite", nullptr, "spMDB"},
    {8, Kind::Spin, "spMDB", 126, row(4), 52, "mm", "Breite der Doppelseite in mm"},
    {8, Kind::Label, "lMDH", 8, row(5) + 4, 116, "Höhe Doppelseite", nullptr, "spMDH"},
    {8, Kind::Spin, "spMDH", 126, row(5), 52, "mm", "Höhe der Doppelseite in mm"},
    {8, Kind::Label, "lMCD", 222, row(0) + 4, 96, "CD Layout", nullptr, "spMCD"},
    {8, Kind::Spin, "spMCD", 318, row(0), 52, "mm D", "Durchmesser der CD in mm"},
    {8, Kind::Label, "lMDVDB", 222, row(1) + 4, 96, "Breite DVD", nullptr, "spMDVDB"},
    {8, Kind::Spin, "spMDVDB", 318, row(1), 52, "mm", "Breite der DVD in mm"},
    {8, Kind::Label, "lMDVDH", 222, row(2) + 4, 96, "Höhe DVD", nullptr, "spMDVDH"},
    {8, Kind::Spin, "spMDVDH", 318, row(2), 52, "mm", "Höhe der DVD in mm"},
    {8, Kind::Label, "lMVHSB", 222, row(3) + 4, 96, "Breite VHS", nullptr, "spMVHSB"},
    {8, Kind::Spin, "spMVHSB", 318, row(3), 52, "mm", "Breite der VHS in mm"},
    {8, Kind::Label, "lMVHSH", 222, row(4) + 4, 96, "Höhe VHS", nullptr, "spMVHSH"},
    {8, Kind::Spin, "spMVHSH", 318, row(4), 52, "mm", "Höhe der VHS in mm"},
    {8, Kind::Check, "cbMVorlagen", 8, 200, 250, "Maße in &Vorlagen speichern", "Sollen die Maße auch in den Vorlagen gespeichert ?"},
    {8, Kind::Button, "Button3", 272, 196, 130, "S&tandard Werte", "Standard Werte, falls mal alles verstellt ist"},
};
// clang-format on

struct PageSpec {
    const char* object;
    const char* caption;
};

const std::array<PageSpec, TCDSetup::PageCount> kPages{{
    {"TabSheet1", "Allgemeines"},
    {"TabSheet2", "Vorder/Rückseite"},
    {"TabSheet3", "Doppelseite"},
    {"TabSheet4", "CD Layout"},
    {"TabSheet7", "DVD"},
    {"TabSheet8", "VHS"},
    {"TabSheet5", "Vorlagen"},
    {"TabSheet6", "URL's  "},
    {"TabSheet9", "Maße"},
}};

constexpr int kFieldHeight = 22;
constexpr int kButtonHeight = 25;
constexpr int kListHeight = 210;

QString text(const char* s)
{
    return s ? QString::fromUtf8(s) : QString();
}

// The unit after a spin field, on the base line of the field's text.
void addUnitLabel(const SpinEdit& spin, const ControlSpec& item, QWidget* page)
{
    auto* unit = new QLabel(text(item.text), page);
    unit->setObjectName(QStringLiteral("unit_") + QLatin1String(item.name));
    unit->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    unit->adjustSize();
    unit->move(item.x + item.width + 4, item.y + spin.textBaseline() - unit->fontMetrics().ascent());
}

QWidget* createControl(const ControlSpec& item, QWidget* page)
{
    QWidget* widget = nullptr;
    switch (item.kind) {
    case Kind::Label:
        widget = new QLabel(text(item.text), page);
        widget->resize(item.width, 16);
        break;
    case Kind::Edit:
        widget = new QLineEdit(page);
        widget->resize(item.width, kFieldHeight);
        break;
    case Kind::Folder: {
        auto* button = new QToolButton(page);
        button->setText(QStringLiteral("…"));
        button->resize(item.width, kFieldHeight + 2);
        widget = button;
        break;
    }
    case Kind::Check:
        widget = new QCheckBox(text(item.text), page);
        widget->resize(item.width, 20);
        break;
    case Kind::Spin: {
        auto* spin = new SpinEdit(page);
        spin->setObjectName(QLatin1String(item.name));
        spin->resize(item.width, kFieldHeight);
        if (item.text)
            addUnitLabel(*spin, item, page);
        widget = spin;
        break;
    }
    case Kind::Button:
        widget = new QPushButton(text(item.text), page);
        widget->resize(item.width, kButtonHeight);
        break;
    case Kind::List:
        widget = new QListWidget(page);
        widget->resize(item.width, item.name == std::string_view("ListBox") ? kListHeight - 30
                                                                            : kListHeight);
        break;
    }
    widget->setObjectName(QLatin1String(item.name));
    widget->move(item.x, item.y);
    if (item.hint)
        widget->setToolTip(text(item.hint));
    return widget;
}

}  // namespace

void TCDSetup::buildControls()
{
    setWindowTitle(QStringLiteral("Einstellungen"));
    setFixedSize(426, 325);

    PageControl = new TabbedPages({5, 4}, this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    PageControl->setGeometry(4, 4, 418, 284);

    std::array<QWidget*, PageCount> pages{};
    for (int i = 0; i < PageCount; ++i) {
        pages[i] = new QWidget;
        pages[i]->setObjectName(QLatin1String(kPages[i].object));
        PageControl->addTab(pages[i], QString::fromUtf8(kPages[i].caption));
    }
    for (const ControlSpec& item : kControls)
        createControl(item, pages[item.page]);
    for (const ControlSpec& item : kControls) {
        if (item.buddy)
            findChild<QLabel*>(QLatin1String(item.name))->setBuddy(findChild<QWidget*>(QLatin1String(item.buddy)));
    }

    auto bottomButton = [this](const char* name, const char* caption, int x, const char* hint) {
        auto* button = new QPushButton(QString::fromUtf8(caption), this);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(x, 293, 96, kButtonHeight);
        if (hint)
            button->setToolTip(QString::fromUtf8(hint));
        button->setAutoDefault(false);
        return button;
    };
    Button1 = bottomButton("Button1", "&Speichern", 8, "Änderungen übernehmen");
    bTestDruck = bottomButton("bTestDruck", "Test&druck", 165, nullptr);
    Button2 = bottomButton("Button2", "&Abbruch", 322, "Ohne Änderung beenden");

    // Typed handles on the controls the program works with.
    auto bind = [this](auto*& member, const char* name) {
        member = findChild<std::remove_reference_t<decltype(*member)>*>(QLatin1String(name));
        Q_ASSERT(member);
    };
    bind(eDaten, "eDaten");
    bind(eLabels, "eLabels");
    bind(SpeedButton1, "SpeedButton1");
    bind(SpeedButton2, "SpeedButton2");
    bind(cbSelPrinter, "cbSelPrinter");
    bind(cbAutoFormat, "cbAutoFormat");
    bind(cbAutosave, "cbAutosave");
    bind(spTop, "spTop");
    bind(spLeft, "spLeft");
    bind(spTop2, "spTop2");
    bind(spLeft2, "spLeft2");
    bind(spTop2Front, "spTop2Front");
    bind(spLeft2front, "spLeft2front");
    bind(cbUFront, "cbUFront");
    bind(cbUBack, "cbUBack");
    bind(cbSecFront, "cbSecFront");
    bind(cbKnickTrennVR, "cbKnickTrennVR");
    bind(spDTop, "spDTop");
    bind(spDleft, "spDleft");
    bind(cbUDouble, "cbUDouble");
    bind(cbKnickTrennD, "cbKnickTrennD");
    bind(cbSecImg, "cbSecImg");
    bind(spCDTop, "spCDTop");
    bind(spCDLeft, "spCDLeft");
    bind(spCDTop2, "spCDTop2");
    bind(spCDLeft2, "spCDLeft2");
    bind(cbCDRund, "cbCDRund");
    bind(spMCDLoch, "spMCDLoch");
    bind(spDVDTop, "spDVDTop");
    bind(spDVDLeft, "spDVDLeft");
    bind(cbUDVD, "cbUDVD");
    bind(spVHSTop, "spVHSTop");
    bind(spVHSLeft, "spVHSLeft");
    bind(cbUVHS, "cbUVHS");
    bind(ListView, "ListView");
    bind(bLoadLabel, "bLoadLabel");
    bind(bSave, "bSave");
    bind(bUpdateLabel, "bUpdateLabel");
    bind(bDeleteLabel, "bDeleteLabel");
    bind(eUrl, "eUrl");
    bind(ListBox, "ListBox");
    bind(bNeu, "bNeu");
    bind(bAendern, "bAendern");
    bind(Button4, "Button4");
    bind(Button10, "Button10");
    bind(spMV, "spMV");
    bind(spMRB, "spMRB");
    bind(spMRH, "spMRH");
    bind(spMDB, "spMDB");
    bind(spMDH, "spMDH");
    bind(spMCD, "spMCD");
    bind(spMKB, "spMKB");
    bind(spMDVDB, "spMDVDB");
    bind(spMDVDH, "spMDVDH");
    bind(spMVHSB, "spMVHSB");
    bind(spMVHSH, "spMVHSH");
    bind(cbMVorlagen, "cbMVorlagen");
    bind(Button3, "Button3");

    spTop2Front->hide();
    spLeft2front->hide();
    ListBox->setSortingEnabled(true);
    ListView->setSortingEnabled(true);
    ListView->setViewMode(QListView::ListMode);
    ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
}
