#pragma once

#include "ui_t_about_box.h"

#include <QDialog>

// The about box: title, what the program is for, its icon and a note from
// the maker.
class TAboutBox : public QDialog, public Ui::TAboutBox {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
};
