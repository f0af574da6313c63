#include "settings/template_icons.h"

#include <QPainter>
#include <QPixmap>

namespace {

constexpr int kSide = 16;

void drawDisc(QPainter& p)
{
    p.setPen(QColor(90, 90, 100));
    p.setBrush(QColor(200, 205, 215));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(5.5, 5.5, 5, 5));
}

void drawDocument(QPainter& p, const QColor& mark)
{
    const QPolygonF page{{3.5, 1.5}, {10.5, 1.5}, {13.5, 4.5}, {13.5, 14.5}, {3.5, 14.5}};
    p.setPen(QColor(60, 60, 60));
    p.setBrush(Qt::white);
    p.drawPolygon(page);
    p.drawPolyline(QPolygonF{{10.5, 1.5}, {10.5, 4.5}, {13.5, 4.5}});
    p.setPen(Qt::NoPen);
    p.setBrush(mark);
    p.drawRect(QRectF(5, 8, 7, 5));
}

}  // namespace

QIcon templateIcon(TemplateIcon which)
{
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (which) {
    case TemplateIcon::Disc: drawDisc(p); break;
    case TemplateIcon::Template: drawDocument(p, QColor(30, 90, 210)); break;
    case TemplateIcon::SelectedTemplate: drawDocument(p, QColor(210, 30, 30)); break;
    }
    p.end();
    // The same picture when selected, so the list's highlight does not tint the mark.
    QIcon icon(pixmap);
    icon.addPixmap(pixmap, QIcon::Selected);
    return icon;
}
