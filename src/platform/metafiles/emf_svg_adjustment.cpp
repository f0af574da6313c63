#include "platform/metafiles/emf_svg_adjustment.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QRegularExpression>

namespace {

QColor averageColor(const QImage& image)
{
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    qint64 red = 0;
    qint64 green = 0;
    qint64 blue = 0;
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x) {
            const QRgb pixel = pixels.pixel(x, y);
            red += qRed(pixel);
            green += qGreen(pixel);
            blue += qBlue(pixel);
        }
    }
    const qint64 count = qMax<qint64>(1, qint64(pixels.width()) * pixels.height());
    return QColor(int(red / count), int(green / count), int(blue / count));
}

// libemf2svg writes a pattern brush as an <image id="img-N"> and fills with
// "#img-N-ref".
QHash<QString, QString> patternColors(const QString& svg)
{
    static const QRegularExpression image(
        QStringLiteral("<image id=\"([^\"]+)\"[^>]*xlink:href=\"data:image/png;base64,([^\"]*)\""));
    QHash<QString, QString> colors;
    for (const QRegularExpressionMatch& match : image.globalMatch(svg)) {
        const QImage pattern
            = QImage::fromData(QByteArray::fromBase64(match.captured(2).toLatin1()));
        colors.insert(match.captured(1), averageColor(pattern).name());
    }
    return colors;
}

QString rootTag(const QRectF& viewBox)
{
    return QStringLiteral("<svg version=\"1.1\" xmlns=\"http://www.w3.org/2000/svg\" "
                          "xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"%3\" height=\"%4\" "
                          "viewBox=\"%1 %2 %3 %4\">")
        .arg(viewBox.x())
        .arg(viewBox.y())
        .arg(viewBox.width())
        .arg(viewBox.height());
}

}  // namespace

QByteArray adjustEmfSvg(const QByteArray& svg, const QRectF& viewBox)
{
    QString text = QString::fromUtf8(svg);
    static const QRegularExpression root(QStringLiteral("<svg\\b[^>]*>"));
    text.replace(root, rootTag(viewBox));

    // Text of size zero draws nothing, and Qt warns about each.
    static const QRegularExpression invisibleText(
        QStringLiteral("<text [^>]*font-size=\"0(\\.0*)?\"[^>]*>.*?</text>"));
    text.remove(invisibleText);

    const QHash<QString, QString> colors = patternColors(text);
    static const QRegularExpression patternFill(QStringLiteral("fill=\"#([^\"]+)-ref\""));
    QString adjusted;
    qsizetype copied = 0;
    for (const QRegularExpressionMatch& match : patternFill.globalMatch(text)) {
        adjusted += QStringView(text).mid(copied, match.capturedStart() - copied);
        adjusted += QStringLiteral("fill=\"%1\"")
                        .arg(colors.value(match.captured(1), QStringLiteral("#808080")));
        copied = match.capturedEnd();
    }
    adjusted += QStringView(text).mid(copied);
    return adjusted.toUtf8();
}
