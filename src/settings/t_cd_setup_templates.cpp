// The "Vorlagen" page: the template list and its commands.
#include "model/label_template.h"
#include "model/ready_templates.h"
#include "platform/widgets/error_box.h"
#include "settings/t_cd_setup.h"
#include "settings/template_icons.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

namespace {

const QString kTemplatePattern = QStringLiteral("*.lab");

struct DialogLabel {
    QFileDialog::DialogLabel label;
    const char* text;
};

// The dialog speaks German even without Qt's own translations.
const DialogLabel kSaveDialogLabels[] = {
    {QFileDialog::LookIn, "Suchen in:"},  {QFileDialog::FileName, "Dateiname:"},
    {QFileDialog::FileType, "Dateityp:"}, {QFileDialog::Accept, "&Speichern"},
    {QFileDialog::Reject, "Abbrechen"},
};

QString askTemplateFileName(QWidget* parent, const QString& folder)
{
    QFileDialog dialog(parent, QStringLiteral("Speichern unter"), folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    for (const DialogLabel& label : kSaveDialogLabels)
        dialog.setLabelText(label.label, QString::fromUtf8(label.text));
    dialog.setNameFilter(QStringLiteral("Labeldateien (*.lab)"));
    dialog.setDefaultSuffix(QStringLiteral("lab"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool askDeleteTemplate(QWidget* parent, const QString& caption)
{
    const QString question = QStringLiteral("Möchten Sie die Vorlage : ") + caption
        + QStringLiteral(" wirklich löschen?");
    QMessageBox box(QMessageBox::Question, QStringLiteral("Bestätigung"), question,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Ja"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Nein"));
    return box.exec() == QMessageBox::Yes;
}

// Caption of the selected entry, empty when none is selected.
QString selectedCaption(const TCDSetup& setup)
{
    const int index = setup.SelItem();
    return index < 0 ? QString() : setup.ListView->item(index)->text();
}

QString templatePath(const TCDSetup& setup, const QString& caption)
{
    return QDir(setup.settings().folder(Folder::eLabels)).filePath(caption);
}

}  // namespace

void TCDSetup::connectTemplatePage()
{
    runTemplateSaveDialog
        = [this] { return askTemplateFileName(this, m_settings.folder(Folder::eLabels)); };
    confirmTemplateDelete
        = [this](const QString& caption) { return askDeleteTemplate(this, caption); };

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Laden1 = PopupMenu1->addAction(QStringLiteral("Laden"), this, &TCDSetup::bLoadLabelClick);
    Speichern1 = PopupMenu1->addAction(QStringLiteral("Speichern"), this, &TCDSetup::bSaveClick);
    Aktualisieren1 = PopupMenu1->addAction(QStringLiteral("Aktualisieren"), this,
                                           &TCDSetup::bUpdateLabelClick);
    Entfernen1
        = PopupMenu1->addAction(QStringLiteral("Entfernen"), this, &TCDSetup::bDeleteLabelClick);

    ListView->setIconSize(QSize(16, 16));
    ListView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListView, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        PopupMenu1->popup(ListView->viewport()->mapToGlobal(pos));
    });
    connect(ListView, &QListWidget::itemSelectionChanged, this, &TCDSetup::ListViewChange);
    connect(ListView, &QListWidget::itemDoubleClicked, this, &TCDSetup::ListViewDblClick);
    connect(bLoadLabel, &QPushButton::clicked, this, &TCDSetup::bLoadLabelClick);
    connect(bSave, &QPushButton::clicked, this, &TCDSetup::bSaveClick);
    connect(bUpdateLabel, &QPushButton::clicked, this, &TCDSetup::bUpdateLabelClick);
    connect(bDeleteLabel, &QPushButton::clicked, this, &TCDSetup::bDeleteLabelClick);
    ListViewChange();
}

void TCDSetup::LoadFileList()
{
    const QString folder = m_settings.folder(Folder::eLabels);
    provideReadyTemplates(folder);
    ListView->clear();
    if (!folder.isEmpty()) {
        const QStringList names = QDir(folder).entryList({kTemplatePattern},
                                                         QDir::AllEntries | QDir::Hidden
                                                             | QDir::System | QDir::NoDotAndDotDot);
        for (const QString& name : names)
            new QListWidgetItem(templateIcon(TemplateIcon::Template), name, ListView);
    }
    ListViewChange();
}

int TCDSetup::SelItem() const
{
    int selected = -1;
    for (int i = 0; i < ListView->count(); ++i) {
        if (ListView->item(i)->isSelected())
            selected = i;
    }
    return selected;
}

void TCDSetup::ListViewChange()
{
    const int selected = SelItem();
    const QIcon plain = templateIcon(TemplateIcon::Template);
    const QIcon marked = templateIcon(TemplateIcon::SelectedTemplate);
    for (int i = 0; i < ListView->count(); ++i)
        ListView->item(i)->setIcon(i == selected ? marked : plain);
    for (QPushButton* button : {bLoadLabel, bUpdateLabel, bDeleteLabel})
        button->setEnabled(selected >= 0);
}

void TCDSetup::ListViewDblClick()
{
    const QString caption = selectedCaption(*this);
    if (!caption.isEmpty())
        LoadFileVariables(templatePath(*this, caption));
}

void TCDSetup::bLoadLabelClick()
{
    ListViewDblClick();
}

void TCDSetup::bSaveClick()
{
    const QString fileName = runTemplateSaveDialog();
    if (fileName.isEmpty())
        return;
    if (runGuarded(this, [&] { SaveFileVariables(fileName); }))
        LoadFileList();
}

void TCDSetup::bUpdateLabelClick()
{
    const QString caption = selectedCaption(*this);
    if (!caption.isEmpty())
        runGuarded(this, [&] { SaveFileVariables(templatePath(*this, caption)); });
}

void TCDSetup::bDeleteLabelClick()
{
    const QString caption = selectedCaption(*this);
    if (caption.isEmpty() || !confirmTemplateDelete(caption))
        return;
    // A template that is already gone or cannot be removed is not reported.
    QFile::remove(templatePath(*this, caption));
    LoadFileList();
}

void TCDSetup::SaveFileVariables(const QString& fileName)
{
    LabelTemplate(m_settings, m_mainWindow, m_mainWindowView).save(fileName);
}

void TCDSetup::LoadFileVariables(const QString& fileName)
{
    LabelTemplate(m_settings, m_mainWindow, m_mainWindowView).load(fileName);
}
