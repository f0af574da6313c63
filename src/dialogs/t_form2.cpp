#include "dialogs/t_form2.h"

#include "platform/widgets/error_box.h"
#include "settings/link_list_editor.h"
#include "settings/link_target.h"
#include "settings/t_cd_setup.h"

#include <QDesktopServices>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>

TForm2::TForm2(TCDSetup& runLongSettings, QWidget* parent)
    : QDialog(parent), m_runLongSettings(runLongSettings)
{
    setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_editor = new LinkListEditor({eUrl, ListBox, bNeu, bAendern, Button3, Button2}, this);
    connect(ListBox, &QListWidget::itemDoubleClicked, this, &TForm2::ListBoxDblClick);
    connect(bSave, &QPushButton::clicked, this, &TForm2::bSaveClick);
    connect(Button1, &QPushButton::clicked, this, &QDialog::reject);
    openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    showMessage
        = [this](const QString& text) { QMessageBox::information(this, windowTitle(), text); };
}

TForm2::~TForm2() = default;

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
