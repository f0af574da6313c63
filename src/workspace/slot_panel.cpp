#include "workspace/slot_panel.h"

#include <QChildEvent>

SlotPanel::SlotPanel(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAutoFillBackground(true);
}

void SlotPanel::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    fitChildren();
}

void SlotPanel::childEvent(QChildEvent* event)
{
    QFrame::childEvent(event);
    if (event->added())
        fitChildren();
}

void SlotPanel::mouseDoubleClickEvent(QMouseEvent* event)
{
    QFrame::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

void SlotPanel::fitChildren()
{
    for (QObject* child : children()) {
        if (auto* widget = qobject_cast<QWidget*>(child))
            widget->setGeometry(contentsRect());
    }
}
