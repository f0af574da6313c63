// Brings the enabled state of the commands into line with the slots and the
// clipboard: at every paint of the window, on mouse moves over its free
// client area and when the clipboard changes.
#include "platform/widgets/image_view.h"
#include "workspace/slot_panel.h"
#include "workspace/t_sleevix.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QToolButton>

#include <utility>

namespace {

// Runs the refresh before the watched widgets paint. A new slot picture
// repaints only its panel, so the panels count as the window's face too.
class CommandStateTrigger : public QObject {
public:
    explicit CommandStateTrigger(TSleevix* window) : QObject(window), m_window(window)
    {
        for (QWidget* widget : {window->Client, static_cast<QWidget*>(window->Panel1),
                                static_cast<QWidget*>(window->Panel2)})
            widget->installEventFilter(this);
        window->Client->setMouseTracking(true);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            m_window->FormPaint();
        else if (event->type() == QEvent::MouseMove && watched == m_window->Client
                 && isOverFreeClientArea(static_cast<QMouseEvent*>(event)))
            m_window->FormMouseMove();
        return false;
    }

private:
    // Moves over controls without mouse tracking reach the client area too.
    bool isOverFreeClientArea(const QMouseEvent* event) const
    {
        return !m_window->Client->childAt(event->position().toPoint());
    }

    TSleevix* m_window;
};

}  // namespace

void TSleevix::connectCommandStates()
{
    new CommandStateTrigger(this);
    // Asking the clipboard at every paint may wait on another program; its
    // change notification keeps the answer current instead.
    m_clipboardHasPicture = clipboardHasPicture();
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        m_clipboardHasPicture = clipboardHasPicture();
        if (isVisible())
            refreshClipboardCommands();
    });
}

void TSleevix::FormPaint()
{
    sbChange->setEnabled(Image1->hasPicture() || Image2->hasPicture());
    sbPrint->setEnabled(sbChange->isEnabled());
    mPrint->setEnabled(sbPrint->isEnabled());
    mPreview->setEnabled(sbPrint->isEnabled());
    mPdfExport->setEnabled(sbPrint->isEnabled());

    const bool anyTrash = sbTrash1->isEnabled() || sbTrash2->isEnabled();
    for (int menu : {1, 2}) {
        const bool ownTrash = (menu == 1 ? sbTrash1 : sbTrash2)->isEnabled();
        const std::pair<int, bool> itemStates[] = {
            {kSwapItem, sbChange->isEnabled()},
            {kCopyItem, ownTrash},
            {kDeleteItem, ownTrash},
            {kDeleteBothItem, anyTrash},
            {kPrintItem, sbPrint->isEnabled()},
            {kPreviewItem, sbPrint->isEnabled()},
            {kClipboardCopyItem, slotView(menu)->hasPicture()},
        };
        for (const auto& [index, enabled] : itemStates)
            popupItem(menu, index)->setEnabled(enabled);
    }
    refreshClipboardCommands();
}

void TSleevix::FormMouseMove()
{
    refreshClipboardCommands();
}

// sbClear is only ever enabled here: its own command and the first
// activation disable it.
void TSleevix::refreshClipboardCommands()
{
    if (m_clipboardHasPicture) {
        sbClipbrd1->setEnabled(true);
        sbClear->setEnabled(true);
    } else {
        sbClipbrd1->setEnabled(false);
    }
    sbClipbrd2->setEnabled(sbClipbrd1->isEnabled());
    popupItem(1, kPasteItem)->setEnabled(sbClipbrd1->isEnabled());
    popupItem(2, kPasteItem)->setEnabled(sbClipbrd2->isEnabled());
}
