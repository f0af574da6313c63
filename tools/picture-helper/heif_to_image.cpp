#include "decoders.h"
#include "image_output.h"

#include <libheif/heif.h>
#include <memory>
#include <vector>

namespace helper {
namespace {

template <typename T, void (*Release)(T*)> struct Releaser {
    void operator()(T* object) const { Release(object); }
};
using Context = std::unique_ptr<heif_context, Releaser<heif_context, heif_context_free>>;
using Handle = std::unique_ptr<heif_image_handle,
                               Releaser<const heif_image_handle, heif_image_handle_release>>;
using Image = std::unique_ptr<heif_image, Releaser<const heif_image, heif_image_release>>;

// The first EXIF block without libheif's leading offset to the TIFF header.
std::string exifOf(const heif_image_handle* handle)
{
    heif_item_id id = 0;
    if (heif_image_handle_get_list_of_metadata_block_IDs(handle, "Exif", &id, 1) != 1)
        return {};
    const std::size_t size = heif_image_handle_get_metadata_size(handle, id);
    if (size < 4 || size > 1024 * 1024)
        return {};
    std::string block(size, '\0');
    if (heif_image_handle_get_metadata(handle, id, block.data()).code != heif_error_Ok)
        return {};
    const std::uint32_t offset = std::uint32_t(std::uint8_t(block[0])) << 24
        | std::uint8_t(block[1]) << 16 | std::uint8_t(block[2]) << 8 | std::uint8_t(block[3]);
    return offset <= size - 4 ? block.substr(4 + offset) : std::string();
}

}  // namespace

Result heifToImage(std::string_view data, std::uint64_t maxBytes)
{
    Context context(heif_context_alloc());
    if (!context
        || heif_context_read_from_memory_without_copy(context.get(), data.data(), data.size(),
                                                      nullptr)
                .code
            != heif_error_Ok)
        return {};
    heif_image_handle* primary = nullptr;
    if (heif_context_get_primary_image_handle(context.get(), &primary).code != heif_error_Ok)
        return {};
    const Handle handle(primary);
    const std::uint64_t width = std::uint64_t(std::max(0, heif_image_handle_get_width(primary)));
    const std::uint64_t height = std::uint64_t(std::max(0, heif_image_handle_get_height(primary)));
    if (width == 0 || height == 0)
        return {};
    if (width * height * 4 > maxBytes)
        return {std::nullopt, Refusal::TooLarge};

    heif_image* decoded = nullptr;
    if (heif_decode_image(primary, &decoded, heif_colorspace_RGB, heif_chroma_interleaved_RGBA,
                          nullptr)
            .code
        != heif_error_Ok)
        return {};
    const Image image(decoded);
    const int shownWidth = heif_image_get_width(decoded, heif_channel_interleaved);
    const int shownHeight = heif_image_get_height(decoded, heif_channel_interleaved);
    int stride = 0;
    const std::uint8_t* rows
        = heif_image_get_plane_readonly(decoded, heif_channel_interleaved, &stride);
    if (!rows || shownWidth <= 0 || shownHeight <= 0 || stride < shownWidth * 4)
        return {};
    return {imageOutput(std::uint32_t(shownWidth), std::uint32_t(shownHeight), exifOf(primary),
                        rows, std::size_t(stride))};
}

}  // namespace helper
