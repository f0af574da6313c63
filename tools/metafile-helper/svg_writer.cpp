#include "svg_writer.h"

#include <cmath>
#include <cstdio>

namespace helper {

SvgWriter& SvgWriter::open(std::string_view name)
{
    m_body += '<';
    m_body += name;
    return *this;
}

SvgWriter& SvgWriter::attribute(std::string_view name, double value)
{
    return attribute(name, number(value));
}

SvgWriter& SvgWriter::attribute(std::string_view name, std::string_view value)
{
    m_body += ' ';
    m_body += name;
    m_body += "=\"";
    m_body += escaped(value);
    m_body += '"';
    return *this;
}

void SvgWriter::close()
{
    m_body += "/>\n";
}

void SvgWriter::closeWithText(std::string_view utf8Text, std::string_view name)
{
    m_body += '>';
    m_body += escaped(utf8Text);
    m_body += "</";
    m_body += name;
    m_body += ">\n";
}

std::string SvgWriter::document(const Rect& viewBox) const
{
    const std::string box = number(viewBox.left) + ' ' + number(viewBox.top) + ' '
        + number(viewBox.width()) + ' ' + number(viewBox.height());
    std::string doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" "
                      "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.2\" "
                      "baseProfile=\"tiny\" width=\"";
    doc += number(viewBox.width()) + "\" height=\"" + number(viewBox.height());
    doc += "\" viewBox=\"" + box + "\">\n";
    doc += m_body;
    doc += "</svg>\n";
    return doc;
}

std::string SvgWriter::color(Rgb rgb)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb.r, rgb.g, rgb.b);
    return text;
}

std::string SvgWriter::number(double value)
{
    if (!std::isfinite(value))
        value = 0;
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", value);
    std::string result = text;
    // Trailing zeros only make the document larger.
    while (result.back() == '0')
        result.pop_back();
    if (result.back() == '.')
        result.pop_back();
    return result == "-0" ? "0" : result;
}

std::string SvgWriter::escaped(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '<': result += "&lt;"; break;
        case '>': result += "&gt;"; break;
        case '&': result += "&amp;"; break;
        case '"': result += "&quot;"; break;
        default:
            // Control characters are not allowed in XML 1.0.
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t')
                result += c;
            else
                result += ' ';
        }
    }
    return result;
}

}  // namespace helper
