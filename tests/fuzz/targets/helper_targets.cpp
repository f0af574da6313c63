#include "helper_targets.h"

#include "converters.h"
#include "platform/helper_pictures/pdf_page_drawing.h"
#include "platform/helper_pictures/picture_helper.h"
#include "platform/metafiles/emf_header.h"
#include "platform/metafiles/emf_record_check.h"
#include "platform/metafiles/emf_svg_adjustment.h"
#include "platform/metafiles/emf_window_origin.h"
#include "platform/metafiles/invalid_metafile_error.h"
#include "platform/metafiles/libwmf_input.h"
#include "platform/metafiles/svg_metafile_drawing.h"
#include "platform/metafiles/wmf_file.h"
#include "platform/pictures/picture_loader.h"
#include "targets.h"

#include <QFileInfo>
#include <QImage>

namespace {

// Shows the converted picture as a slot would.
void draw(const QByteArray& svg, QSize size)
{
    try {
        fuzz::drawAsASlotDoes(SvgMetafileDrawing(svg, size));
    } catch (const InvalidMetafileError&) {
    }
}

}  // namespace

namespace fuzz {

void emfHelper(QByteArrayView data)
{
    const QByteArray bytes = data.toByteArray();
    try {
        const EmfHeader header = EmfHeader::read(bytes);
        checkEmfRecords(bytes, header);
        std::string input = bytes.left(header.fileSize).toStdString();
        const std::optional<std::string> svg = helper::emfToSvg(input);
        if (!svg)
            return;
        const QRectF frame
            = header.frameRelativeToBounds().translated(emfTextModeWindowOrigin(bytes, header));
        draw(adjustEmfSvg(QByteArray::fromStdString(*svg), frame), header.sizeAt96Dpi());
    } catch (const InvalidMetafileError&) {
    }
}

void wmfHelper(QByteArrayView data)
{
    try {
        const WmfFile file = WmfFile::read(data.toByteArray());
        std::optional<helper::Rect> frame;
        if (const std::optional<QRectF> logical = file.logicalFrame())
            frame = helper::Rect{logical->left(), logical->top(), logical->right(),
                                 logical->bottom()};
        std::string input = libwmfInput(file).toStdString();
        const std::optional<std::string> svg = helper::wmfToSvg(input, frame);
        if (svg)
            draw(QByteArray::fromStdString(*svg), file.sizeAt96Dpi().value_or(QSize(100, 100)));
    } catch (const InvalidMetafileError&) {
    }
}

// Each input costs a start of the helper; a hang costs this much.
PictureHelper fuzzedPictureHelper()
{
    static const QString program = PictureHelper::locate();
    FUZZ_CHECK(QFileInfo(program).isExecutable());
    MetafileHelperLimits limits;
    limits.timeout = std::chrono::seconds(3);
    return PictureHelper(program, limits);
}

void heifHelper(QByteArrayView data)
{
    try {
        const QImage image = fuzzedPictureHelper().heifImage(data.toByteArray());
        FUZZ_CHECK(!image.isNull());
    } catch (const InvalidPictureError&) {
    }
}

void pdfHelper(QByteArrayView data)
{
    try {
        const PdfPageDrawing page(data.toByteArray(), fuzzedPictureHelper());
        FUZZ_CHECK(!page.size().isEmpty());
        drawAsASlotDoes(page);
    } catch (const InvalidPictureError&) {
    }
}

}  // namespace fuzz

// libemf2svg ends each text conversion with FcFini(). In the helper process
// it has fontconfig to itself; here Qt draws the result in the same process
// and still holds fontconfig's caches, which FcFini() then asserts on. This
// definition takes the place of fontconfig's own for the library's calls.
extern "C" void FcFini()
{ }
