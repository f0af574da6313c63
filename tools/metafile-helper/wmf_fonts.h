#pragma once

#include <libwmf/api.h>
#include <string>
#include <vector>

namespace helper {

// libwmf measures text with FreeType and insists on loading a font file for
// each of the standard PostScript faces. This finds installed font files to
// stand in for them; the drawing itself names the metafile's own fonts.
class WmfFonts {
public:
    WmfFonts();

    // Fills the font options of `options` and adds the matching flags to
    // `flags`. The pointers stay valid while this object lives.
    void configure(wmfAPI_Options& options, unsigned long& flags);

private:
    std::vector<std::string> m_directories;
    std::vector<std::string> m_psNames;
    std::vector<std::string> m_files;
    std::vector<char*> m_directoryList;
    std::vector<wmfMapping> m_mappings;
};

}  // namespace helper
