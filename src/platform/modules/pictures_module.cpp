// The module "pictures": libjpeg and Qt SVG behind the PictureCodecs
// interface.
#include "platform/metafiles/invalid_metafile_error.h"
#include "platform/metafiles/svg_metafile_drawing.h"
#include "platform/pictures/jpeg_decoder.h"
#include "platform/pictures/picture_codecs.h"

namespace {

class LinkedCodecs final : public PictureCodecs {
public:
    ScaledImage decodeJpeg(const QByteArray& data, const PartialPictureCallback& showPartial,
                           const QSize& atLeast) const override
    {
        return ::decodeJpeg(data, showPartial, atLeast);
    }

    std::shared_ptr<const VectorDrawing> svgDrawing(const QByteArray& svg,
                                                    QSize size) const override
    {
        return std::make_shared<const SvgMetafileDrawing>(svg, size);
    }

    Picture svgPicture(const QByteArray& svg) const override
    {
        try {
            return Picture::fromDrawing(std::make_shared<const SvgMetafileDrawing>(svg));
        } catch (const InvalidMetafileError& error) {
            throw InvalidPictureError(QString::fromUtf8(error.what()));
        }
    }
};

}  // namespace

extern "C" const PictureCodecs* sleevix_picture_codecs()
{
    static const LinkedCodecs codecs;
    return &codecs;
}
