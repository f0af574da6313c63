#pragma once

#include "svg_writer.h"
#include "wmf_geometry.h"
#include "wmf_svg_text.h"

#include <libwmf/api.h>
#include <libwmf/ipa.h>
#include <optional>
#include <string>

namespace helper {

// A libwmf device layer that writes SVG for Qt SVG (SVG Tiny 1.2): exact
// colours, fill rules, cosmetic pens, text in UTF-8 and embedded bitmaps.
// Coordinates are libwmf's device coordinates; the view box is the picture
// frame (see DrawingExtent).
class WmfSvgDevice {
public:
    explicit WmfSvgDevice(std::optional<Rect> logicalFrame);

    // The libwmf "function" option that installs the device into an API.
    // `prepare()` names the device that wmf_api_create() installs next.
    static void prepare(WmfSvgDevice* device);
    static void install(wmfAPI* api);

    DrawingExtent& extent() { return m_extent; }
    std::string document() const { return m_svg.document(m_extent.viewBox()); }

private:
    friend struct DeviceCallbacks;

    std::string polyPath(const wmfD_Coord* points, unsigned count, bool closed);
    void drawPath(wmfAPI* api, const wmfDC* dc, const std::string& pathData, bool filled);
    void drawEllipse(wmfAPI* api, const wmfDrawArc_t* arc);
    void drawRectangle(wmfAPI* api, const wmfDrawRectangle_t* rect);
    void drawArc(wmfAPI* api, const wmfDrawArc_t* arc, int kind);
    void drawBitmap(wmfAPI* api, const wmfBMP_Draw_t* bitmap);
    void fillRect(const Rect& rect, const std::string& color);
    void include(const wmfD_Coord& p) { m_extent.include(p.x, p.y); }

    SvgWriter m_svg;
    DrawingExtent m_extent;
    WmfSvgText m_text{m_svg};
};

}  // namespace helper
