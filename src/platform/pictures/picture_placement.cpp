#include "platform/pictures/picture_placement.h"

#include <algorithm>

QRectF placedArea(const QSizeF& shownSize, const QRectF& target, PictureFit fit)
{
    if (fit == PictureFit::Stretch || shownSize.isEmpty() || target.isEmpty())
        return target;
    const qreal across = target.width() / shownSize.width();
    const qreal down = target.height() / shownSize.height();
    const qreal scale = fit == PictureFit::Fill ? std::max(across, down) : std::min(across, down);
    QRectF area(QPointF(), shownSize * scale);
    area.moveCenter(target.center());
    return area;
}
