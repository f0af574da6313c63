#include "platform/recording_device.h"

#include "platform/errors.h"
#include "platform/picture.h"

#include <QStringList>

namespace {

RecordedCall callOf(RecordedCall::Kind kind, int left = 0, int top = 0, int right = 0, int bottom = 0)
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

bool isDrawing(RecordedCall::Kind kind)
{
    using K = RecordedCall::Kind;
    switch (kind) {
    case K::StretchDraw: case K::Rectangle: case K::Ellipse:
    case K::MoveTo: case K::LineTo: case K::SetBrushClear:
    case K::StretchDrawRound: case K::ClearEllipse:
        return true;
    default:
        return false;
    }
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

RecordedCall RecordedCall::beginDoc() { return callOf(Kind::BeginDoc); }
RecordedCall RecordedCall::endDoc() { return callOf(Kind::EndDoc); }
RecordedCall RecordedCall::abortDoc() { return callOf(Kind::AbortDoc); }
RecordedCall RecordedCall::setBrushClear() { return callOf(Kind::SetBrushClear); }

RecordedCall RecordedCall::stretchDraw(int left, int top, int right, int bottom, QSize pictureSize)
{
    RecordedCall call = callOf(Kind::StretchDraw, left, top, right, bottom);
    call.pictureSize = pictureSize;
    return call;
}

RecordedCall RecordedCall::stretchDrawRound(int left, int top, int right, int bottom, QSize pictureSize)
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

RecordedCall RecordedCall::moveTo(int x, int y) { return callOf(Kind::MoveTo, x, y); }
RecordedCall RecordedCall::lineTo(int x, int y) { return callOf(Kind::LineTo, x, y); }

QString RecordedCall::toString() const
{
    const QString box = numbers({left, top, right, bottom});
    const QString point = numbers({left, top});
    switch (kind) {
    case Kind::SetTitle: return QStringLiteral("setTitle(\"%1\")").arg(title);
    case Kind::SetOrientation:
        return orientation == PrintDevice::Orientation::Landscape ? QStringLiteral("setOrientation(Landscape)")
                                                                  : QStringLiteral("setOrientation(Portrait)");
    case Kind::BeginDoc: return QStringLiteral("beginDoc()");
    case Kind::EndDoc: return QStringLiteral("endDoc()");
    case Kind::AbortDoc: return QStringLiteral("abortDoc()");
    case Kind::StretchDraw:
        return QStringLiteral("stretchDraw(%1, picture %2x%3)").arg(box).arg(pictureSize.width()).arg(pictureSize.height());
    case Kind::StretchDrawRound:
        return QStringLiteral("stretchDrawRound(%1, picture %2x%3)").arg(box).arg(pictureSize.width()).arg(pictureSize.height());
    case Kind::Rectangle: return QStringLiteral("rectangle(%1)").arg(box);
    case Kind::ClearEllipse: return QStringLiteral("clearEllipse(%1)").arg(box);
    case Kind::Ellipse: return QStringLiteral("ellipse(%1)").arg(box);
    case Kind::MoveTo: return QStringLiteral("moveTo(%1)").arg(point);
    case Kind::LineTo: return QStringLiteral("lineTo(%1)").arg(point);
    case Kind::SetBrushClear: return QStringLiteral("setBrushClear()");
    }
    return {};
}

char* toString(const RecordedCall& call)
{
    return qstrdup(call.toString().toUtf8().constData());
}

RecordingDevice::RecordingDevice(int dpiX, int dpiY, int offsetX, int offsetY)
    : m_dpiX(dpiX), m_dpiY(dpiY), m_offsetX(offsetX), m_offsetY(offsetY)
{
}

QList<RecordedCall> RecordingDevice::drawCalls() const
{
    QList<RecordedCall> drawing;
    for (const RecordedCall& call : m_calls) {
        if (isDrawing(call.kind))
            drawing << call;
    }
    return drawing;
}

QString RecordingDevice::toString() const
{
    QStringList lines;
    for (const RecordedCall& call : m_calls)
        lines << call.toString();
    return lines.join(QLatin1Char('\n'));
}

void RecordingDevice::setPhysicalOffsets(int offsetX, int offsetY)
{
    m_offsetX = offsetX;
    m_offsetY = offsetY;
}

void RecordingDevice::failOn(RecordedCall::Kind kind)
{
    m_failingKind = kind;
}

void RecordingDevice::setTitle(const QString& title) { record(RecordedCall::setTitle(title)); }
void RecordingDevice::setOrientation(Orientation orientation) { record(RecordedCall::setOrientation(orientation)); }
void RecordingDevice::beginDoc() { record(RecordedCall::beginDoc()); }
void RecordingDevice::endDoc() { record(RecordedCall::endDoc()); }
void RecordingDevice::abortDoc() { record(RecordedCall::abortDoc()); }

void RecordingDevice::stretchDraw(const QRect& target, const Picture& picture)
{
    record(RecordedCall::stretchDraw(target.left(), target.top(), target.left() + target.width(),
                                     target.top() + target.height(), picture.size()));
}

void RecordingDevice::stretchDrawRound(const QRect& target, const Picture& picture)
{
    record(RecordedCall::stretchDrawRound(target.left(), target.top(), target.left() + target.width(),
                                          target.top() + target.height(), picture.size()));
}

void RecordingDevice::rectangle(int left, int top, int right, int bottom)
{
    record(RecordedCall::rectangle(left, top, right, bottom));
}

void RecordingDevice::ellipse(int left, int top, int right, int bottom)
{
    record(RecordedCall::ellipse(left, top, right, bottom));
}

void RecordingDevice::clearEllipse(int left, int top, int right, int bottom)
{
    record(RecordedCall::clearEllipse(left, top, right, bottom));
}

void RecordingDevice::moveTo(int x, int y) { record(RecordedCall::moveTo(x, y)); }
void RecordingDevice::lineTo(int x, int y) { record(RecordedCall::lineTo(x, y)); }
void RecordingDevice::setBrushClear() { record(RecordedCall::setBrushClear()); }

void RecordingDevice::record(const RecordedCall& call)
{
    m_calls << call;
    if (m_failingKind == call.kind) {
        m_failingKind.reset();
        throw PrintError(QStringLiteral("Aufgezeichneter Fehler bei %1").arg(call.toString()));
    }
}
