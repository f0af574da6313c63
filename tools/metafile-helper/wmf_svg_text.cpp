#include "wmf_svg_text.h"

#include "text_encoding.h"
#include "wmf_svg_style.h"

#include <algorithm>
#include <cmath>
#include <libwmf/macro.h>
#include <numbers>

namespace helper {
namespace {

constexpr unsigned kTextOpaque = 0x0002;  // ETO_OPAQUE
// Share of the em above and below the baseline, close to common fonts.
constexpr double kAscent = 0.9;
constexpr double kDescent = 0.21;

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

std::string fontFamily(const wmfFont* font)
{
    std::string family;
    if (font->lfFaceName != nullptr)
        family = TextEncoding::forFaceName(font->lfCharSet).toUtf8(font->lfFaceName);
    return family.empty() ? genericFamily(font) : family + ", " + genericFamily(font);
}

// libwmf puts the baseline a full font height below the top (or a third of
// it above the bottom); this moves it to where the font's ascent puts it.
double baselineCorrection(const wmfDC* dc, double size)
{
    const unsigned vertical = dc->textalign & TA_BASELINE;
    if (vertical == TA_TOP)
        return (kAscent - 1.0) * size;
    if (vertical == TA_BOTTOM)
        return (1.0 / 3.0 - kDescent) * size;
    return 0;
}

}  // namespace

void WmfSvgText::draw(wmfAPI* api, const wmfDrawText_t* text)
{
    if (text->str == nullptr)
        return;
    const TextEncoding encoding(text->dc->font->lfCharSet);
    const std::string bytes = text->str;

    // Text with explicit character spacing arrives one byte at a time; a
    // double-byte character then comes in two calls.
    if (m_pendingLead) {
        const wmfDrawText_t lead = *m_pendingLead;
        m_pendingLead.reset();
        std::string character(1, m_pendingLeadByte);
        character += bytes;
        drawRun(api, &lead, character, encoding.toUtf8(character));
        return;
    }
    if (bytes.size() == 1 && encoding.isLeadByte(static_cast<unsigned char>(bytes[0]))) {
        m_pendingLead = *text;
        m_pendingLeadByte = bytes[0];
        return;
    }
    if ((text->flags & kTextOpaque) && text->BR.x != text->TL.x && text->BR.y != text->TL.y) {
        m_svg.open("rect")
            .attribute("x", std::min(text->TL.x, text->BR.x))
            .attribute("y", std::min(text->TL.y, text->BR.y))
            .attribute("width", std::abs(text->BR.x - text->TL.x))
            .attribute("height", std::abs(text->BR.y - text->TL.y))
            .attribute("fill", SvgWriter::color(toRgb(text->dc->bgcolor)))
            .attribute("stroke", "none");
        m_svg.close();
    }
    drawRun(api, text, bytes, encoding.toUtf8(bytes));
}

void WmfSvgText::drawRun(wmfAPI* api, const wmfDrawText_t* text, const std::string& bytes,
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
    const double baseline = baselineCorrection(dc, size);

    std::string transform
        = "translate(" + SvgWriter::number(text->pt.x) + ' ' + SvgWriter::number(text->pt.y);
    transform += ") scale(" + SvgWriter::number(unitX) + ' ' + SvgWriter::number(unitY) + ')';
    const double angle = WMF_TEXT_ANGLE(font);
    if (std::abs(angle) > 1e-6)
        transform += " rotate(" + SvgWriter::number(-angle * 180 / std::numbers::pi) + ')';

    if (dc->bgmode == OPAQUE)
        fillBackground(api, text, bytes, transform, baseline, size);

    m_svg.open("text")
        .attribute("x", 0)
        .attribute("y", baseline)
        .attribute("transform", transform)
        .attribute("font-family", fontFamily(font))
        .attribute("font-size", size)
        .attribute("fill", SvgWriter::color(toRgb(dc->textcolor)));
    if (font->lfWeight > 550)
        m_svg.attribute("font-weight", "bold");
    if (font->lfItalic)
        m_svg.attribute("font-style", "italic");
    m_svg.closeWithText(utf8, "text");
}

void WmfSvgText::fillBackground(wmfAPI* api, const wmfDrawText_t* text, const std::string& bytes,
                                const std::string& transform, double baseline, double size)
{
    const wmfDC* dc = text->dc;
    // The width libwmf measured, with the font it measures with.
    auto* fonts = static_cast<wmfFontData*>(api->font_data);
    const double unitX = dc->pixel_width != 0 ? std::abs(dc->pixel_width) : 1.0;
    const double width = fonts->stringwidth(api, dc->font, const_cast<char*>(bytes.c_str()))
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

}  // namespace helper
