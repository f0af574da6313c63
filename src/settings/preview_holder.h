#pragma once

#include "platform/widgets/image_view.h"

// A picture holder of the settings page previews. A keyed holder lets the
// colour of its picture's bottom-left pixel show through, as a keyed
// ImageView does; the other two paint their picture whole, line drawings
// with nearest-pixel stretching so that one-pixel lines stay one sharp
// pixel, photographs smoothly and with their alpha channel.
class PreviewHolder : public ImageView {
    Q_OBJECT
public:
    enum class Rendering { Keyed, Lines, Photo };

    PreviewHolder(Rendering rendering, QWidget* parent);

    Rendering rendering() const { return m_rendering; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage& opaqueImage();

    Rendering m_rendering;
    Picture m_source;  // the picture m_opaque was made from
    QImage m_opaque;
};
