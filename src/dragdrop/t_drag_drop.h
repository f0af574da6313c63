#pragma once

#include <QFlags>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>

class QDropEvent;
class QMimeData;

enum TDropEffect {
    deCopy = 0x1,
    deMove = 0x2,
    deLink = 0x4,
};
Q_DECLARE_FLAGS(TDropEffectSet, TDropEffect)
Q_DECLARE_OPERATORS_FOR_FLAGS(TDropEffectSet)

// Keys and mouse buttons held during a drag.
enum TDragKey {
    dkLeftButton = 0x01,
    dkRightButton = 0x02,
    dkShift = 0x04,
    dkControl = 0x08,
    dkMiddleButton = 0x10,
    dkAlt = 0x20,
};
Q_DECLARE_FLAGS(TDragKeyState, TDragKey)
Q_DECLARE_OPERATORS_FOR_FLAGS(TDragKeyState)

// A non-visual component that makes a widget (DragDropControl) a drop
// target. It answers the drag events of the widget through an event filter
// and, after a drop, raises OnProcessDropped from the event queue, once the
// drop event has been handled, so that the drag source is never kept waiting
// by the work the handler does.
//
// The data format is the business of subclasses (AcceptsFormat,
// FetchDroppedData); this class accepts any data and reads none.
//
// Points are screen coordinates. An effect set holds the effect chosen (one
// member) or none; handlers may change it. Handlers must not throw.
class TDragDrop : public QObject {
    Q_OBJECT

public:
    using DragEnterHandler
        = std::function<void(const QMimeData* data, TDragKeyState keyState, QPoint point,
                             TDropEffectSet& effect, bool& accept)>;
    using DragOverHandler
        = std::function<void(TDragKeyState keyState, QPoint point, TDropEffectSet& effect)>;
    using DragLeaveHandler = std::function<void()>;
    using DropHandler = std::function<void(const QMimeData* data, TDragKeyState keyState,
                                           QPoint point, TDropEffectSet& effect)>;
    using ProcessDroppedHandler = std::function<void(TDragDrop* sender, TDragKeyState keyState,
                                                     QPoint point, TDropEffectSet effect)>;

    explicit TDragDrop(QObject* owner = nullptr);
    ~TDragDrop() override;

    QWidget* DragDropControl() const { return m_control; }
    // The widget accepts drops while it is set and TargetEffects is not
    // empty; a widget replaced, cleared or destroyed is released.
    void setDragDropControl(QWidget* control);

    // Effects accepted as a drop target; empty makes the control no drop
    // target. Default: copy.
    TDropEffectSet TargetEffects() const { return m_targetEffects; }
    void setTargetEffects(TDropEffectSet effects);

    // Effects offered as a drag source. Kept for completeness: the component
    // never starts a drag.
    TDropEffectSet SourceEffects() const { return m_sourceEffects; }
    void setSourceEffects(TDropEffectSet effects) { m_sourceEffects = effects; }

    // The drag enters the control; may change the effect and refuse the drag.
    DragEnterHandler OnDragEnter;
    // The drag moves over the control; also called once at the drop, where
    // setting the effect to none refuses the drop.
    DragOverHandler OnDragOver;
    DragLeaveHandler OnDragLeave;
    // The drop is accepted; called before the data is read.
    DropHandler OnDrop;
    // Raised once per accepted drop, from the event queue.
    ProcessDroppedHandler OnProcessDropped;

protected:
    // Whether the dragged data can be taken. A data object that fails this at
    // the drop is refused even when OnDragEnter accepted the drag.
    virtual bool AcceptsFormat(const QMimeData* data) const;
    // Reads the dropped data before OnProcessDropped is queued.
    virtual void FetchDroppedData(const QMimeData* data);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct DropValues {
        TDragKeyState keyState;
        QPoint point;
        TDropEffectSet effect;
    };

    TDropEffectSet ChooseEffect(TDragKeyState keyState, TDropEffectSet offered) const;
    void dragEnter(QDropEvent* event);
    void dragMove(QDropEvent* event);
    void dragLeave();
    void drop(QDropEvent* event);
    void raiseProcessDropped();

    QPoint screenPoint(const QDropEvent* event) const;
    void updateRegistration();
    void registerControl();
    void unregisterControl();
    void forgetDestroyedControl();

    QPointer<QWidget> m_control;
    TDropEffectSet m_targetEffects = deCopy;
    TDropEffectSet m_sourceEffects;
    bool m_registered = false;
    bool m_controlAcceptedDrops = false;
    bool m_accept = false;  // decided when the drag entered
    DropValues m_lastDrop;
};
