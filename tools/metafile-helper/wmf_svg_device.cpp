#include "wmf_svg_device.h"

#include "text_encoding.h"

#include <libwmf/ipa.h>
#include <libwmf/macro.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace helper {
namespace {

constexpr int kMapModeIsotropic = 7;
constexpr int kMapModeAnisotropic = 8;
constexpr unsigned kTextOpaque = 0x0002;  // ETO_OPAQUE
// Share of the em above the baseline, close to the common Windows fonts.
constexpr double kAscent = 0.9;
constexpr double kDescent = 0.21;
// How strongly a hatch brush covers the area it fills.
constexpr double kHatchCoverage = 0.3;
// Shapes reaching further outside the frame than this share of its size
// mark coordinates that make no sense.
constexpr double kFarOutside = 0.5;

enum ArcKind { OpenArc, Chord, Pie };

WmfSvgDevice* g_preparedDevice = nullptr;

WmfSvgDevice& deviceOf(wmfAPI* api)
{
    return *static_cast<WmfSvgDevice*>(api->device_data);
}

Rgb toRgb(const wmfRGB& color)
{
    return {color.r, color.g, color.b};
}

Rgb mix(Rgb a, Rgb b, double shareOfA)
{
    auto channel = [shareOfA](int x, int y) {
        return static_cast<std::uint8_t>(std::lround(x * shareOfA + y * (1 - shareOfA)));
    };
    return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

// Signed scale from logical to device units, as libwmf's player applies it.
double axisScale(double pixelSize, std::int32_t windowExtent, int mapMode)
{
    if (mapMode == kMapModeIsotropic || mapMode == kMapModeAnisotropic)
        return pixelSize;
    return windowExtent < 0 ? -std::abs(pixelSize) : std::abs(pixelSize);
}

std::string point(const wmfD_Coord& p)
{
    return SvgWriter::number(p.x) + ',' + SvgWriter::number(p.y);
}


Rgb averageColor(wmfAPI* api, wmfBMP* bitmap, Rgb fallback)
{
    if (bitmap->data == nullptr || bitmap->width == 0 || bitmap->height == 0)
        return fallback;
    const unsigned stepX = std::max(1u, bitmap->width / 32u);
    const unsigned stepY = std::max(1u, bitmap->height / 32u);
    long sum[3] = {0, 0, 0};
    long samples = 0;
    for (unsigned y = 0; y < bitmap->height; y += stepY) {
        for (unsigned x = 0; x < bitmap->width; x += stepX) {
            wmfRGB color{};
            wmf_ipa_bmp_color(api, bitmap, &color, x, y);
            sum[0] += color.r;
            sum[1] += color.g;
            sum[2] += color.b;
            ++samples;
        }
    }
    return {static_cast<std::uint8_t>(sum[0] / samples),
            static_cast<std::uint8_t>(sum[1] / samples),
            static_cast<std::uint8_t>(sum[2] / samples)};
}

// The generic family that stands in when the named font is not installed,
// from the font's pitch and family bits (LOGFONT lfPitchAndFamily).
std::string genericFamily(const wmfFont* font)
{
    constexpr unsigned kFixedPitch = 1;
    constexpr unsigned kRoman = 0x10;
    constexpr unsigned kModern = 0x30;
    const unsigned pitch = font->lfPitchAndFamily & 0x03;
    const unsigned family = font->lfPitchAndFamily & 0xF0;
    if (pitch == kFixedPitch || family == kModern)
        return "monospace";
    return family == kRoman ? "serif" : "sans-serif";
}

bool drawsLikeCopy(std::uint32_t rasterOperation)
{
    // Mask and inversion operations need the destination; drawing them as a
    // copy would paint black or inverted boxes.
    return rasterOperation != SRCAND && rasterOperation != SRCINVERT
        && rasterOperation != DSTINVERT;
}

}  // namespace

// libwmf calls plain functions; these forward to the device of the API.
struct DeviceCallbacks {
    static void noop(wmfAPI*) {}
    static void flood(wmfAPI* api, wmfFlood_t* flood) { deviceOf(api).noteDrawing(flood->dc); }

    static void pixel(wmfAPI* api, wmfDrawPixel_t* pixel)
    {
        WmfSvgDevice& device = deviceOf(api);
        device.noteDrawing(pixel->dc);
        const Rect rect{pixel->pt.x, pixel->pt.y, pixel->pt.x + pixel->pixel_width,
                        pixel->pt.y + pixel->pixel_height};
        device.fillRect(rect, SvgWriter::color(toRgb(pixel->color)));
    }

    static void pie(wmfAPI* api, wmfDrawArc_t* arc) { deviceOf(api).drawArc(api, arc, Pie); }
    static void chord(wmfAPI* api, wmfDrawArc_t* arc) { deviceOf(api).drawArc(api, arc, Chord); }
    static void arc(wmfAPI* api, wmfDrawArc_t* arc) { deviceOf(api).drawArc(api, arc, OpenArc); }

    static void ellipse(wmfAPI* api, wmfDrawArc_t* arc)
    {
        WmfSvgDevice& device = deviceOf(api);
        device.noteDrawing(arc->dc);
        device.include(arc->TL);
        device.include(arc->BR);
        device.m_svg.open("ellipse")
            .attribute("cx", (arc->TL.x + arc->BR.x) / 2)
            .attribute("cy", (arc->TL.y + arc->BR.y) / 2)
            .attribute("rx", std::abs(arc->BR.x - arc->TL.x) / 2)
            .attribute("ry", std::abs(arc->BR.y - arc->TL.y) / 2);
        device.writeShapeStyle(api, arc->dc, true);
        device.m_svg.close();
    }

    static void line(wmfAPI* api, wmfDrawLine_t* line)
    {
        const wmfD_Coord points[2] = {line->from, line->to};
        WmfSvgDevice& device = deviceOf(api);
        device.drawPolygon(api, line->dc, device.polyPath(points, 2, false), false);
    }

    static void polyline(wmfAPI* api, wmfPolyLine_t* poly)
    {
        WmfSvgDevice& device = deviceOf(api);
        if (poly->count >= 2)
            device.drawPolygon(api, poly->dc, device.polyPath(poly->pt, poly->count, false), false);
    }

    static void polygon(wmfAPI* api, wmfPolyLine_t* poly)
    {
        WmfSvgDevice& device = deviceOf(api);
        if (poly->count >= 2)
            device.drawPolygon(api, poly->dc, device.polyPath(poly->pt, poly->count, true), true);
    }

    static void polypolygon(wmfAPI* api, wmfPolyPoly_t* poly)
    {
        WmfSvgDevice& device = deviceOf(api);
        std::string d;
        for (unsigned i = 0; i < poly->npoly; ++i) {
            if (poly->pt[i] != nullptr && poly->count[i] >= 2)
                d += device.polyPath(poly->pt[i], poly->count[i], true) + ' ';
        }
        if (!d.empty())
            device.drawPolygon(api, poly->dc, d, true);
    }

    static void rectangle(wmfAPI* api, wmfDrawRectangle_t* rect)
    {
        WmfSvgDevice& device = deviceOf(api);
        device.noteDrawing(rect->dc);
        device.include(rect->TL);
        device.include(rect->BR);
        device.m_svg.open("rect")
            .attribute("x", std::min(rect->TL.x, rect->BR.x))
            .attribute("y", std::min(rect->TL.y, rect->BR.y))
            .attribute("width", std::abs(rect->BR.x - rect->TL.x))
            .attribute("height", std::abs(rect->BR.y - rect->TL.y));
        if (rect->width > 0 || rect->height > 0)
            device.m_svg.attribute("rx", std::abs(rect->width) / 2).attribute("ry", std::abs(rect->height) / 2);
        device.writeShapeStyle(api, rect->dc, true);
        device.m_svg.close();
    }

    static void rop(wmfAPI* api, wmfROP_Draw_t* rop)
    {
        WmfSvgDevice& device = deviceOf(api);
        device.noteDrawing(rop->dc);
        const Rect rect{std::min(rop->TL.x, rop->BR.x), std::min(rop->TL.y, rop->BR.y),
                        std::max(rop->TL.x, rop->BR.x), std::max(rop->TL.y, rop->BR.y)};
        if (rop->ROP == PATCOPY)
            device.fillRect(rect, device.fill(api, rop->dc));
        else if (rop->ROP == BLACKNESS)
            device.fillRect(rect, "#000000");
        else if (rop->ROP == WHITENESS)
            device.fillRect(rect, "#ffffff");
    }

    static void bitmap(wmfAPI* api, wmfBMP_Draw_t* bitmap) { deviceOf(api).drawBitmap(api, bitmap); }
    static void readBitmap(wmfAPI* api, wmfBMP_Read_t* read) { wmf_ipa_bmp_read(api, read); }
    static void freeBitmap(wmfAPI* api, wmfBMP* bitmap) { wmf_ipa_bmp_free(api, bitmap); }
    static void text(wmfAPI* api, wmfDrawText_t* text) { deviceOf(api).drawText(api, text); }
    static void userData(wmfAPI*, wmfUserData_t*) {}

    static void regionPaint(wmfAPI* api, wmfPolyRectangle_t* rects)
    {
        WmfSvgDevice& device = deviceOf(api);
        device.noteDrawing(rects->dc);
        const std::string color = device.fill(api, rects->dc);
        for (unsigned i = 0; i < rects->count; ++i)
            device.fillRect({rects->TL[i].x, rects->TL[i].y, rects->BR[i].x, rects->BR[i].y}, color);
    }

    static void regionFrame(wmfAPI* api, wmfPolyRectangle_t* rects)
    {
        WmfSvgDevice& device = deviceOf(api);
        device.noteDrawing(rects->dc);
        const std::string color = device.fill(api, rects->dc);
        for (unsigned i = 0; i < rects->count; ++i) {
            const Rect r{rects->TL[i].x, rects->TL[i].y, rects->BR[i].x, rects->BR[i].y};
            device.fillRect({r.left, r.top, r.right, r.top + rects->height}, color);
            device.fillRect({r.left, r.bottom - rects->height, r.right, r.bottom}, color);
            device.fillRect({r.left, r.top, r.left + rects->width, r.bottom}, color);
            device.fillRect({r.right - rects->width, r.top, r.right, r.bottom}, color);
        }
    }

    // Qt SVG has no clip paths; clipping is left out.
    static void regionClip(wmfAPI*, wmfPolyRectangle_t*) {}
};

WmfSvgDevice::WmfSvgDevice(std::optional<Rect> logicalFrame)
    : m_logicalFrame(logicalFrame)
{
}

void WmfSvgDevice::prepare(WmfSvgDevice* device)
{
    g_preparedDevice = device;
}

void WmfSvgDevice::install(wmfAPI* api)
{
    auto* functions = static_cast<wmfFunctionReference*>(api->function_reference);
    functions->device_open = DeviceCallbacks::noop;
    functions->device_close = DeviceCallbacks::noop;
    functions->device_begin = DeviceCallbacks::noop;
    functions->device_end = DeviceCallbacks::noop;
    functions->flood_interior = DeviceCallbacks::flood;
    functions->flood_exterior = DeviceCallbacks::flood;
    functions->draw_pixel = DeviceCallbacks::pixel;
    functions->draw_pie = DeviceCallbacks::pie;
    functions->draw_chord = DeviceCallbacks::chord;
    functions->draw_arc = DeviceCallbacks::arc;
    functions->draw_ellipse = DeviceCallbacks::ellipse;
    functions->draw_line = DeviceCallbacks::line;
    functions->poly_line = DeviceCallbacks::polyline;
    functions->draw_polygon = DeviceCallbacks::polygon;
    functions->draw_polypolygon = DeviceCallbacks::polypolygon;
    functions->draw_rectangle = DeviceCallbacks::rectangle;
    functions->rop_draw = DeviceCallbacks::rop;
    functions->bmp_draw = DeviceCallbacks::bitmap;
    functions->bmp_read = DeviceCallbacks::readBitmap;
    functions->bmp_free = DeviceCallbacks::freeBitmap;
    functions->draw_text = DeviceCallbacks::text;
    functions->udata_init = DeviceCallbacks::userData;
    functions->udata_copy = DeviceCallbacks::userData;
    functions->udata_set = DeviceCallbacks::userData;
    functions->udata_free = DeviceCallbacks::userData;
    functions->region_frame = DeviceCallbacks::regionFrame;
    functions->region_paint = DeviceCallbacks::regionPaint;
    functions->region_clip = DeviceCallbacks::regionClip;
    api->device_data = g_preparedDevice;
}

void WmfSvgDevice::setFallbackViewBox(const Rect& deviceBox)
{
    if (deviceBox.width() > 0 && deviceBox.height() > 0)
        m_fallbackViewBox = deviceBox;
}

std::string WmfSvgDevice::document() const
{
    if (!m_frame)
        return m_svg.document(m_fallbackViewBox);
    // Show what lies a little outside the frame too, rather than cut it off.
    Rect box = *m_frame;
    if (m_drawing) {
        box = {std::min(box.left, m_drawing->left), std::min(box.top, m_drawing->top),
               std::max(box.right, m_drawing->right), std::max(box.bottom, m_drawing->bottom)};
    }
    return m_svg.document(box);
}

bool WmfSvgDevice::drawingFarOutsideFrame() const
{
    if (!m_frame || !m_drawing)
        return false;
    const double marginX = m_frame->width() * kFarOutside;
    const double marginY = m_frame->height() * kFarOutside;
    return m_drawing->left < m_frame->left - marginX || m_drawing->right > m_frame->right + marginX
        || m_drawing->top < m_frame->top - marginY || m_drawing->bottom > m_frame->bottom + marginY;
}

void WmfSvgDevice::include(const wmfD_Coord& p)
{
    if (!m_drawing)
        m_drawing = Rect{p.x, p.y, p.x, p.y};
    m_drawing = Rect{std::min<double>(m_drawing->left, p.x), std::min<double>(m_drawing->top, p.y),
                     std::max<double>(m_drawing->right, p.x), std::max<double>(m_drawing->bottom, p.y)};
}

std::string WmfSvgDevice::polyPath(const wmfD_Coord* points, unsigned count, bool closed)
{
    std::string d;
    for (unsigned i = 0; i < count; ++i) {
        include(points[i]);
        d += (i == 0 ? "M" : " L") + point(points[i]);
    }
    if (closed)
        d += " Z";
    return d;
}

void WmfSvgDevice::noteDrawing(const wmfDC* dc)
{
    if (m_frame || !m_logicalFrame)
        return;
    const double sx = axisScale(dc->pixel_width, dc->Window.width, dc->map_mode);
    const double sy = axisScale(dc->pixel_height, dc->Window.height, dc->map_mode);
    const double x1 = (m_logicalFrame->left - dc->Window.Ox) * sx;
    const double x2 = (m_logicalFrame->right - dc->Window.Ox) * sx;
    const double y1 = (m_logicalFrame->top - dc->Window.Oy) * sy;
    const double y2 = (m_logicalFrame->bottom - dc->Window.Oy) * sy;
    const Rect frame{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
    if (frame.width() > 0 && frame.height() > 0 && std::isfinite(frame.width() * frame.height()))
        m_frame = frame;
}

std::string WmfSvgDevice::fill(wmfAPI* api, const wmfDC* dc) const
{
    wmfBrush* brush = dc->brush;
    const Rgb color = toRgb(brush->lbColor);
    switch (brush->lbStyle) {
    case BS_NULL:
        return "none";
    case BS_HATCHED:
        return SvgWriter::color(mix(color, toRgb(dc->bgcolor), kHatchCoverage));
    case BS_DIBPATTERN:
        return SvgWriter::color(averageColor(api, &brush->bmp, color));
    default:
        return SvgWriter::color(color);
    }
}

void WmfSvgDevice::writeFill(wmfAPI* api, const wmfDC* dc)
{
    m_svg.attribute("fill", fill(api, dc));
    if (dc->brush->lbStyle == BS_HATCHED && dc->bgmode == TRANSPARENT)
        m_svg.attribute("fill-opacity", kHatchCoverage);
    m_svg.attribute("fill-rule", dc->polyfillmode == WINDING ? "nonzero" : "evenodd");
}

void WmfSvgDevice::writeStroke(const wmfDC* dc)
{
    const wmfPen* pen = dc->pen;
    const unsigned style = WMF_PEN_STYLE(pen);
    if (style == PS_NULL) {
        m_svg.attribute("stroke", "none");
        return;
    }
    m_svg.attribute("stroke", SvgWriter::color(toRgb(pen->lopnColor)));
    // libwmf widens a zero-width pen to one logical unit; GDI draws pens
    // that thin as one device pixel, whatever the scale.
    const double width = (pen->width + pen->height) / 2;
    const bool cosmetic = width <= std::abs(dc->pixel_width) * 1.01;
    if (cosmetic)
        m_svg.attribute("stroke-width", 1).attribute("vector-effect", "non-scaling-stroke");
    else
        m_svg.attribute("stroke-width", width);

    const unsigned cap = WMF_PEN_ENDCAP(pen);
    m_svg.attribute("stroke-linecap", cap == PS_ENDCAP_FLAT ? "butt" : cap == PS_ENDCAP_SQUARE ? "square" : "round");
    const unsigned join = WMF_PEN_JOIN(pen);
    m_svg.attribute("stroke-linejoin", join == PS_JOIN_MITER ? "miter" : join == PS_JOIN_BEVEL ? "bevel" : "round");

    const double unit = cosmetic ? 1.0 : width;
    auto dashes = [this, unit](std::initializer_list<double> pattern) {
        std::string value;
        for (double length : pattern)
            value += SvgWriter::number(length * unit) + ' ';
        m_svg.attribute("stroke-dasharray", value);
    };
    switch (style) {
    case PS_DASH: dashes({6, 3}); break;
    case PS_DOT: case PS_ALTERNATE: dashes({1, 2}); break;
    case PS_DASHDOT: dashes({6, 3, 1, 3}); break;
    case PS_DASHDOTDOT: dashes({6, 3, 1, 3, 1, 3}); break;
    default: break;
    }
}

void WmfSvgDevice::writeShapeStyle(wmfAPI* api, const wmfDC* dc, bool filled)
{
    if (filled)
        writeFill(api, dc);
    else
        m_svg.attribute("fill", "none");
    writeStroke(dc);
}

void WmfSvgDevice::drawPolygon(wmfAPI* api, const wmfDC* dc, const std::string& pathData, bool closed)
{
    noteDrawing(dc);
    m_svg.open("path").attribute("d", pathData);
    writeShapeStyle(api, dc, closed);
    m_svg.close();
}

void WmfSvgDevice::drawArc(wmfAPI* api, const wmfDrawArc_t* arc, int kind)
{
    noteDrawing(arc->dc);
    const double cx = (arc->TL.x + arc->BR.x) / 2;
    const double cy = (arc->TL.y + arc->BR.y) / 2;
    const double rx = std::abs(arc->BR.x - arc->TL.x) / 2;
    const double ry = std::abs(arc->BR.y - arc->TL.y) / 2;
    if (rx <= 0 || ry <= 0)
        return;
    include(arc->TL);
    include(arc->BR);
    // The player gives start and end relative to the centre.
    const double startAngle = std::atan2(arc->start.y / ry, arc->start.x / rx);
    double endAngle = std::atan2(arc->end.y / ry, arc->end.x / rx);
    // GDI draws counterclockwise on the page; y grows downwards, so the
    // angle decreases unless the mapping mirrors one axis.
    const wmfDC* dc = arc->dc;
    const bool mirrored = (axisScale(dc->pixel_width, dc->Window.width, dc->map_mode)
                           * axisScale(dc->pixel_height, dc->Window.height, dc->map_mode)) < 0;
    double sweep = mirrored ? endAngle - startAngle : startAngle - endAngle;
    if (sweep <= 0)
        sweep += 2 * std::numbers::pi;
    const wmfD_Coord from{static_cast<float>(cx + rx * std::cos(startAngle)),
                          static_cast<float>(cy + ry * std::sin(startAngle))};
    const wmfD_Coord to{static_cast<float>(cx + rx * std::cos(endAngle)),
                        static_cast<float>(cy + ry * std::sin(endAngle))};
    std::string d = "M";
    d += point(from);
    d += " A" + SvgWriter::number(rx) + ',' + SvgWriter::number(ry);
    d += sweep > std::numbers::pi ? " 0 1," : " 0 0,";
    d += mirrored ? "1 " : "0 ";
    d += point(to);
    if (kind == Pie)
        d += " L" + SvgWriter::number(cx) + ',' + SvgWriter::number(cy);
    if (kind != OpenArc)
        d += " Z";
    m_svg.open("path").attribute("d", d);
    writeShapeStyle(api, dc, kind != OpenArc);
    m_svg.close();
}

void WmfSvgDevice::drawText(wmfAPI* api, const wmfDrawText_t* text)
{
    noteDrawing(text->dc);
    if (text->str == nullptr)
        return;
    const wmfFont* font = text->dc->font;
    const TextEncoding encoding(font->lfCharSet);
    const std::string bytes = text->str;

    // Text with explicit character spacing arrives one byte at a time; a
    // double-byte character then comes in two calls.
    if (m_pendingLead) {
        const wmfDrawText_t lead = *m_pendingLead;
        m_pendingLead.reset();
        std::string character(1, m_pendingLeadByte);
        character += bytes;
        drawTextRun(api, &lead, character, encoding.toUtf8(character));
        return;
    }
    if (bytes.size() == 1 && encoding.isLeadByte(static_cast<unsigned char>(bytes[0]))) {
        m_pendingLead = *text;
        m_pendingLeadByte = bytes[0];
        return;
    }
    if ((text->flags & kTextOpaque) && text->BR.x != text->TL.x && text->BR.y != text->TL.y) {
        fillRect({std::min(text->TL.x, text->BR.x), std::min(text->TL.y, text->BR.y),
                  std::max(text->TL.x, text->BR.x), std::max(text->TL.y, text->BR.y)},
                 SvgWriter::color(toRgb(text->dc->bgcolor)));
    }
    drawTextRun(api, text, bytes, encoding.toUtf8(bytes));
}

void WmfSvgDevice::drawTextRun(wmfAPI* api, const wmfDrawText_t* text, const std::string& bytes,
                               const std::string& utf8)
{
    const wmfDC* dc = text->dc;
    const wmfFont* font = dc->font;
    // Glyphs keep their shape in logical units; under an anisotropic mapping
    // device units are not square, so the text is set in logical units and
    // scaled into the device like every other shape.
    const double unitX = dc->pixel_width != 0 ? std::abs(dc->pixel_width) : 1.0;
    const double unitY = dc->pixel_height != 0 ? std::abs(dc->pixel_height) : 1.0;
    const double size = text->font_height / unitY;
    if (!(size > 0) || utf8.empty())
        return;
    // libwmf puts the baseline a full font height below the top (or a third
    // of it above the bottom); move it to where the font's ascent puts it.
    const unsigned vertical = dc->textalign & TA_BASELINE;
    double baseline = 0;
    if (vertical == TA_TOP)
        baseline = (kAscent - 1.0) * size;
    else if (vertical == TA_BOTTOM)
        baseline = (1.0 / 3.0 - kDescent) * size;

    std::string transform = "translate(" + SvgWriter::number(text->pt.x) + ' ' + SvgWriter::number(text->pt.y);
    transform += ") scale(" + SvgWriter::number(unitX) + ' ' + SvgWriter::number(unitY) + ')';
    const double angle = WMF_TEXT_ANGLE(font);
    if (std::abs(angle) > 1e-6)
        transform += " rotate(" + SvgWriter::number(-angle * 180 / std::numbers::pi) + ')';

    // An opaque background fills the character cells behind the text.
    if (dc->bgmode == OPAQUE) {
        auto* fonts = static_cast<wmfFontData*>(api->font_data);
        const double width = fonts->stringwidth(api, const_cast<wmfFont*>(font), const_cast<char*>(bytes.c_str()))
            * text->font_height * text->font_ratio / unitX;
        m_svg.open("rect")
            .attribute("x", 0)
            .attribute("y", baseline - kAscent * size)
            .attribute("width", width)
            .attribute("height", (kAscent + kDescent) * size)
            .attribute("transform", transform)
            .attribute("fill", SvgWriter::color(toRgb(dc->bgcolor)))
            .attribute("stroke", "none");
        m_svg.close();
    }

    std::string family = font->lfFaceName ? TextEncoding::forFaceName(font->lfCharSet).toUtf8(font->lfFaceName) : "";
    family += family.empty() ? genericFamily(font) : ", " + genericFamily(font);
    m_svg.open("text")
        .attribute("x", 0)
        .attribute("y", baseline)
        .attribute("transform", transform)
        .attribute("font-family", family)
        .attribute("font-size", size)
        .attribute("fill", SvgWriter::color(toRgb(dc->textcolor)));
    if (font->lfWeight > 550)
        m_svg.attribute("font-weight", "bold");
    if (font->lfItalic)
        m_svg.attribute("font-style", "italic");
    m_svg.closeWithText(utf8, "text");
}

void WmfSvgDevice::drawBitmap(wmfAPI* api, const wmfBMP_Draw_t* bitmap)
{
    const wmfDC* dc = bitmap->dc;
    noteDrawing(dc);
    if (!drawsLikeCopy(bitmap->type) || bitmap->bmp.data == nullptr)
        return;
    const double sx = axisScale(1, dc->Window.width, dc->map_mode) * (dc->pixel_width < 0 ? -1 : 1);
    const double sy = axisScale(1, dc->Window.height, dc->map_mode) * (dc->pixel_height < 0 ? -1 : 1);
    const double width = bitmap->pixel_width * bitmap->crop.w;
    const double height = bitmap->pixel_height * bitmap->crop.h;
    const double left = sx < 0 ? bitmap->pt.x - width : bitmap->pt.x;
    const double top = sy < 0 ? bitmap->pt.y - height : bitmap->pt.y;

    wmfStream* stream = wmf_stream_create(api, nullptr);
    wmf_ipa_bmp_b64(api, const_cast<wmfBMP_Draw_t*>(bitmap), stream);
    char* base64 = nullptr;
    unsigned long length = 0;
    wmf_stream_destroy(api, stream, &base64, &length);
    if (base64 == nullptr || length == 0)
        return;
    std::string href = "data:image/png;base64,";
    href.append(base64, length);
    wmf_free(api, base64);

    include({static_cast<float>(left), static_cast<float>(top)});
    include({static_cast<float>(left + width), static_cast<float>(top + height)});
    m_svg.open("image")
        .attribute("x", left)
        .attribute("y", top)
        .attribute("width", width)
        .attribute("height", height)
        .attribute("preserveAspectRatio", "none")
        .attribute("xlink:href", href);
    m_svg.close();
}

void WmfSvgDevice::fillRect(const Rect& rect, const std::string& color)
{
    if (color == "none")
        return;
    include({static_cast<float>(rect.left), static_cast<float>(rect.top)});
    include({static_cast<float>(rect.right), static_cast<float>(rect.bottom)});
    m_svg.open("rect")
        .attribute("x", std::min(rect.left, rect.right))
        .attribute("y", std::min(rect.top, rect.bottom))
        .attribute("width", std::abs(rect.width()))
        .attribute("height", std::abs(rect.height()))
        .attribute("fill", color)
        .attribute("stroke", "none");
    m_svg.close();
}

}  // namespace helper
