#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class QTextEdit;

// The about box: title, what the program is for, its icon and a note from
// the maker.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    QFrame* Bevel1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* StaticText1 = nullptr;
    QFrame* Bevel2 = nullptr;
    QLabel* Image1 = nullptr;
    QTextEdit* Memo1 = nullptr;
    QPushButton* bOk = nullptr;

private:
    void buildFrames();
    void buildTexts();
};
