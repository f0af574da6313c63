#include "platform/widgets/unit_label.h"

#include "platform/widgets/spin_edit.h"

#include <QEvent>

UnitLabel::UnitLabel(QWidget* parent) : QLabel(parent)
{ }

bool UnitLabel::event(QEvent* event)
{
    const bool handled = QLabel::event(event);
    if (event->type() == QEvent::Polish)
        alignToField();
    return handled;
}

void UnitLabel::alignToField()
{
    const auto* field = qobject_cast<const SpinEdit*>(buddy());
    if (!field)
        return;
    adjustSize();
    move(x(), field->y() + field->textBaseline() - fontMetrics().ascent());
}
