#include "wmf_svg_style.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <libwmf/macro.h>

namespace helper {
namespace {

// How strongly a hatch brush covers the area it fills.
constexpr double kHatchCoverage = 0.3;

Rgb mix(Rgb a, Rgb b, double shareOfA)
{
    auto channel = [shareOfA](int x, int y) {
        return static_cast<std::uint8_t>(std::lround(x * shareOfA + y * (1 - shareOfA)));
    };
    return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
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

void writeFill(SvgWriter& svg, wmfAPI* api, const wmfDC* dc)
{
    svg.attribute("fill", fillColor(api, dc));
    if (dc->brush->lbStyle == BS_HATCHED && dc->bgmode == TRANSPARENT)
        svg.attribute("fill-opacity", kHatchCoverage);
    svg.attribute("fill-rule", dc->polyfillmode == WINDING ? "nonzero" : "evenodd");
}

void writeDashes(SvgWriter& svg, unsigned style, double unit)
{
    auto dashes = [&svg, unit](std::initializer_list<double> pattern) {
        std::string value;
        for (double length : pattern)
            value += SvgWriter::number(length * unit) + ' ';
        svg.attribute("stroke-dasharray", value);
    };
    switch (style) {
    case PS_DASH: dashes({6, 3}); break;
    case PS_DOT:
    case PS_ALTERNATE: dashes({1, 2}); break;
    case PS_DASHDOT: dashes({6, 3, 1, 3}); break;
    case PS_DASHDOTDOT: dashes({6, 3, 1, 3, 1, 3}); break;
    default: break;
    }
}

void writeStroke(SvgWriter& svg, const wmfDC* dc)
{
    const wmfPen* pen = dc->pen;
    const unsigned style = WMF_PEN_STYLE(pen);
    if (style == PS_NULL) {
        svg.attribute("stroke", "none");
        return;
    }
    svg.attribute("stroke", SvgWriter::color(toRgb(pen->lopnColor)));
    // libwmf widens a zero-width pen to one logical unit; GDI draws pens
    // that thin as one device pixel, whatever the scale.
    const double width = (pen->width + pen->height) / 2;
    const bool cosmetic = width <= std::abs(dc->pixel_width) * 1.01;
    if (cosmetic)
        svg.attribute("stroke-width", 1).attribute("vector-effect", "non-scaling-stroke");
    else
        svg.attribute("stroke-width", width);

    const unsigned cap = WMF_PEN_ENDCAP(pen);
    svg.attribute("stroke-linecap",
                  cap == PS_ENDCAP_FLAT         ? "butt"
                      : cap == PS_ENDCAP_SQUARE ? "square"
                                                : "round");
    const unsigned join = WMF_PEN_JOIN(pen);
    svg.attribute("stroke-linejoin",
                  join == PS_JOIN_MITER       ? "miter"
                      : join == PS_JOIN_BEVEL ? "bevel"
                                              : "round");
    writeDashes(svg, style, cosmetic ? 1.0 : width);
}

}  // namespace

Rgb toRgb(const wmfRGB& color)
{
    return {color.r, color.g, color.b};
}

std::string fillColor(wmfAPI* api, const wmfDC* dc)
{
    wmfBrush* brush = dc->brush;
    const Rgb color = toRgb(brush->lbColor);
    switch (brush->lbStyle) {
    case BS_NULL: return "none";
    case BS_HATCHED:
        // Over an opaque background the hatch tints it; otherwise the fill
        // is the hatch colour, partly transparent.
        return SvgWriter::color(
            dc->bgmode == OPAQUE ? mix(color, toRgb(dc->bgcolor), kHatchCoverage) : color);
    case BS_DIBPATTERN: return SvgWriter::color(averageColor(api, &brush->bmp, color));
    default: return SvgWriter::color(color);
    }
}

void writeShapeStyle(SvgWriter& svg, wmfAPI* api, const wmfDC* dc, bool filled)
{
    if (filled)
        writeFill(svg, api, dc);
    else
        svg.attribute("fill", "none");
    writeStroke(svg, dc);
}

}  // namespace helper
