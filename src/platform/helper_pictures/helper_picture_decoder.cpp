#include "platform/helper_pictures/helper_picture_decoder.h"

#include "platform/helper_pictures/pdf_page_drawing.h"
#include "platform/helper_pictures/picture_helper.h"
#include "platform/pictures/picture_loader.h"

#include <memory>

Picture decodeHelperPicture(const QByteArray& data, const QString& format)
{
    if (format == QLatin1String("heif"))
        return Picture::fromImage(PictureHelper().heifImage(data));
    if (format == QLatin1String("pdf"))
        return Picture::fromDrawing(std::make_shared<const PdfPageDrawing>(data));
    throw InvalidPictureError(QStringLiteral("No helper decodes %1").arg(format));
}
