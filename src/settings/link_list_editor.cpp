#include "settings/link_list_editor.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

LinkListEditor::LinkListEditor(const Controls& controls, QObject* parent)
    : QObject(parent), m_controls(controls)
{
    m_controls.list->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_controls.entry, &QLineEdit::textChanged, this, &LinkListEditor::entryChanged);
    connect(m_controls.list, &QListWidget::itemClicked, this, &LinkListEditor::listClicked);
    // Moving the selection with the keyboard counts as a click; the list's
    // own edits below move it too, and do not.
    connect(m_controls.list, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_editing)
            listClicked();
    });
    connect(m_controls.add, &QPushButton::clicked, this, &LinkListEditor::addEntry);
    connect(m_controls.change, &QPushButton::clicked, this, &LinkListEditor::changeEntry);
    connect(m_controls.remove, &QPushButton::clicked, this, &LinkListEditor::removeEntry);
    connect(m_controls.removeAll, &QPushButton::clicked, this, &LinkListEditor::removeAllEntries);
}

int LinkListEditor::selectedRow() const
{
    const QList<QListWidgetItem*> selected = m_controls.list->selectedItems();
    return selected.isEmpty() ? -1 : m_controls.list->row(selected.last());
}

QStringList LinkListEditor::entries() const
{
    return entriesOf(*m_controls.list);
}

QStringList LinkListEditor::entriesOf(const QListWidget& list)
{
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts.append(list.item(i)->text());
    return texts;
}

void LinkListEditor::load(const QStringList& entries)
{
    m_controls.list->clear();
    m_controls.list->setSortingEnabled(true);
    for (const QString& text : entries)
        m_controls.list->addItem(text);
}

void LinkListEditor::resetButtons()
{
    m_controls.add->setEnabled(false);
    m_controls.change->setEnabled(selectedRow() >= 0);
}

void LinkListEditor::entryChanged()
{
    m_controls.add->setEnabled(!m_controls.entry->text().isEmpty());
    m_controls.change->setEnabled(selectedRow() >= 0);
}

void LinkListEditor::listClicked()
{
    const int row = selectedRow();
    if (row >= 0)
        m_controls.entry->setText(m_controls.list->item(row)->text());
}

// A sorted QListWidget would move an inserted or renamed item to its sorted
// place; these two edits keep the place they are given instead.
template <typename Edit> void LinkListEditor::editUnsorted(Edit edit)
{
    QListWidget* list = m_controls.list;
    const bool sorted = list->isSortingEnabled();
    list->setSortingEnabled(false);
    m_editing = true;
    edit(list);
    m_editing = false;
    list->setSortingEnabled(sorted);
    emit edited();
}

void LinkListEditor::addEntry()
{
    const QString text = m_controls.entry->text();
    if (text.isEmpty())
        return;
    const int row = selectedRow();
    editUnsorted(
        [&](QListWidget* list) { list->insertItem(row >= 0 ? row : list->count(), text); });
    focusEntry();
}

void LinkListEditor::changeEntry()
{
    const int row = selectedRow();
    if (row >= 0) {
        const QString text = m_controls.entry->text();
        editUnsorted([&](QListWidget* list) { list->item(row)->setText(text); });
    }
    focusEntry();
}

void LinkListEditor::removeEntry()
{
    const int row = selectedRow();
    if (row >= 0) {
        editUnsorted([row](QListWidget* list) {
            delete list->takeItem(row);
            list->clearSelection();
        });
    }
    m_controls.entry->clear();
    focusEntry();
}

void LinkListEditor::removeAllEntries()
{
    m_controls.list->clear();
    emit edited();
    m_controls.entry->clear();
    focusEntry();
}

void LinkListEditor::focusEntry()
{
    m_controls.entry->setFocus(Qt::OtherFocusReason);
}
