#include "support/message_boxes.h"

#include <QAbstractButton>
#include <QApplication>

namespace testenv {

MessageBoxWatch::MessageBoxWatch(QMessageBox::StandardButton button) : m_button(button)
{
    connect(&m_timer, &QTimer::timeout, this, &MessageBoxWatch::answerOpenBox);
    m_timer.start(5);
}

void MessageBoxWatch::answerOpenBox()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    m_texts << box->text();
    if (QAbstractButton* button = box->button(m_button))
        button->click();
    else
        box->reject();
}

}  // namespace testenv
