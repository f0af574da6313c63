#include "platform/pictures/picture_formats.h"

#include <algorithm>
#include <array>

namespace {

bool isPng(QByteArrayView data)
{
    return data.startsWith("\x89PNG\r\n\x1a\n");
}

bool isGif(QByteArrayView data)
{
    return data.startsWith("GIF87a") || data.startsWith("GIF89a");
}

bool isWebp(QByteArrayView data)
{
    return data.size() >= 16 && data.startsWith("RIFF") && data.sliced(8, 4) == "WEBP";
}

bool isTiff(QByteArrayView data)
{
    return data.startsWith(QByteArrayView("II*\0", 4))
        || data.startsWith(QByteArrayView("MM\0*", 4));
}

// An ISO base media file whose "ftyp" box names a HEIF or AVIF brand.
bool isHeif(QByteArrayView data)
{
    if (data.size() < 16 || data.sliced(4, 4) != "ftyp")
        return false;
    const qsizetype boxSize = (qsizetype(uchar(data[0])) << 24) | (uchar(data[1]) << 16)
        | (uchar(data[2]) << 8) | uchar(data[3]);
    const qsizetype end = std::min(data.size(), boxSize);
    static constexpr std::array<const char*, 10> kBrands
        = {"heic", "heix", "hevc", "hevx", "heim", "heis", "mif1", "msf1", "avif", "avis"};
    for (qsizetype at = 8; at + 4 <= end; at += at == 8 ? 8 : 4) {  // skips the minor version
        for (const char* brand : kBrands) {
            if (data.sliced(at, 4) == brand)
                return true;
        }
    }
    return false;
}

// PDF readers accept a header anywhere in the first kilobyte.
bool isPdf(QByteArrayView data)
{
    return data.first(std::min<qsizetype>(data.size(), 1024)).indexOf("%PDF-") >= 0;
}

// XML text with an svg element near its start.
bool isSvg(QByteArrayView data)
{
    qsizetype at = data.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (at < data.size() && QChar::isSpace(uchar(data[at])))
        ++at;
    return at < data.size() && data[at] == '<'
        && data.first(std::min<qsizetype>(data.size(), 64 * 1024)).indexOf("<svg") >= 0;
}

struct FormatInfo {
    PictureFormat format;
    const char* filter;                     // the open dialog's entry, without the patterns
    std::array<const char*, 3> extensions;  // lower case
    std::array<const char*, 3> mimeTypes;   // as other programs offer the format
    bool (*recognises)(QByteArrayView);     // null: only the name decides
};

// In the order of the open dialog's filter.
const FormatInfo kFormats[] = {
    {PictureFormat::Jpeg, "JPEG-Bilder", {"jpg", "jpeg"}, {}, nullptr},
    {PictureFormat::Bmp, "Bitmaps", {"bmp"}, {}, nullptr},
    {PictureFormat::Ico, "Symbole", {"ico"}, {}, nullptr},
    {PictureFormat::Metafile, "Erweiterte Metadateien", {"emf"}, {}, nullptr},
    {PictureFormat::Metafile, "Metadateien", {"wmf"}, {}, nullptr},
    {PictureFormat::Png, "PNG-Bilder", {"png"}, {"image/png"}, isPng},
    {PictureFormat::Gif, "GIF-Bilder", {"gif"}, {"image/gif"}, isGif},
    {PictureFormat::Webp, "WebP-Bilder", {"webp"}, {"image/webp"}, isWebp},
    {PictureFormat::Tiff, "TIFF-Bilder", {"tif", "tiff"}, {"image/tiff"}, isTiff},
    {PictureFormat::Heif, "HEIF-Bilder", {"heic", "heif"}, {"image/heic", "image/heif"}, isHeif},
    {PictureFormat::Heif, "AVIF-Bilder", {"avif"}, {"image/avif"}, isHeif},
    {PictureFormat::Svg, "SVG-Grafiken", {"svg"}, {"image/svg+xml"}, isSvg},
    {PictureFormat::Pdf, "PDF-Dokumente", {"pdf"}, {"application/pdf"}, isPdf},
};

template <typename Names> bool names(const Names& list, const QString& name)
{
    for (const char* entry : list) {
        if (entry && name == QLatin1String(entry))
            return true;
    }
    return false;
}

QString patterns(const FormatInfo& info)
{
    QStringList lower;
    QStringList upper;
    for (const char* extension : info.extensions) {
        if (extension) {
            lower << QStringLiteral("*.") + QLatin1String(extension);
            upper << QStringLiteral("*.") + QString::fromLatin1(extension).toUpper();
        }
    }
    return (lower + upper).join(QLatin1Char(' '));
}

}  // namespace

QStringList readablePictureExtensions()
{
    QStringList extensions;
    for (const FormatInfo& info : kFormats) {
        for (const char* extension : info.extensions) {
            if (extension)
                extensions << QLatin1String(extension);
        }
    }
    return extensions;
}

std::optional<PictureFormat> formatOfExtension(const QString& extension)
{
    for (const FormatInfo& info : kFormats) {
        if (names(info.extensions, extension))
            return info.format;
    }
    return std::nullopt;
}

std::optional<PictureFormat> formatOfMimeType(const QString& mimeType)
{
    for (const FormatInfo& info : kFormats) {
        if (names(info.mimeTypes, mimeType))
            return info.format;
    }
    return std::nullopt;
}

// Vector drawings first: they keep their sharpness on paper.
QStringList pictureMimeTypes()
{
    QStringList types;
    for (auto it = std::rbegin(kFormats); it != std::rend(kFormats); ++it) {
        for (const char* type : it->mimeTypes) {
            if (type)
                types << QLatin1String(type);
        }
    }
    return types;
}

PictureFormat formatOfContent(PictureFormat named, QByteArrayView data)
{
    const auto byName = [named](const FormatInfo& info) { return info.format == named; };
    const FormatInfo* own = std::find_if(std::begin(kFormats), std::end(kFormats), byName);
    if (own == std::end(kFormats) || !own->recognises)
        return named;
    for (const FormatInfo& info : kFormats) {
        if (info.recognises && info.recognises(data))
            return info.format;
    }
    return named;
}

QStringList pictureNameFilters()
{
    QStringList all;
    QStringList each;
    for (const FormatInfo& info : kFormats) {
        const QString list = patterns(info);
        each << QStringLiteral("%1 (%2)").arg(QString::fromUtf8(info.filter), list);
        all << list;
    }
    // All lower-case patterns first, then the upper-case ones, as before.
    QStringList lower;
    QStringList upper;
    for (const QString& list : all) {
        for (const QString& pattern : list.split(QLatin1Char(' ')))
            (pattern == pattern.toLower() ? lower : upper) << pattern;
    }
    return QStringList{
               QStringLiteral("Alle Bilder (%1)").arg((lower + upper).join(QLatin1Char(' ')))}
    + each;
}
