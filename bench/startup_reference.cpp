// The least a Qt Widgets program does to show a window: one empty window of
// the given size, which quits once it has painted for the first time. With
// a third argument, the window shows that text in a label: the least a
// window with any text costs.
// Usage: startup_reference WIDTH HEIGHT [TEXT]
#include <QApplication>
#include <QLabel>
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
    if (argc != 3 && argc != 4)
        return 2;
    Window window;
    window.resize(atoi(argv[1]), atoi(argv[2]));
    if (argc == 4)
        (new QLabel(QString::fromLocal8Bit(argv[3]), &window))->move(10, 10);
    window.show();
    return app.exec();
}
