#include "platform/picture_codecs.h"

#include "platform/modules.h"

namespace {

const PictureCodecs*& current()
{
    static const PictureCodecs* codecs = nullptr;
    return codecs;
}

}  // namespace

const PictureCodecs& pictureCodecs()
{
    if (!current()) {
        using Entry = const PictureCodecs* (*)();
        current() = reinterpret_cast<Entry>(moduleEntry(QStringLiteral("pictures"), "sleevix_picture_codecs"))();
    }
    return *current();
}

void usePictureCodecs(const PictureCodecs& linkedIn)
{
    current() = &linkedIn;
}
