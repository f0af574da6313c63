#pragma once

#include "svg_writer.h"

#include <libwmf/api.h>
#include <libwmf/ipa.h>

#include <optional>
#include <string>

namespace helper {

// A libwmf device layer that writes SVG for Qt SVG (SVG Tiny 1.2): exact
// colours, fill rules, cosmetic pens, text in UTF-8 and embedded bitmaps.
// Coordinates are libwmf's device coordinates; the view box is the picture
// frame, given in logical units and mapped with the mapping in force when
// the first drawing record plays.
class WmfSvgDevice {
public:
    explicit WmfSvgDevice(std::optional<Rect> logicalFrame);

    // The libwmf "function" option that installs the device into an API.
    // `prepare()` must name the device before wmf_api_create() calls it.
    static void prepare(WmfSvgDevice* device);
    static void install(wmfAPI* api);

    // The view box used when no frame was given, or nothing was drawn.
    void setFallbackViewBox(const Rect& deviceBox);

    std::string document() const;
    // True when the shapes reach far outside the frame: nonsense coordinates.
    bool drawingFarOutsideFrame() const;

private:
    friend struct DeviceCallbacks;

    void noteDrawing(const wmfDC* dc);
    void include(const wmfD_Coord& p);
    std::string polyPath(const wmfD_Coord* points, unsigned count, bool closed);
    std::string fill(wmfAPI* api, const wmfDC* dc) const;
    void writeFill(wmfAPI* api, const wmfDC* dc);
    void writeStroke(const wmfDC* dc);
    void writeShapeStyle(wmfAPI* api, const wmfDC* dc, bool filled);

    void drawPolygon(wmfAPI* api, const wmfDC* dc, const std::string& pathData, bool closed);
    void drawArc(wmfAPI* api, const wmfDrawArc_t* arc, int kind);
    void drawText(wmfAPI* api, const wmfDrawText_t* text);
    void drawTextRun(wmfAPI* api, const wmfDrawText_t* text, const std::string& bytes, const std::string& utf8);
    void drawBitmap(wmfAPI* api, const wmfBMP_Draw_t* bitmap);
    void fillRect(const Rect& rect, const std::string& color);

    std::optional<Rect> m_logicalFrame;
    std::optional<Rect> m_frame;
    std::optional<Rect> m_drawing;
    Rect m_fallbackViewBox{0, 0, 1, 1};
    SvgWriter m_svg;

    // A double-byte character whose second byte arrives with the next call.
    std::optional<wmfDrawText_t> m_pendingLead;
    char m_pendingLeadByte = 0;
};

}  // namespace helper
