#include "platform/metafiles/emf_header.h"
#include "platform/metafiles/emf_record_check.h"
#include "platform/metafiles/emf_window_origin.h"
#include "platform/metafiles/invalid_metafile_error.h"
#include "platform/metafiles/libwmf_input.h"
#include "platform/metafiles/wmf_file.h"
#include "targets.h"

#include <cmath>

namespace fuzz {

// What the program works out before the helper converts the file.
void emf(QByteArrayView data)
{
    const QByteArray bytes = data.toByteArray();
    try {
        const EmfHeader header = EmfHeader::read(bytes);
        checkEmfRecords(bytes, header);
        FUZZ_CHECK(header.fileSize <= quint64(bytes.size()));
        const QPointF origin = emfTextModeWindowOrigin(bytes, header);
        const QRectF frame = header.frameRelativeToBounds().translated(origin);
        FUZZ_CHECK(std::isfinite(frame.width()) && std::isfinite(frame.height()));
        const QSize size = header.sizeAt96Dpi();
        FUZZ_CHECK(size.width() >= 1 && size.height() >= 1);
    } catch (const InvalidMetafileError&) {
    }
}

void wmf(QByteArrayView data)
{
    const QByteArray bytes = data.toByteArray();
    try {
        const WmfFile file = WmfFile::read(bytes);
        if (const std::optional<QSize> size = file.sizeAt96Dpi())
            FUZZ_CHECK(size->width() >= 1 && size->height() >= 1);
        (void)file.logicalFrame();
        const QByteArray rewritten = libwmfInput(file);
        // The rewrite is itself a well-formed metafile.
        const WmfFile again = WmfFile::read(rewritten);
        FUZZ_CHECK(again.records().size() >= file.records().size());
    } catch (const InvalidMetafileError&) {
    }
}

}  // namespace fuzz
