#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// Tells how many times the user has printed (the program-wide print count).
class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    QLabel* Panel1 = nullptr;
    QPushButton* Button1 = nullptr;

    void FormActivate();

protected:
    void showEvent(QShowEvent* event) override;
};
