#pragma once

#include "platform/pictures/picture.h"
#include "platform/pictures/transparent_rendering.h"

#include <QImage>
#include <QWidget>

// Shows a picture over the whole widget as its placement says (stretched,
// aspect ratio not kept, unless the placement fills, fits or turns it).
// Where the picture is transparent, whatever lies below shows through (the
// parent's face, or another view under this one): its alpha channel, a
// metafile's undrawn parts and, in a keyed view, every pixel of the colour of
// the bottom-left pixel. Paints from a copy made at the widget's size,
// so a large picture repaints as fast as a small one; the copy is made anew
// at a new size from a working copy no larger than the window needs, so a
// large picture changes size as fast as a small one, too. A picture that
// holds a smaller copy of itself shows that copy while it has pixels enough
// for the view.
class ImageView : public QWidget {
    Q_OBJECT
    // Keyed: the bottom-left pixel's colour is transparent too (ColourKey).
    Q_PROPERTY(bool keyed READ isKeyed WRITE setKeyed)

public:
    explicit ImageView(QWidget* parent = nullptr, ColourKey key = ColourKey::None);

    void setPicture(const Picture& picture);
    const Picture& picture() const { return m_picture; }
    void clear();
    bool hasPicture() const { return !m_picture.isEmpty(); }
    ColourKey colourKey() const { return m_key; }
    bool isKeyed() const { return m_key == ColourKey::BottomLeft; }
    void setKeyed(bool keyed);
    // The pixels a picture shown here needs in both directions, whatever its
    // placement: the view's longer side.
    QSize shownPixels() const;

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // The picture, a raster one sampled down to what the window can show.
    const Picture& workingPicture();

private:
    const QImage& shownImage();

    ColourKey m_key;
    Picture m_picture;
    Picture m_working;
    QSize m_workingFor;  // the window size in pixels m_working was made for
    QImage m_shown;      // the picture as painted, at the widget size it was made for
};
