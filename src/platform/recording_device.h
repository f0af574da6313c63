#pragma once

#include "platform/print_device.h"

#include <QList>
#include <QSize>
#include <QString>

#include <optional>

// One call a sheet routine made on a print device. Rectangle calls keep
// (left, top, right, bottom); moveTo and lineTo keep x in `left` and y in
// `top`; stretchDraw and stretchDrawRound keep their target as (left, top,
// right, bottom) and the size of the picture they were given.
struct RecordedCall {
    enum class Kind {
        SetTitle, SetOrientation, BeginDoc, EndDoc, AbortDoc,
        StretchDraw, Rectangle, Ellipse, MoveTo, LineTo, SetBrushClear,
        StretchDrawRound, ClearEllipse
    };

    Kind kind = Kind::BeginDoc;
    QString title;
    PrintDevice::Orientation orientation = PrintDevice::Orientation::Portrait;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    QSize pictureSize;

    static RecordedCall setTitle(const QString& title);
    static RecordedCall setOrientation(PrintDevice::Orientation orientation);
    static RecordedCall beginDoc();
    static RecordedCall endDoc();
    static RecordedCall abortDoc();
    static RecordedCall stretchDraw(int left, int top, int right, int bottom, QSize pictureSize);
    static RecordedCall stretchDrawRound(int left, int top, int right, int bottom, QSize pictureSize);
    static RecordedCall rectangle(int left, int top, int right, int bottom);
    static RecordedCall ellipse(int left, int top, int right, int bottom);
    static RecordedCall clearEllipse(int left, int top, int right, int bottom);
    static RecordedCall moveTo(int x, int y);
    static RecordedCall lineTo(int x, int y);
    static RecordedCall setBrushClear();

    // For example "rectangle(1080, 136, 3912, 2968)".
    QString toString() const;

    friend bool operator==(const RecordedCall&, const RecordedCall&) = default;
};

// Lets QCOMPARE print recorded calls.
char* toString(const RecordedCall& call);

// A print device for tests: a chosen resolution and physical offsets, and a
// record of every call made on it.
class RecordingDevice : public PrintDevice {
public:
    RecordingDevice(int dpiX, int dpiY, int offsetX, int offsetY);

    const QList<RecordedCall>& calls() const { return m_calls; }
    // Only the drawing calls, between beginDoc and the end of the job.
    QList<RecordedCall> drawCalls() const;
    // One call per line.
    QString toString() const;

    void setPhysicalOffsets(int offsetX, int offsetY);
    // The next call of this kind is recorded and then throws PrintError.
    void failOn(RecordedCall::Kind kind);

    void setTitle(const QString& title) override;
    void setOrientation(Orientation orientation) override;
    void beginDoc() override;
    void endDoc() override;
    void abortDoc() override;

    int logPixelsX() const override { return m_dpiX; }
    int logPixelsY() const override { return m_dpiY; }
    int physicalOffsetX() const override { return m_offsetX; }
    int physicalOffsetY() const override { return m_offsetY; }

    void stretchDraw(const QRect& target, const Picture& picture) override;
    void stretchDrawRound(const QRect& target, const Picture& picture) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void clearEllipse(int left, int top, int right, int bottom) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void setBrushClear() override;

private:
    void record(const RecordedCall& call);

    int m_dpiX;
    int m_dpiY;
    int m_offsetX;
    int m_offsetY;
    QList<RecordedCall> m_calls;
    std::optional<RecordedCall::Kind> m_failingKind;
};
