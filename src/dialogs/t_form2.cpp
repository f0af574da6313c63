#include "dialogs/t_form2.h"

#include "platform/widgets/error_box.h"
#include "settings/t_cd_setup.h"
#include "settings/link_list_editor.h"
#include "settings/link_target.h"

#include <QDesktopServices>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>

namespace {

constexpr int kClientWidth = 401;
constexpr int kClientHeight = 284;
constexpr int kButtonHeight = 25;

struct ButtonSpec {
    QPushButton* TForm2::*member;
    const char* name;
    const char* caption;
    QRect geometry;
};

const ButtonSpec kButtons[] = {
    {&TForm2::bNeu, "bNeu", "&Neu", {308, 38, 85, kButtonHeight}},
    {&TForm2::bAendern, "bAendern", "Ände&rn", {308, 70, 85, kButtonHeight}},
    {&TForm2::Button3, "Button3", "&Löschen", {308, 102, 85, kButtonHeight}},
    {&TForm2::Button2, "Button2", "Alle &löschen", {308, 134, 85, kButtonHeight}},
    {&TForm2::bSave, "bSave", "&Sichern", {226, 251, 80, kButtonHeight}},
    {&TForm2::Button1, "Button1", "&Abbruch", {313, 251, 80, kButtonHeight}},
};

}  // namespace

TForm2::TForm2(TCDSetup& runLongSettings, QWidget* parent)
    : QDialog(parent), m_runLongSettings(runLongSettings)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Links"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(kClientWidth, kClientHeight);
    buildControls();
    m_editor = new LinkListEditor({eUrl, ListBox, bNeu, bAendern, Button3, Button2}, this);
    connect(ListBox, &QListWidget::itemDoubleClicked, this, &TForm2::ListBoxDblClick);
    connect(bSave, &QPushButton::clicked, this, &TForm2::bSaveClick);
    connect(Button1, &QPushButton::clicked, this, &QDialog::reject);
    openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    showMessage = [this](const QString& text) {
        QMessageBox::information(this, windowTitle(), text);
    };
}

TForm2::~TForm2() = default;

void TForm2::buildControls()
{
    eUrl = new QLineEdit(this);
    eUrl->setObjectName(QStringLiteral("eUrl"));
    eUrl->setGeometry(8, 8, 385, 21);
    eUrl->setToolTip(QStringLiteral("Geben Sie eine webseite, z.B. http://.... oder einen Ordner ein"));

    ListBox = new QListWidget(this);
    ListBox->setObjectName(QStringLiteral("ListBox"));
    ListBox->setGeometry(8, 38, 290, 199);
    ListBox->setToolTip(QStringLiteral(
        "Doppelklick auf einen Eintrag verbindet Sie ins Intenet oder öffnet einen Ordner"));
    ListBox->setSortingEnabled(true);

    for (const ButtonSpec& item : kButtons) {
        auto* button = new QPushButton(QString::fromUtf8(item.caption), this);
        button->setObjectName(QLatin1String(item.name));
        button->setGeometry(item.geometry);
        button->setAutoDefault(false);
        this->*item.member = button;
    }

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(8, 242, 385, 2);
}

// Runs once, when the window first shows: a message box closing over the
// window must not reload the list and lose the user's edits.
void TForm2::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_activated || event->spontaneous())
        return;
    m_activated = true;
    runGuarded(this, [this] { FormActivate(); });
}

void TForm2::FormActivate()
{
    m_runLongSettings.ReadRegistry();
    m_editor->load(m_runLongSettings.settings().links());
    m_editor->resetButtons();
}

void TForm2::ListBoxDblClick()
{
    const int row = m_editor->selectedRow();
    if (row < 0)
        return;
    const QString entry = ListBox->item(row)->text();
    const std::optional<QUrl> target = openableLink(entry);
    if (!target) {
        showMessage(QStringLiteral("Kein gültiger Link oder Ordner: ") + entry);
        return;
    }
    openUrl(*target);
    accept();
}

void TForm2::bSaveClick()
{
    const bool saved = runGuarded(this, [this] {
        m_runLongSettings.settings().setLinks(CoverSettings::sortedLinks(m_editor->entries()));
        m_runLongSettings.WriteRegistry();
    });
    if (saved)
        accept();
}
