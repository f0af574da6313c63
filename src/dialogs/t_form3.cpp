#include "dialogs/t_form3.h"

#include "model/program_values.h"

#include <QShowEvent>

TForm3::TForm3(QWidget* parent) : QDialog(parent)
{
    setupUi(this);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void TForm3::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TForm3::FormActivate()
{
    Panel1->setText(
        QStringLiteral("Sie haben inzwischen %1 mal gedruckt").arg(program().PrintCount));
}
