#pragma once

#include <QObject>
#include <QStringList>

class QLineEdit;
class QListWidget;
class QPushButton;

// The editing operations of a link list: an entry field, a sorted list and
// the buttons "&Neu", "Ände&rn", "&Löschen" and "Alle &löschen". The
// settings page and the "Links" window edit their lists through this class.
//
// Entries added with addItem() take their sorted place; an entry inserted
// with "&Neu" or changed with "Ände&rn" stays where it is put until the
// list is loaded again.
class LinkListEditor : public QObject {
    Q_OBJECT
public:
    struct Controls {
        QLineEdit* entry;
        QListWidget* list;
        QPushButton* add;
        QPushButton* change;
        QPushButton* remove;
        QPushButton* removeAll;
    };

    LinkListEditor(const Controls& controls, QObject* parent);

    // Row of the selected entry, or -1.
    int selectedRow() const;
    QStringList entries() const;
    static QStringList entriesOf(const QListWidget& list);
    // Replaces the list; the entries take their sorted places.
    void load(const QStringList& entries);
    // Button states for a list shown anew: "&Neu" off until something is
    // typed, "Ände&rn" only with a selection.
    void resetButtons();

    void entryChanged();
    void listClicked();
    void addEntry();
    void changeEntry();
    void removeEntry();
    void removeAllEntries();

signals:
    // The user changed the entries ("&Neu", "Ände&rn", "&Löschen",
    // "Alle &löschen").
    void edited();

private:
    template <typename Edit> void editUnsorted(Edit edit);
    void focusEntry();

    Controls m_controls;
    bool m_editing = false;
};
