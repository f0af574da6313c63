#include "converters.h"
#include "wmf_fonts.h"
#include "wmf_svg_device.h"

#include <libwmf/api.h>

namespace helper {
namespace {

// Releases the libwmf API however the conversion ends.
class WmfSession {
public:
    WmfSession(WmfSvgDevice& device, WmfFonts& fonts)
    {
        wmfAPI_Options options{};
        unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL;
        options.function = WmfSvgDevice::install;
        fonts.configure(options, flags);
        WmfSvgDevice::prepare(&device);
        if (wmf_api_create(&m_api, flags, &options) != wmf_E_None)
            m_failed = true;
    }
    ~WmfSession()
    {
        if (m_api != nullptr)
            wmf_api_destroy(m_api);
    }
    WmfSession(const WmfSession&) = delete;
    WmfSession& operator=(const WmfSession&) = delete;

    wmfAPI* api() const { return m_failed ? nullptr : m_api; }

private:
    wmfAPI* m_api = nullptr;
    bool m_failed = false;
};

}  // namespace

std::optional<std::string> wmfToSvg(std::string& data, std::optional<Rect> logicalFrame)
{
    WmfSvgDevice device(logicalFrame);
    WmfFonts fonts;
    WmfSession session(device, fonts);
    wmfAPI* api = session.api();
    if (api == nullptr)
        return std::nullopt;
    if (wmf_mem_open(api, reinterpret_cast<unsigned char*>(data.data()),
                     static_cast<long>(data.size()))
        != wmf_E_None)
        return std::nullopt;
    wmfD_Rect bounds{};
    if (wmf_scan(api, 0, &bounds) != wmf_E_None)
        return std::nullopt;
    device.extent().setFallback({bounds.TL.x, bounds.TL.y, bounds.BR.x, bounds.BR.y});
    if (wmf_play(api, 0, &bounds) != wmf_E_None || device.extent().farOutsideFrame())
        return std::nullopt;
    return device.document();
}

}  // namespace helper
