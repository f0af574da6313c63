#pragma once

#include "svg_writer.h"

#include <cstdint>
#include <libwmf/api.h>
#include <libwmf/ipa.h>
#include <optional>

namespace helper {

// Signed scale from logical to device units along one axis, as libwmf's
// player applies it for the device context's mapping.
double scaleX(const wmfDC* dc);
double scaleY(const wmfDC* dc);

// Where the drawing lies in libwmf's device units: the picture frame,
// mapped with the mapping in force when the first drawing record plays, and
// the extent of the shapes drawn.
class DrawingExtent {
public:
    explicit DrawingExtent(std::optional<Rect> logicalFrame);

    void noteDrawing(const wmfDC* dc);
    void include(double x, double y);
    // The view box to use when there is no frame: libwmf's own estimate.
    void setFallback(const Rect& deviceBox);

    // The frame, widened to show shapes that lie a little outside it.
    Rect viewBox() const;
    // True when shapes reach far outside the frame: nonsense coordinates.
    bool farOutsideFrame() const;

private:
    std::optional<Rect> m_logicalFrame;
    std::optional<Rect> m_frame;
    std::optional<Rect> m_shapes;
    Rect m_fallback{0, 0, 1, 1};
};

}  // namespace helper
