#include "wmf_geometry.h"

#include <algorithm>
#include <cmath>

namespace helper {
namespace {

constexpr int kMapModeIsotropic = 7;
constexpr int kMapModeAnisotropic = 8;
// Shapes reaching further outside the frame than this share of its size
// mark coordinates that make no sense.
constexpr double kFarOutside = 0.5;

double axisScale(double pixelSize, std::int32_t windowExtent, int mapMode)
{
    // The player keeps the sign in the pixel size for the scalable modes,
    // and takes it from the window extent for the fixed ones.
    if (mapMode == kMapModeIsotropic || mapMode == kMapModeAnisotropic)
        return pixelSize;
    return windowExtent < 0 ? -std::abs(pixelSize) : std::abs(pixelSize);
}

Rect united(const Rect& a, const Rect& b)
{
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

}  // namespace

double scaleX(const wmfDC* dc)
{
    return axisScale(dc->pixel_width, dc->Window.width, dc->map_mode);
}

double scaleY(const wmfDC* dc)
{
    return axisScale(dc->pixel_height, dc->Window.height, dc->map_mode);
}

DrawingExtent::DrawingExtent(std::optional<Rect> logicalFrame) : m_logicalFrame(logicalFrame)
{ }

void DrawingExtent::noteDrawing(const wmfDC* dc)
{
    if (m_frame || !m_logicalFrame)
        return;
    const double x1 = (m_logicalFrame->left - dc->Window.Ox) * scaleX(dc);
    const double x2 = (m_logicalFrame->right - dc->Window.Ox) * scaleX(dc);
    const double y1 = (m_logicalFrame->top - dc->Window.Oy) * scaleY(dc);
    const double y2 = (m_logicalFrame->bottom - dc->Window.Oy) * scaleY(dc);
    const Rect frame{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
    if (frame.width() > 0 && frame.height() > 0 && std::isfinite(frame.width() * frame.height()))
        m_frame = frame;
}

void DrawingExtent::include(double x, double y)
{
    const Rect point{x, y, x, y};
    m_shapes = m_shapes ? united(*m_shapes, point) : point;
}

void DrawingExtent::setFallback(const Rect& deviceBox)
{
    if (deviceBox.width() > 0 && deviceBox.height() > 0)
        m_fallback = deviceBox;
}

Rect DrawingExtent::viewBox() const
{
    if (!m_frame)
        return m_fallback;
    return m_shapes ? united(*m_frame, *m_shapes) : *m_frame;
}

bool DrawingExtent::farOutsideFrame() const
{
    if (!m_frame || !m_shapes)
        return false;
    const double marginX = m_frame->width() * kFarOutside;
    const double marginY = m_frame->height() * kFarOutside;
    return m_shapes->left < m_frame->left - marginX || m_shapes->right > m_frame->right + marginX
        || m_shapes->top < m_frame->top - marginY || m_shapes->bottom > m_frame->bottom + marginY;
}

}  // namespace helper
