#include "wmf_svg_device.h"

#include "wmf_svg_style.h"

#include <algorithm>
#include <cmath>
#include <libwmf/macro.h>
#include <numbers>

namespace helper {
namespace {

enum ArcKind { OpenArc, Chord, Pie };

WmfSvgDevice* g_preparedDevice = nullptr;

WmfSvgDevice& deviceOf(wmfAPI* api)
{
    return *static_cast<WmfSvgDevice*>(api->device_data);
}

std::string point(double x, double y)
{
    return SvgWriter::number(x) + ',' + SvgWriter::number(y);
}

Rect normalized(const wmfD_Coord& a, const wmfD_Coord& b)
{
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

// Mask and inversion operations need the destination; drawn as a copy they
// would paint black or inverted boxes.
bool drawsLikeCopy(std::uint32_t rasterOperation)
{
    return rasterOperation != SRCAND && rasterOperation != SRCINVERT
        && rasterOperation != DSTINVERT;
}

std::string base64Png(wmfAPI* api, const wmfBMP_Draw_t* bitmap)
{
    wmfStream* stream = wmf_stream_create(api, nullptr);
    wmf_ipa_bmp_b64(api, const_cast<wmfBMP_Draw_t*>(bitmap), stream);
    char* text = nullptr;
    unsigned long length = 0;
    wmf_stream_destroy(api, stream, &text, &length);
    std::string result = text != nullptr ? std::string(text, length) : std::string();
    wmf_free(api, text);
    return result;
}

}  // namespace

// libwmf calls plain functions; these forward to the device of the API and
// note that drawing has begun.
struct DeviceCallbacks {
    static WmfSvgDevice& drawing(wmfAPI* api, const wmfDC* dc)
    {
        WmfSvgDevice& device = deviceOf(api);
        device.m_extent.noteDrawing(dc);
        return device;
    }

    static void noop(wmfAPI*) { }
    static void userData(wmfAPI*, wmfUserData_t*) { }
    static void flood(wmfAPI* api, wmfFlood_t* flood) { drawing(api, flood->dc); }

    static void pixel(wmfAPI* api, wmfDrawPixel_t* pixel)
    {
        drawing(api, pixel->dc)
            .fillRect({pixel->pt.x, pixel->pt.y, pixel->pt.x + pixel->pixel_width,
                       pixel->pt.y + pixel->pixel_height},
                      SvgWriter::color(toRgb(pixel->color)));
    }

    static void pie(wmfAPI* api, wmfDrawArc_t* arc)
    {
        drawing(api, arc->dc).drawArc(api, arc, Pie);
    }
    static void chord(wmfAPI* api, wmfDrawArc_t* arc)
    {
        drawing(api, arc->dc).drawArc(api, arc, Chord);
    }
    static void arc(wmfAPI* api, wmfDrawArc_t* arc)
    {
        drawing(api, arc->dc).drawArc(api, arc, OpenArc);
    }
    static void ellipse(wmfAPI* api, wmfDrawArc_t* arc)
    {
        drawing(api, arc->dc).drawEllipse(api, arc);
    }

    static void line(wmfAPI* api, wmfDrawLine_t* line)
    {
        const wmfD_Coord points[2] = {line->from, line->to};
        WmfSvgDevice& device = drawing(api, line->dc);
        device.drawPath(api, line->dc, device.polyPath(points, 2, false), false);
    }

    static void polyline(wmfAPI* api, wmfPolyLine_t* poly)
    {
        WmfSvgDevice& device = drawing(api, poly->dc);
        if (poly->count >= 2)
            device.drawPath(api, poly->dc, device.polyPath(poly->pt, poly->count, false), false);
    }

    static void polygon(wmfAPI* api, wmfPolyLine_t* poly)
    {
        WmfSvgDevice& device = drawing(api, poly->dc);
        if (poly->count >= 2)
            device.drawPath(api, poly->dc, device.polyPath(poly->pt, poly->count, true), true);
    }

    static void polypolygon(wmfAPI* api, wmfPolyPoly_t* poly)
    {
        WmfSvgDevice& device = drawing(api, poly->dc);
        std::string d;
        for (unsigned i = 0; i < poly->npoly; ++i) {
            if (poly->pt[i] != nullptr && poly->count[i] >= 2)
                d += device.polyPath(poly->pt[i], poly->count[i], true) + ' ';
        }
        if (!d.empty())
            device.drawPath(api, poly->dc, d, true);
    }

    static void rectangle(wmfAPI* api, wmfDrawRectangle_t* rect)
    {
        drawing(api, rect->dc).drawRectangle(api, rect);
    }

    static void rop(wmfAPI* api, wmfROP_Draw_t* rop)
    {
        WmfSvgDevice& device = drawing(api, rop->dc);
        const Rect area = normalized(rop->TL, rop->BR);
        if (rop->ROP == PATCOPY)
            device.fillRect(area, fillColor(api, rop->dc));
        else if (rop->ROP == BLACKNESS)
            device.fillRect(area, "#000000");
        else if (rop->ROP == WHITENESS)
            device.fillRect(area, "#ffffff");
    }

    static void bitmap(wmfAPI* api, wmfBMP_Draw_t* bitmap)
    {
        drawing(api, bitmap->dc).drawBitmap(api, bitmap);
    }
    static void readBitmap(wmfAPI* api, wmfBMP_Read_t* read) { wmf_ipa_bmp_read(api, read); }
    static void freeBitmap(wmfAPI* api, wmfBMP* bitmap) { wmf_ipa_bmp_free(api, bitmap); }
    static void text(wmfAPI* api, wmfDrawText_t* text)
    {
        drawing(api, text->dc).m_text.draw(api, text);
    }

    static void regionPaint(wmfAPI* api, wmfPolyRectangle_t* rects)
    {
        WmfSvgDevice& device = drawing(api, rects->dc);
        const std::string color = fillColor(api, rects->dc);
        for (unsigned i = 0; i < rects->count; ++i)
            device.fillRect(normalized(rects->TL[i], rects->BR[i]), color);
    }

    static void regionFrame(wmfAPI* api, wmfPolyRectangle_t* rects)
    {
        WmfSvgDevice& device = drawing(api, rects->dc);
        const std::string color = fillColor(api, rects->dc);
        for (unsigned i = 0; i < rects->count; ++i) {
            const Rect r = normalized(rects->TL[i], rects->BR[i]);
            device.fillRect({r.left, r.top, r.right, r.top + rects->height}, color);
            device.fillRect({r.left, r.bottom - rects->height, r.right, r.bottom}, color);
            device.fillRect({r.left, r.top, r.left + rects->width, r.bottom}, color);
            device.fillRect({r.right - rects->width, r.top, r.right, r.bottom}, color);
        }
    }

    // Qt SVG has no clip paths; clipping is left out.
    static void regionClip(wmfAPI*, wmfPolyRectangle_t*) { }
};

WmfSvgDevice::WmfSvgDevice(std::optional<Rect> logicalFrame) : m_extent(logicalFrame)
{ }

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

std::string WmfSvgDevice::polyPath(const wmfD_Coord* points, unsigned count, bool closed)
{
    std::string d;
    for (unsigned i = 0; i < count; ++i) {
        include(points[i]);
        d += i == 0 ? "M" : " L";
        d += point(points[i].x, points[i].y);
    }
    if (closed)
        d += " Z";
    return d;
}

void WmfSvgDevice::drawPath(wmfAPI* api, const wmfDC* dc, const std::string& pathData, bool filled)
{
    m_svg.open("path").attribute("d", pathData);
    writeShapeStyle(m_svg, api, dc, filled);
    m_svg.close();
}

void WmfSvgDevice::drawEllipse(wmfAPI* api, const wmfDrawArc_t* arc)
{
    include(arc->TL);
    include(arc->BR);
    m_svg.open("ellipse")
        .attribute("cx", (arc->TL.x + arc->BR.x) / 2)
        .attribute("cy", (arc->TL.y + arc->BR.y) / 2)
        .attribute("rx", std::abs(arc->BR.x - arc->TL.x) / 2)
        .attribute("ry", std::abs(arc->BR.y - arc->TL.y) / 2);
    writeShapeStyle(m_svg, api, arc->dc, true);
    m_svg.close();
}

void WmfSvgDevice::drawRectangle(wmfAPI* api, const wmfDrawRectangle_t* rect)
{
    include(rect->TL);
    include(rect->BR);
    const Rect area = normalized(rect->TL, rect->BR);
    m_svg.open("rect")
        .attribute("x", area.left)
        .attribute("y", area.top)
        .attribute("width", area.width())
        .attribute("height", area.height());
    if (rect->width > 0 || rect->height > 0)
        m_svg.attribute("rx", std::abs(rect->width) / 2)
            .attribute("ry", std::abs(rect->height) / 2);
    writeShapeStyle(m_svg, api, rect->dc, true);
    m_svg.close();
}

void WmfSvgDevice::drawArc(wmfAPI* api, const wmfDrawArc_t* arc, int kind)
{
    const double cx = (arc->TL.x + arc->BR.x) / 2;
    const double cy = (arc->TL.y + arc->BR.y) / 2;
    const double rx = std::abs(arc->BR.x - arc->TL.x) / 2;
    const double ry = std::abs(arc->BR.y - arc->TL.y) / 2;
    if (rx <= 0 || ry <= 0)
        return;
    include(arc->TL);
    include(arc->BR);
    // The player gives start and end relative to the centre. GDI draws
    // counterclockwise on the page; y grows downwards, so the angle
    // decreases unless the mapping mirrors one axis.
    const double startAngle = std::atan2(arc->start.y / ry, arc->start.x / rx);
    const double endAngle = std::atan2(arc->end.y / ry, arc->end.x / rx);
    const bool mirrored = scaleX(arc->dc) * scaleY(arc->dc) < 0;
    double sweep = mirrored ? endAngle - startAngle : startAngle - endAngle;
    if (sweep <= 0)
        sweep += 2 * std::numbers::pi;

    std::string d = "M";
    d += point(cx + rx * std::cos(startAngle), cy + ry * std::sin(startAngle));
    d += " A";
    d += point(rx, ry);
    d += sweep > std::numbers::pi ? " 0 1," : " 0 0,";
    d += mirrored ? "1 " : "0 ";
    d += point(cx + rx * std::cos(endAngle), cy + ry * std::sin(endAngle));
    if (kind == Pie) {
        d += " L";
        d += point(cx, cy);
    }
    if (kind != OpenArc)
        d += " Z";
    drawPath(api, arc->dc, d, kind != OpenArc);
}

void WmfSvgDevice::drawBitmap(wmfAPI* api, const wmfBMP_Draw_t* bitmap)
{
    if (!drawsLikeCopy(bitmap->type) || bitmap->bmp.data == nullptr)
        return;
    // The player measures bitmaps in positive sizes; a mirrored mapping puts
    // them left of or above their reference point.
    const double width = bitmap->pixel_width * bitmap->crop.w;
    const double height = bitmap->pixel_height * bitmap->crop.h;
    const double left = scaleX(bitmap->dc) < 0 ? bitmap->pt.x - width : bitmap->pt.x;
    const double top = scaleY(bitmap->dc) < 0 ? bitmap->pt.y - height : bitmap->pt.y;
    const std::string png = base64Png(api, bitmap);
    if (png.empty())
        return;
    m_extent.include(left, top);
    m_extent.include(left + width, top + height);
    m_svg.open("image")
        .attribute("x", left)
        .attribute("y", top)
        .attribute("width", width)
        .attribute("height", height)
        .attribute("preserveAspectRatio", "none")
        .attribute("xlink:href", "data:image/png;base64," + png);
    m_svg.close();
}

void WmfSvgDevice::fillRect(const Rect& rect, const std::string& color)
{
    if (color == "none")
        return;
    m_extent.include(rect.left, rect.top);
    m_extent.include(rect.right, rect.bottom);
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
