#include "dragdrop/t_drag_drop.h"

#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

#include <array>

namespace {

struct EffectAction {
    TDropEffect effect;
    Qt::DropAction action;
};

// In order of preference.
constexpr std::array<EffectAction, 3> kEffectActions = {{
    {deCopy, Qt::CopyAction},
    {deMove, Qt::MoveAction},
    {deLink, Qt::LinkAction},
}};

struct ModifierKey {
    Qt::KeyboardModifier modifier;
    TDragKey key;
};

constexpr std::array<ModifierKey, 3> kModifierKeys = {{
    {Qt::ShiftModifier, dkShift},
    {Qt::ControlModifier, dkControl},
    {Qt::AltModifier, dkAlt},
}};

struct ButtonKey {
    Qt::MouseButton button;
    TDragKey key;
};

constexpr std::array<ButtonKey, 3> kButtonKeys = {{
    {Qt::LeftButton, dkLeftButton},
    {Qt::RightButton, dkRightButton},
    {Qt::MiddleButton, dkMiddleButton},
}};

TDropEffectSet effectsOf(Qt::DropActions actions)
{
    TDropEffectSet effects;
    for (const EffectAction& pair : kEffectActions) {
        if (actions.testFlag(pair.action))
            effects |= pair.effect;
    }
    return effects;
}

// The preferred action among `effects`; IgnoreAction for none.
Qt::DropAction actionOf(TDropEffectSet effects)
{
    for (const EffectAction& pair : kEffectActions) {
        if (effects.testFlag(pair.effect))
            return pair.action;
    }
    return Qt::IgnoreAction;
}

TDragKeyState keyStateOf(const QDropEvent* event)
{
    TDragKeyState state;
    for (const ModifierKey& pair : kModifierKeys) {
        if (event->modifiers().testFlag(pair.modifier))
            state |= pair.key;
    }
    for (const ButtonKey& pair : kButtonKeys) {
        if (event->buttons().testFlag(pair.button))
            state |= pair.key;
    }
    return state;
}

TDropEffectSet offeredEffects(const QDropEvent* event)
{
    return effectsOf(event->possibleActions());
}

// Takes the event with the effect, as far as the source offers it; refuses it
// when nothing is left.
void answer(QDropEvent* event, TDropEffectSet effect)
{
    const Qt::DropAction action = actionOf(effect & offeredEffects(event));
    if (action == Qt::IgnoreAction) {
        event->ignore();
        return;
    }
    event->setDropAction(action);
    event->accept();
}

}  // namespace

TDragDrop::TDragDrop(QObject* owner) : QObject(owner)
{ }

TDragDrop::~TDragDrop()
{
    unregisterControl();
}

void TDragDrop::setDragDropControl(QWidget* control)
{
    if (control == m_control)
        return;
    unregisterControl();
    if (m_control)
        disconnect(m_control, &QObject::destroyed, this, nullptr);
    m_control = control;
    if (control)
        connect(control, &QObject::destroyed, this, &TDragDrop::forgetDestroyedControl);
    updateRegistration();
}

void TDragDrop::setTargetEffects(TDropEffectSet effects)
{
    m_targetEffects = effects;
    updateRegistration();
}

bool TDragDrop::AcceptsFormat(const QMimeData* /*data*/) const
{
    return true;
}

void TDragDrop::FetchDroppedData(const QMimeData* /*data*/)
{ }

bool TDragDrop::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_registered || watched != m_control)
        return QObject::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::DragEnter: dragEnter(static_cast<QDropEvent*>(event)); return true;
    case QEvent::DragMove: dragMove(static_cast<QDropEvent*>(event)); return true;
    case QEvent::DragLeave: dragLeave(); return true;
    case QEvent::Drop: drop(static_cast<QDropEvent*>(event)); return true;
    default: return QObject::eventFilter(watched, event);
    }
}

// Shift asks for move and Ctrl+Shift for link, as far as the target allows;
// otherwise the first of copy, move and link that target and source share.
TDropEffectSet TDragDrop::ChooseEffect(TDragKeyState keyState, TDropEffectSet offered) const
{
    const bool shift = keyState.testFlag(dkShift);
    const bool control = keyState.testFlag(dkControl);
    if (shift && !control && m_targetEffects.testFlag(deMove))
        return deMove;
    if (shift && control && m_targetEffects.testFlag(deLink))
        return deLink;
    for (const EffectAction& pair : kEffectActions) {
        if (m_targetEffects.testFlag(pair.effect) && offered.testFlag(pair.effect))
            return pair.effect;
    }
    return {};
}

void TDragDrop::dragEnter(QDropEvent* event)
{
    const TDragKeyState keyState = keyStateOf(event);
    TDropEffectSet effect = ChooseEffect(keyState, offeredEffects(event));
    m_accept = AcceptsFormat(event->mimeData());
    if (OnDragEnter)
        OnDragEnter(event->mimeData(), keyState, screenPoint(event), effect, m_accept);
    answer(event, m_accept ? effect : TDropEffectSet());
}

void TDragDrop::dragMove(QDropEvent* event)
{
    const TDragKeyState keyState = keyStateOf(event);
    TDropEffectSet effect
        = m_accept ? ChooseEffect(keyState, offeredEffects(event)) : TDropEffectSet();
    if (OnDragOver)
        OnDragOver(keyState, screenPoint(event), effect);
    answer(event, effect);
}

void TDragDrop::dragLeave()
{
    m_accept = false;
    if (OnDragLeave)
        OnDragLeave();
}

void TDragDrop::drop(QDropEvent* event)
{
    const bool accept = m_accept && AcceptsFormat(event->mimeData());
    m_accept = false;

    const TDragKeyState keyState = keyStateOf(event);
    const QPoint point = screenPoint(event);
    TDropEffectSet effect
        = accept ? ChooseEffect(keyState, offeredEffects(event)) : TDropEffectSet();
    if (OnDragOver)
        OnDragOver(keyState, point, effect);
    answer(event, effect);
    if (!event->isAccepted())
        return;

    if (OnDrop)
        OnDrop(event->mimeData(), keyState, point, effect);
    m_lastDrop = {keyState, point, effect};
    FetchDroppedData(event->mimeData());
    QMetaObject::invokeMethod(this, &TDragDrop::raiseProcessDropped, Qt::QueuedConnection);
}

void TDragDrop::raiseProcessDropped()
{
    if (OnProcessDropped)
        OnProcessDropped(this, m_lastDrop.keyState, m_lastDrop.point, m_lastDrop.effect);
}

QPoint TDragDrop::screenPoint(const QDropEvent* event) const
{
    const QPoint local = event->position().toPoint();
    return m_control ? m_control->mapToGlobal(local) : local;
}

void TDragDrop::updateRegistration()
{
    if (m_control && m_targetEffects.toInt() != 0)
        registerControl();
    else
        unregisterControl();
}

void TDragDrop::registerControl()
{
    if (m_registered)
        return;
    m_controlAcceptedDrops = m_control->acceptDrops();
    m_control->setAcceptDrops(true);
    m_control->installEventFilter(this);
    m_registered = true;
}

void TDragDrop::unregisterControl()
{
    if (!m_registered)
        return;
    if (m_control) {
        m_control->removeEventFilter(this);
        m_control->setAcceptDrops(m_controlAcceptedDrops);
    }
    m_registered = false;
    m_accept = false;
}

// The widget is past its QWidget part here; only forget it.
void TDragDrop::forgetDestroyedControl()
{
    m_registered = false;
    m_accept = false;
    m_control = nullptr;
}
