#pragma once

#include "platform/pictures/picture_loader.h"
#include "platform/pictures/scaled_image.h"

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <memory>

class VectorDrawing;

// The picture decoders that need libraries of their own: libjpeg for JPEG
// files and Qt SVG for SVG files and for the drawings the metafile helper
// makes of EMF and WMF files. They live in the module "pictures" (see platform/desktop/modules.h).
class PictureCodecs {
public:
    virtual ~PictureCodecs() = default;
    // See decodeJpeg() in platform/pictures/jpeg_decoder.h.
    virtual ScaledImage decodeJpeg(const QByteArray& data,
                                   const PartialPictureCallback& showPartial,
                                   const QSize& atLeast) const = 0;
    // See SvgMetafileDrawing in platform/metafiles/svg_metafile_drawing.h.
    virtual std::shared_ptr<const VectorDrawing> svgDrawing(const QByteArray& svg,
                                                            QSize size) const = 0;
    // An SVG file as a vector picture of the file's own size. Throws
    // InvalidPictureError for a file Qt SVG cannot read or that has no size.
    virtual Picture svgPicture(const QByteArray& svg) const = 0;
};

// The module's decoders, loaded at the first call; throws ModuleError when
// the module cannot be loaded.
const PictureCodecs& pictureCodecs();

// For builds that link the decoders in.
void usePictureCodecs(const PictureCodecs& linkedIn);

// The module's entry.
extern "C" const PictureCodecs* sleevix_picture_codecs();
