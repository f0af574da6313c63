#pragma once

#include "ui_t_form2.h"

#include <QDialog>

#include <functional>

class LinkListEditor;
class QUrl;
class TCDSetup;

// The "Links" window: edits the stored link list and opens an entry with a
// double-click. It works on a copy of the list of the settings window that
// lives for the whole run, and hands it back on "&Sichern".
class TForm2 : public QDialog, public Ui::TForm2 {
    Q_OBJECT
public:
    explicit TForm2(TCDSetup& runLongSettings, QWidget* parent = nullptr);
    ~TForm2() override;

    LinkListEditor& editor() const { return *m_editor; }

    void FormActivate();
    void ListBoxDblClick();
    void bSaveClick();

    // Hands an address to the desktop's default handler.
    std::function<bool(const QUrl&)> openUrl;
    // Tells the user something; tests replace it.
    std::function<void(const QString&)> showMessage;

protected:
    void showEvent(QShowEvent* event) override;

private:
    TCDSetup& m_runLongSettings;
    LinkListEditor* m_editor = nullptr;
    bool m_activated = false;
};
