// The program as the start-up benchmark measures it: it starts exactly as
// sleevix does and leaves its event loop once its main window has painted
// for the first time. It does not quit the ordinary way, which closes the
// window and saves the layout ticks: that is the work of quitting, not of
// starting.
#include "app/application.h"
#include "workspace/t_sleevix.h"

#include <QApplication>
#include <QWidget>

namespace {

class ExitAfterFirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Paint && widget && qobject_cast<TSleevix*>(widget->window())) {
            QMetaObject::invokeMethod(
                qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
            qApp->removeEventFilter(this);
        }
        return false;
    }
};

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    configureApplication(app);
    ExitAfterFirstPaint exitAfterFirstPaint;
    app.installEventFilter(&exitAfterFirstPaint);
    return runSleevix(app);
}
