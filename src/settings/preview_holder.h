#pragma once

#include "platform/widgets/image_view.h"

// A picture holder of the settings page previews. A keyed holder lets the
// colour of its picture's bottom-left pixel show through, as a keyed
// ImageView does; the others paint their picture whole: line drawings with
// nearest-pixel stretching so that one-pixel lines stay one sharp pixel,
// photographs smoothly and with their alpha channel.
class PreviewHolder : public ImageView {
    Q_OBJECT
    Q_PROPERTY(bool lineDrawing READ isLineDrawing WRITE setLineDrawing)
public:
    explicit PreviewHolder(QWidget* parent = nullptr);

    bool isLineDrawing() const { return m_lineDrawing; }
    void setLineDrawing(bool lineDrawing);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage& opaqueImage();

    bool m_lineDrawing = false;
    Picture m_source;  // the picture m_opaque was made from
    QImage m_opaque;
};
