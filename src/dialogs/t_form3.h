#pragma once

#include "ui_t_form3.h"

#include <QDialog>

// Tells how many times the user has printed (the program-wide print count).
class TForm3 : public QDialog, public Ui::TForm3 {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    void FormActivate();

protected:
    void showEvent(QShowEvent* event) override;
};
