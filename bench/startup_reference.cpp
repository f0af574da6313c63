// The least a Qt Widgets program does to show a window: one empty window of
// the given size, which quits once it has painted for the first time.
// Usage: startup_reference WIDTH HEIGHT
#include <QApplication>
#include <QWidget>

namespace {

class Window : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    }
};

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 3)
        return 2;
    Window window;
    window.resize(atoi(argv[1]), atoi(argv[2]));
    window.show();
    return app.exec();
}
