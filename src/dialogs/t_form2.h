#pragma once

#include <QDialog>

#include <functional>

class LinkListEditor;
class QFrame;
class QLineEdit;
class QListWidget;
class QPushButton;
class QUrl;
class TCDSetup;

// The "Links" window: edits the stored link list and opens an entry with a
// double-click. It works on a copy of the list of the settings window that
// lives for the whole run, and hands it back on "&Sichern".
class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(TCDSetup& runLongSettings, QWidget* parent = nullptr);
    ~TForm2() override;

    QLineEdit* eUrl = nullptr;
    QListWidget* ListBox = nullptr;
    QPushButton* bNeu = nullptr;
    QPushButton* bAendern = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* bSave = nullptr;
    QPushButton* Button1 = nullptr;
    QFrame* Bevel1 = nullptr;

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
    void buildControls();

    TCDSetup& m_runLongSettings;
    LinkListEditor* m_editor = nullptr;
    bool m_activated = false;
};
