#include "platform/widgets/free_area_double_click.h"

#include <QMouseEvent>
#include <QWidget>

FreeAreaDoubleClick::FreeAreaDoubleClick(QWidget* area, std::function<void()> action)
    : QObject(area), m_area(area), m_action(std::move(action))
{
    area->installEventFilter(this);
}

bool FreeAreaDoubleClick::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_area || event->type() != QEvent::MouseButtonDblClick)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton || m_area->childAt(mouse->position().toPoint()))
        return false;
    m_action();
    return true;
}
