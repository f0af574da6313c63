#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace helper {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
};

struct Rect {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    double width() const { return right - left; }
    double height() const { return bottom - top; }
};

// Builds an SVG document as text, one element at a time. Element bodies are
// collected first; the root element is written last, when the view box is
// known.
class SvgWriter {
public:
    // Starts an element: "<name".
    SvgWriter& open(std::string_view name);
    SvgWriter& attribute(std::string_view name, double value);
    SvgWriter& attribute(std::string_view name, std::string_view value);
    // Ends an empty element: "/>".
    void close();
    // Ends a start tag that children follow: ">".
    void openBody() { m_body += ">\n"; }
    // Writes an end tag.
    void end(std::string_view name)
    {
        m_body += "</";
        m_body += name;
        m_body += ">\n";
    }
    // Ends the start tag, writes escaped text and the end tag.
    void closeWithText(std::string_view utf8Text, std::string_view name);

    std::string document(const Rect& viewBox) const;
    std::size_t size() const { return m_body.size(); }

    static std::string color(Rgb rgb);
    static std::string number(double value);
    static std::string escaped(std::string_view text);

private:
    std::string m_body;
};

}  // namespace helper
