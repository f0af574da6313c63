#pragma once

#include <QFrame>

// A picture panel with a single border. Every image view placed on it
// covers its whole client area, the later ones above the earlier ones.
class SlotPanel : public QFrame {
    Q_OBJECT
public:
    explicit SlotPanel(QWidget* parent = nullptr);

signals:
    void doubleClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void childEvent(QChildEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void fitChildren();
};
