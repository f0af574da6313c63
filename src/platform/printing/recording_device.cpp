#include "platform/printing/recording_device.h"

#include "platform/pictures/picture.h"
#include "platform/printing/device_units.h"
#include "platform/printing/print_error.h"

#include <QStringList>

namespace {

bool isDrawing(RecordedCall::Kind kind)
{
    using K = RecordedCall::Kind;
    switch (kind) {
    case K::StretchDraw:
    case K::Rectangle:
    case K::Ellipse:
    case K::MoveTo:
    case K::LineTo:
    case K::SetBrushClear:
    case K::StretchDrawRound:
    case K::ClearEllipse:
    case K::TextOut: return true;
    default: return false;
    }
}

}  // namespace

RecordingDevice::RecordingDevice(int dpiX, int dpiY, int offsetX, int offsetY)
    : m_dpiX(dpiX), m_dpiY(dpiY), m_offsetX(offsetX), m_offsetY(offsetY)
{ }

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

void RecordingDevice::setTitle(const QString& title)
{
    record(RecordedCall::setTitle(title));
}
void RecordingDevice::setOrientation(Orientation orientation)
{
    m_orientation = orientation;
    record(RecordedCall::setOrientation(orientation));
}
void RecordingDevice::beginDoc()
{
    record(RecordedCall::beginDoc());
}
void RecordingDevice::endDoc()
{
    record(RecordedCall::endDoc());
}
void RecordingDevice::abortDoc()
{
    record(RecordedCall::abortDoc());
}

int RecordingDevice::physicalWidth() const
{
    return m_orientation == Orientation::Portrait ? millimetresToUnits(210, m_dpiX)
                                                  : millimetresToUnits(297, m_dpiX);
}

int RecordingDevice::physicalHeight() const
{
    return m_orientation == Orientation::Portrait ? millimetresToUnits(297, m_dpiY)
                                                  : millimetresToUnits(210, m_dpiY);
}

void RecordingDevice::stretchDraw(const QRect& target, const Picture& picture)
{
    record(RecordedCall::stretchDraw(target.left(), target.top(), target.left() + target.width(),
                                     target.top() + target.height(), picture.size()));
}

void RecordingDevice::stretchDrawRound(const QRect& target, const Picture& picture)
{
    record(RecordedCall::stretchDrawRound(target.left(), target.top(),
                                          target.left() + target.width(),
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

void RecordingDevice::moveTo(int x, int y)
{
    record(RecordedCall::moveTo(x, y));
}
void RecordingDevice::lineTo(int x, int y)
{
    record(RecordedCall::lineTo(x, y));
}
void RecordingDevice::setBrushClear()
{
    record(RecordedCall::setBrushClear());
}

void RecordingDevice::textOut(int x, int y, int height, const QString& text)
{
    record(RecordedCall::textOut(x, y, height, text));
}

void RecordingDevice::record(const RecordedCall& call)
{
    m_calls << call;
    if (m_failingKind == call.kind) {
        m_failingKind.reset();
        throw PrintError(QStringLiteral("Aufgezeichneter Fehler bei %1").arg(call.toString()));
    }
}
