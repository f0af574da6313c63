#pragma once

#include "platform/helper_pictures/picture_helper.h"
#include "platform/pictures/vector_drawing.h"

#include <QByteArray>
#include <QImage>

// The first page of a PDF file as a picture of the page's size (at 96 dpi).
// Each drawing renders the page anew, in the picture helper, for exactly the
// device pixels the target covers: sharp at the printer's resolution, never a
// screen bitmap blown up. The last rendering is kept for repaints.
class PdfPageDrawing final : public VectorDrawing {
public:
    // Throws InvalidPictureError when the helper cannot read the page.
    explicit PdfPageDrawing(QByteArray file, PictureHelper helper = PictureHelper());

    QSize size() const override { return m_size; }
    void render(QPainter& painter, const QRectF& target) const override;

private:
    QByteArray m_file;
    PictureHelper m_helper;
    QSize m_size;
    mutable QImage m_rendered;
};
