// Renders the program's SVG icons at the sizes the windows use and writes
// them as C++ pixel arrays, so that the program shows its icons without
// reading SVG (and loading Qt's SVG icon plugin) at start-up:
//   embed_icons <output.cpp> <name>=<icon.svg>:<size>[,<size>...]...
// The pixels are rendered exactly as Qt's SVG icon engine renders them:
// premultiplied ARGB, transparent background, the picture filling the square.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

int fail(const char* what, const QString& detail)
{
    std::fprintf(stderr, "embed_icons: %s %s\n", what, qPrintable(detail));
    return 1;
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr,
                     "usage: embed_icons <output.cpp> <name>=<icon.svg>:<size>[,<size>...]...\n");
        return 2;
    }

    QByteArray arrays;
    QByteArray table;
    int count = 0;
    for (const QString& item : args.mid(2)) {
        const qsizetype equals = item.indexOf(QLatin1Char('='));
        const qsizetype colon = item.lastIndexOf(QLatin1Char(':'));
        if (equals <= 0 || colon <= equals)
            return fail("bad argument", item);
        const QString name = item.left(equals);
        const QString svg = item.mid(equals + 1, colon - equals - 1);
        QSvgRenderer renderer(svg);
        if (!renderer.isValid())
            return fail("cannot read", svg);
        for (const QString& sizeText : item.mid(colon + 1).split(QLatin1Char(','))) {
            const int size = sizeText.toInt();
            if (size <= 0)
                return fail("bad size in", item);
            QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            renderer.render(&painter);
            painter.end();

            const QByteArray array = QStringLiteral("k_%1_%2").arg(name).arg(size).toLatin1();
            arrays += "const quint32 " + array + "[] = {";
            for (int y = 0; y < size; ++y) {
                const auto* line = reinterpret_cast<const quint32*>(image.constScanLine(y));
                for (int x = 0; x < size; ++x) {
                    arrays += (x % 8 == 0) ? "\n    " : " ";
                    arrays += "0x" + QByteArray::number(line[x], 16).rightJustified(8, '0') + "u,";
                }
            }
            arrays += "\n};\n\n";
            table += "    {\"" + name.toLatin1() + "\", " + QByteArray::number(size) + ", " + array
                + "},\n";
            ++count;
        }
    }

    QFile out(args.at(1));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail("cannot write", args.at(1));
    out.write("// Made by embed_icons from the SVG icons in resources/icons; do not edit.\n"
              "#include \"platform/desktop/program_icons.h\"\n\n"
              "namespace {\n\n");
    out.write(arrays);
    out.write("}  // namespace\n\n"
              "const EmbeddedIconPixels kEmbeddedIconPixels[] = {\n");
    out.write(table);
    out.write("};\nconst int kEmbeddedIconPixelsCount = " + QByteArray::number(count) + ";\n");
    return out.error() == QFileDevice::NoError ? 0 : fail("cannot write", args.at(1));
}
