#include "platform/pictures/jpeg_decoder.h"

#include "platform/pictures/image_memory.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <new>

extern "C" {
#include <jerror.h>
#include <jpeglib.h>
}

namespace {

// Real files have a dozen scans or so; thousands of tiny scans are a known
// way to make a small file take minutes to decode.
constexpr int kMaxScans = 500;

constexpr int kRowsPerRead = 4;

// libjpeg reports errors through this manager. Every error, and every
// warning about corrupt data, jumps back to JpegDecoder::decode(), so
// libjpeg's default of printing and calling exit() is never reached.
struct ErrorManager {
    jpeg_error_mgr base;  // first, so libjpeg's pointer converts to ours
    std::jmp_buf jumpBack;
    char reason[JMSG_LENGTH_MAX];
};

ErrorManager& errorManagerOf(j_common_ptr info)
{
    return *reinterpret_cast<ErrorManager*>(info->err);
}

[[noreturn]] void abortWith(j_common_ptr info, const char* reason)
{
    ErrorManager& errors = errorManagerOf(info);
    std::snprintf(errors.reason, sizeof errors.reason, "%s", reason);
    std::longjmp(errors.jumpBack, 1);
}

[[noreturn]] void onError(j_common_ptr info)
{
    char reason[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, reason);
    abortWith(info, reason);
}

// Level -1 is a warning: libjpeg met corrupt or truncated data and would go
// on with a padded picture. Levels 0 and up are trace messages.
void onMessage(j_common_ptr info, int level)
{
    if (level < 0 && info->err->msg_code != JWRN_JFIF_MAJOR)
        onError(info);
}

void onProgress(j_common_ptr info)
{
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans)
        abortWith(info, "Too many scans");
}

// Adobe applications write CMYK inverted (0 = full ink).
void cmykRowToRgb(const uchar* cmyk, uchar* rgb, int width, bool inverted)
{
    for (int x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const int flip = inverted ? 0 : 255;
        const int k = cmyk[3] ^ flip;
        for (int channel = 0; channel < 3; ++channel)
            rgb[channel] = uchar(((cmyk[channel] ^ flip) * k + 127) / 255);
    }
}

// The smallest of libjpeg's scales n/8 at which a picture of `width` x
// `height` still has `atLeast` pixels in both directions; 8 (the whole
// picture) for an empty `atLeast`.
unsigned scaleEighths(JDIMENSION width, JDIMENSION height, const QSize& atLeast)
{
    if (atLeast.isEmpty())
        return 8;
    const auto covers = [](JDIMENSION full, int wanted, unsigned eighths) {
        return (qint64(full) * eighths + 7) / 8 >= wanted;
    };
    unsigned eighths = 1;
    while (
        eighths < 8
        && !(covers(width, atLeast.width(), eighths) && covers(height, atLeast.height(), eighths)))
        ++eighths;
    return eighths;
}

class JpegDecoder {
public:
    JpegDecoder(const QByteArray& data, const QSize& atLeast) : m_data(data), m_atLeast(atLeast) { }
    ~JpegDecoder() { jpeg_destroy_decompress(&m_info); }
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;

    ScaledImage decode(const PartialPictureCallback& showPartial);

private:
    // Between setjmp() in decode() and every libjpeg call, only the members
    // and plain locals live: a longjmp must not skip any destructor.
    void start(bool wantPartials);
    void createImage();
    void decodeInPasses(const PartialPictureCallback& showPartial);
    void outputPass();
    void skipToLastScan();
    void readOutputPass();
    void requireAllScanlines();
    bool isCmyk() const { return m_info.out_color_space == JCS_CMYK; }

    const QByteArray& m_data;
    const QSize m_atLeast;
    jpeg_decompress_struct m_info{};
    ErrorManager m_errors{};
    jpeg_progress_mgr m_progress{};
    QImage m_image;
    QByteArray m_cmykRows;
};

ScaledImage JpegDecoder::decode(const PartialPictureCallback& showPartial)
{
    m_info.err = jpeg_std_error(&m_errors.base);
    m_errors.base.error_exit = onError;
    m_errors.base.emit_message = onMessage;
    if (setjmp(m_errors.jumpBack))
        throw InvalidPictureError(QString::fromLatin1(m_errors.reason));

    jpeg_create_decompress(&m_info);
    m_progress.progress_monitor = onProgress;
    m_info.progress = &m_progress;
    m_info.mem->max_memory_to_use = kPictureMemoryLimit;
    jpeg_mem_src(&m_info, reinterpret_cast<const unsigned char*>(m_data.constData()),
                 static_cast<unsigned long>(m_data.size()));

    start(bool(showPartial));
    if (m_info.buffered_image)
        decodeInPasses(showPartial);
    else
        readOutputPass();
    requireAllScanlines();
    jpeg_finish_decompress(&m_info);
    return {m_image, QSize(int(m_info.image_width), int(m_info.image_height))};
}

void JpegDecoder::start(bool wantPartials)
{
    jpeg_read_header(&m_info, TRUE);
    const bool inkColours
        = m_info.jpeg_color_space == JCS_CMYK || m_info.jpeg_color_space == JCS_YCCK;
    m_info.out_color_space = inkColours ? JCS_CMYK : JCS_EXT_RGB;
    m_info.dct_method = JDCT_ISLOW;
    m_info.do_fancy_upsampling = TRUE;
    m_info.quantize_colors = FALSE;
    m_info.buffered_image = wantPartials && jpeg_has_multiple_scans(&m_info);
    // Scaled in the inverse DCT: every coefficient is still read, so corrupt
    // data is found as in a full decode.
    m_info.scale_num = scaleEighths(m_info.image_width, m_info.image_height, m_atLeast);
    m_info.scale_denom = 8;
    jpeg_calc_output_dimensions(&m_info);
    createImage();
    jpeg_start_decompress(&m_info);
}

void JpegDecoder::createImage()
{
    // A picture too large in full is refused also when a smaller scale is
    // asked for: it could never be printed.
    if (exceedsPictureMemory(m_info.image_width, m_info.image_height, 3))
        throw InvalidPictureError(QStringLiteral("JPEG picture too large"));
    const int width = int(m_info.output_width);
    const int height = int(m_info.output_height);
    m_image = allocateImage(width, height, QImage::Format_RGB888);
    if (m_image.isNull())
        throw std::bad_alloc();
    if (isCmyk())
        m_cmykRows.resize(qsizetype(width) * 4 * kRowsPerRead);
}

// Every output pass costs about as much as decoding a baseline file of the
// same size, so a progressive file shows one partial picture only: its
// first scan, the coarse whole picture, drawn the quick way. The remaining
// scans are then read in one go and the complete picture is output once.
void JpegDecoder::decodeInPasses(const PartialPictureCallback& showPartial)
{
    m_info.dct_method = JDCT_IFAST;
    m_info.do_block_smoothing = FALSE;
    outputPass();
    showPartial(m_image);
    skipToLastScan();
    m_info.dct_method = JDCT_ISLOW;
    outputPass();
}

void JpegDecoder::outputPass()
{
    jpeg_start_output(&m_info, m_info.input_scan_number);
    readOutputPass();
    requireAllScanlines();
    jpeg_finish_output(&m_info);
}

void JpegDecoder::skipToLastScan()
{
    while (!jpeg_input_complete(&m_info)) {
        if (jpeg_consume_input(&m_info) == JPEG_SUSPENDED)
            return;
    }
}

void JpegDecoder::readOutputPass()
{
    // Taken once per pass: the image may have been shared with the partial
    // picture callback since the last one, and bits() detaches it.
    uchar* const pixels = m_image.bits();
    const qsizetype bytesPerLine = m_image.bytesPerLine();
    const int width = int(m_info.output_width);
    const bool inverted = m_info.saw_Adobe_marker;
    uchar* const cmyk = reinterpret_cast<uchar*>(m_cmykRows.data());

    while (m_info.output_scanline < m_info.output_height) {
        const int first = int(m_info.output_scanline);
        const int wanted = std::min<int>(kRowsPerRead, int(m_info.output_height) - first);
        JSAMPROW rows[kRowsPerRead];
        for (int i = 0; i < wanted; ++i)
            rows[i]
                = isCmyk() ? cmyk + qsizetype(i) * width * 4 : pixels + (first + i) * bytesPerLine;
        const int read = int(jpeg_read_scanlines(&m_info, rows, JDIMENSION(wanted)));
        if (read == 0)
            return;
        for (int i = 0; isCmyk() && i < read; ++i)
            cmykRowToRgb(rows[i], pixels + (first + i) * bytesPerLine, width, inverted);
    }
}

void JpegDecoder::requireAllScanlines()
{
    if (m_info.output_scanline < m_info.output_height)
        throw InvalidPictureError(QStringLiteral("Fewer scanlines than declared"));
}

}  // namespace

ScaledImage decodeJpeg(const QByteArray& data, const PartialPictureCallback& showPartial,
                       const QSize& atLeast)
{
    JpegDecoder decoder(data, atLeast);
    return decoder.decode(showPartial);
}
