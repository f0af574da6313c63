#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Runs an action when the user double-clicks a widget's own free surface:
// a double-click on one of its child widgets -- also one that the child
// passes on unhandled -- does not count.
class FreeAreaDoubleClick : public QObject {
public:
    FreeAreaDoubleClick(QWidget* area, std::function<void()> action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_area;
    std::function<void()> m_action;
};
