#include "wmf_fonts.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <set>

namespace helper {
namespace {

namespace fs = std::filesystem;

constexpr std::array kFontDirectories{
    "/usr/share/fonts/truetype/dejavu",      "/usr/share/fonts/truetype/liberation",
    "/usr/share/fonts/truetype/liberation2", "/usr/share/fonts/type1/gsfonts",
    "/usr/share/fonts/type1/urw-base35",     "/usr/share/fonts/opentype/urw-base35",
    "/usr/share/fonts/truetype/freefont",
};

struct StandIn {
    const char* psName;
    std::array<const char*, 3> files;
};

// The faces libwmf maps every metafile font to, with files that look alike.
// libwmf caches faces by file, so each face needs a file of its own.
constexpr std::array kStandIns{
    StandIn{"Times-Roman", {"DejaVuSerif.ttf", "LiberationSerif-Regular.ttf", "n021003l.pfb"}},
    StandIn{"Times-Italic",
            {"DejaVuSerif-Italic.ttf", "LiberationSerif-Italic.ttf", "n021023l.pfb"}},
    StandIn{"Times-Bold", {"DejaVuSerif-Bold.ttf", "LiberationSerif-Bold.ttf", "n021004l.pfb"}},
    StandIn{"Times-BoldItalic",
            {"DejaVuSerif-BoldItalic.ttf", "LiberationSerif-BoldItalic.ttf", "n021024l.pfb"}},
    StandIn{"Helvetica", {"DejaVuSans.ttf", "LiberationSans-Regular.ttf", "n019003l.pfb"}},
    StandIn{"Helvetica-Oblique",
            {"DejaVuSans-Oblique.ttf", "LiberationSans-Italic.ttf", "n019023l.pfb"}},
    StandIn{"Helvetica-Bold", {"DejaVuSans-Bold.ttf", "LiberationSans-Bold.ttf", "n019004l.pfb"}},
    StandIn{"Helvetica-BoldOblique",
            {"DejaVuSans-BoldOblique.ttf", "LiberationSans-BoldItalic.ttf", "n019024l.pfb"}},
    StandIn{"Courier", {"DejaVuSansMono.ttf", "LiberationMono-Regular.ttf", "n022003l.pfb"}},
    StandIn{"Courier-Oblique",
            {"DejaVuSansMono-Oblique.ttf", "LiberationMono-Italic.ttf", "n022023l.pfb"}},
    StandIn{"Courier-Bold", {"DejaVuSansMono-Bold.ttf", "LiberationMono-Bold.ttf", "n022004l.pfb"}},
    StandIn{"Courier-BoldOblique",
            {"DejaVuSansMono-BoldOblique.ttf", "LiberationMono-BoldItalic.ttf", "n022024l.pfb"}},
    StandIn{"Symbol",
            {"DejaVuSansCondensed.ttf", "s050000l.pfb", "LiberationSansNarrow-Regular.ttf"}},
    StandIn{"ZapfDingbats",
            {"DejaVuSerifCondensed.ttf", "d050000l.pfb", "LiberationSansNarrow-Bold.ttf"}},
};

bool isFontFile(const fs::path& path)
{
    const std::string extension = path.extension().string();
    return extension == ".ttf" || extension == ".otf" || extension == ".pfb" || extension == ".t1";
}

}  // namespace

WmfFonts::WmfFonts()
{
    std::vector<fs::path> available;
    for (const char* directory : kFontDirectories) {
        std::error_code error;
        if (!fs::is_directory(directory, error))
            continue;
        m_directories.emplace_back(directory);
        for (const auto& entry : fs::directory_iterator(directory, error)) {
            if (isFontFile(entry.path()))
                available.push_back(entry.path().filename());
        }
    }
    std::sort(available.begin(), available.end());

    std::set<std::string> used;
    auto installed = [&](const std::string& name) {
        return std::find(available.begin(), available.end(), fs::path(name)) != available.end();
    };
    for (const StandIn& standIn : kStandIns) {
        std::string chosen;
        for (const char* file : standIn.files) {
            if (installed(file) && !used.count(file)) {
                chosen = file;
                break;
            }
        }
        for (auto it = available.begin(); chosen.empty() && it != available.end(); ++it) {
            if (!used.count(it->string()))
                chosen = it->string();
        }
        if (chosen.empty())
            continue;
        used.insert(chosen);
        m_psNames.emplace_back(standIn.psName);
        m_files.push_back(chosen);
    }
}

void WmfFonts::configure(wmfAPI_Options& options, unsigned long& flags)
{
    m_directoryList.clear();
    for (std::string& directory : m_directories)
        m_directoryList.push_back(directory.data());
    m_directoryList.push_back(nullptr);

    m_mappings.clear();
    for (std::size_t i = 0; i < m_files.size(); ++i)
        m_mappings.push_back(wmfMapping{m_psNames[i].data(), m_files[i].data(), FT_ENCODING_NONE});
    m_mappings.push_back(wmfMapping{nullptr, nullptr, FT_ENCODING_NONE});

    options.fontdirs = m_directoryList.data();
    options.font.wmf = nullptr;
    options.font.sub = nullptr;
    options.font.ps = m_mappings.data();
    flags |= WMF_OPT_FONTDIRS | WMF_OPT_FONTMAP;
}

}  // namespace helper
