#include "platform/printing/recorded_call.h"

#include <QStringList>

namespace {

RecordedCall callOf(RecordedCall::Kind kind, int left = 0, int top = 0, int right = 0,
                    int bottom = 0)
{
    RecordedCall call;
    call.kind = kind;
    call.left = left;
    call.top = top;
    call.right = right;
    call.bottom = bottom;
    return call;
}

QString numbers(std::initializer_list<int> values)
{
    QStringList texts;
    for (int value : values)
        texts << QString::number(value);
    return texts.join(QStringLiteral(", "));
}

}  // namespace

RecordedCall RecordedCall::setTitle(const QString& title)
{
    RecordedCall call = callOf(Kind::SetTitle);
    call.title = title;
    return call;
}

RecordedCall RecordedCall::setOrientation(PrintDevice::Orientation orientation)
{
    RecordedCall call = callOf(Kind::SetOrientation);
    call.orientation = orientation;
    return call;
}

RecordedCall RecordedCall::beginDoc()
{
    return callOf(Kind::BeginDoc);
}
RecordedCall RecordedCall::endDoc()
{
    return callOf(Kind::EndDoc);
}
RecordedCall RecordedCall::abortDoc()
{
    return callOf(Kind::AbortDoc);
}
RecordedCall RecordedCall::setBrushClear()
{
    return callOf(Kind::SetBrushClear);
}

RecordedCall RecordedCall::stretchDraw(int left, int top, int right, int bottom, QSize pictureSize)
{
    RecordedCall call = callOf(Kind::StretchDraw, left, top, right, bottom);
    call.pictureSize = pictureSize;
    return call;
}

RecordedCall RecordedCall::stretchDrawRound(int left, int top, int right, int bottom,
                                            QSize pictureSize)
{
    RecordedCall call = stretchDraw(left, top, right, bottom, pictureSize);
    call.kind = Kind::StretchDrawRound;
    return call;
}

RecordedCall RecordedCall::rectangle(int left, int top, int right, int bottom)
{
    return callOf(Kind::Rectangle, left, top, right, bottom);
}

RecordedCall RecordedCall::ellipse(int left, int top, int right, int bottom)
{
    return callOf(Kind::Ellipse, left, top, right, bottom);
}

RecordedCall RecordedCall::clearEllipse(int left, int top, int right, int bottom)
{
    return callOf(Kind::ClearEllipse, left, top, right, bottom);
}

RecordedCall RecordedCall::moveTo(int x, int y)
{
    return callOf(Kind::MoveTo, x, y);
}
RecordedCall RecordedCall::lineTo(int x, int y)
{
    return callOf(Kind::LineTo, x, y);
}

RecordedCall RecordedCall::textOut(int x, int y, int height, const QString& text)
{
    RecordedCall call = callOf(Kind::TextOut, x, y, 0, height);
    call.title = text;
    return call;
}

QString RecordedCall::toString() const
{
    const QString box = numbers({left, top, right, bottom});
    const QString point = numbers({left, top});
    switch (kind) {
    case Kind::SetTitle: return QStringLiteral("setTitle(\"%1\")").arg(title);
    case Kind::SetOrientation:
        return orientation == PrintDevice::Orientation::Landscape
            ? QStringLiteral("setOrientation(Landscape)")
            : QStringLiteral("setOrientation(Portrait)");
    case Kind::BeginDoc: return QStringLiteral("beginDoc()");
    case Kind::EndDoc: return QStringLiteral("endDoc()");
    case Kind::AbortDoc: return QStringLiteral("abortDoc()");
    case Kind::StretchDraw:
        return QStringLiteral("stretchDraw(%1, picture %2x%3)")
            .arg(box)
            .arg(pictureSize.width())
            .arg(pictureSize.height());
    case Kind::StretchDrawRound:
        return QStringLiteral("stretchDrawRound(%1, picture %2x%3)")
            .arg(box)
            .arg(pictureSize.width())
            .arg(pictureSize.height());
    case Kind::Rectangle: return QStringLiteral("rectangle(%1)").arg(box);
    case Kind::ClearEllipse: return QStringLiteral("clearEllipse(%1)").arg(box);
    case Kind::Ellipse: return QStringLiteral("ellipse(%1)").arg(box);
    case Kind::MoveTo: return QStringLiteral("moveTo(%1)").arg(point);
    case Kind::LineTo: return QStringLiteral("lineTo(%1)").arg(point);
    case Kind::SetBrushClear: return QStringLiteral("setBrushClear()");
    case Kind::TextOut:
        return QStringLiteral("textOut(%1, %2, \"%3\")").arg(point).arg(bottom).arg(title);
    }
    return {};
}

char* toString(const RecordedCall& call)
{
    return qstrdup(call.toString().toUtf8().constData());
}
