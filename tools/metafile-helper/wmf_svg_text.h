#pragma once

#include "svg_writer.h"

#include <libwmf/api.h>
#include <libwmf/ipa.h>
#include <optional>
#include <string>

namespace helper {

// Writes the text libwmf's player hands over as SVG text elements: in
// UTF-8, with the metafile's font names, on the baseline the font puts it,
// and behind it the background when the device context paints one.
class WmfSvgText {
public:
    explicit WmfSvgText(SvgWriter& svg) : m_svg(svg) { }

    void draw(wmfAPI* api, const wmfDrawText_t* text);

private:
    void drawRun(wmfAPI* api, const wmfDrawText_t* text, const std::string& bytes,
                 const std::string& utf8);
    void fillBackground(wmfAPI* api, const wmfDrawText_t* text, const std::string& bytes,
                        const std::string& transform, double baseline, double size);

    SvgWriter& m_svg;
    // A double-byte character whose second byte arrives with the next call.
    std::optional<wmfDrawText_t> m_pendingLead;
    char m_pendingLeadByte = 0;
};

}  // namespace helper
