#pragma once

#include "platform/pictures/picture.h"

#include <QImage>
#include <QWidget>

// Shows a picture stretched over the whole widget, aspect ratio not kept,
// and drawn transparent: in a raster picture the pixels of the bottom-left
// pixel's colour let whatever lies below show through (the parent's face, or
// another view under this one). Paints from a copy made at the widget's size,
// so a large picture repaints as fast as a small one; the copy is made anew
// at a new size from a working copy no larger than the window needs, so a
// large picture changes size as fast as a small one, too.
class ImageView : public QWidget {
    Q_OBJECT

public:
    explicit ImageView(QWidget* parent = nullptr);

    void setPicture(const Picture& picture);
    const Picture& picture() const { return m_picture; }
    void clear();
    bool hasPicture() const { return !m_picture.isEmpty(); }

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // The picture, a raster one sampled down to what the window can show.
    const Picture& workingPicture();

private:
    const QImage& shownImage();

    Picture m_picture;
    Picture m_working;
    QSize m_workingFor;  // the window size in pixels m_working was made for
    QImage m_shown;  // the picture as painted, at the widget size it was made for
};
