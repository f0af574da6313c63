#pragma once

#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>

namespace testenv {

// While it lives, answers every message box the program shows with
// `button` and keeps the texts, in order.
class MessageBoxWatch : public QObject {
public:
    explicit MessageBoxWatch(QMessageBox::StandardButton button = QMessageBox::Ok);

    const QStringList& texts() const { return m_texts; }

private:
    void answerOpenBox();

    QMessageBox::StandardButton m_button;
    QStringList m_texts;
    QTimer m_timer;
};

}  // namespace testenv
