#include "platform/pictures/picture_codecs.h"

#include "platform/desktop/modules.h"

namespace {

ModuleInterface<const PictureCodecs>& module()
{
    static ModuleInterface<const PictureCodecs> pictures("pictures", "sleevix_picture_codecs");
    return pictures;
}

}  // namespace

const PictureCodecs& pictureCodecs()
{
    return module().get();
}

void usePictureCodecs(const PictureCodecs& linkedIn)
{
    module().use(linkedIn);
}
