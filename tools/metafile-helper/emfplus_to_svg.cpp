// Draws the EMF+ records of an enhanced metafile as SVG. GDI+ writes its
// drawing as EMF+ records inside EMR_COMMENT records; libemf2svg ignores
// them, so a file that draws only that way would come out blank.
//
// Everything read from the file goes through Reader, which never reads
// outside the record it was given. Object counts, container depth, points
// per record and the document's size are capped.

#include "converters.h"
#include "emf_stream.h"
#include "png_writer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <numbers>
#include <optional>
#include <vector>

namespace helper {
namespace {

constexpr std::uint32_t kEmfComment = 70;
constexpr std::uint32_t kEmfEndOfFile = 14;
constexpr std::uint32_t kEmfPlusSignature = 0x2B464D45;  // "EMF+"

constexpr std::size_t kMaxPoints = 1'000'000;
constexpr std::size_t kMaxStackDepth = 1024;
constexpr std::size_t kMaxObjectBytes = 64u * 1024 * 1024;
constexpr std::size_t kMaxDocumentBytes = 192u * 1024 * 1024;
constexpr std::size_t kMaxImagePixels = 40'000'000;

// EMF+ record types.
namespace Record {
enum : std::uint16_t {
    Header = 0x4001,
    EndOfFile = 0x4002,
    GetDc = 0x4004,
    Object = 0x4008,
    Clear = 0x4009,
    FillRects = 0x400A,
    DrawRects = 0x400B,
    FillPolygon = 0x400C,
    DrawLines = 0x400D,
    FillEllipse = 0x400E,
    DrawEllipse = 0x400F,
    FillPie = 0x4010,
    DrawPie = 0x4011,
    DrawArc = 0x4012,
    FillPath = 0x4014,
    DrawPath = 0x4015,
    FillClosedCurve = 0x4016,
    DrawClosedCurve = 0x4017,
    DrawCurve = 0x4018,
    DrawBeziers = 0x4019,
    DrawImage = 0x401A,
    DrawImagePoints = 0x401B,
    DrawString = 0x401C,
    Save = 0x4025,
    Restore = 0x4026,
    BeginContainer = 0x4027,
    BeginContainerNoParams = 0x4028,
    EndContainer = 0x4029,
    SetWorldTransform = 0x402A,
    ResetWorldTransform = 0x402B,
    MultiplyWorldTransform = 0x402C,
    TranslateWorldTransform = 0x402D,
    ScaleWorldTransform = 0x402E,
    RotateWorldTransform = 0x402F,
    SetPageTransform = 0x4030,
    DrawDriverString = 0x4036,
};
}  // namespace Record

struct Point {
    double x = 0;
    double y = 0;
};

struct RectF {
    double x = 0;
    double y = 0;
    double w = 0;
    double h = 0;
};

// An affine transform as GDI+ stores it: x' = x·m11 + y·m21 + dx.
struct Matrix {
    double m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;

    Point map(Point p) const { return {p.x * m11 + p.y * m21 + dx, p.x * m12 + p.y * m22 + dy}; }
    // This transform, then `next`.
    Matrix then(const Matrix& next) const
    {
        return {m11 * next.m11 + m12 * next.m21,         m11 * next.m12 + m12 * next.m22,
                m21 * next.m11 + m22 * next.m21,         m21 * next.m12 + m22 * next.m22,
                dx * next.m11 + dy * next.m21 + next.dx, dx * next.m12 + dy * next.m22 + next.dy};
    }
    double scale() const { return std::sqrt(std::abs(m11 * m22 - m12 * m21)); }
    bool finite() const
    {
        return std::isfinite(m11) && std::isfinite(m12) && std::isfinite(m21) && std::isfinite(m22)
            && std::isfinite(dx) && std::isfinite(dy);
    }
};

class Reader {
public:
    Reader(std::string_view data) : m_data(data) { }

    bool has(std::size_t length) const
    {
        return length <= m_data.size() - std::min(m_pos, m_data.size());
    }
    std::size_t remaining() const { return m_pos < m_data.size() ? m_data.size() - m_pos : 0; }
    bool ok() const { return m_ok; }
    void skip(std::size_t length)
    {
        if (!has(length)) {
            m_ok = false;
            m_pos = m_data.size();
        } else {
            m_pos += length;
        }
    }
    std::string_view bytes(std::size_t length)
    {
        if (!has(length)) {
            m_ok = false;
            m_pos = m_data.size();
            return {};
        }
        const std::string_view part = m_data.substr(m_pos, length);
        m_pos += length;
        return part;
    }
    std::uint32_t u32()
    {
        const std::string_view b = bytes(4);
        if (b.size() < 4)
            return 0;
        return std::uint32_t(std::uint8_t(b[0])) | std::uint32_t(std::uint8_t(b[1])) << 8
            | std::uint32_t(std::uint8_t(b[2])) << 16 | std::uint32_t(std::uint8_t(b[3])) << 24;
    }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    std::uint16_t u16()
    {
        const std::string_view b = bytes(2);
        return b.size() < 2 ? 0 : std::uint16_t(std::uint8_t(b[0]) | std::uint8_t(b[1]) << 8);
    }
    std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
    std::uint8_t u8()
    {
        const std::string_view b = bytes(1);
        return b.empty() ? 0 : std::uint8_t(b[0]);
    }
    double f32()
    {
        const std::uint32_t bits = u32();
        float value;
        std::memcpy(&value, &bits, 4);
        return std::isfinite(value) ? value : 0.0;
    }
    Matrix matrix()
    {
        Matrix m;
        m.m11 = f32();
        m.m12 = f32();
        m.m21 = f32();
        m.m22 = f32();
        m.dx = f32();
        m.dy = f32();
        return m;
    }
    RectF rectF() { return {f32(), f32(), f32(), f32()}; }
    RectF rect(bool compressed)
    {
        if (!compressed)
            return rectF();
        return {double(i16()), double(i16()), double(i16()), double(i16())};
    }

    // `count` points: 16-bit integers, floats, or (relative) each a delta
    // to the one before in 7- or 15-bit signed integers.
    std::vector<Point> points(std::size_t count, bool compressed, bool relative)
    {
        std::vector<Point> result;
        const std::size_t smallest = relative ? 2 : compressed ? 4 : 8;
        if (count > kMaxPoints || count > remaining() / smallest) {
            m_ok = false;
            return result;
        }
        result.reserve(count);
        Point last;
        for (std::size_t i = 0; i < count && m_ok; ++i) {
            Point p;
            if (relative) {
                p = {last.x + relativeInteger(), last.y + relativeInteger()};
            } else if (compressed) {
                p = {double(i16()), double(i16())};
            } else {
                p = {f32(), f32()};
            }
            result.push_back(p);
            last = p;
        }
        return result;
    }

private:
    double relativeInteger()
    {
        const std::uint8_t first = u8();
        if (!(first & 0x80))
            return (first & 0x40) ? int(first) - 128 : int(first);
        const int value = ((first & 0x7f) << 8) | u8();
        return (value & 0x4000) ? value - 0x8000 : value;
    }

    std::string_view m_data;
    std::size_t m_pos = 0;
    bool m_ok = true;
};

std::string utf16ToUtf8(std::string_view bytes)
{
    std::string out;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        std::uint32_t c = std::uint8_t(bytes[i]) | std::uint8_t(bytes[i + 1]) << 8;
        if (c >= 0xd800 && c < 0xdc00 && i + 3 < bytes.size()) {
            const std::uint32_t low = std::uint8_t(bytes[i + 2]) | std::uint8_t(bytes[i + 3]) << 8;
            if (low >= 0xdc00 && low < 0xe000) {
                c = 0x10000 + ((c - 0xd800) << 10) + (low - 0xdc00);
                i += 2;
            }
        }
        if (c == 0)
            break;
        if (c >= 0xd800 && c < 0xe000)
            c = 0xfffd;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xc0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3f));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xe0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
            out += static_cast<char>(0x80 | (c & 0x3f));
        } else {
            out += static_cast<char>(0xf0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3f));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
            out += static_cast<char>(0x80 | (c & 0x3f));
        }
    }
    return out;
}

// ---------------------------------------------------------------- objects

struct Brush {
    std::uint32_t argb = 0xff000000;
    // A linear gradient from `start` to `end` colour across `rect`, along
    // its width before `transform`.
    bool gradient = false;
    std::uint32_t start = 0;
    std::uint32_t end = 0;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int wrap = 0;
};

struct Pen {
    double width = 1;
    int lineCap = 0;   // GDI+ line cap: 0 flat, 1 square, 2 round
    int lineJoin = 0;  // 0 miter, 1 bevel, 2 round
    int dashStyle = 0;
    std::vector<double> dashes;
    Brush brush;
};

struct PathData {
    std::vector<Point> points;
    std::vector<std::uint8_t> types;
};

struct Font {
    double emSize = 12;
    std::uint32_t unit = 3;
    std::int32_t style = 0;
    std::string family;
};

struct StringFormat {
    std::uint32_t flags = 0;
    std::uint32_t alignment = 0;
    std::uint32_t lineAlignment = 0;
};

struct Image {
    int width = 0;
    int height = 0;
    std::string dataUri;  // empty when the image cannot be shown
};

struct Object {
    int kind = 0;  // 1 brush, 2 pen, 3 path, 5 image, 6 font, 7 string format
    Brush brush;
    Pen pen;
    PathData path;
    Font font;
    StringFormat format;
    Image image;
};

std::uint32_t mixColors(std::uint32_t a, std::uint32_t b)
{
    std::uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8)
        result |= ((((a >> shift) & 0xff) + ((b >> shift) & 0xff)) / 2) << shift;
    return result;
}

Brush readBrush(Reader& in)
{
    Brush brush;
    in.u32();  // version
    const std::uint32_t type = in.u32();
    switch (type) {
    case 0:  // solid
        brush.argb = in.u32();
        break;
    case 1:  // hatch: the hatch and its background, half each
        in.u32();
        brush.argb = in.u32();
        brush.argb = mixColors(brush.argb, in.u32());
        break;
    case 3: {  // path gradient: the centre colour
        in.u32();
        in.u32();
        brush.argb = in.u32();
        break;
    }
    case 4: {  // linear gradient
        const std::uint32_t flags = in.u32();
        brush.wrap = in.i32();
        const RectF r = in.rectF();
        brush.start = in.u32();
        brush.end = in.u32();
        brush.argb = mixColors(brush.start, brush.end);
        in.u32();
        in.u32();
        Matrix m;
        if (flags & 0x02)
            m = in.matrix();
        const Point a = m.map({r.x, r.y});
        const Point b = m.map({r.x + r.w, r.y});
        brush.x1 = a.x;
        brush.y1 = a.y;
        brush.x2 = b.x;
        brush.y2 = b.y;
        brush.gradient = in.ok() && r.w != 0 && m.finite();
        break;
    }
    default:  // textures and the rest: a neutral grey
        brush.argb = 0xff808080;
        break;
    }
    return brush;
}

Pen readPen(Reader& in)
{
    Pen pen;
    in.u32();  // version
    in.u32();  // type
    const std::uint32_t flags = in.u32();
    in.u32();  // unit
    pen.width = in.f32();
    if (flags & 0x0001)
        in.skip(24);  // transform
    if (flags & 0x0002)
        pen.lineCap = in.i32();
    if (flags & 0x0004)
        in.i32();  // end cap
    if (flags & 0x0008)
        pen.lineJoin = in.i32();
    if (flags & 0x0010)
        in.f32();  // miter limit
    if (flags & 0x0020)
        pen.dashStyle = in.i32();
    if (flags & 0x0040)
        in.i32();  // dash cap
    if (flags & 0x0080)
        in.f32();  // dash offset
    if (flags & 0x0100) {
        const std::uint32_t count = in.u32();
        if (count > 64 || !in.has(std::size_t(count) * 4))
            return pen;
        for (std::uint32_t i = 0; i < count; ++i)
            pen.dashes.push_back(in.f32());
    }
    if (flags & 0x0200)
        in.i32();  // alignment
    if (flags & 0x0400)
        in.skip(std::size_t(in.u32()) * 4);  // compound line
    if (flags & 0x0800)
        in.skip(in.u32());  // custom start cap
    if (flags & 0x1000)
        in.skip(in.u32());  // custom end cap
    if (in.ok())
        pen.brush = readBrush(in);
    return pen;
}

PathData readPath(Reader& in)
{
    PathData path;
    in.u32();  // version
    const std::uint32_t count = in.u32();
    const std::uint32_t flags = in.u32();
    path.points = in.points(count, flags & 0x4000, flags & 0x0800);
    if (!in.ok())
        return {};
    if (flags & 0x1000) {  // run-length encoded types
        while (path.types.size() < path.points.size() && in.has(2)) {
            const std::uint8_t run = in.u8() & 0x3f;
            const std::uint8_t type = in.u8();
            for (int i = 0; i < run && path.types.size() < path.points.size(); ++i)
                path.types.push_back(type);
        }
    } else {
        const std::string_view types = in.bytes(count);
        path.types.assign(types.begin(), types.end());
    }
    path.types.resize(path.points.size(), 1);
    return path;
}

Font readFont(Reader& in)
{
    Font font;
    in.u32();  // version
    font.emSize = in.f32();
    font.unit = in.u32();
    font.style = in.i32();
    in.u32();
    const std::uint32_t length = in.u32();
    font.family = utf16ToUtf8(in.bytes(std::min<std::size_t>(length, 64) * 2));
    return font;
}

StringFormat readStringFormat(Reader& in)
{
    StringFormat format;
    in.u32();  // version
    format.flags = in.u32();
    in.u32();  // language
    format.alignment = in.u32();
    format.lineAlignment = in.u32();
    return format;
}

// GDI+ pixel formats: bits per pixel in bits 8-15, indexed 0x10000, alpha
// 0x40000, premultiplied 0x80000.
Image readBitmap(Reader& in)
{
    Image image;
    const std::int32_t width = in.i32();
    const std::int32_t height = in.i32();
    const std::int32_t stride = in.i32();
    const std::uint32_t format = in.u32();
    const std::uint32_t type = in.u32();
    if (!in.ok() || width <= 0 || height <= 0
        || std::int64_t(width) * height > std::int64_t(kMaxImagePixels))
        return image;
    image.width = width;
    image.height = height;
    if (type == 1) {  // a complete PNG, JPEG, GIF, BMP or TIFF file
        image.dataUri = "data:image/png;base64," + base64(in.bytes(in.remaining()));
        return image;
    }
    const int bits = (format >> 8) & 0xff;
    std::vector<std::uint32_t> palette;
    if (format & 0x10000) {
        in.u32();  // palette flags
        const std::uint32_t count = in.u32();
        if (count > 256 || !in.has(std::size_t(count) * 4))
            return image;
        for (std::uint32_t i = 0; i < count; ++i)
            palette.push_back(in.u32());
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return image;
    if (stride <= 0 || std::int64_t(stride) * 8 < std::int64_t(width) * bits
        || !in.has(std::size_t(stride) * std::size_t(height)))
        return image;
    const std::string_view pixels = in.bytes(std::size_t(stride) * std::size_t(height));
    std::vector<std::uint32_t> argb(std::size_t(width) * height);
    const bool alpha = format & 0x40000;
    const bool premultiplied = format & 0x80000;
    for (int y = 0; y < height; ++y) {
        const auto* row
            = reinterpret_cast<const std::uint8_t*>(pixels.data()) + std::size_t(y) * stride;
        for (int x = 0; x < width; ++x) {
            std::uint32_t p = 0xff000000;
            if (bits == 32) {
                const std::uint8_t* q = row + 4 * x;
                std::uint32_t a = alpha ? q[3] : 255;
                std::uint32_t r = q[2], g = q[1], b = q[0];
                if (premultiplied && a > 0 && a < 255) {
                    r = std::min<std::uint32_t>(255, r * 255 / a);
                    g = std::min<std::uint32_t>(255, g * 255 / a);
                    b = std::min<std::uint32_t>(255, b * 255 / a);
                }
                p = a << 24 | r << 16 | g << 8 | b;
            } else if (bits == 16) {
                const std::uint32_t v = row[2 * x] | row[2 * x + 1] << 8;
                const std::uint32_t kind = format & 0xff;
                if (kind == 4) {  // 16-bit grey
                    const std::uint32_t g = v >> 8;
                    p = 0xff000000u | g << 16 | g << 8 | g;
                } else if (kind == 6) {  // 5-6-5
                    p = 0xff000000u | ((v >> 11) & 31) * 255 / 31 << 16
                        | ((v >> 5) & 63) * 255 / 63 << 8 | (v & 31) * 255 / 31;
                } else {  // 5-5-5, the top bit alpha for format 7
                    const std::uint32_t a = (kind == 7 && !(v & 0x8000)) ? 0 : 255;
                    p = a << 24 | ((v >> 10) & 31) * 255 / 31 << 16
                        | ((v >> 5) & 31) * 255 / 31 << 8 | (v & 31) * 255 / 31;
                }
            } else if (bits == 24) {
                const std::uint8_t* q = row + 3 * x;
                p = 0xff000000u | std::uint32_t(q[2]) << 16 | std::uint32_t(q[1]) << 8 | q[0];
            } else {
                const int perByte = 8 / bits;
                const int byte = row[x / perByte];
                const int index
                    = (byte >> ((perByte - 1 - x % perByte) * bits)) & ((1 << bits) - 1);
                p = std::size_t(index) < palette.size() ? palette[index]
                                                        : (index ? 0xffffffff : 0xff000000);
            }
            argb[std::size_t(y) * width + x] = p;
        }
    }
    image.dataUri = "data:image/png;base64," + base64(encodePng(argb, width, height));
    return image;
}

Image readImage(Reader& in)
{
    in.u32();           // version
    if (in.u32() != 1)  // only bitmaps; metafile images are left out
        return {};
    return readBitmap(in);
}

// ---------------------------------------------------------------- drawing

std::string colorOf(std::uint32_t argb)
{
    return SvgWriter::color(
        {std::uint8_t(argb >> 16), std::uint8_t(argb >> 8), std::uint8_t(argb)});
}

double alphaOf(std::uint32_t argb)
{
    return double(argb >> 24) / 255.0;
}

class EmfPlusPainter {
public:
    EmfPlusPainter(Point deviceOrigin, Rect deviceArea) : m_origin(deviceOrigin), m_area(deviceArea)
    { }

    bool play(const EmfStream& emf, std::string_view data);
    bool drewSomething() const { return m_drawn > 0; }
    std::string document(const Rect& viewBox) const { return m_svg.document(viewBox); }

private:
    void record(std::uint16_t type, std::uint16_t flags, Reader& in);
    void object(std::uint16_t flags, Reader& in);

    Matrix deviceMatrix() const
    {
        const double unit = unitToPixels(m_pageUnit, m_dpiX) * m_pageScale;
        const double unitY = unitToPixels(m_pageUnit, m_dpiY) * m_pageScale;
        Matrix page{unit, 0, 0, unitY, -m_origin.x, -m_origin.y};
        return m_world.then(page);
    }
    static double unitToPixels(std::uint32_t unit, double dpi)
    {
        switch (unit) {
        case 3: return dpi / 72.0;
        case 4: return dpi;
        case 5: return dpi / 300.0;
        case 6: return dpi / 25.4;
        default: return 1.0;
        }
    }

    static std::optional<std::uint32_t> argbOf(const std::optional<Brush>& brush)
    {
        return brush ? std::optional<std::uint32_t>(brush->argb) : std::nullopt;
    }
    const Object* objectAt(std::uint32_t id, int kind) const
    {
        if (id >= m_objects.size() || !m_objects[id] || m_objects[id]->kind != kind)
            return nullptr;
        return m_objects[id].get();
    }
    // A brush given either as an object or, with flag S, as a colour.
    std::optional<Brush> brushColor(std::uint16_t flags, std::uint32_t value) const
    {
        if (flags & 0x8000)
            return Brush{value};
        if (const Object* brush = objectAt(value, 1))
            return brush->brush;
        return std::nullopt;
    }

    void beginShape(std::string_view name);
    void fill(std::uint32_t argb, bool winding = true);
    void fill(const Brush& brush, bool winding);
    void defineGradient(const Brush& brush);
    void stroke(const Pen& pen);
    void noFill() { m_svg.attribute("fill", "none"); }
    void noStroke() { m_svg.attribute("stroke", "none"); }
    void endShape();

    void fillPathD(const std::string& d, std::optional<Brush> brush, bool winding = true);
    void strokePathD(const std::string& d, const Pen* pen);

    static std::string polylineD(const std::vector<Point>& points, bool closed);
    static std::string pathD(const PathData& path);
    static std::string bezierD(const std::vector<Point>& points);
    static std::vector<Point> arcPoints(const RectF& r, double start, double sweep);
    static std::vector<Point> cardinalBeziers(const std::vector<Point>& points, double tension,
                                              bool closed);
    static std::string rectD(const RectF& r);

    void drawString(std::uint16_t flags, Reader& in);
    void drawDriverString(std::uint16_t flags, Reader& in);
    void drawImage(const Image& image, const RectF& source, Point topLeft, Point topRight,
                   Point bottomLeft);

    SvgWriter m_svg;
    Point m_origin;
    Rect m_area;
    double m_dpiX = 96;
    double m_dpiY = 96;
    Matrix m_world;
    std::uint32_t m_pageUnit = 2;
    double m_pageScale = 1;
    std::array<std::unique_ptr<Object>, 64> m_objects;
    std::map<std::uint32_t, Matrix> m_saved;
    std::vector<std::pair<std::uint32_t, Matrix>> m_containers;
    // An object too large for one record, collected across several.
    std::string m_pending;
    std::uint32_t m_pendingTotal = 0;
    std::uint16_t m_pendingFlags = 0;
    std::size_t m_drawn = 0;
    std::size_t m_gradients = 0;
    std::size_t m_outputBudget = kMaxDocumentBytes;
    bool m_ended = false;
};

void EmfPlusPainter::beginShape(std::string_view name)
{
    m_svg.open(name);
    const Matrix m = deviceMatrix();
    m_svg.attribute("transform",
                    "matrix(" + SvgWriter::number(m.m11) + ' ' + SvgWriter::number(m.m12) + ' '
                        + SvgWriter::number(m.m21) + ' ' + SvgWriter::number(m.m22) + ' '
                        + SvgWriter::number(m.dx) + ' ' + SvgWriter::number(m.dy) + ')');
}

void EmfPlusPainter::fill(std::uint32_t argb, bool winding)
{
    m_svg.attribute("fill", colorOf(argb));
    if (alphaOf(argb) < 1)
        m_svg.attribute("fill-opacity", alphaOf(argb));
    m_svg.attribute("fill-rule", winding ? "nonzero" : "evenodd");
}

void EmfPlusPainter::defineGradient(const Brush& brush)
{
    ++m_gradients;
    // GDI+ wrap modes: tile, tile flipped in x, in y, in both, clamp.
    const char* spread = brush.wrap == 4 ? "pad" : brush.wrap == 0 ? "repeat" : "reflect";
    m_svg.open("linearGradient");
    m_svg.attribute("id", "g" + std::to_string(m_gradients));
    m_svg.attribute("gradientUnits", "userSpaceOnUse");
    m_svg.attribute("x1", brush.x1)
        .attribute("y1", brush.y1)
        .attribute("x2", brush.x2)
        .attribute("y2", brush.y2);
    m_svg.attribute("spreadMethod", spread);
    m_svg.openBody();
    for (const auto& [offset, argb] : {std::pair{0.0, brush.start}, std::pair{1.0, brush.end}}) {
        m_svg.open("stop");
        m_svg.attribute("offset", offset)
            .attribute("stop-color", colorOf(argb))
            .attribute("stop-opacity", alphaOf(argb));
        m_svg.close();
    }
    m_svg.end("linearGradient");
}

void EmfPlusPainter::fill(const Brush& brush, bool winding)
{
    if (!brush.gradient) {
        fill(brush.argb, winding);
        return;
    }
    m_svg.attribute("fill", "url(#g" + std::to_string(m_gradients) + ")");
    m_svg.attribute("fill-rule", winding ? "nonzero" : "evenodd");
}

void EmfPlusPainter::stroke(const Pen& pen)
{
    // A width of zero is one device pixel whatever the transform.
    const double scale = deviceMatrix().scale();
    const double width = pen.width > 0 ? pen.width : (scale > 0 ? 1 / scale : 1);
    m_svg.attribute("stroke", colorOf(pen.brush.argb));
    if (alphaOf(pen.brush.argb) < 1)
        m_svg.attribute("stroke-opacity", alphaOf(pen.brush.argb));
    m_svg.attribute("stroke-width", width);
    m_svg.attribute("stroke-linecap",
                    pen.lineCap == 2       ? "round"
                        : pen.lineCap == 1 ? "square"
                                           : "butt");
    m_svg.attribute("stroke-linejoin",
                    pen.lineJoin == 2       ? "round"
                        : pen.lineJoin == 1 ? "bevel"
                                            : "miter");
    std::vector<double> dashes;
    switch (pen.dashStyle) {
    case 1: dashes = {3, 1}; break;
    case 2: dashes = {1, 1}; break;
    case 3: dashes = {3, 1, 1, 1}; break;
    case 4: dashes = {3, 1, 1, 1, 1, 1}; break;
    case 5: dashes = pen.dashes; break;
    default: break;
    }
    if (!dashes.empty()) {
        std::string list;
        for (const double d : dashes) {
            if (!list.empty())
                list += ',';
            list += SvgWriter::number(std::max(0.0, d) * width);
        }
        m_svg.attribute("stroke-dasharray", list);
    }
}

void EmfPlusPainter::endShape()
{
    m_svg.close();
    ++m_drawn;
}

void EmfPlusPainter::fillPathD(const std::string& d, std::optional<Brush> brush, bool winding)
{
    if (!brush || d.empty())
        return;
    if (brush->gradient)
        defineGradient(*brush);
    beginShape("path");
    m_svg.attribute("d", d);
    fill(*brush, winding);
    noStroke();
    endShape();
}

void EmfPlusPainter::strokePathD(const std::string& d, const Pen* pen)
{
    if (pen == nullptr || d.empty())
        return;
    beginShape("path");
    m_svg.attribute("d", d);
    noFill();
    stroke(*pen);
    endShape();
}

std::string EmfPlusPainter::polylineD(const std::vector<Point>& points, bool closed)
{
    std::string d;
    for (std::size_t i = 0; i < points.size(); ++i)
        d += (i == 0 ? "M" : " L") + SvgWriter::number(points[i].x) + ','
            + SvgWriter::number(points[i].y);
    if (closed && !d.empty())
        d += " Z";
    return d;
}

std::string EmfPlusPainter::bezierD(const std::vector<Point>& points)
{
    if (points.empty())
        return {};
    std::string d = "M" + SvgWriter::number(points[0].x) + ',' + SvgWriter::number(points[0].y);
    for (std::size_t i = 1; i + 2 < points.size(); i += 3) {
        d += " C";
        for (std::size_t k = 0; k < 3; ++k)
            d += ' ' + SvgWriter::number(points[i + k].x) + ','
                + SvgWriter::number(points[i + k].y);
    }
    return d;
}

// Path point types: 0 start, 1 line, 3 Bézier; 0x80 closes the figure.
std::string EmfPlusPainter::pathD(const PathData& path)
{
    std::string d;
    const std::size_t n = path.points.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Point& p = path.points[i];
        const int type = path.types[i] & 0x07;
        if (type == 0 || i == 0) {
            d += " M" + SvgWriter::number(p.x) + ',' + SvgWriter::number(p.y);
        } else if (type == 3 && i + 2 < n) {
            d += " C";
            for (std::size_t k = 0; k < 3; ++k)
                d += ' ' + SvgWriter::number(path.points[i + k].x) + ','
                    + SvgWriter::number(path.points[i + k].y);
            i += 2;
        } else {
            d += " L" + SvgWriter::number(p.x) + ',' + SvgWriter::number(p.y);
        }
        if (path.types[i] & 0x80)
            d += " Z";
    }
    return d;
}

std::string EmfPlusPainter::rectD(const RectF& r)
{
    return polylineD({{r.x, r.y}, {r.x + r.w, r.y}, {r.x + r.w, r.y + r.h}, {r.x, r.y + r.h}},
                     true);
}

// Angles in degrees, clockwise from the x axis, measured on the ellipse
// itself as GDI+ does.
std::vector<Point> EmfPlusPainter::arcPoints(const RectF& r, double start, double sweep)
{
    std::vector<Point> points;
    sweep = std::clamp(sweep, -360.0, 360.0);
    const double rx = r.w / 2;
    const double ry = r.h / 2;
    const Point centre{r.x + rx, r.y + ry};
    const int steps = std::max(8, int(std::abs(sweep) / 4));
    for (int i = 0; i <= steps; ++i) {
        const double angle = (start + sweep * i / steps) * std::numbers::pi / 180;
        const double t = std::atan2(rx * std::sin(angle), ry * std::cos(angle));
        points.push_back({centre.x + rx * std::cos(t), centre.y + ry * std::sin(t)});
    }
    return points;
}

// A cardinal spline through `points` as Bézier control points.
std::vector<Point> EmfPlusPainter::cardinalBeziers(const std::vector<Point>& points, double tension,
                                                   bool closed)
{
    std::vector<Point> out;
    const std::size_t n = points.size();
    if (n < 2)
        return out;
    const double k = tension / 3;
    auto at = [&](std::ptrdiff_t i) {
        if (closed)
            return points[std::size_t((i % std::ptrdiff_t(n) + std::ptrdiff_t(n))
                                      % std::ptrdiff_t(n))];
        return points[std::size_t(std::clamp<std::ptrdiff_t>(i, 0, std::ptrdiff_t(n) - 1))];
    };
    out.push_back(points[0]);
    const std::size_t segments = closed ? n : n - 1;
    for (std::size_t s = 0; s < segments; ++s) {
        const auto i = std::ptrdiff_t(s);
        const Point p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
        out.push_back({p1.x + k * (p2.x - p0.x), p1.y + k * (p2.y - p0.y)});
        out.push_back({p2.x - k * (p3.x - p1.x), p2.y - k * (p3.y - p1.y)});
        out.push_back(p2);
    }
    return out;
}

void EmfPlusPainter::drawImage(const Image& image, const RectF& source, Point topLeft,
                               Point topRight, Point bottomLeft)
{
    if (image.dataUri.empty() || image.width <= 0 || image.height <= 0)
        return;
    // The source rectangle is taken as the whole image, scaled to the
    // parallelogram given by three corners.
    const double w = source.w != 0 ? source.w : image.width;
    const double h = source.h != 0 ? source.h : image.height;
    const Matrix placement{(topRight.x - topLeft.x) / w,
                           (topRight.y - topLeft.y) / w,
                           (bottomLeft.x - topLeft.x) / h,
                           (bottomLeft.y - topLeft.y) / h,
                           topLeft.x,
                           topLeft.y};
    const Matrix saved = m_world;
    m_world = placement.then(m_world);
    beginShape("image");
    m_world = saved;
    m_svg.attribute("x", 0.0);
    m_svg.attribute("y", 0.0);
    m_svg.attribute("width", w);
    m_svg.attribute("height", h);
    m_svg.attribute("preserveAspectRatio", "none");
    m_svg.attribute("xlink:href", image.dataUri);
    endShape();
}

void EmfPlusPainter::drawString(std::uint16_t flags, Reader& in)
{
    const std::uint32_t brushValue = in.u32();
    const std::uint32_t formatId = in.u32();
    const std::uint32_t length = in.u32();
    const RectF layout = in.rectF();
    const std::string text = utf16ToUtf8(in.bytes(std::size_t(length) * 2));
    const Object* font = objectAt(flags & 0xff, 6);
    const std::optional<std::uint32_t> color = argbOf(brushColor(flags, brushValue));
    if (!in.ok() || font == nullptr || !color || text.empty())
        return;
    StringFormat format;
    if (const Object* f = objectAt(formatId, 7))
        format = f->format;

    // The font size in world units.
    double size = font->font.emSize;
    if (font->font.unit != 0 && font->font.unit != m_pageUnit) {
        const double perWorld = unitToPixels(m_pageUnit, m_dpiY) * m_pageScale;
        size = size * unitToPixels(font->font.unit, m_dpiY) / (perWorld > 0 ? perWorld : 1);
    }
    if (!(size > 0))
        return;

    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\n') {
            std::string line = text.substr(start, i - start);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(line);
            start = i + 1;
        }
    }
    const double lineHeight = size * 1.2;
    const double block = lineHeight * double(lines.size());
    double top = layout.y;
    if (layout.h > 0 && format.lineAlignment == 1)
        top += (layout.h - block) / 2;
    else if (layout.h > 0 && format.lineAlignment == 2)
        top += layout.h - block;
    const double padding = layout.w > 0 ? size / 6 : 0;
    double x = layout.x + padding;
    std::string anchor = "start";
    if (format.alignment == 1) {
        x = layout.x + layout.w / 2;
        anchor = "middle";
    } else if (format.alignment == 2) {
        x = layout.x + layout.w - padding;
        anchor = "end";
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty())
            continue;
        beginShape("text");
        m_svg.attribute("x", x);
        m_svg.attribute("y", top + lineHeight * double(i) + size * 0.9);
        m_svg.attribute("font-family",
                        font->font.family.empty() ? "sans-serif" : font->font.family);
        m_svg.attribute("font-size", size);
        if (font->font.style & 1)
            m_svg.attribute("font-weight", "bold");
        if (font->font.style & 2)
            m_svg.attribute("font-style", "italic");
        if (font->font.style & 4)
            m_svg.attribute("text-decoration", "underline");
        m_svg.attribute("text-anchor", anchor);
        m_svg.attribute("fill", colorOf(*color));
        if (alphaOf(*color) < 1)
            m_svg.attribute("fill-opacity", alphaOf(*color));
        m_svg.attribute("xml:space", "preserve");
        m_svg.closeWithText(lines[i], "text");
        ++m_drawn;
    }
}

void EmfPlusPainter::drawDriverString(std::uint16_t flags, Reader& in)
{
    const std::uint32_t brushValue = in.u32();
    const std::uint32_t options = in.u32();
    in.u32();  // matrix present
    const std::uint32_t count = in.u32();
    if (count > kMaxPoints || !in.has(std::size_t(count) * 10))
        return;
    const std::string_view glyphs = in.bytes(std::size_t(count) * 2);
    const std::vector<Point> positions = in.points(count, false, false);
    const Object* font = objectAt(flags & 0xff, 6);
    const std::optional<std::uint32_t> color = argbOf(brushColor(flags, brushValue));
    // Only characters can be shown; glyph indices need the font's tables.
    if (!in.ok() || font == nullptr || !color || !(options & 0x1) || positions.empty())
        return;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const std::string character = utf16ToUtf8(glyphs.substr(2 * i, 2));
        if (character.empty() || character == " ")
            continue;
        beginShape("text");
        m_svg.attribute("x", positions[i].x);
        m_svg.attribute("y", positions[i].y);
        m_svg.attribute("font-family", font->font.family);
        m_svg.attribute("font-size", font->font.emSize);
        m_svg.attribute("fill", colorOf(*color));
        m_svg.closeWithText(character, "text");
        ++m_drawn;
    }
}

void EmfPlusPainter::object(std::uint16_t flags, Reader& in)
{
    const std::uint32_t id = flags & 0xff;
    const int kind = (flags >> 8) & 0x7f;
    std::string collected;
    if (flags & 0x8000) {
        // One part of an object that spans several records.
        const std::uint32_t total = in.u32();
        if (total > kMaxObjectBytes)
            return;
        if (m_pendingTotal != total || m_pendingFlags != (flags & 0x7fff)) {
            m_pending.clear();
            m_pendingTotal = total;
            m_pendingFlags = flags & 0x7fff;
        }
        const std::string_view part
            = in.bytes(std::min<std::size_t>(in.remaining(), total - m_pending.size()));
        m_pending.append(part);
        if (m_pending.size() < total)
            return;
        collected.swap(m_pending);
        m_pendingTotal = 0;
    } else {
        if (m_pendingTotal != 0 && (flags & 0x7fff) == m_pendingFlags) {
            // The last part comes without the continuation flag.
            m_pending.append(in.bytes(in.remaining()));
            collected.swap(m_pending);
            m_pendingTotal = 0;
        } else {
            collected = std::string(in.bytes(in.remaining()));
        }
    }
    if (id >= m_objects.size())
        return;
    Reader data(collected);
    auto made = std::make_unique<Object>();
    made->kind = kind;
    switch (kind) {
    case 1: made->brush = readBrush(data); break;
    case 2: made->pen = readPen(data); break;
    case 3: made->path = readPath(data); break;
    case 5: made->image = readImage(data); break;
    case 6: made->font = readFont(data); break;
    case 7: made->format = readStringFormat(data); break;
    default: break;
    }
    m_objects[id] = std::move(made);
}

void EmfPlusPainter::record(std::uint16_t type, std::uint16_t flags, Reader& in)
{
    const bool compressed = flags & 0x4000;
    const bool relative = flags & 0x0800;
    switch (type) {
    case Record::Header: {
        in.u32();
        in.u32();
        const double x = in.u32();
        const double y = in.u32();
        if (x >= 1 && x < 1e6)
            m_dpiX = x;
        if (y >= 1 && y < 1e6)
            m_dpiY = y;
        break;
    }
    case Record::EndOfFile: m_ended = true; break;
    case Record::Object: object(flags, in); break;
    case Record::Clear: {
        const std::uint32_t argb = in.u32();
        m_svg.open("rect");
        m_svg.attribute("x", m_area.left).attribute("y", m_area.top);
        m_svg.attribute("width", m_area.width()).attribute("height", m_area.height());
        fill(argb);
        endShape();
        break;
    }
    case Record::FillRects:
    case Record::DrawRects: {
        const std::uint32_t value = type == Record::FillRects ? in.u32() : 0;
        const std::uint32_t count = in.u32();
        if (count > kMaxPoints || !in.has(std::size_t(count) * (compressed ? 8 : 16)))
            break;
        std::string d;
        for (std::uint32_t i = 0; i < count; ++i)
            d += rectD(in.rect(compressed)) + ' ';
        if (type == Record::FillRects)
            fillPathD(d, brushColor(flags, value));
        else if (const Object* pen = objectAt(flags & 0xff, 2))
            strokePathD(d, &pen->pen);
        break;
    }
    case Record::FillPolygon: {
        const std::uint32_t value = in.u32();
        const std::vector<Point> points = in.points(in.u32(), compressed, relative);
        fillPathD(polylineD(points, true), brushColor(flags, value));
        break;
    }
    case Record::DrawLines: {
        const std::vector<Point> points = in.points(in.u32(), compressed, relative);
        if (const Object* pen = objectAt(flags & 0xff, 2))
            strokePathD(polylineD(points, flags & 0x2000), &pen->pen);
        break;
    }
    case Record::FillEllipse: {
        const std::uint32_t value = in.u32();
        const RectF r = in.rect(compressed);
        fillPathD(polylineD(arcPoints(r, 0, 360), true), brushColor(flags, value));
        break;
    }
    case Record::DrawEllipse: {
        const RectF r = in.rect(compressed);
        if (const Object* pen = objectAt(flags & 0xff, 2))
            strokePathD(polylineD(arcPoints(r, 0, 360), true), &pen->pen);
        break;
    }
    case Record::FillPie: {
        const std::uint32_t value = in.u32();
        const double start = in.f32();
        const double sweep = in.f32();
        const RectF r = in.rect(compressed);
        std::vector<Point> points = arcPoints(r, start, sweep);
        points.insert(points.begin(), {r.x + r.w / 2, r.y + r.h / 2});
        fillPathD(polylineD(points, true), brushColor(flags, value));
        break;
    }
    case Record::DrawPie:
    case Record::DrawArc: {
        const double start = in.f32();
        const double sweep = in.f32();
        const RectF r = in.rect(compressed);
        std::vector<Point> points = arcPoints(r, start, sweep);
        if (type == Record::DrawPie)
            points.insert(points.begin(), {r.x + r.w / 2, r.y + r.h / 2});
        if (const Object* pen = objectAt(flags & 0xff, 2))
            strokePathD(polylineD(points, type == Record::DrawPie), &pen->pen);
        break;
    }
    case Record::FillPath: {
        const std::uint32_t value = in.u32();
        if (const Object* path = objectAt(flags & 0xff, 3))
            fillPathD(pathD(path->path), brushColor(flags, value));
        break;
    }
    case Record::DrawPath: {
        const std::uint32_t penId = in.u32();
        const Object* path = objectAt(flags & 0xff, 3);
        const Object* pen = objectAt(penId, 2);
        if (path != nullptr && pen != nullptr)
            strokePathD(pathD(path->path), &pen->pen);
        break;
    }
    case Record::FillClosedCurve: {
        const std::uint32_t value = in.u32();
        const double tension = in.f32();
        const std::vector<Point> points = in.points(in.u32(), compressed, relative);
        fillPathD(bezierD(cardinalBeziers(points, tension, true)) + " Z", brushColor(flags, value),
                  flags & 0x2000);
        break;
    }
    case Record::DrawClosedCurve: {
        const double tension = in.f32();
        const std::vector<Point> points = in.points(in.u32(), compressed, relative);
        if (const Object* pen = objectAt(flags & 0xff, 2))
            strokePathD(bezierD(cardinalBeziers(points, tension, true)) + " Z", &pen->pen);
        break;
    }
    case Record::DrawCurve: {
        const double tension = in.f32();
        const std::uint32_t offset = in.u32();
        const std::uint32_t segments = in.u32();
        const std::vector<Point> points = in.points(in.u32(), compressed, false);
        std::vector<Point> beziers = cardinalBeziers(points, tension, false);
        if (offset < points.size() && segments > 0) {
            const std::size_t first = std::size_t(offset) * 3;
            const std::size_t last
                = std::min(beziers.size(), first + std::size_t(segments) * 3 + 1);
            beziers = std::vector<Point>(beziers.begin() + std::ptrdiff_t(first),
                                         beziers.begin() + std::ptrdiff_t(last));
        }
        if (const Object* pen = objectAt(flags & 0xff, 2))
            strokePathD(bezierD(beziers), &pen->pen);
        break;
    }
    case Record::DrawBeziers: {
        const std::vector<Point> points = in.points(in.u32(), compressed, relative);
        if (const Object* pen = objectAt(flags & 0xff, 2))
            strokePathD(bezierD(points), &pen->pen);
        break;
    }
    case Record::DrawImage: {
        in.u32();  // image attributes
        in.i32();  // source unit
        const RectF source = in.rectF();
        const RectF dest = in.rect(compressed);
        if (const Object* image = objectAt(flags & 0xff, 5); image != nullptr && in.ok())
            drawImage(image->image, source, {dest.x, dest.y}, {dest.x + dest.w, dest.y},
                      {dest.x, dest.y + dest.h});
        break;
    }
    case Record::DrawImagePoints: {
        in.u32();
        in.i32();
        const RectF source = in.rectF();
        const std::uint32_t count = in.u32();
        if (count != 3)
            break;
        const std::vector<Point> p = in.points(3, compressed, relative);
        if (const Object* image = objectAt(flags & 0xff, 5); image != nullptr && p.size() == 3)
            drawImage(image->image, source, p[0], p[1], p[2]);
        break;
    }
    case Record::DrawString: drawString(flags, in); break;
    case Record::Save:
    case Record::BeginContainer:
    case Record::BeginContainerNoParams: {
        if (type == Record::BeginContainer) {
            const RectF dest = in.rectF();
            const RectF source = in.rectF();
            const std::uint32_t index = in.u32();
            if (m_containers.size() >= kMaxStackDepth)
                break;
            m_containers.emplace_back(index, m_world);
            const double unit = unitToPixels(flags >> 8 & 0xff, m_dpiX);
            if (source.w != 0 && source.h != 0) {
                const double sx = dest.w / source.w * unit;
                const double sy = dest.h / source.h * unit;
                const Matrix mapping{
                    sx, 0, 0, sy, dest.x * unit - source.x * sx, dest.y * unit - source.y * sy};
                m_world = mapping.then(m_world);
            }
            break;
        }
        const std::uint32_t index = in.u32();
        if (type == Record::Save) {
            if (m_saved.size() < kMaxStackDepth)
                m_saved[index] = m_world;
        } else if (m_containers.size() < kMaxStackDepth) {
            m_containers.emplace_back(index, m_world);
        }
        break;
    }
    case Record::Restore: {
        const auto found = m_saved.find(in.u32());
        if (found != m_saved.end())
            m_world = found->second;
        break;
    }
    case Record::EndContainer: {
        const std::uint32_t index = in.u32();
        for (std::size_t i = m_containers.size(); i-- > 0;) {
            if (m_containers[i].first == index) {
                m_world = m_containers[i].second;
                m_containers.resize(i);
                break;
            }
        }
        break;
    }
    case Record::SetWorldTransform: m_world = in.matrix(); break;
    case Record::ResetWorldTransform: m_world = Matrix(); break;
    case Record::MultiplyWorldTransform:
    case Record::TranslateWorldTransform:
    case Record::ScaleWorldTransform:
    case Record::RotateWorldTransform: {
        Matrix m;
        if (type == Record::MultiplyWorldTransform) {
            m = in.matrix();
        } else if (type == Record::TranslateWorldTransform) {
            m.dx = in.f32();
            m.dy = in.f32();
        } else if (type == Record::ScaleWorldTransform) {
            m.m11 = in.f32();
            m.m22 = in.f32();
        } else {
            const double angle = in.f32() * std::numbers::pi / 180;
            m = {std::cos(angle), std::sin(angle), -std::sin(angle), std::cos(angle), 0, 0};
        }
        if (!in.ok())
            break;
        // Flag A: applied after the world transform, else before it.
        m_world = (flags & 0x2000) ? m_world.then(m) : m.then(m_world);
        break;
    }
    case Record::SetPageTransform:
        m_pageUnit = flags & 0xff;
        m_pageScale = in.f32();
        if (!(m_pageScale > 0))
            m_pageScale = 1;
        break;
    case Record::DrawDriverString: drawDriverString(flags, in); break;
    default: break;  // rendering hints, clipping and regions are left out
    }
    if (!m_world.finite())
        m_world = Matrix();
}

bool EmfPlusPainter::play(const EmfStream& emf, std::string_view data)
{
    for (const EmfRecord& r : emf.records()) {
        if (m_ended)
            break;
        if (r.type != kEmfComment || r.size < 16 || emf.u32(r.offset + 12) != kEmfPlusSignature)
            continue;
        const std::size_t length = std::min<std::size_t>(emf.u32(r.offset + 8), r.size - 12);
        if (length < 4)
            continue;
        Reader comment(data.substr(r.offset + 16, length - 4));
        while (comment.has(12) && !m_ended) {
            const std::uint16_t type = comment.u16();
            const std::uint16_t flags = comment.u16();
            const std::uint32_t size = comment.u32();
            const std::uint32_t dataSize = comment.u32();
            if (size < 12 || !comment.has(size - 12))
                return false;
            Reader body(comment.bytes(size - 12).substr(0, dataSize));
            record(type, flags, body);
            if (m_svg.size() > m_outputBudget)
                return false;
        }
    }
    return true;
}

constexpr std::array<std::uint32_t, 57> kStateRecords{
    1,  9,  10, 11, 12, 13, 16, 17, 18, 19, 20, 21, 22, 23,  24,  25,  26,  27,  28,
    29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 48, 49,  50,  51,  52,  57,  58,
    59, 60, 61, 67, 68, 70, 75, 82, 93, 94, 95, 98, 99, 100, 101, 115, 119, 120, 122};

bool isStateRecord(std::uint32_t type)
{
    return std::find(kStateRecords.begin(), kStateRecords.end(), type) != kStateRecords.end();
}

// True when every EMF drawing record of the file lies where its EMF+
// records hand drawing to GDI (after a GetDC record): then the EMF+ records
// carry the picture and the EMF records are only its fallback for programs
// that cannot read them.
bool drawsOnlyThroughEmfPlus(const EmfStream& emf)
{
    bool seenEmfPlus = false;
    bool inGetDc = false;
    for (const EmfRecord& r : emf.records()) {
        if (r.type == kEmfComment && r.size >= 16 && emf.u32(r.offset + 12) == kEmfPlusSignature) {
            seenEmfPlus = true;
            // The last record of the comment decides.
            inGetDc = false;
            const std::size_t end
                = r.offset + 16 + std::min<std::size_t>(emf.u32(r.offset + 8), r.size - 12) - 4;
            std::size_t at = r.offset + 16;
            while (at + 12 <= end) {
                const std::uint32_t size = emf.u32(at + 4);
                if (size < 12)
                    break;
                inGetDc = (emf.u32(at) & 0xffff) == Record::GetDc;
                at += size;
            }
            continue;
        }
        if (r.type == kEmfEndOfFile || isStateRecord(r.type))
            continue;
        if (!seenEmfPlus || !inGetDc)
            return false;
    }
    return seenEmfPlus;
}

}  // namespace

std::optional<std::string> emfPlusToSvg(std::string_view data)
{
    const EmfStream emf(data);
    if (emf.records().empty() || emf.records().front().type != 1 || emf.records().front().size < 88)
        return std::nullopt;
    if (!drawsOnlyThroughEmfPlus(emf))
        return std::nullopt;
    // The drawing in reference-device pixels from the bounds' corner, as
    // libemf2svg draws it.
    const Point origin{double(emf.i32(8)), double(emf.i32(12))};
    const Rect area{0, 0, double(emf.i32(16)) - origin.x + 1, double(emf.i32(20)) - origin.y + 1};
    EmfPlusPainter painter(origin, area);
    if (!painter.play(emf, data) || !painter.drewSomething())
        return std::nullopt;
    return painter.document(area);
}

}  // namespace helper
