#include "dialogs/t_form3.h"

#include "model/program_values.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

TForm3::TForm3(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Information über Sleevix von Tarnholm"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(326, 97);

    Panel1 = new QLabel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(7, 8, 313, 33);
    Panel1->setAlignment(Qt::AlignCenter);

    Button1 = new QPushButton(QStringLiteral("&Ok"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(126, 56, 75, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void TForm3::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TForm3::FormActivate()
{
    Panel1->setText(QStringLiteral("Sie haben inzwischen %1 mal gedruckt").arg(program().PrintCount));
}
